#include "DocxFrames.h"
#include "OfficeRunner.h"
#include "PackageReader.h"
#include "PdfFixtures.h"
#include "TestHome.h"

#include <pdfconv/base/ResultCode.h>
#include <pdfconv/common/LibraryManager.h>
#include <pdfconv/conversion/PdfConversion.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <thread>

using pdfconv::base::ConvertOptions;
using pdfconv::common::LibraryManager;
using pdfconv::conversion::PdfConversion;
namespace codes = pdfconv::base;

namespace {

using Start = int (*)(char const*, char const*, char const*, ConvertOptions const&,
                      pdfconv::conversion::ProgressCallback);

int convert(Start start, QString const& in, QString const& out,
            ConvertOptions const& options = ConvertOptions())
{
    return start(in.toUtf8().constData(), "", out.toUtf8().constData(), options, nullptr);
}

// The options the application's converters set for each output.
ConvertOptions wordOptions(bool flowing, bool ocr = false)
{
    ConvertOptions o;
    o.useDocumentAI = true;
    o.excelSheetPerTable = true;
    o.ocrEnabled = ocr;
    o.wordLayout = flowing ? 1 : 0;
    return o;
}

ConvertOptions excelOptions(bool allContent, bool sheetPerTable, bool csv = false)
{
    ConvertOptions o;
    o.useDocumentAI = true;
    o.excelAllContent = allContent;
    o.excelSheetPerTable = sheetPerTable;
    o.csvOutput = csv;
    return o;
}

QList<QStringList> const kTable = {
    {"12", "3.5", "1,250"}, {"7", "-42", "0.25"}, {"1,000", "88", "19.75"}, {"5", "6", "2,048.5"}};

QStringList const kHeader = {"Units", "Price", "Total"};

double number(QString text)
{
    return text.remove(QLatin1Char(',')).toDouble();
}

// A cell of a workbook read back: a number, or a text.
struct Cell
{
    bool isNumber = false;
    double value = 0;
    QString text;
};
using SheetCells = QMap<QString, Cell>; // "B3" -> cell

QString columnLetters(int column)
{
    QString out;
    for (++column; column > 0; column = (column - 1) / 26)
        out.prepend(QChar('A' + (column - 1) % 26));
    return out;
}

// Sheets in workbook order, with their names.
QList<QPair<QString, SheetCells>> readWorkbook(QString const& path)
{
    PackageReader package(path);
    QList<QPair<QString, SheetCells>> sheets;
    if (!package.isOpen())
        return sheets;
    QStringList shared;
    for (auto const& si : xmlread::elements(package.part("xl/sharedStrings.xml"), "si"))
        shared << si.text;
    QHash<QString, QString> const targets = package.relationshipTargets("xl/workbook.xml");
    for (auto const& sheet : xmlread::attributes(package.part("xl/workbook.xml"), "sheet")) {
        QByteArray const xml = package.part(targets.value(sheet.value("r:id").toString()));
        SheetCells cells;
        QXmlStreamReader reader(xml);
        QString ref, type;
        while (!reader.atEnd()) {
            reader.readNext();
            if (reader.isStartElement() && reader.qualifiedName() == QLatin1String("c")) {
                ref = reader.attributes().value("r").toString();
                type = reader.attributes().value("t").toString();
            } else if (reader.isStartElement() && reader.qualifiedName() == QLatin1String("v")) {
                QString const v = reader.readElementText();
                Cell cell;
                if (type == QLatin1String("s")) {
                    cell.text = shared.value(v.toInt());
                } else {
                    cell.isNumber = true;
                    cell.value = v.toDouble();
                }
                cells.insert(ref, cell);
            } else if (reader.isStartElement() && reader.qualifiedName() == QLatin1String("t") &&
                       type == QLatin1String("inlineStr")) {
                cells[ref].text = reader.readElementText();
            }
        }
        sheets.append({sheet.value("name").toString(), cells});
    }
    return sheets;
}

// Where the table's top-left number stands in a sheet.
QString findNumber(SheetCells const& cells, double value)
{
    for (auto it = cells.cbegin(); it != cells.cend(); ++it)
        if (it->isNumber && qFuzzyCompare(it->value, value))
            return it.key();
    return QString();
}

void compareTableAt(SheetCells const& cells, QString const& topLeft)
{
    QRegularExpressionMatch const m = QRegularExpression("^([A-Z]+)(\\d+)$").match(topLeft);
    QVERIFY(m.hasMatch());
    int const col0 = m.captured(1).at(0).unicode() - 'A', row0 = m.captured(2).toInt();
    for (int r = 0; r < kTable.size(); ++r)
        for (int c = 0; c < kTable.at(r).size(); ++c) {
            QString const ref = columnLetters(col0 + c) + QString::number(row0 + r);
            QVERIFY2(cells.contains(ref) && cells.value(ref).isNumber, qPrintable(ref));
            QCOMPARE(cells.value(ref).value, number(kTable.at(r).at(c)));
        }
}

// The running text of a docx body, paragraph by paragraph; line breaks as '\n'.
QStringList docxParagraphs(QByteArray const& xml)
{
    QStringList out;
    QXmlStreamReader reader(xml);
    QString current;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.qualifiedName() == QLatin1String("w:p"))
            current.clear();
        else if (reader.isStartElement() && reader.qualifiedName() == QLatin1String("w:t"))
            current += reader.readElementText();
        else if (reader.isStartElement() && reader.qualifiedName() == QLatin1String("w:br") &&
                 reader.attributes().value("w:type") != QLatin1String("column"))
            current += QLatin1Char('\n');
        else if (reader.isEndElement() && reader.qualifiedName() == QLatin1String("w:p"))
            out << current;
    }
    return out;
}

QString pdfText(QString const& path)
{
    return PdfFixtures::pdfToText(path);
}

// Share of the expected words found among the words of a text.
double wordsFound(QStringList const& expected, QString const& text)
{
    QSet<QString> got;
    for (auto const& w : text.split(QRegularExpression("[^\\w]+"), Qt::SkipEmptyParts))
        got << w.toLower();
    int found = 0;
    for (auto const& w : expected)
        found += got.contains(w.toLower()) ? 1 : 0;
    return expected.isEmpty() ? 0 : double(found) / expected.size();
}

// The largest resident size (kB) the helper reached while the conversion ran.
qint64 helperPeakKb(std::atomic<int> const& code)
{
    qint64 peak = 0;
    while (code == -1) {
        for (auto const& task : QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile children(QStringLiteral("/proc/self/task/%1/children").arg(task));
            if (!children.open(QIODevice::ReadOnly))
                continue;
            for (auto const& pid : children.readAll().split(' ')) {
                if (pid.trimmed().isEmpty())
                    continue;
                QFile status(QStringLiteral("/proc/%1/status").arg(QString::fromLatin1(pid.trimmed())));
                if (!status.open(QIODevice::ReadOnly))
                    continue;
                QRegularExpressionMatch const m =
                    QRegularExpression("VmRSS:\\s+(\\d+)").match(QString::fromLatin1(status.readAll()));
                if (m.hasMatch())
                    peak = std::max(peak, m.captured(1).toLongLong());
            }
        }
        QThread::msleep(5);
    }
    return peak;
}

// The first element of that name whose attribute has that value, or whose attribute a
// number within `tolerance` of it.
bool hasAttribute(QByteArray const& xml, QString const& element, QString const& attribute,
                  QString const& value, double tolerance = -1)
{
    for (auto const& a : xmlread::attributes(xml, element)) {
        QString const got = a.value(attribute).toString();
        if (tolerance < 0 ? got == value : std::abs(got.toDouble() - value.toDouble()) <= tolerance)
            return true;
    }
    return false;
}

// Pixels of a picture close to a colour.
int pixelsOf(QImage const& image, QColor const& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            QColor const c = image.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                                 std::abs(c.blue() - colour.blue()) <
                             40
                         ? 1
                         : 0;
        }
    return count;
}

// Where a word first stands on page 1 (the middle of its box, points), by pdftotext.
QPointF wordPlace(QString const& pdf, QString const& word)
{
    QProcess process;
    process.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    process.waitForFinished(60000);
    QXmlStreamReader xml(process.readAllStandardOutput());
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("word"))
            continue;
        QXmlStreamAttributes const a = xml.attributes();
        if (xml.readElementText() == word)
            return QPointF(a.value("xMin").toDouble() + a.value("xMax").toDouble(),
                           a.value("yMin").toDouble() + a.value("yMax").toDouble()) /
                   2;
    }
    return QPointF(-100, -100);
}

// The lines of page 1 as pdftotext reads them, words joined by a space.
QStringList pdfLines(QString const& pdf)
{
    QProcess process;
    process.start("pdftotext", {"-bbox-layout", "-f", "1", "-l", "1", pdf, "-"});
    process.waitForFinished(60000);
    QStringList lines;
    QXmlStreamReader xml(process.readAllStandardOutput());
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("line"))
            lines << QString();
        else if (xml.isStartElement() && xml.name() == QLatin1String("word"))
            lines.last() += (lines.last().isEmpty() ? "" : " ") + xml.readElementText();
    }
    return lines;
}

// Two columns of paragraphs one close under the other.
QList<QStringList> const kNarrowText = {
    {"The committee met on three occasions during the spring and reviewed the progress of every project "
     "that the council funds in the northern district.",
     "Members asked for clearer figures on the costs of maintenance, which have risen faster than the "
     "budget allowed for in the original plan.",
     "A short report on the new cycle paths will follow in the autumn, once the counts of the first "
     "summer are known."},
    {"Questions from the public concerned the opening hours of the library and the parking charges near "
     "the market square on Saturdays.",
     "The officers will publish the answers on the council's pages before the next meeting of the "
     "committee in September."}};

// Two columns, or the first alone ("narrow1").
QList<QStringList> narrowText(QString const& name)
{
    return name.endsWith(QLatin1Char('1')) ? kNarrowText.mid(0, 1) : kNarrowText;
}

QStringList const kScanLines = {"harbor garden window silver", "morning village thunder orange",
                                "station kitchen meadow pocket"};

// Pages that paint pictures in the ways QPdfWriter never does.
bool writePicturePage(QString const& path, QString const& kind)
{
    using PdfFixtures::RawPdf;
    RawPdf pdf;
    QByteArray const caption = RawPdf::text(150, 430, "Figure 1: harbour at dawn");
    if (kind == QLatin1String("form") || kind == QLatin1String("unbalanced")) {
        int const photo = pdf.addPhoto(64, 48);
        // A form that restores more states than it saved must not undo the page's.
        QByteArray const body = kind == QLatin1String("form") ? "q 1 0 0 1 0 0 cm /Im Do Q" : "/Im Do Q Q Q";
        int const form = pdf.addStream("/Type /XObject /Subtype /Form /BBox [0 0 1 1] /Resources << /XObject "
                                       "<< /Im " +
                                           QByteArray::number(photo) + " 0 R >> >>",
                                       body);
        return pdf.write(path, caption + "300 0 0 225 150 450 cm /Fx Do\n",
                         "/XObject << /Fx " + QByteArray::number(form) + " 0 R >>");
    }
    if (kind == QLatin1String("table")) {
        // A ruled table with a code drawn as a stencil mask, a stamp drawn through a form
        // and a symbol as an inline image in its cells.
        QByteArray content = RawPdf::text(72, 780, "Inventory of the store room", 16) + "0 G 1 w\n";
        QList<QByteArray> const labels = {"Alpha", "Beta", "Gamma"};
        for (int i = 0; i <= 3; ++i)
            content += QStringLiteral("72 %1 m 522 %1 l S\n").arg(700 - 60 * i).toLatin1();
        for (int x : {72, 222, 372, 522})
            content += QStringLiteral("%1 700 m %1 520 l S\n").arg(x).toLatin1();
        for (int i = 0; i < 3; ++i)
            content += RawPdf::text(78, 680 - 60 * i, labels.at(i)) + RawPdf::text(228, 680 - 60 * i, "ok");
        content += RawPdf::text(72, 480, "Counted on the first Monday of the month");
        QByteArray code;
        for (int i = 0; i < 21 * 3; ++i)
            code += char((i * 37 + 11) % 256);
        int const mask = pdf.addStream("/Type /XObject /Subtype /Image /Width 21 /Height 21 /ImageMask true "
                                       "/BitsPerComponent 1",
                                       code);
        int const photo = pdf.addPhoto(40, 40);
        int const stamp =
            pdf.addStream("/Type /XObject /Subtype /Form /BBox [0 0 60 50] /Resources << /XObject "
                          "<< /I " +
                              QByteArray::number(photo) + " 0 R >> >>",
                          "q 60 0 0 48 0 0 cm /I Do Q");
        content += "0 0 1 rg q 42 0 0 42 460 649 cm /Qr Do Q\nq 1 0 0 1 450 586 cm /Stamp Do Q\n"
                   "q 30 0 0 30 470 532 cm BI /W 8 /H 8 /CS /RGB /BPC 8 ID " +
                   RawPdf::photoPixels(8, 8) + " EI Q\n";
        return pdf.write(path, content,
                         "/XObject << /Qr " + QByteArray::number(mask) + " 0 R /Stamp " +
                             QByteArray::number(stamp) + " 0 R >>");
    }
    if (kind == QLatin1String("annotation")) {
        int const photo = pdf.addPhoto(40, 40);
        int const font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
        int const look = pdf.addStream(
            "/Type /XObject /Subtype /Form /BBox [0 0 100 80] /Resources << /XObject "
            "<< /I " +
                QByteArray::number(photo) + " 0 R >> /Font << /F1 " + QByteArray::number(font) + " 0 R >> >>",
            "q 100 0 0 60 0 20 cm /I Do Q " + RawPdf::text(5, 5, "APPROVED", 12));
        int const stamp = pdf.add("<< /Type /Annot /Subtype /Stamp /Rect [400 600 500 680] /F 4 /AP << /N " +
                                  QByteArray::number(look) + " 0 R >> >>");
        return pdf.write(path, RawPdf::text(72, 780, "Invoice for the month of May", 16), QByteArray(),
                         QByteArray::number(stamp) + " 0 R");
    }
    // White text over a photograph that fills the page.
    int const photo = pdf.addPhoto(120, 170);
    return pdf.write(path,
                     "q 595 0 0 842 0 0 cm /Im Do Q\n1 1 1 rg\n" +
                         RawPdf::text(60, 700, "Summer Festival", 36) +
                         RawPdf::text(60, 650, "Music by the river", 18) +
                         RawPdf::text(60, 620, "Tickets at the gate", 18),
                     "/XObject << /Im " + QByteArray::number(photo) + " 0 R >>");
}

QStringList const kPictureWords = {"Figure",   "harbour", "Alpha",    "Gamma", "ok",     "Invoice",
                                   "APPROVED", "Summer",  "Festival", "river", "Tickets"};

} // namespace

class TestOfficeConversion : public QObject
{
    Q_OBJECT

private:
    TestHome m_home;
    QString m_text;   // title and paragraphs; a second page in two columns
    QString m_ruled;  // the table drawn as a grid
    QString m_plain;  // the same table, aligned text only
    QString m_tables; // two pages with a ruled table each
    QString m_runOn;  // a paragraph that runs on from page 1 to page 2
    QString m_book;   // running heads, page numbers, footnotes, code; a part starting on page 3
    QString m_corpus; // the Word benchmark's documents as PDFs, when LibreOffice is there
    QString m_scan;   // a clean scan of three lines
    QString m_model;
    int m_case = 0;

    QString path(QString const& name) const { return m_home.filePath(name); }
    QString fresh(QString const& suffix) { return path(QStringLiteral("out%1%2").arg(++m_case).arg(suffix)); }

private slots:
    void initTestCase()
    {
        LibraryManager::SetLogger(true, false);
        m_model = QCoreApplication::applicationDirPath() + "/../Resources/resource/models/documentai.model";
        m_text = path("text.pdf");
        PdfFixtures::Page first;
        first.title = QStringLiteral("Quarterly Review");
        first.paragraphs << PdfFixtures::words("alpha", 60) << PdfFixtures::words("beta", 45);
        PdfFixtures::Page second;
        second.columns = 2;
        for (int i = 0; i < 6; ++i)
            second.paragraphs << PdfFixtures::words(QStringLiteral("k%1w").arg(i), 40);
        QVERIFY(PdfFixtures::writePdf(m_text, {first, second}));
        m_runOn = path("runon.pdf");
        PdfFixtures::Page runOnFirst;
        runOnFirst.paragraphs << PdfFixtures::words("alpha", 60) << PdfFixtures::words("beta", 45);
        PdfFixtures::Page runOnSecond;
        runOnSecond.paragraphs << PdfFixtures::words("gamma", 40);
        QVERIFY(PdfFixtures::writePdf(m_runOn, {runOnFirst, runOnSecond}));
        m_book = path("book.pdf");
        QList<PdfFixtures::Page> book{{}, {}, {}};
        book[0].title = QStringLiteral("Annual Test Report");
        for (int i = 0; i < 5; ++i)
            book[0].paragraphs << PdfFixtures::words(QStringLiteral("a%1w").arg(i), 60);
        book[0].notes << QStringLiteral("First note text here.");
        book[1].paragraphs << PdfFixtures::words("bx", 50) << PdfFixtures::words("by", 50);
        book[1].notes << QStringLiteral("Second note words.");
        book[1].code << QStringLiteral("set alpha = 1;") << QStringLiteral("  set beta = 2;")
                     << QStringLiteral("set gamma = 3;");
        book[2].title = QStringLiteral("Second Part");
        book[2].paragraphs << PdfFixtures::words("cx", 50);
        for (auto& page : book) {
            page.head = QStringLiteral("Annual test report of the unit");
            page.foot = QStringLiteral("Page #");
        }
        QVERIFY(PdfFixtures::writePdf(m_book, book));
        m_ruled = path("ruled.pdf");
        m_plain = path("plain.pdf");
        m_tables = path("tables.pdf");
        QVERIFY(PdfFixtures::writeTablePdf(m_ruled, {kTable}, true));
        QVERIFY(PdfFixtures::writeTablePdf(m_plain, {kTable}, false));
        QVERIFY(PdfFixtures::writeTablePdf(m_tables, {kTable, kTable}, true));
        m_scan = path("scan.pdf");
        QVERIFY(PdfFixtures::writeScanPdf(m_scan, kScanLines, QSizeF(360, 160)));
        if (OfficeRunner::available()) {
            QStringList sources;
            for (auto const& name :
                 {"report.fodt", "pricelist.fodt", "manual.fodt", "chart.fodt", "letter.fodt",
                  "statistics.fodt", "harbour.fodt", "visitors.fods", "budget.fods"})
                sources << QStringLiteral(DOCQUILL_CORPUS_DIR "/%1").arg(name);
            QString log;
            QVERIFY2(OfficeRunner::convert(sources, "pdf", path("corpus"), &log), qPrintable(log));
            m_corpus = path("corpus");
            // A page typeset by groff: a table with rules between its columns only.
            QProcess groff;
            groff.setStandardOutputFile(m_corpus + "/rainfall.pdf");
            groff.start("groff", {"-t", "-ms", "-Tpdf", "-P-pa4", DOCQUILL_CORPUS_DIR "/rainfall.ms"});
            QVERIFY2(groff.waitForFinished(60000) && groff.exitCode() == 0, "groff cannot make a PDF");
            // The same page with its cross-reference table pointed at the wrong place: both
            // readers must rebuild it from the objects.
            QFile intact(m_corpus + "/pricelist.pdf");
            QVERIFY(intact.open(QIODevice::ReadOnly));
            QByteArray bytes = intact.readAll();
            int const at = bytes.lastIndexOf("startxref");
            QVERIFY(at > 0);
            bytes.replace(at, bytes.indexOf("%%EOF", at) - at, "startxref\n1\n");
            QFile damaged(m_corpus + "/pricelist-damaged.pdf");
            QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write(bytes) == bytes.size());
        }
    }

    // Runs first: until the model is loaded, a page that needs recognition fails with 41.
    void recognitionNeedsTheModel()
    {
        QString const out = fresh(".pdf");
        QCOMPARE(convert(&PdfConversion::StartPDFToSearchablePdf, m_scan, out, wordOptions(true, true)),
                 int(codes::OcrFailed));
        QVERIFY(!QFileInfo::exists(out));
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, m_scan, out + ".docx", wordOptions(true, true)),
                 int(codes::OcrFailed));
        QCOMPARE(convert(&PdfConversion::StartPDFToTxt, m_scan, out + ".txt", wordOptions(true, true)),
                 int(codes::OcrFailed));
        QVERIFY(!QFileInfo::exists(out + ".txt"));
        // A file with text everywhere needs no recognition.
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, m_text, out + ".docx", wordOptions(true, true)), 0);
        QCOMPARE(convert(&PdfConversion::StartPDFToTxt, m_text, out + ".txt", wordOptions(true, true)), 0);

        QDir().mkpath(path("badmodel"));
        QFile junk(path("badmodel/eng.traineddata"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        auto const load = [](QString const& folder) {
            return LibraryManager::SetDocumentAIModel(folder.toUtf8().constData(), codes::OCRLanguageAuto);
        };
        QCOMPARE(load(path("nomodel")), int(codes::FileNotFound));
        QCOMPARE(load(path("badmodel")), int(codes::OcrFailed));
        QCOMPARE(load(m_text), int(codes::OcrFailed));
        // A Cancel meant for a conversion does not stop the model from loading.
        std::atomic<int> loaded{-1};
        std::thread loader([&] { loaded = load(m_model); });
        while (loaded == -1) {
            PdfConversion::Cancel();
            QThread::msleep(1);
        }
        loader.join();
        QCOMPARE(loaded.load(), 0);

        for (int language = 1; language <= 6; ++language)
            QCOMPARE(LibraryManager::SetOCRLanguage(codes::OCRLanguage(language)), 0);
        QCOMPARE(LibraryManager::SetOCRLanguage(codes::OCRLanguage(7)), int(codes::OcrFailed));
        QCOMPARE(LibraryManager::SetOCRLanguage(codes::OCRLanguage(0)), int(codes::OcrFailed));
    }

    void searchablePdf()
    {
        QCOMPARE(LibraryManager::SetOCRLanguage(codes::OCRLanguageEnglish), 0);
        QString const out = fresh(".pdf");
        QCOMPARE(convert(&PdfConversion::StartPDFToSearchablePdf, m_scan, out, wordOptions(true, true)), 0);
        QVERIFY(pdfText(m_scan).trimmed().isEmpty());
        QStringList expected = kScanLines.join(' ').split(' ');
        QVERIFY2(wordsFound(expected, pdfText(out)) >= 0.9, qPrintable(pdfText(out)));
        QCOMPARE(OfficeRunner::pdfPages(out), 1);
        QCOMPARE(OfficeRunner::pdfPageSize(out, 1), QStringLiteral("360 x 160"));
        // The picture stays: the page still holds its image.
        QProcess images;
        images.start("pdfimages", {"-list", out});
        QVERIFY(images.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(images.readAllStandardOutput()).count(QStringLiteral(" image ")), 1);
        // A locked scan: recognised with its password, and still locked with it.
        QString const locked = path("locked-scan.pdf");
        QVERIFY(PdfFixtures::encrypt(m_scan, locked, {"user", "owner", "256"}));
        QString const lockedOut = fresh(".pdf");
        ConvertOptions const options = wordOptions(true, true);
        QCOMPARE(PdfConversion::StartPDFToSearchablePdf(locked.toUtf8(), "nope", lockedOut.toUtf8(), options,
                                                        nullptr),
                 int(codes::PasswordError));
        QCOMPARE(PdfConversion::StartPDFToSearchablePdf(locked.toUtf8(), "user", lockedOut.toUtf8(), options,
                                                        nullptr),
                 0);
        QVERIFY(pdfText(lockedOut).trimmed().isEmpty());
        QProcess unlocked;
        unlocked.start("pdftotext", {"-upw", "user", lockedOut, "-"});
        QVERIFY(unlocked.waitForFinished(30000));
        QVERIFY(wordsFound(expected, QString::fromUtf8(unlocked.readAllStandardOutput())) >= 0.9);
        // A text PDF keeps its text layer as it is and gets no second one.
        QString const textOut = fresh(".pdf");
        QCOMPARE(convert(&PdfConversion::StartPDFToSearchablePdf, m_text, textOut, wordOptions(true, true)),
                 0);
        QCOMPARE(pdfText(textOut), pdfText(m_text));
    }

    void scanToText_data()
    {
        QTest::addColumn<void*>("start");
        QTest::newRow("txt") << reinterpret_cast<void*>(&PdfConversion::StartPDFToTxt);
        QTest::newRow("rtf") << reinterpret_cast<void*>(&PdfConversion::StartPDFToRtf);
        QTest::newRow("html") << reinterpret_cast<void*>(&PdfConversion::StartPDFToHtml);
    }

    // The text outputs recognise a scan as the office ones do.
    void scanToText()
    {
        QFETCH(void*, start);
        QCOMPARE(LibraryManager::SetOCRLanguage(codes::OCRLanguageEnglish), 0);
        QString const out = fresh(".out");
        QCOMPARE(convert(reinterpret_cast<Start>(start), m_scan, out, wordOptions(true, true)), 0);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString const text = QString::fromUtf8(file.readAll());
        QVERIFY2(wordsFound(kScanLines.join(' ').split(' '), text) >= 0.9, qPrintable(text));
    }

    // Language 6 on a page in a script the model has no data for: a failure, not nonsense.
    void scanInScriptWithoutDataFails()
    {
        QString const greek = path("greek-scan.pdf");
        QVERIFY(
            PdfFixtures::writeScanPdf(greek,
                                      {"Όλοι οι άνθρωποι γεννιούνται ελεύθεροι", "και ίσοι στην αξιοπρέπεια",
                                       "και τα δικαιώματα. Είναι προικισμένοι", "με λογική και συνείδηση."},
                                      QSizeF(420, 200)));
        QCOMPARE(LibraryManager::SetOCRLanguage(codes::OCRLanguageLatin), 0);
        QString const out = fresh(".txt");
        QCOMPARE(convert(&PdfConversion::StartPDFToTxt, greek, out, wordOptions(true, true)),
                 int(codes::OcrFailed));
        QVERIFY(!QFileInfo::exists(out));
    }

    void word_data()
    {
        QTest::addColumn<bool>("flowing");
        QTest::newRow("flowing text") << true;
        QTest::newRow("page layout") << false;
    }

    void word()
    {
        QFETCH(bool, flowing);
        QString const out = fresh(".docx");
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, m_text, out, wordOptions(flowing)), 0);
        PackageReader package(out);
        QVERIFY(package.isOpen());
        QCOMPARE(package.problems(), QStringList());
        QByteArray const xml = package.part("word/document.xml");
        QStringList const paragraphs = docxParagraphs(xml);
        QVERIFY(paragraphs.contains("Quarterly Review"));
        QString const alpha = PdfFixtures::words("alpha", 60);
        if (flowing) {
            // Whole paragraphs, in reading order: the left column before the right one, and
            // the two-column page in two Word columns.
            QVERIFY(paragraphs.contains(alpha));
            QVERIFY(paragraphs.contains(PdfFixtures::words("k4w", 40)));
            QVERIFY(paragraphs.indexOf(PdfFixtures::words("k0w", 40)) <
                    paragraphs.indexOf(PdfFixtures::words("k5w", 40)));
            QCOMPARE(xmlread::attributes(xml, "w:cols").value(0).value("w:num").toString(),
                     QStringLiteral("2"));
            // A page that ends its paragraph ends with a page break.
            QString const tables = fresh(".docx");
            QCOMPARE(convert(&PdfConversion::StartPDFToWord, m_tables, tables, wordOptions(true)), 0);
            QCOMPARE(xmlread::count(PackageReader(tables).part("word/document.xml"), "w:pageBreakBefore"), 1);
            // The last paragraph of a page runs on into the next: one paragraph, no page break.
            QString const runOn = fresh(".docx");
            QCOMPARE(convert(&PdfConversion::StartPDFToWord, m_runOn, runOn, wordOptions(true)), 0);
            QByteArray const runOnXml = PackageReader(runOn).part("word/document.xml");
            QVERIFY(docxParagraphs(runOnXml).contains(PdfFixtures::words("beta", 45) + " " +
                                                      PdfFixtures::words("gamma", 40)));
            QCOMPARE(xmlread::count(runOnXml, "w:pageBreakBefore"), 0);
            QCOMPARE(xmlread::count(runOnXml, "w:sectPr"), 1);
        } else {
            // Lines keep their breaks; every page is a section of its own; every block a frame
            // at its place, the columns' side by side.
            QString const joined = paragraphs.join(' ');
            QVERIFY(!paragraphs.contains(alpha));
            QCOMPARE(QString(joined).replace('\n', ' ').count(alpha), 1);
            QVERIFY(paragraphs.filter(QRegularExpression("^alpha0 .*\\n")).size() == 1);
            QCOMPARE(xmlread::count(xml, "w:sectPr"), 2);
            QCOMPARE(xmlread::count(xml, "w:tbl"), 0);
            QVector<QXmlStreamAttributes> const frames = xmlread::attributes(xml, "w:framePr");
            QCOMPARE(frames.size(), 9);
            QVERIFY(frames.at(3).value("w:x").toInt() < frames.at(8).value("w:x").toInt());
        }
        // The title keeps its size (22 pt) and weight.
        QVERIFY(xml.contains("<w:b/>"));
        QVERIFY(xml.contains("w:val=\"44\""));
        // The body's 11 points are the document's default size.
        QVERIFY(package.part("word/styles.xml").contains("<w:sz w:val=\"22\"/>"));
    }

    // Running heads and page numbers go to the header and footer parts; flowing text takes
    // footnotes to their part and keeps code lines apart, and breaks its pages only where the
    // source starts something new.
    void wordStructure_data()
    {
        QTest::addColumn<bool>("flowing");
        QTest::newRow("flowing text") << true;
        QTest::newRow("page layout") << false;
    }

    void wordStructure()
    {
        QFETCH(bool, flowing);
        QString const out = fresh(".docx");
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, m_book, out, wordOptions(flowing)), 0);
        PackageReader package(out);
        QCOMPARE(package.problems(), QStringList());
        QByteArray const xml = package.part("word/document.xml");
        QString headers, footers;
        for (auto const& target : package.relationshipTargets("word/document.xml")) {
            if (target.startsWith("word/header"))
                headers += xmlread::texts(package.part(target), "w:t").join(' ') + '\n';
            if (target.startsWith("word/footer"))
                footers += xmlread::texts(package.part(target), "w:instrText").join(' ');
        }
        QVERIFY2(headers.contains("Annual test report of the unit"), qPrintable(headers));
        QVERIFY2(footers.contains("PAGE"), qPrintable(footers));
        QString const body = docxParagraphs(xml).join('\n');
        QVERIFY2(!body.contains("Annual test report of the unit") && !body.contains("Page 2"),
                 qPrintable(body));
        QByteArray const notes = package.part("word/footnotes.xml");
        if (flowing) {
            QCOMPARE(xmlread::count(xml, "w:footnoteReference"), 2);
            QString const noteText = xmlread::texts(notes, "w:t").join(' ');
            QVERIFY2(noteText.contains("First note text here.") && noteText.contains("Second note words."),
                     qPrintable(noteText));
            QVERIFY(!body.contains("note text here"));
            QVERIFY2(docxParagraphs(xml).contains("set alpha = 1;\n  set beta = 2;\nset gamma = 3;"),
                     qPrintable(body));
            // Page 1 runs on into page 2; the part that starts page 3 after a short page 2 breaks.
            QCOMPARE(xmlread::count(xml, "w:pageBreakBefore") + xmlread::count(xml, "w:sectPr"), 2);
        } else {
            // Notes stay at the foot of their page, each page a section of its own.
            QVERIFY(notes.isEmpty());
            QVERIFY(body.contains("First note text here."));
            QCOMPARE(xmlread::count(xml, "w:sectPr"), 3);
        }
    }

    // A manuscript's line numbers are Word's own in flowing text and stay in the margin in page
    // layout; either way they are no table, and the lines keep within the margins.
    void wordLineNumbers_data()
    {
        QTest::addColumn<bool>("flowing");
        QTest::newRow("flowing text") << true;
        QTest::newRow("page layout") << false;
    }

    void wordLineNumbers()
    {
        QFETCH(bool, flowing);
        QList<PdfFixtures::Page> pages{{}, {}};
        for (int p = 0; p < pages.size(); ++p)
            for (int l = 0; l < 12; ++l)
                pages[p].numbered
                    << QStringLiteral("moss carpets hold the nitrogen of the rain p%1l%2").arg(p).arg(l);
        QString const in = path("numbered.pdf");
        QVERIFY(PdfFixtures::writePdf(in, pages));
        QString const out = fresh(".docx");
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, in, out, wordOptions(flowing)), 0);
        QByteArray const xml = PackageReader(out).part("word/document.xml");
        QCOMPARE(xmlread::count(xml, "w:tbl"), 0);
        QStringList const paragraphs = docxParagraphs(xml);
        QStringList numbers;
        for (auto const& p : paragraphs)
            if (p.contains(QRegularExpression(QStringLiteral("^\\d+$"))))
                numbers << p;
        QString const body = paragraphs.join('\n');
        QVERIFY2(body.contains("p1l11") &&
                     !body.contains(QRegularExpression(QStringLiteral("(^|\\s)\\d+ moss"))),
                 qPrintable(body));
        QVector<QXmlStreamAttributes> const lineNumbering = xmlread::attributes(xml, "w:lnNumType");
        if (flowing) {
            QCOMPARE(numbers.size(), 0);
            QVERIFY(!lineNumbering.isEmpty());
            for (auto const& numbering : lineNumbering)
                QCOMPARE(numbering.value("w:restart").toString(), QStringLiteral("continuous"));
        } else {
            QCOMPARE(numbers.size(), 24);
            QCOMPARE(numbers.last(), QStringLiteral("24"));
            QCOMPARE(lineNumbering.size(), 0);
        }
        // Text frames start at the text's edge; the numbers' frames end left of it.
        for (auto const& frame : xmlread::attributes(xml, "w:framePr"))
            QVERIFY(frame.value("w:x").toInt() + frame.value("w:w").toInt() <= 56 * 20 ||
                    frame.value("w:x").toInt() >= 56 * 20 - 40);
    }

    void wordTables_data()
    {
        QTest::addColumn<bool>("ruled");
        QTest::newRow("ruled") << true;
        QTest::newRow("aligned") << false;
    }

    void wordTables()
    {
        QFETCH(bool, ruled);
        QString const out = fresh(".docx");
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, ruled ? m_ruled : m_plain, out, wordOptions(true)),
                 0);
        PackageReader package(out);
        QByteArray const xml = package.part("word/document.xml");
        QCOMPARE(xmlread::count(xml, "w:tbl"), 1);
        QCOMPARE(xmlread::count(xml, "w:tr"), kTable.size());
        QStringList const cells = xmlread::texts(xml, "w:tc");
        QStringList expected;
        for (auto const& row : kTable)
            expected += row;
        QCOMPARE(cells, expected);
        // A ruled table's cells keep their rules; aligned text gets none.
        QCOMPARE(xmlread::count(xml, "w:tcBorders") == kTable.size() * kTable.first().size(), ruled);
        QCOMPARE(xml.contains("w:val=\"single\""), ruled);
        QStringList const paragraphs = docxParagraphs(xml);
        QVERIFY(paragraphs.indexOf("Figures of table 1 follow below.") <
                paragraphs.indexOf("The end of page 1."));
    }

    void excel_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("allContent");
        QTest::addColumn<bool>("sheetPerTable");
        QTest::addColumn<QStringList>("sheets");
        QTest::newRow("ruled, tables, per table") << "ruled.pdf" << false << true << QStringList{"Table 1"};
        QTest::newRow("aligned, tables, per page") << "plain.pdf" << false << false << QStringList{"Page 1"};
        QTest::newRow("ruled, all, per table") << "ruled.pdf" << true << true << QStringList{"Table 1"};
        QTest::newRow("two tables, per table")
            << "tables.pdf" << false << true << QStringList{"Table 1", "Table 2"};
        QTest::newRow("two tables, all, per page")
            << "tables.pdf" << true << false << QStringList{"Page 1", "Page 2"};
        QTest::newRow("text, all, per table")
            << "text.pdf" << true << true << QStringList{"Page 1", "Page 2"};
    }

    void excel()
    {
        QFETCH(QString, input);
        QFETCH(bool, allContent);
        QFETCH(bool, sheetPerTable);
        QFETCH(QStringList, sheets);
        QString const out = fresh(".xlsx");
        QCOMPARE(convert(&PdfConversion::StartPDFToExcel, path(input), out,
                         excelOptions(allContent, sheetPerTable)),
                 0);
        QCOMPARE(PackageReader(out).problems(), QStringList());
        auto const book = readWorkbook(out);
        QStringList names;
        for (auto const& sheet : book)
            names << sheet.first;
        QCOMPARE(names, sheets);
        bool texts = false;
        for (auto const& sheet : book) {
            for (auto const& cell : sheet.second)
                texts = texts || cell.text.contains(QLatin1String("Figures of table")) ||
                        cell.text.contains(QLatin1String("alpha0"));
            if (input != QLatin1String("text.pdf"))
                compareTableAt(sheet.second, findNumber(sheet.second, 12));
        }
        QCOMPARE(texts, allContent);
    }

    void tablesOnlyWithoutTables()
    {
        QString const out = fresh(".xlsx");
        QCOMPARE(convert(&PdfConversion::StartPDFToExcel, m_text, out, excelOptions(false, true)),
                 int(codes::NoTables));
        QVERIFY(!QFileInfo::exists(out));
        QString const folder = fresh("");
        QCOMPARE(convert(&PdfConversion::StartPDFToExcel, m_text, folder, excelOptions(false, true, true)),
                 int(codes::NoTables));
        QVERIFY(!QFileInfo::exists(folder));
    }

    void csv()
    {
        QString const folder = fresh("") + "/csv";
        QCOMPARE(convert(&PdfConversion::StartPDFToExcel, m_tables, folder, excelOptions(false, true, true)),
                 0);
        QStringList const files = QDir(folder).entryList(
            QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        QCOMPARE(files, (QStringList{"tables_1.csv", "tables_2.csv"}));
        QString expected;
        for (auto const& row : kTable) {
            QStringList fields;
            for (auto const& cell : row)
                fields << QString::number(number(cell));
            expected += fields.join(',') + "\r\n";
        }
        for (auto const& name : files) {
            QFile file(QDir(folder).filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QString text = QString::fromUtf8(file.readAll());
            text.remove(QChar(0xFEFF));
            QCOMPARE(text, expected);
        }
        // One sheet, one file named after the input; files already there are kept.
        QFile mine(QDir(folder).filePath("notes.txt"));
        QVERIFY(mine.open(QIODevice::WriteOnly));
        mine.close();
        QCOMPARE(convert(&PdfConversion::StartPDFToExcel, m_plain, folder, excelOptions(false, true, true)),
                 0);
        QVERIFY(QFileInfo::exists(QDir(folder).filePath("plain.csv")));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 4);
    }

    // A table without rules keeps its header row, each heading set left in the cell over the
    // numbers set right under it, in both layouts and in CSV.
    void headerRowWithoutRules_data()
    {
        QTest::addColumn<bool>("allContent");
        QTest::addColumn<bool>("csv");
        QTest::newRow("all content") << true << false;
        QTest::newRow("tables only") << false << false;
        QTest::newRow("csv") << false << true;
    }

    void headerRowWithoutRules()
    {
        QFETCH(bool, allContent);
        QFETCH(bool, csv);
        QString const input = path("headed.pdf");
        if (!QFileInfo::exists(input))
            QVERIFY(PdfFixtures::writeTablePdf(input, {kTable}, false, kHeader));
        QString const out = fresh(csv ? "" : ".xlsx");
        QCOMPARE(convert(&PdfConversion::StartPDFToExcel, input, out, excelOptions(allContent, true, csv)),
                 0);
        if (csv) {
            QFile file(out + "/headed.csv");
            QVERIFY(file.open(QIODevice::ReadOnly));
            QStringList const lines = QString::fromUtf8(file.readAll()).remove(QChar(0xFEFF)).split("\r\n");
            QCOMPARE(lines.value(0), kHeader.join(','));
            QCOMPARE(lines.value(1), QStringLiteral("12,3.5,1250"));
            return;
        }
        auto const book = readWorkbook(out);
        QCOMPARE(book.size(), 1);
        SheetCells const& cells = book.first().second;
        QString const topLeft = findNumber(cells, 12);
        compareTableAt(cells, topLeft);
        int const headerRow = topLeft.mid(1).toInt() - 1;
        for (int c = 0; c < kHeader.size(); ++c)
            QCOMPARE(
                cells.value(columnLetters(topLeft.at(0).unicode() - 'A' + c) + QString::number(headerRow))
                    .text,
                kHeader.at(c));
        QVERIFY(
            !cells.contains(columnLetters(topLeft.at(0).unicode() - 'A' + 3) + QString::number(headerRow)));
    }

    // Text from a PDF that a spreadsheet would run as a formula reaches the CSV as text;
    // numbers stay numbers.
    void csvKeepsFormulasAsText()
    {
        QString const input = path("formulas.pdf");
        PdfFixtures::Page page;
        page.paragraphs << "=1+2"
                        << "-12.5"
                        << "@SUM(A1)"
                        << "+cmd";
        QVERIFY(PdfFixtures::writePdf(input, {page}));
        QString const folder = fresh("");
        QCOMPARE(convert(&PdfConversion::StartPDFToExcel, input, folder, excelOptions(true, false, true)), 0);
        QFile file(folder + "/formulas.csv");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList const rows = QString::fromUtf8(file.readAll()).remove(QChar(0xFEFF)).split("\r\n");
        QVERIFY2(rows.contains("\"'=1+2\""), qPrintable(rows.join('|')));
        QVERIFY(rows.contains("-12.5"));
        QVERIFY(rows.contains("\"'@SUM(A1)\""));
        QVERIFY(rows.contains("\"'+cmd\""));
    }

    void slides()
    {
        QString const out = fresh(".pptx");
        QCOMPARE(convert(&PdfConversion::StartPDFToPpt, m_ruled, out), 0);
        PackageReader package(out);
        QCOMPARE(package.problems(), QStringList());
        QByteArray const presentation = package.part("ppt/presentation.xml");
        QCOMPARE(xmlread::count(presentation, "p:sldId"), 1);
        // A4's shape.
        QXmlStreamAttributes const size = xmlread::attributes(presentation, "p:sldSz").value(0);
        double const ratio = size.value("cx").toDouble() / size.value("cy").toDouble();
        QVERIFY2(qAbs(ratio - 595.0 / 842.0) < 0.005, qPrintable(QString::number(ratio)));
        QByteArray const slide = package.part("ppt/slides/slide1.xml");
        QStringList const texts = xmlread::texts(slide, "p:txBody");
        for (auto const& row : kTable)
            for (auto const& cell : row)
                QVERIFY2(texts.contains(cell), qPrintable(cell));
        // The grid lines come as a picture behind the text, without the text: the inside of
        // the first cell, where "12" stands, is blank there.
        QCOMPARE(xmlread::count(slide, "p:pic"), 1);
        QImage const background = QImage::fromData(package.part("ppt/media/image1.png"));
        QVERIFY(!background.isNull());
        double const k = background.width() / 595.0;
        int dark = 0, grid = 0;
        for (int y = int(123 * k); y < int(141 * k); ++y)
            for (int x = int(84 * k); x < int(186 * k); ++x)
                dark += qGray(background.pixel(x, y)) < 128 ? 1 : 0;
        for (int x = int(84 * k); x < int(186 * k); ++x)
            grid += qGray(background.pixel(x, int(120 * k))) < 128 ? 1 : 0;
        QCOMPARE(dark, 0);
        QVERIFY(grid > 50 * k);

        QString const textOut = fresh(".pptx");
        QCOMPARE(convert(&PdfConversion::StartPDFToPpt, m_text, textOut), 0);
        PackageReader text(textOut);
        QCOMPARE(xmlread::count(text.part("ppt/presentation.xml"), "p:sldId"), 2);
        QByteArray const first = text.part("ppt/slides/slide1.xml");
        QCOMPARE(xmlread::count(first, "p:pic"), 0);
        QVERIFY(xmlread::texts(first, "p:txBody").contains("Quarterly Review"));

        // A scan under an invisible text layer: the words become text boxes and leave the picture.
        QString const searchable = fresh(".pdf"), scanOut = fresh(".pptx");
        QCOMPARE(
            convert(&PdfConversion::StartPDFToSearchablePdf, m_scan, searchable, wordOptions(true, true)), 0);
        QCOMPARE(convert(&PdfConversion::StartPDFToPpt, searchable, scanOut), 0);
        PackageReader scan(scanOut);
        QByteArray const scanSlide = scan.part("ppt/slides/slide1.xml");
        QVERIFY(wordsFound(kScanLines.join(' ').split(' '), xmlread::texts(scanSlide, "a:t").join(' ')) >=
                0.9);
        QStringList const media = scan.relationshipTargets("ppt/slides/slide1.xml").values().filter("media/");
        QCOMPARE(media.size(), 1);
        QImage const picture = QImage::fromData(scan.part(media.first()));
        QVERIFY(!picture.isNull());
        int inked = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                inked += qGray(picture.pixel(x, y)) < 128 ? 1 : 0;
        QVERIFY2(inked < picture.width() * picture.height() / 2000, qPrintable(QString::number(inked)));
    }

    // Word output writes pictures and pages into the package as they are made, and a picture
    // that many pages share goes in once: the helper's memory does not grow with the pages.
    void wordMemoryStaysFlat()
    {
        QList<qint64> peaks;
        for (int pages : {10, 150}) {
            QString const input = path(QStringLiteral("shared-%1.pdf").arg(pages));
            QVERIFY(PdfFixtures::writeSharedPicturePdf(input, pages));
            QString const out = fresh(".docx");
            std::atomic<int> code{-1};
            std::thread worker(
                [&] { code = convert(&PdfConversion::StartPDFToWord, input, out, wordOptions(true)); });
            peaks << helperPeakKb(code);
            worker.join();
            QCOMPARE(code.load(), 0);
            PackageReader package(out);
            QCOMPARE(package.problems(), QStringList());
            QCOMPARE(xmlread::count(package.part("word/document.xml"), "w:drawing"), pages);
            QStringList media = package.relationshipTargets("word/document.xml").values().filter("media/");
            media.removeDuplicates();
            QCOMPARE(media.size(), 1);
        }
        qInfo("helper peak: %lld kB for 10 pages, %lld kB for 150", peaks.at(0), peaks.at(1));
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("memory figures of a sanitizer build say nothing");
#endif
        QVERIFY2(peaks.at(1) < peaks.at(0) + 40 * 1024,
                 qPrintable(QString::number(peaks.at(1) - peaks.at(0))));
    }

    // A page that only shows a picture keeps that picture as it is, where it is; with
    // recognition its words become text, and a photograph on it stays a picture.
    void scanInWord_data()
    {
        QTest::addColumn<bool>("ocr");
        QTest::addColumn<QByteArray>("image"); // over part of a page of its own, else the scan
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("picture") << false << QByteArray() << QSize(1500, 667);
        QTest::newRow("recognised") << true << QByteArray() << QSize();
        QTest::newRow("recognised, with a photograph") << true << QByteArray("photo scan") << QSize();
        QTest::newRow("deflated picture on part of the page")
            << false << QByteArray("photo") << QSize(60, 40);
        QTest::newRow("black and white") << false << QByteArray("stripes") << QSize(400, 200);
        // Drawn again, at its own resolution: 400 pixels over 96 points.
        QTest::newRow("black and white, inverted") << false << QByteArray("inverted") << QSize(400, 200);
    }

    void scanInWord()
    {
        QFETCH(bool, ocr);
        QFETCH(QByteArray, image);
        QFETCH(QSize, pixels);
        QString input = m_scan;
        QByteArray stripes;
        for (int y = 0; y < pixels.height(); ++y)
            stripes += QByteArray(pixels.width() / 8, y % 8 < 4 ? '\xf0' : '\x0f');
        if (image == "photo scan") {
            input = fresh(".pdf");
            QVERIFY(PdfFixtures::writeScanPdf(input, kScanLines, QSizeF(360, 260), 300, 11,
                                              QRectF(200, 110, 120, 80)));
        } else if (!image.isEmpty()) {
            input = fresh(".pdf");
            PdfFixtures::RawPdf pdf;
            if (image == "photo") {
                pdf.addPhoto(pixels.width(), pixels.height());
            } else {
                pdf.addStream("/Type /XObject /Subtype /Image /Width 400 /Height 200 /ColorSpace /DeviceGray "
                              "/BitsPerComponent 1" +
                                  QByteArray(image == "inverted" ? " /Decode [1 0]" : ""),
                              stripes);
            }
            QByteArray const width = QByteArray::number(pixels.width() * 72 / 300);
            QByteArray const height = QByteArray::number(pixels.height() * 72 / 300);
            QVERIFY(pdf.write(input,
                              "q " + (image == "photo" ? "300 0 0 200" : width + " 0 0 " + height) +
                                  " 100 500 cm /Im Do Q\n",
                              "/XObject << /Im 1 0 R >>"));
        }
        QString const out = fresh(".docx");
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, input, out, wordOptions(true, ocr)), 0);
        PackageReader package(out);
        QCOMPARE(package.problems(), QStringList());
        QByteArray const xml = package.part("word/document.xml");
        QString const text = docxParagraphs(xml).join(' ');
        QCOMPARE(xmlread::count(xml, "w:drawing"), ocr && image.isEmpty() ? 0 : 1);
        double const found = wordsFound(kScanLines.join(' ').split(' '), text);
        QVERIFY2(ocr ? found >= 0.9 : found == 0, qPrintable(text));
        if (ocr)
            return;
        QStringList const media = package.relationshipTargets("word/document.xml").values().filter("media/");
        QCOMPARE(media.size(), 1);
        QImage const kept =
            QImage::fromData(package.part(media.first())).convertToFormat(QImage::Format_RGB888);
        QCOMPARE(kept.size(), pixels);
        // Kept without loss: the image's own pixels.
        if (image == "photo") {
            QByteArray const raw = PdfFixtures::RawPdf::photoPixels(pixels.width(), pixels.height());
            QCOMPARE(kept, QImage(reinterpret_cast<uchar const*>(raw.constData()), pixels.width(),
                                  pixels.height(), pixels.width() * 3, QImage::Format_RGB888));
        } else if (image == "stripes") {
            QImage own(reinterpret_cast<uchar const*>(stripes.constData()), pixels.width(), pixels.height(),
                       pixels.width() / 8, QImage::Format_Mono);
            own.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
            QCOMPARE(kept, own.convertToFormat(QImage::Format_RGB888));
        }
        if (image == "photo") // 100 points from the left, 142 from the top: in EMU
            QCOMPARE(xmlread::texts(xml, "wp:posOffset"), QStringList({"1270000", "1803400"}));
    }

    // What LibreOffice makes of the benchmark's documents: the Word outputs keep how they look.
    void lookOfThePage_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("flowing");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("attribute");
        QTest::addColumn<QString>("value");
        QTest::addColumn<double>("tolerance");
        for (bool flowing : {true, false}) {
            char const* mode = flowing ? "flowing" : "layout";
            auto row = [&](char const* name, char const* source, char const* element, char const* attribute,
                           char const* value, double tolerance = -1) {
                QTest::addRow("%s, %s", name, mode)
                    << source << flowing << element << attribute << value << tolerance;
            };
            row("red text", "report", "w:color", "w:val", "C00000");
            row("title colour", "report", "w:color", "w:val", "1F4E79");
            row("title size", "report", "w:sz", "w:val", "44");
            row("highlight", "report", "w:shd", "w:fill", "FFFF00");
            row("underline", "report", "w:u", "w:val", "single");
            row("superscript", "report", "w:vertAlign", "w:val", "superscript");
            row("subscript", "report", "w:vertAlign", "w:val", "subscript");
            row("sans face", "report", "w:rFonts", "w:ascii", "Liberation Sans");
            row("serif face", "report", "w:rFonts", "w:ascii", "Liberation Serif");
            row("centred", "report", "w:jc", "w:val", "center");
            row("right-aligned", "report", "w:jc", "w:val", "right");
            row("justified", "report", "w:jc", "w:val", "both");
            row("list", "report", "w:numId", "w:val", "1");
            row("page width", "report", "w:pgSz", "w:w", "11906", 2);
            row("left margin", "report", "w:pgMar", "w:left", "1418", 30);
            row("header shading", "pricelist", "w:shd", "w:fill", "1F4E79");
            row("row shading", "pricelist", "w:shd", "w:fill", "DEEBF7");
            row("shading, cross-references damaged", "pricelist-damaged", "w:shd", "w:fill", "1F4E79");
            row("merged across", "pricelist", "w:gridSpan", "w:val", "2");
            row("merged down", "pricelist", "w:vMerge", "w:val", "restart");
            row("heavy rule", "pricelist", "w:top", "w:sz", "12");
            row("landscape", "pricelist", "w:pgSz", "w:orient", "landscape");
            row("monospace", "manual", "w:rFonts", "w:ascii", "Liberation Mono");
            row("label centred over its rows", "statistics", "w:vAlign", "w:val", "center");
            row("shaded block", "manual", "w:shd", "w:fill", "FBE4D5");
            if (flowing) {
                row("columns", "manual", "w:cols", "w:num", "2");
                row("first-line indent", "report", "w:ind", "w:firstLine", "424", 10);
            } else {
                row("frames", "report", "w:framePr", "w:hAnchor", "page");
                row("floating table", "pricelist", "w:tblpPr", "w:vertAnchor", "margin");
            }
        }
    }

    void lookOfThePage()
    {
        QFETCH(QString, source);
        QFETCH(bool, flowing);
        QFETCH(QString, element);
        QFETCH(QString, attribute);
        QFETCH(QString, value);
        QFETCH(double, tolerance);
        if (m_corpus.isEmpty())
            QSKIP("LibreOffice (soffice) or poppler's tools are not installed");
        QString const out =
            QStringLiteral("%1/%2-%3.docx").arg(m_corpus, source, flowing ? "flowing" : "layout");
        if (!QFileInfo::exists(out))
            QCOMPARE(convert(&PdfConversion::StartPDFToWord, m_corpus + "/" + source + ".pdf", out,
                             wordOptions(flowing)),
                     0);
        PackageReader package(out);
        QCOMPARE(package.problems(), QStringList());
        QByteArray xml = package.part("word/document.xml");
        if (element == QLatin1String("w:numId"))
            QVERIFY(package.part("word/numbering.xml").contains("w:val=\"bullet\""));
        // The most common face and size are the document's defaults, in its styles.
        QVERIFY2(hasAttribute(xml, element, attribute, value, tolerance) ||
                     hasAttribute(package.part("word/styles.xml"), element, attribute, value, tolerance),
                 qPrintable(QStringLiteral("no %1 with %2=%3").arg(element, attribute, value)));
    }

    // The chart and the drawn shapes come as pictures at their size; the chart's bars show
    // in its picture, and text stays text around them.
    // Slides filled with a dark colour keep it behind their white text, each slide a page.
    void slideBackground_data()
    {
        QTest::addColumn<bool>("flowing");
        QTest::newRow("flowing text") << true;
        QTest::newRow("page layout") << false;
    }

    void slideBackground()
    {
        QFETCH(bool, flowing);
        QString const in = path("slides.pdf");
        if (!QFileInfo::exists(in)) {
            QPdfWriter writer(in);
            writer.setPageSize(QPageSize(QSizeF(254, 143), QPageSize::Millimeter));
            writer.setResolution(72);
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter(&writer);
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPointSizeF(14);
            painter.setFont(font);
            painter.setPen(Qt::white);
            for (int s = 0; s < 2; ++s) {
                if (s > 0)
                    writer.newPage();
                painter.fillRect(QRectF(0, 0, 720, 405), QColor(0x1b, 0x3a, 0x6b));
                painter.drawText(QPointF(60, 80), QStringLiteral("Slide %1 title").arg(s + 1));
                painter.drawText(QPointF(60, 130), QStringLiteral("A short point on slide %1").arg(s + 1));
            }
        }
        QString const out = fresh(".docx");
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, in, out, wordOptions(flowing)), 0);
        QByteArray const xml = PackageReader(out).part("word/document.xml");
        // A picture of the page's size behind each slide's text, from its top-left corner.
        int backgrounds = 0;
        for (auto const& extent : xmlread::attributes(xml, "wp:extent"))
            backgrounds += extent.value("cx").toLongLong() > 720 * 12700 - 20000 ? 1 : 0;
        QCOMPARE(backgrounds, 2);
        if (flowing)
            QCOMPARE(xmlread::count(xml, "w:pageBreakBefore") + xmlread::count(xml, "w:sectPr"), 2);
    }

    void chartPicture_data()
    {
        QTest::addColumn<bool>("flowing");
        QTest::newRow("flowing text") << true;
        QTest::newRow("page layout") << false;
    }

    void chartPicture()
    {
        QFETCH(bool, flowing);
        if (m_corpus.isEmpty())
            QSKIP("LibreOffice (soffice) or poppler's tools are not installed");
        QString const out = fresh(".docx");
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, m_corpus + "/chart.pdf", out, wordOptions(flowing)),
                 0);
        PackageReader package(out);
        QByteArray const xml = package.part("word/document.xml");
        QCOMPARE(xmlread::count(xml, "w:drawing"), 2);
        // The chart's plot and legend are some 330 points wide and 170 high, its axes' labels
        // included some 420.
        bool chartSized = false;
        for (auto const& extent : xmlread::attributes(xml, "wp:extent")) {
            double const w = extent.value("cx").toDouble() / 12700, h = extent.value("cy").toDouble() / 12700;
            chartSized = chartSized || (w > 300 && w < 440 && h > 150 && h < 220);
        }
        QVERIFY(chartSized);
        QStringList media = package.relationshipTargets("word/document.xml").values().filter("media/");
        int blue = 0, green = 0, dark = 0;
        for (auto const& part : media) {
            QImage const picture = QImage::fromData(package.part(part));
            blue += pixelsOf(picture, QColor(0x44, 0x72, 0xc4));
            green += pixelsOf(picture, QColor(0x70, 0xad, 0x47));
            dark += pixelsOf(picture, Qt::black);
        }
        QVERIFY2(blue > 500 && green > 500, qPrintable(QStringLiteral("%1 %2").arg(blue).arg(green)));
        QVERIFY(docxParagraphs(xml).join(' ').contains("The budget for the campaign has been approved"));
        // No picture of the page behind the text: the body text is in none of them.
        QVERIFY2(dark < 200, qPrintable(QString::number(dark)));
    }

    // A poster in three columns over a line at the page's foot, in flowing text: a picture at
    // the foot of the first column stays there, a heading the page sets on into the gutter
    // stays one line, and the foot follows the columns a few lines below them however far
    // down the page sets it, so that it does not go on to a page of its own.
    void wordColumnsOverAFoot()
    {
        using PdfFixtures::RawPdf;
        RawPdf pdf;
        int const photo = pdf.addPhoto(64, 40);
        QByteArray content = RawPdf::text(40, 760, "Background", 14);
        auto const column = [&](double x, double top, int lines, QString const& tag) {
            for (int l = 0; l < lines; ++l)
                content += RawPdf::text(x, top - 11 * l,
                                        PdfFixtures::words(tag + QString::number(l) + "w", 5).toLatin1(), 9);
        };
        column(40, 740, 12, "a");
        content += "q 150 0 0 100 40 500 cm /Im Do Q\n";
        column(230, 760, 14, "b");
        content += RawPdf::text(230, 590, "What the visitors thought", 14);
        column(230, 570, 8, "c");
        column(420, 760, 26, "d");
        content +=
            RawPdf::text(40, 60, "Funded by the parks department and the wildlife trust of the town", 9);
        QString const source = fresh(".pdf");
        QVERIFY(pdf.write(source, content, "/XObject << /Im " + QByteArray::number(photo) + " 0 R >>"));
        QString const out = fresh(".docx");
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, source, out, wordOptions(true)), 0);
        QByteArray const xml = PackageReader(out).part("word/document.xml");
        QCOMPARE(xmlread::attributes(xml, "w:cols").value(0).value("w:num").toString(), QStringLiteral("3"));
        int const picture = xml.indexOf("<w:drawing>");
        QVERIFY(picture > xml.indexOf("a11w4") && picture < xml.indexOf("b0w0"));
        // A value of the paragraph that holds the text.
        auto const valueIn = [&](QByteArray const& text, QString const& pattern) {
            int const at = xml.indexOf(text);
            int const start = xml.lastIndexOf("<w:p>", at);
            QString const paragraph = QString::fromUtf8(xml.mid(start, at - start));
            return at < 0 ? -1 : QRegularExpression(pattern).match(paragraph).captured(1).toInt();
        };
        QVERIFY(docxParagraphs(xml).contains("What the visitors thought"));
        int const scale = valueIn("What the visitors thought", "<w:w w:val=\"(\\d+)\"");
        QVERIFY2(scale >= 80 && scale < 100, qPrintable(QString::number(scale)));
        // Three lines of 11 points at most, not the 200 points the page leaves.
        int const before = valueIn("Funded by", "<w:spacing w:before=\"(\\d+)\"");
        QVERIFY2(before >= 0 && before <= 3 * 11 * 20, qPrintable(QString::number(before)));
    }

    // A display equation is one picture, where the page has it, that says what it shows; the
    // text around it stays text.
    void wordEquation_data()
    {
        QTest::addColumn<bool>("flowing");
        QTest::newRow("flowing text") << true;
        QTest::newRow("page layout") << false;
    }

    void wordEquation()
    {
        QFETCH(bool, flowing);
        QString const pdf = fresh(".pdf");
        auto const set = [](QByteArray const& font, double x, double y, QByteArray const& text) {
            return "BT /" + font + " 11 Tf " + QByteArray::number(x) + " " + QByteArray::number(y) + " Td (" +
                   text + ") Tj ET\n";
        };
        QByteArray content =
            PdfFixtures::RawPdf::text(72, 760, "The discharge of a single store falls with time as");
        content += set("F2", 250, 730, "Q") + set("F3", 262, 730, "=") + set("F2", 274, 730, "a") +
                   set("F3", 284, 730, "+") + set("F2", 294, 730, "b") + set("F1", 480, 730, "(1)");
        content +=
            PdfFixtures::RawPdf::text(72, 700, "where a and b are found from the first hours of each storm.");
        QByteArray const fonts = "/F2 << /Type /Font /Subtype /Type1 /BaseFont /Times-Italic >> "
                                 "/F3 << /Type /Font /Subtype /Type1 /BaseFont /Symbol >>";
        QVERIFY(PdfFixtures::RawPdf().write(pdf, content, QByteArray(), QByteArray(), fonts));
        QString const out = fresh(".docx");
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, pdf, out, wordOptions(flowing)), 0);
        QByteArray const xml = PackageReader(out).part("word/document.xml");
        QCOMPARE(xmlread::count(xml, "w:drawing"), 1);
        QString description = xmlread::attributes(xml, "wp:docPr").value(0).value("descr").toString();
        QVERIFY2(description.remove(' ') == "Q=a+b(1)", qPrintable(description));
        double const width = xmlread::attributes(xml, "wp:extent").value(0).value("cx").toDouble() / 12700;
        // From the equation to its number, some 245 points.
        QVERIFY2(width > 235 && width < 260, qPrintable(QString::number(width)));
        QString const text = docxParagraphs(xml).join(' ');
        QVERIFY(text.contains("falls with time as") && text.contains("where a and b are found"));
        QVERIFY(!text.contains("Q ="));
    }

    // Arabic drawn as it stands, as LibreOffice writes it: one glyph for a lam and an alef
    // whose text gives both in reading order, its halves made unequal by a kern after it
    // (الأمطار), and a lam and an alef drawn as glyphs of their own, as wide as each other
    // (جمالها). Only the first pair turns round.
    void wordArabicLigature_data()
    {
        wordEquation_data();
    }

    void wordArabicLigature()
    {
        QFETCH(bool, flowing);
        // Codes 1 to 6 draw الأمطار from left to right, 8 to 13 جمالها; 7 is a space.
        QList<QByteArray> const letters{"0631", "0627", "0637", "0645", "06440623", "0627", "0020",
                                        "0627", "0647", "0644", "0627", "0645",     "062C"};
        PdfFixtures::RawPdf pdf;
        QByteArray procs, names, widths, unicode;
        for (int g = 1; g <= letters.size(); ++g) {
            int const width = letters.at(g - 1).size() > 4 ? 1200 : 600;
            int const proc = pdf.addStream(QByteArray(), "600 0 0 0 500 700 d1 0 0 500 700 re f");
            procs += "/g" + QByteArray::number(g) + " " + QByteArray::number(proc) + " 0 R ";
            names += "/g" + QByteArray::number(g) + " ";
            widths += QByteArray::number(width) + " ";
            unicode +=
                "<" + QByteArray::number(g, 16).rightJustified(2, '0') + "> <" + letters.at(g - 1) + "> ";
        }
        QByteArray const cmap = "/CIDInit /ProcSet findresource begin 12 dict begin begincmap /CIDSystemInfo "
                                "<< /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def /CMapName "
                                "/Adobe-Identity-UCS def /CMapType 2 def 1 begincodespacerange <00> <FF> "
                                "endcodespacerange " +
                                QByteArray::number(letters.size()) + " beginbfchar " + unicode +
                                "endbfchar endcmap CMapName currentdict /CMap defineresource pop end end";
        int const map = pdf.addStream(QByteArray(), cmap);
        QByteArray const font = "/F2 << /Type /Font /Subtype /Type3 /FontBBox [0 0 1200 700] /FontMatrix "
                                "[0.001 0 0 0.001 0 0] /CharProcs << " +
                                procs + ">> /Encoding << /Type /Encoding /Differences [1 " + names +
                                "] >> /FirstChar 1 /LastChar " + QByteArray::number(letters.size()) +
                                " /Widths [" + widths + "] /ToUnicode " + QByteArray::number(map) +
                                " 0 R /Resources << >> >>";
        QByteArray const content = "BT /F2 20 Tf 100 700 Td [<0102030405> -30 <06070809> <0a0b0c0d>] TJ ET\n";
        QString const in = fresh(".pdf");
        QVERIFY(pdf.write(in, content, QByteArray(), QByteArray(), font));
        QString const out = fresh(".docx");
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, in, out, wordOptions(flowing)), 0);
        QStringList const words =
            docxParagraphs(PackageReader(out).part("word/document.xml")).join(' ').split(' ');
        QVERIFY2(words.contains(QStringLiteral("\u0627\u0644\u0623\u0645\u0637\u0627\u0631")),
                 qPrintable(words.join(' ')));
        QVERIFY2(words.contains(QStringLiteral("\u062C\u0645\u0627\u0644\u0647\u0627")),
                 qPrintable(words.join(' ')));
    }

    // Page layout: a line set with tighter spaces than its face's own, the widest of the page,
    // comes out a little wider than the PDF's; its glyphs give up the difference rather than
    // the line running on into the right margin.
    void wordLineKeepsToTheMargin()
    {
        QString const pdf = fresh(".pdf");
        QByteArray const line = "The discharge of a single store falls with time as the storm passes on";
        QByteArray content = PdfFixtures::RawPdf::text(72, 760, "Recession", 14);
        content += "BT /F1 11 Tf -0.4 Tw 72 730 Td (" + line + ") Tj ET\n";
        QVERIFY(PdfFixtures::RawPdf().write(pdf, content, QByteArray()));
        QString const out = fresh(".docx");
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, pdf, out, wordOptions(false)), 0);
        QByteArray const xml = PackageReader(out).part("word/document.xml");
        QVector<QXmlStreamAttributes> const scales = xmlread::attributes(xml, "w:w");
        QVERIFY(!scales.isEmpty());
        for (auto const& scale : scales) {
            int const percent = scale.value("w:val").toInt();
            QVERIFY2(percent >= 97 && percent < 100, qPrintable(QString::number(percent)));
        }
        QVERIFY(docxParagraphs(xml).contains(QString::fromLatin1(line)));
    }

    // A highlight drawn with room around its words is theirs, not a picture that pushes the
    // text below it down.
    void paddedHighlight()
    {
        QString const pdf = fresh(".pdf");
        {
            QPdfWriter writer(pdf);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setResolution(72);
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter(&writer);
            QFont font(QStringLiteral("Liberation Serif"));
            font.setPointSizeF(10);
            painter.setFont(font);
            QFontMetricsF const metrics(font, &writer);
            QString const before = "The sample covered ", marked = "4,812 households";
            double const x = 60 + metrics.horizontalAdvance(before), y = 100;
            painter.fillRect(QRectF(x - 3, y - metrics.ascent() - 3, metrics.horizontalAdvance(marked) + 6,
                                    metrics.height() + 6),
                             Qt::yellow);
            painter.drawText(QPointF(60, y), before + marked + " in eleven regions.");
        }
        QString const out = fresh(".docx");
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, pdf, out, wordOptions(true)), 0);
        QByteArray const xml = PackageReader(out).part("word/document.xml");
        QCOMPARE(xmlread::count(xml, "w:drawing"), 0);
        QCOMPARE(xmlread::count(xml, "w:shd"), 1);
    }

    // What LibreOffice shows of the outputs, all made at once: as many pages as the PDF, its
    // words kept (in flowing text the chart's labels are part of its picture), tables and
    // columns where the PDF has them (in flowing text within a point and a half), page
    // layout's frames never overlapping, and running text set in a face drawn here wider
    // keeping its lines.
    void roundTripInLibreOffice_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("flowing");
        QTest::addColumn<double>("least");   // share of the words kept
        QTest::addColumn<QString>("anchor"); // a word that stays in its place
        for (bool flowing : {true, false}) {
            auto row = [&](char const* source, double least = 0.97, char const* anchor = "") {
                QTest::addRow("%s, %s", source, flowing ? "flowing" : "layout")
                    << source << flowing << least << anchor;
            };
            row("report");
            row("pricelist", 0.97, "Retail");
            row("manual", 0.97, "Place");                  // atop the second column
            row("chart", flowing ? 0.9 : 0.97, "Details"); // under a paragraph of uneven lines
            row("letter");
            row("statistics", 0.97, "Region");
            row("harbour", 0.97, "Berth");
            row("visitors", 0.97, "District");
            row("rainfall", 0.97, "Station");
            row("narrow");
            row("narrow1");
            // Tables floating on a page that is not the last one.
            row("budget", 0.97, flowing ? "" : "Libraries");
        }
    }

    // Every picture the page paints arrives, whether drawn through a form, as an inline
    // image, a stencil mask, in a table's cells or by an annotation; the words stay words,
    // also over a photograph, which then lies behind them without them.
    void everyPicture_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("flowing");
        QTest::addColumn<int>("pictures");
        for (bool flowing : {true, false}) {
            char const* mode = flowing ? "flowing" : "layout";
            QTest::addRow("form, %s", mode) << "form" << flowing << 1;
            QTest::addRow("unbalanced form, %s", mode) << "unbalanced" << flowing << 1;
            QTest::addRow("table cells, %s", mode) << "table" << flowing << 3;
            QTest::addRow("annotation, %s", mode) << "annotation" << flowing << 1;
            QTest::addRow("text over a photograph, %s", mode) << "over" << flowing << 1;
        }
    }

    void everyPicture()
    {
        QFETCH(QString, kind);
        QFETCH(bool, flowing);
        QFETCH(int, pictures);
        QString const input = path(kind + ".pdf");
        QVERIFY(QFileInfo::exists(input) || writePicturePage(input, kind));
        QString const out = fresh(".docx");
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, input, out, wordOptions(flowing)), 0);
        PackageReader package(out);
        QCOMPARE(package.problems(), QStringList());
        QByteArray const xml = package.part("word/document.xml");
        QCOMPARE(xmlread::count(xml, "w:drawing"), pictures);
        for (auto const& part : package.relationshipTargets("word/document.xml").values().filter("media/")) {
            QImage const picture = QImage::fromData(package.part(part));
            // Not blank: pixelsOf() samples a quarter of the pixels.
            QVERIFY2(!picture.isNull() &&
                         pixelsOf(picture, Qt::white) < 0.9 * picture.width() * picture.height() / 4,
                     qPrintable(part));
            // The white words over the photograph are not in its picture.
            if (kind == QLatin1String("over"))
                QVERIFY(pixelsOf(picture, Qt::white) < 20);
        }
        QString const text = docxParagraphs(xml).join(' ');
        QStringList expected;
        for (auto const& word : kPictureWords)
            if (PdfFixtures::pdfToText(input).contains(word))
                expected << word;
        QVERIFY(!expected.isEmpty());
        QVERIFY2(wordsFound(expected, text) == 1.0, qPrintable(text));
        if (kind == QLatin1String("over"))
            QVERIFY(hasAttribute(xml, "wp:anchor", "behindDoc", "1"));
    }

    // LibreOffice draws the pictures: behind the words over the photograph, in the cells of
    // the table.
    void picturesInLibreOffice()
    {
        if (!OfficeRunner::available())
            QSKIP("LibreOffice (soffice) or poppler's tools are not installed");
        QString const folder = fresh("");
        QDir().mkpath(folder);
        QStringList outputs;
        for (QString const kind : {"over", "table"}) {
            QString const input = path(kind + ".pdf");
            QVERIFY(QFileInfo::exists(input) || writePicturePage(input, kind));
            for (bool flowing : {true, false}) {
                outputs << QStringLiteral("%1/%2-%3.docx").arg(folder, kind, flowing ? "f" : "l");
                QCOMPARE(convert(&PdfConversion::StartPDFToWord, input, outputs.last(), wordOptions(flowing)),
                         0);
            }
        }
        QString log;
        QVERIFY2(OfficeRunner::convert(outputs, "pdf", folder, &log), qPrintable(log));
        for (auto const& out : outputs) {
            QString const pdf = out.chopped(4) + "pdf";
            QCOMPARE(OfficeRunner::pdfPages(pdf), 1);
            QProcess render;
            render.start("pdftoppm", {"-r", "36", "-png", "-singlefile", pdf, out.chopped(5)});
            QVERIFY(render.waitForFinished(60000) && render.exitCode() == 0);
            QImage const page(out.chopped(5) + ".png");
            int const coloured =
                page.width() * page.height() / 4 - pixelsOf(page, Qt::white) - pixelsOf(page, Qt::black);
            bool const over = out.contains("/over-");
            // The photograph fills the page; the three small pictures a few per cent of it.
            QVERIFY2(over ? coloured > page.width() * page.height() / 5 : coloured > 150,
                     qPrintable(QStringLiteral("%1: %2").arg(out).arg(coloured)));
            QString const text = OfficeRunner::pdfText(pdf);
            for (auto const& word :
                 over ? QStringList{"Summer", "Festival", "Tickets"} : QStringList{"Alpha", "Gamma"})
                QVERIFY2(text.contains(word), qPrintable(out + ": " + text));
        }
    }

    // Every output opens in LibreOffice and keeps its words on one page.
    void roundTripInLibreOffice()
    {
        QFETCH(QString, source);
        QFETCH(bool, flowing);
        QFETCH(double, least);
        QFETCH(QString, anchor);
        if (m_corpus.isEmpty())
            QSKIP("LibreOffice (soffice) or poppler's tools are not installed");
        QString const trip = m_corpus + "/trip";
        if (!QFileInfo::exists(trip)) {
            for (QString const name : {"narrow", "narrow1"})
                QVERIFY(!PdfFixtures::writeNamedFontPdf(m_corpus + "/" + name + ".pdf", "ArialNarrow", 0.82,
                                                        narrowText(name))
                             .isEmpty());
            QStringList outputs;
            for (QString const name : {"report", "pricelist", "manual", "chart", "letter", "statistics",
                                       "harbour", "visitors", "rainfall", "narrow", "narrow1", "budget"})
                for (bool f : {true, false}) {
                    QString const out =
                        QStringLiteral("%1/trip-%2-%3.docx").arg(m_corpus, name, f ? "f" : "l");
                    QCOMPARE(convert(&PdfConversion::StartPDFToWord, m_corpus + "/" + name + ".pdf", out,
                                     wordOptions(f)),
                             0);
                    outputs << out;
                }
            QString log;
            QVERIFY2(OfficeRunner::convert(outputs, "pdf", trip, &log), qPrintable(log));
        }
        QString const name = QStringLiteral("trip-%1-%2").arg(source, flowing ? "f" : "l");
        QString const original = m_corpus + "/" + source + ".pdf";
        QString const back = trip + "/" + name + ".pdf";
        QCOMPARE(OfficeRunner::pdfPages(back), OfficeRunner::pdfPages(original));
        QStringList const words = pdfText(original).split(QRegularExpression("[^\\w]+"), Qt::SkipEmptyParts);
        double const found = wordsFound(words, OfficeRunner::pdfText(back));
        QVERIFY2(found >= least, qPrintable(QString::number(found)));
        if (!anchor.isEmpty()) {
            QPointF const was = wordPlace(original, anchor), now = wordPlace(back, anchor);
            QVERIFY2(
                std::abs(was.x() - now.x()) < 2 && std::abs(was.y() - now.y()) < (flowing ? 1.5 : 2),
                qPrintable(
                    QStringLiteral("%1,%2 -> %3,%4").arg(was.x()).arg(was.y()).arg(now.x()).arg(now.y())));
        }
        // Running text keeps its lines and its first line's place, in flowing text too.
        if (source.startsWith(QLatin1String("narrow")) && (!flowing || source == QLatin1String("narrow1"))) {
            QStringList const shown = pdfLines(back);
            for (auto const& line :
                 PdfFixtures::writeNamedFontPdf(path("lines.pdf"), "ArialNarrow", 0.82, narrowText(source)))
                QVERIFY2(shown.contains(line), qPrintable(line));
            double const was = wordPlace(original, "committee").y(), now = wordPlace(back, "committee").y();
            QVERIFY2(std::abs(was - now) < 1, qPrintable(QStringLiteral("%1 -> %2").arg(was).arg(now)));
        }
        if (flowing)
            return;
        QByteArray const xml = PackageReader(m_corpus + "/" + name + ".docx").part("word/document.xml");
        QVector<DocxFrame> const frames = docxFrames(xml);
        QVERIFY(!frames.isEmpty());
        QCOMPARE(overlappingFrames(frames), (QVector<QPair<int, int>>()));
    }

    // What LibreOffice makes of the outputs: it opens them and finds the content.
    void openInLibreOffice()
    {
        if (!OfficeRunner::available())
            QSKIP("LibreOffice (soffice) or poppler's tools are not installed");
        QString const folder = fresh("");
        QDir().mkpath(folder);
        QString const docx = folder + "/text.docx", xlsx = folder + "/table.xlsx",
                      pptx = folder + "/slides.pptx";
        QCOMPARE(convert(&PdfConversion::StartPDFToWord, m_text, docx, wordOptions(false)), 0);
        QCOMPARE(convert(&PdfConversion::StartPDFToExcel, m_ruled, xlsx, excelOptions(true, false)), 0);
        QCOMPARE(convert(&PdfConversion::StartPDFToPpt, m_text, pptx), 0);
        QString log;
        QVERIFY2(OfficeRunner::convert({docx, xlsx, pptx}, "pdf", folder + "/pdf", &log), qPrintable(log));
        QString const word = OfficeRunner::pdfText(folder + "/pdf/text.pdf");
        QVERIFY(word.contains("Quarterly Review"));
        QVERIFY(wordsFound(PdfFixtures::words("k5w", 40).split(' '), word) == 1.0);
        QString const sheet = OfficeRunner::pdfText(folder + "/pdf/table.pdf");
        for (auto const& row : kTable)
            for (auto const& cell : row)
                QVERIFY2(sheet.contains(QString::number(number(cell))), qPrintable(cell));
        QCOMPARE(OfficeRunner::pdfPages(folder + "/pdf/text.pdf"), 2);
        QString const slides = folder + "/pdf/slides.pdf";
        QCOMPARE(OfficeRunner::pdfPages(slides), 2);
        QVERIFY(OfficeRunner::pdfText(slides).contains("Quarterly Review"));
    }
};

QTEST_MAIN(TestOfficeConversion)
#include "TestOfficeConversion.moc"

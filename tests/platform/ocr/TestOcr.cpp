#include "SyntheticScan.h"
#include "TestHome.h"

#include "ocr/GlyphlessFont.h"
#include "ocr/OcrModel.h"
#include "ocr/PdfPageSource.h"
#include "ocr/PdfRecognizer.h"
#include "ocr/SearchablePdfWriter.h"
#include "ocr/TextRecognizer.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QtTest>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <memory>
#include <thread>

using namespace docquill::ocr;

Q_DECLARE_METATYPE(docquill::ocr::Status)

namespace docquill::ocr {
char* toString(Status status)
{
    return qstrdup(QByteArray::number(int(status)).constData());
}
} // namespace docquill::ocr

namespace {

QString bundledModel()
{
    return QCoreApplication::applicationDirPath() + "/../Resources/resource/models/documentai.model";
}

// Longest common subsequence of two word lists, as a share of the expected words: presence and
// reading order in one figure.
double orderedShare(QStringList const& expected, QStringList const& found)
{
    if (expected.isEmpty())
        return 1.0;
    QVector<int> previous(found.size() + 1, 0), current(found.size() + 1, 0);
    for (QString const& word : expected) {
        for (int j = 1; j <= found.size(); ++j) {
            current[j] =
                word == found.at(j - 1) ? previous[j - 1] + 1 : std::max(previous[j], current[j - 1]);
        }
        std::swap(previous, current);
    }
    return double(previous[found.size()]) / expected.size();
}

QStringList wordsOf(QString const& text)
{
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

QString run(QString const& program, QStringList const& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfToText(QString const& pdf, int page, QString const& password = QString())
{
    QStringList arguments{"-enc", "UTF-8", "-f", QString::number(page), "-l", QString::number(page)};
    if (!password.isEmpty())
        arguments << "-upw" << password;
    return run("pdftotext", arguments << pdf << "-");
}

struct TextBox
{
    QString text;
    QRectF rect;
};

// The words pdftotext finds on a page, with their boxes in points of the page as shown.
QVector<TextBox> pdfToBoxes(QString const& pdf, int page)
{
    QString const html = run("pdftotext", {"-bbox", "-enc", "UTF-8", "-f", QString::number(page), "-l",
                                           QString::number(page), pdf, "-"});
    QRegularExpression const word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QVector<TextBox> boxes;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        auto const m = it.next();
        boxes.append({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                            QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return boxes;
}

QByteArray digest(QString const& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5);
}

int threadCount()
{
    return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

QStringList poppler_errors;

void collectPopplerError(std::string const& message, void*)
{
    poppler_errors << QString::fromStdString(message);
}

} // namespace

class TestOcr : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void modelLoading_data();
    void modelLoading();
    void languageNumbers_data();
    void languageNumbers();
    void recognizesCleanScan();
    void readsSlantedScanStraight();
    void readsEachPageInItsScript();
    void shortPagesReadInTheirScript_data();
    void shortPagesReadInTheirScript();
    void pageInScriptWithoutDataFails_data();
    void pageInScriptWithoutDataFails();
    void pageNoDataReadsFails_data();
    void pageNoDataReadsFails();
    void threadsFitInMemory_data();
    void threadsFitInMemory();
    void searchablePdfKeepsPagesAndAddsText();
    void textLayerPlacesUnicodeWords_data();
    void textLayerPlacesUnicodeWords();
    void textLayerKeepsWordsWhole_data();
    void textLayerKeepsWordsWhole();
    void encryptedInputStaysEncrypted();
    void failuresLeaveNoOutput_data();
    void failuresLeaveNoOutput();
    void cancelStopsBeforeWork();

private:
    QString makePdf(QString const& name, QVector<SyntheticScan> const& scans);

    std::unique_ptr<TestHome> m_home;
    OcrModel m_model;
};

void TestOcr::initTestCase()
{
    m_home = std::make_unique<TestHome>();
    QVERIFY2(m_model.load(bundledModel()), qPrintable(m_model.errorString()));
    poppler::set_debug_error_function(&collectPopplerError, nullptr);
}

QString TestOcr::makePdf(QString const& name, QVector<SyntheticScan> const& scans)
{
    QString const path = m_home->filePath(name);
    return SyntheticScan::writePdf(path, scans) ? path : QString();
}

void TestOcr::modelLoading_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("usable");
    QTest::newRow("bundled model") << "bundled" << true;
    QTest::newRow("missing folder") << "missing" << false;
    QTest::newRow("empty folder") << "empty" << false;
    QTest::newRow("not language data") << "garbage" << false;
    QTest::newRow("truncated language data") << "truncated" << false;
    QTest::newRow("sound header, unusable content") << "hollow" << false;
}

void TestOcr::modelLoading()
{
    QFETCH(QString, kind);
    QFETCH(bool, usable);
    QString folder = bundledModel();
    if (kind != "bundled") {
        folder = m_home->filePath("model-" + kind);
        if (kind != "missing")
            QVERIFY(QDir().mkpath(folder));
        QFile source(bundledModel() + "/eng.traineddata");
        QVERIFY(source.open(QIODevice::ReadOnly));
        QByteArray const original = source.readAll();
        QByteArray data;
        if (kind == "garbage")
            data = QByteArray(4096, 'x');
        else if (kind == "truncated")
            data = original.left(original.size() / 2);
        else if (kind == "hollow")
            data = original.left(200) + QByteArray(original.size() - 200, '\0');
        if (!data.isEmpty()) {
            QFile target(folder + "/eng.traineddata");
            QVERIFY(target.open(QIODevice::WriteOnly));
            target.write(data);
        }
    }
    // The bundled model went through the same load, every language tried, at the start.
    OcrModel model = m_model;
    if (kind != "bundled")
        QCOMPARE(model.load(folder), usable);
    QCOMPARE(model.isLoaded(), usable);
    if (usable) {
        for (QString const& code :
             QStringList{"eng", "chi_sim", "chi_tra", "jpn", "kor", "fra", "deu", "spa", "ita", "por", "nld"})
            QVERIFY2(model.hasLanguage(code), qPrintable(code));
        QVERIFY(!model.hasLanguage("osd"));
    } else {
        QVERIFY(!model.errorString().isEmpty());
        QVERIFY(model.languages().isEmpty());
        TextRecognizer engine;
        QVERIFY(!engine.start(model, SdkEnglish));
        PdfRecognition const result = PdfRecognizer::recognize(m_home->filePath("any.pdf"), {}, model, "eng");
        QCOMPARE(result.status, Status::NoModel);
    }
}

void TestOcr::languageNumbers_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("spec");
    QTest::newRow("Chinese simplified") << 1 << "chi_sim";
    QTest::newRow("Chinese traditional") << 2 << "chi_tra";
    QTest::newRow("English") << 3 << "eng";
    QTest::newRow("Korean") << 4 << "kor";
    QTest::newRow("Japanese") << 5 << "jpn";
    QTest::newRow("by script, Latin where not told") << 6 << "Latin+Vietnamese";
    QTest::newRow("zero") << 0 << "";
    QTest::newRow("model value") << 8 << "";
    QTest::newRow("table language") << 12 << "";
}

void TestOcr::languageNumbers()
{
    QFETCH(int, number);
    QFETCH(QString, spec);
    QCOMPARE(m_model.languageSpec(number), spec);
    // Each language's data loaded on its own when the model did; engines start here for the
    // numbers without data and for those that combine data or are read most.
    if (spec.isEmpty() || spec.contains('+') || number == SdkEnglish) {
        TextRecognizer engine;
        bool const started = engine.start(m_model, number);
        QCOMPARE(started, !spec.isEmpty());
        QCOMPARE(engine.languageSpec(), spec);
        if (!started)
            QVERIFY(!engine.errorString().isEmpty());
    }
}

void TestOcr::recognizesCleanScan()
{
    SyntheticScan const scan = SyntheticScan::make(10, 7);

    // On a thread of its own, as in the parallel workers, the engine must not start threads of
    // its own, also when other threads ran engines before: parallel engines would fight over
    // the cores.
    TextRecognizer earlier;
    QVERIFY(earlier.start(m_model, SdkEnglish));
    RecognizedPage page;
    bool recognized = false;
    int threadsBefore = 0, threadsAfter = 0;
    QString error;
    std::thread worker([&] {
        TextRecognizer engine;
        if (engine.start(m_model, SdkEnglish)) {
            threadsBefore = threadCount();
            recognized = engine.recognize(scan.image, scan.dpi, page);
            threadsAfter = threadCount();
        }
        error = engine.errorString();
    });
    worker.join();
    QVERIFY2(recognized, qPrintable(error));
    QCOMPARE(threadsAfter, threadsBefore);

    double const share = orderedShare(scan.words(), wordsOf(page.text));
    QVERIFY2(share >= 0.95, qPrintable(QString::number(share)));
    QCOMPARE(page.lines.size(), scan.lines.size());
    QCOMPARE(page.imageSize, scan.image.size());
    for (int i = 0; i < page.lines.size(); ++i) {
        RecognizedLine const& line = page.lines.at(i);
        QRectF const expected = scan.lineRects.at(i);
        QVERIFY2(expected.adjusted(-3, -3, 3, 3).contains(line.pointRect.center()),
                 qPrintable(QString::number(i)));
        QStringList words;
        for (int w = line.firstWord; w < line.firstWord + line.wordCount; ++w) {
            words << page.words.at(w).text;
            QCOMPARE(page.words.at(w).line, i);
            QVERIFY(line.pointRect.adjusted(-1, -1, 1, 1).contains(page.words.at(w).pointRect));
        }
        QVERIFY(orderedShare(scan.lines.at(i), words) >= 0.8);
    }
    QVERIFY(page.words.first().confidence > 50);
}

void TestOcr::readsSlantedScanStraight()
{
    // Scanned askew with specks: read as it stands, a third of these words went.
    double const skew = 2.5;
    SyntheticScan const scan =
        SyntheticScan::fromLines({"يولد جميع الناس أحرارا متساوين في الكرامة والحقوق",
                                  "وقد وهبوا عقلا وضميرا وعليهم أن يعامل بعضهم بعضا بروح الإخاء",
                                  "لكل إنسان حق التمتع بكافة الحقوق والحريات الواردة في هذا الإعلان"},
                                 "Noto Naskh Arabic")
            .scanned(skew, 5);
    TextRecognizer engine;
    QVERIFY(engine.start(m_model, "Arabic"));
    RecognizedPage page;
    QVERIFY2(engine.recognize(scan.image, scan.dpi, page), qPrintable(engine.errorString()));
    double const share =
        orderedShare(scan.words(), wordsOf(QString(page.text).remove(QRegularExpression("[.,،]"))));
    QVERIFY2(share >= 0.9, qPrintable(page.text));

    // What was read lies on the page as printed: lines where they were, slanted as they were.
    QCOMPARE(page.imageSize, scan.image.size());
    QCOMPARE(page.lines.size(), scan.lines.size());
    for (int i = 0; i < page.lines.size(); ++i) {
        RecognizedLine const& line = page.lines.at(i);
        double const offset = line.pointRect.center().y() - scan.lineRects.at(i).center().y();
        QVERIFY2(std::abs(offset) < 4, qPrintable(QStringLiteral("line %1 off by %2").arg(i).arg(offset)));
        QLineF const base = line.pixelBaseline;
        double const slant = qRadiansToDegrees(std::atan2(base.dy(), base.dx()));
        QVERIFY2(std::abs(slant - skew) < 0.3, qPrintable(QString::number(slant)));
    }
}

void TestOcr::readsEachPageInItsScript()
{
    QVector<SyntheticScan> const pages = {
        SyntheticScan::fromLines(
            {"Сва људска бића рађају се слободна", "и једнака у достојанству и правима."}, "Noto Serif"),
        // Its letters join into long words: detection needs a few lines of them.
        SyntheticScan::fromLines(
            {"सर्व मानवी व्यक्ती जन्मतःच स्वतंत्र आहेत", "व त्यांना समान प्रतिष्ठा व समान अधिकार आहेत.",
             "त्यांना विचारशक्ती व सदसद्विवेकबुद्धी लाभलेली आहे", "व त्यांनी एकमेकांशी बंधुत्वाच्या भावनेने आचरण करावे."},
            "Noto Serif Devanagari"),
        // Latin script, read again with Vietnamese data once its letters show: Latin data alone
        // loses half of its marks.
        SyntheticScan::fromLines({"Tất cả mọi người sinh ra đều được tự do và bình đẳng",
                                  "về nhân phẩm và quyền lợi. Mọi con người đều được tạo hóa"},
                                 "Noto Serif")};
    RecognitionOptions options;
    options.byScript = true;
    PdfRecognition const result =
        PdfRecognizer::recognize(makePdf("scripts.pdf", pages), {}, m_model, "Latin+Vietnamese", options);
    QVERIFY2(result.status == Status::Ok, qPrintable(result.error));
    QStringList const data = {"Cyrillic", "Devanagari", "Latin+Vietnamese"};
    for (int i = 0; i < pages.size(); ++i) {
        RecognizedPage const& page = result.pages.at(i).page;
        QCOMPARE(page.languageSpec, data.at(i));
        QStringList expected = pages.at(i).words();
        for (QString& word : expected)
            word.remove(QRegularExpression("[.,]$"));
        double const share =
            orderedShare(expected, wordsOf(QString(page.text).remove(QRegularExpression("[.,]"))));
        QVERIFY2(share >= 0.8, qPrintable(page.text));
    }
}

void TestOcr::shortPagesReadInTheirScript_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("language");
    QTest::addColumn<double>("degrees");
    QTest::addColumn<QString>("alien");
    QTest::addColumn<double>("least");
    // Script detection takes this page for Latin, unsure: read with Latin data, its letters come
    // out as look-alikes.
    QTest::newRow("Serbian note") << QStringList{"Драги Марко, хвала на писму. Састанак је у среду у осам сати у сали на",
                                                 "спрату.", "Поздрав, Ана Јовановић"}
                                  << "Noto Sans" << int(SdkLatinScripts) << 1.0 << "[A-Za-z]" << 0.8;
    // The script's data writes Persian and Urdu letter forms (keheh for kaf, Farsi yeh) and
    // drops lines.
    QTest::newRow("Arabic letter, Arabic chosen")
        << QStringList{"نص حكيم له سر قاطع وذو شأن عظيم", "مكتوب على ثوب أخضر ومغلف بجلد أزرق."}
        << "Noto Naskh Arabic" << int(SdkArabic) << 0.6 << "[\u06A9\u06CC\u06C1]" << 0.8;
    // The specks of the scan come out as letters and marks, and break the line up.
    QTest::newRow("Arabic note, specks")
        << QStringList{"عزيزي مروان، الاجتماع يوم الاثنين في الساعة العاشرة في الغرفة الصغيرة في الطابق "
                       "العلوي.",
                       "مع التحية، سارة"}
        << "Noto Sans Arabic" << int(SdkArabic) << 0.8 << "[\u06A9\u06CC\u06C1]" << 0.9;
}

// A short letter at the top of a scanned page gives script detection too little to go on.
void TestOcr::shortPagesReadInTheirScript()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, family);
    QFETCH(int, language);
    QFETCH(double, degrees);
    QFETCH(QString, alien);
    QFETCH(double, least);
    SyntheticScan const scan = SyntheticScan::fromLines(lines, family).atTopOfA4().scanned(degrees, 7);
    RecognitionOptions options;
    options.byScript = true;
    options.language = language;
    options.threads = 1;
    PdfRecognition const result = PdfRecognizer::recognize(makePdf("letter.pdf", {scan}), {}, m_model,
                                                           m_model.languageSpec(SdkLatinScripts), options);
    QVERIFY2(result.status == Status::Ok, qPrintable(result.error));
    RecognizedPage const& page = result.pages.at(0).page;
    QRegularExpression const punctuation("[.,،]");
    QStringList expected = scan.words();
    for (QString& word : expected)
        word.remove(punctuation);
    double const share = orderedShare(expected, wordsOf(QString(page.text).remove(punctuation)));
    QVERIFY2(share >= least && !page.text.contains(QRegularExpression(alien)),
             qPrintable(QString::number(share) + "\n" + page.text));
}

void TestOcr::pageInScriptWithoutDataFails_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("family");
    QTest::newRow("Greek") << "Greek"
                           << QStringList{"Όλοι οι άνθρωποι γεννιούνται ελεύθεροι και ίσοι",
                                          "στην αξιοπρέπεια και τα δικαιώματα. Είναι προικισμένοι",
                                          "με λογική και συνείδηση, και οφείλουν να συμπεριφέρονται"}
                           << "Noto Serif";
    QTest::newRow("Hebrew") << "Hebrew"
                            << QStringList{"כל בני האדם נולדו בני חורין ושווים בערכם ובזכויותיהם.",
                                           "כולם חוננו בתבונה ובמצפון, לפיכך חובה עליהם לנהוג",
                                           "איש ברעהו ברוח של אחוה."}
                            << "Noto Serif Hebrew";
}

// A page in a script the model cannot read fails the conversion with that reason; read with
// another script's data it would come out as confident nonsense.
void TestOcr::pageInScriptWithoutDataFails()
{
    QFETCH(QString, script);
    QFETCH(QStringList, lines);
    QFETCH(QString, family);
    QString const input = makePdf(script + ".pdf", {SyntheticScan::fromLines(lines, family)});
    QString const output = m_home->filePath(script + "-searchable.pdf");
    RecognitionOptions options;
    options.byScript = true;
    QString error;
    QCOMPARE(SearchablePdfWriter::convert(input, {}, output, m_model, "Latin+Vietnamese", options, &error),
             Status::UnknownLanguage);
    QVERIFY2(error.contains(script), qPrintable(error));
    QVERIFY(!QFileInfo::exists(output));
}

void TestOcr::pageNoDataReadsFails_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("family");
    QTest::newRow("Tifinagh") << QStringList{"ⵉⵍⵓⵍ ⵎⵉⴷⴷⴻⵏ ⴰⴽⴽ ⴷ ⵉⵍⴻⵍⵍⵉⵢⴻⵏ ⵎⵙⴰⵡⴰⵏ ⴷⴻⴳ ⵡⴰⴷⴷⴻⵔ",
                                              "ⴷ ⵢⵉⵣⴻⵔⴼⴰⵏ. ⵖⵓⵔⵙⴻⵏ ⵜⴰⵎⵙⴰⴽⵡⵉⵜ ⴷ ⵍⴰⵄⵇⴻⵍ, ⵢⴻⵙⵙⴻⴼⴽ",
                                              "ⴰⴷ ⵜⵉⵍⵉ ⵜⴻⴳⵎⴰⵜ ⴳⴰⵔ ⴰⵙⴻⵏ."}
                              << "Noto Sans Tifinagh";
    QTest::newRow("Cherokee") << QStringList{"ᏂᎦᏓ ᏴᏫ ᏗᎨᏥᎾᏄᎪᏫᏒᎢ ᎤᏩᏌ ᎨᏒ ᎤᏂᏍᏆᏂᎩᏍᏗ ᎠᎴ",
                                              "ᏧᏂᎸᏫᏍᏓᏁᏗ ᎢᏧᎳᎭ ᎨᏒ. ᎤᏂᎭ ᎠᏓᏅᏖᏗ ᎠᎴ ᎠᏓᏅᏙ,",
                                              "ᎠᎴ ᎢᏗᏣᎵᎢ ᎬᏗ ᏂᏓᏛᏁᏗ."}
                              << "Noto Sans Cherokee";
}

// A page that no data of the model reads with confidence, its script unknown to detection, fails
// with that reason instead of coming out in look-alike letters with a success mark.
void TestOcr::pageNoDataReadsFails()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, family);
    QString const name = QTest::currentDataTag();
    QString const input =
        makePdf(name + ".pdf", {SyntheticScan::fromLines(lines, family).atTopOfA4().scanned(0.5, 3)});
    QString const output = m_home->filePath(name + "-searchable.pdf");
    RecognitionOptions options;
    options.byScript = true;
    options.threads = 1;
    QString error;
    Status const status = SearchablePdfWriter::convert(input, {}, output, m_model,
                                                       m_model.languageSpec(SdkLatinScripts), options, &error);
    QCOMPARE(status, Status::Unreadable);
    QVERIFY2(error.contains("cannot be read with confidence"), qPrintable(error));
    QVERIFY(!QFileInfo::exists(output));
}

void TestOcr::threadsFitInMemory_data()
{
    QTest::addColumn<int>("cores");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("availableMb");
    QTest::addColumn<bool>("byScript");
    QTest::newRow("16 cores, memory to spare") << 16 << 20 << 65536 << true;
    QTest::newRow("16 cores, fewer pages") << 16 << 3 << 65536 << true;
    QTest::newRow("16 cores, 4 GB, by script") << 16 << 20 << 4096 << true;
    QTest::newRow("16 cores, 4 GB, one language") << 16 << 20 << 4096 << false;
    QTest::newRow("8 cores, 2 GB, by script") << 8 << 20 << 2048 << true;
    QTest::newRow("too little for two") << 16 << 20 << 300 << true;
}

// Each thread holds a page and its own engines: the threads are as many as the cores only where
// half the memory holds them, and a thread counts at least what its engines were measured to take.
void TestOcr::threadsFitInMemory()
{
    QFETCH(int, cores);
    QFETCH(int, pages);
    QFETCH(int, availableMb);
    QFETCH(bool, byScript);
    qint64 const mb = 1024 * 1024;
    RecognitionOptions options;
    options.threads = cores;
    options.byScript = byScript;
    options.availableMemory = availableMb * mb;
    QString const spec = m_model.languageSpec(SdkLatinScripts);
    qint64 const perThread = PdfRecognizer::memoryPerThread(options, m_model, spec);
    // Measured (bench_ocr_memory): a thread that meets every script of a mixed scan grows the
    // process by up to 245 MB; a page at 300 dpi with tesseract's working set takes 100 MB.
    QVERIFY2(perThread >= (byScript ? 245 : 100) * mb, qPrintable(QString::number(perThread / mb)));
    int const threads = PdfRecognizer::threadCount(options, m_model, spec, pages);
    QVERIFY(threads >= 1 && threads <= std::min(cores, pages));
    if (threads > 1)
        QVERIFY2(threads * perThread <= options.availableMemory / 2, qPrintable(QString::number(threads)));
    if (qint64(std::min(cores, pages)) * perThread <= options.availableMemory / 2)
        QCOMPARE(threads, std::min(cores, pages));
}

void TestOcr::searchablePdfKeepsPagesAndAddsText()
{
    // Page 1: a picture-only scan. Page 2: real text, which must stay as it is.
    SyntheticScan const scan = SyntheticScan::make(8, 11);
    QString const input = m_home->filePath("mixed.pdf");
    {
        QPdfWriter writer(input);
        writer.setResolution(scan.dpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        painter.drawImage(QRectF(0, 0, writer.width(), writer.height()), scan.image);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.newPage();
        painter.setFont(QFont("DejaVu Sans", 14));
        painter.drawText(QPointF(300, 600), "Vector text that is already searchable");
        painter.drawRect(QRectF(300, 800, 1200, 400));
    }
    QString const output = m_home->filePath("out/mixed searchable.pdf");
    QVERIFY(QDir().mkpath(m_home->filePath("out")));
    RecognitionOptions options;
    options.threads = 2;
    QString error;
    QCOMPARE(SearchablePdfWriter::convert(input, {}, output, m_model, "eng", options, &error), Status::Ok);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(QDir(m_home->filePath("out")).entryList(QDir::Files), QStringList{"mixed searchable.pdf"});

    std::unique_ptr<poppler::document> before(poppler::document::load_from_file(input.toStdString()));
    std::unique_ptr<poppler::document> after(poppler::document::load_from_file(output.toStdString()));
    QVERIFY(before && after);
    QCOMPARE(after->pages(), 2);
    poppler_errors.clear();
    PdfPageSource beforeSource, afterSource;
    QCOMPARE(beforeSource.open(input, {}), Status::Ok);
    QCOMPARE(afterSource.open(output, {}), Status::Ok);
    for (int i = 0; i < 2; ++i) {
        std::unique_ptr<poppler::page> a(before->create_page(i)), b(after->create_page(i));
        poppler::rectf const sizeBefore = a->page_rect(poppler::media_box),
                             sizeAfter = b->page_rect(poppler::media_box);
        QCOMPARE(sizeAfter.width(), sizeBefore.width());
        QCOMPARE(sizeAfter.height(), sizeBefore.height());
        // Same look: the added text is invisible and the page's own content is untouched.
        QImage const original = beforeSource.renderPage(i, 72);
        QVERIFY(!original.isNull());
        QCOMPARE(afterSource.renderPage(i, 72), original);
    }
    QVERIFY2(poppler_errors.isEmpty(), qPrintable(poppler_errors.join('\n')));

    double const share = orderedShare(scan.words(), wordsOf(pdfToText(output, 1)));
    QVERIFY2(share >= 0.95, qPrintable(QString::number(share)));
    QCOMPARE(pdfToText(output, 2), pdfToText(input, 2));
    QVERIFY(run("pdffonts", {"-f", "1", "-l", "1", output}).contains("GlyphLessFont"));
    QVERIFY(!run("pdffonts", {"-f", "2", "-l", "2", output}).contains("GlyphLessFont"));

    // Each line's words are found where the line was printed.
    QVector<TextBox> const boxes = pdfToBoxes(output, 1);
    for (int i = 0; i < scan.lines.size(); ++i) {
        QRectF const area = scan.lineRects.at(i).adjusted(-4, -4, 4, 4);
        QStringList found;
        for (TextBox const& box : boxes) {
            if (area.contains(box.rect.center()))
                found << box.text;
        }
        QVERIFY2(orderedShare(scan.lines.at(i), found) >= 0.8, qPrintable(found.join(' ')));
    }
}

void TestOcr::textLayerPlacesUnicodeWords_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QRectF>("crop");
    QRectF const whole(0, 0, 400, 300);
    QTest::newRow("upright") << 0 << whole;
    QTest::newRow("quarter turn") << 90 << whole;
    QTest::newRow("upside down") << 180 << whole;
    QTest::newRow("three quarters") << 270 << whole;
    QTest::newRow("cropped") << 0 << QRectF(50, 40, 300, 220);
}

void TestOcr::textLayerPlacesUnicodeWords()
{
    QFETCH(int, rotation);
    QFETCH(QRectF, crop);
    QVERIFY(QRawFont(GlyphlessFont::data(), 12).isValid());

    // A 400 x 300 point page, cropped and rotated with qpdf.
    QString const blank = m_home->filePath("blank.pdf");
    {
        QPdfWriter writer(blank);
        writer.setPageSize(QPageSize(QSizeF(400, 300), QPageSize::Point));
        QPainter painter(&writer);
        painter.drawRect(10, 10, 100, 100);
    }
    QString const input = m_home->filePath("turned.pdf");
    {
        QByteArray const from = QFile::encodeName(blank), to = QFile::encodeName(input);
        QPDF pdf;
        pdf.processFile(from.constData());
        QPDFObjectHandle page = pdf.getAllPages().front();
        page.replaceKey("/Rotate", QPDFObjectHandle::newInteger(rotation));
        page.replaceKey("/CropBox", QPDFObjectHandle::newArray(QPDFObjectHandle::Rectangle(
                                        crop.left(), crop.top(), crop.right(), crop.bottom())));
        QPDFWriter writer(pdf, to.constData());
        writer.write();
    }

    // Words as a recogniser would report them on the page as shown, at 144 dpi.
    QSizeF const shown = rotation % 180 ? crop.size().transposed() : crop.size();
    RecognizedPage page;
    page.dpi = 144;
    page.imageSize = (shown * 2).toSize();
    QStringList const texts{"Hello", "漢字テスト", "𠮷野家", "Ünïcode"};
    RecognizedLine line;
    line.pixelRect = QRect(40, 60, 400, 40);
    line.pixelBaseline = QLineF(40, 92, 440, 92);
    line.paragraph = line.block = 0;
    line.wordCount = texts.size();
    page.lines << line;
    for (int i = 0; i < texts.size(); ++i) {
        RecognizedWord word;
        word.text = texts.at(i);
        word.pixelRect = QRect(40 + 100 * i, 60, 80, 40);
        word.line = 0;
        page.words << word;
    }
    PageOutcome outcome;
    outcome.kind = PageOutcome::Recognized;
    outcome.page = page;
    QString const output = m_home->filePath("turned-text.pdf");
    QCOMPARE(SearchablePdfWriter::write(input, {}, output, {outcome}), Status::Ok);

    QString const text = pdfToText(output, 1);
    for (QString const& word : texts)
        QVERIFY2(text.contains(word), qPrintable(text));
    // pdftotext measures from the media box's corner as shown.
    QPointF const offset = rotation == 0 ? QPointF(crop.left(), 300 - crop.bottom()) : QPointF();
    for (TextBox const& box : pdfToBoxes(output, 1)) {
        if (box.text != "Hello")
            continue;
        QRectF const expected = QRectF(20, 30, 40, 20).translated(offset);
        QVERIFY2(std::abs(box.rect.left() - expected.left()) < 2 &&
                     std::abs(box.rect.top() - expected.top()) < 2 &&
                     std::abs(box.rect.bottom() - expected.bottom()) < 2,
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(box.rect.x())
                                .arg(box.rect.y())
                                .arg(box.rect.width())
                                .arg(box.rect.height())));
        return;
    }
    QFAIL("pdftotext reports no box for the first word");
}

void TestOcr::textLayerKeepsWordsWhole_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("gap");
    QTest::addColumn<double>("slant");
    QStringList const arabic{"يولد", "جميع", "الناس", "أن", "في", "الكرامة", "والحقوق"};
    QTest::newRow("Arabic, spaced") << arabic << 24 << 0.0;
    // As the engine gives them: a pixel apart, or reaching into each other.
    QTest::newRow("Arabic, close") << arabic << 1 << 0.0;
    QTest::newRow("Arabic, overlapping") << arabic << -12 << 0.0;
    QTest::newRow("Arabic with a name and a number")
        << QStringList{"وصلت", "Anna", "في", "2024", "إلى", "القاهرة"} << 2 << 0.0;
    // A line of a scan turned by a degree, long words at its end.
    QTest::newRow("Latin, slanted") << QStringList{"Sevgili", "Mehmet,", "toplantı", "pazartesi",
                                                   "saat",    "onda",    "üst",      "kattaki",
                                                   "küçük",   "odada",   "místnosti"}
                                    << 24 << 1.1;
    QTest::newRow("Arabic, slanted") << arabic + arabic << 20 << -1.1;
}

// A line as the engine reports it: words in reading order, an Arabic line's placed right to left.
void TestOcr::textLayerKeepsWordsWhole()
{
    QFETCH(QStringList, words);
    QFETCH(int, gap);
    QFETCH(double, slant);
    QString const input = makePdf("line-scan.pdf", {SyntheticScan::make(1, 1)});
    RecognizedPage page;
    page.dpi = 300;
    page.imageSize = QSize(2480, 3508);
    // Clockwise by slant degrees: y grows along the line.
    qreal const rise = std::tan(qDegreesToRadians(slant));
    RecognizedLine line;
    // The engine's box of a turned line is the box of the line level, moved to where it lies.
    line.pixelRect = QRect(150, 400, 2200, 60);
    line.pixelBaseline =
        QLineF(150, 450 + (rise < 0 ? -rise * 2200 : 0), 2350, 450 + (rise > 0 ? rise * 2200 : 0));
    line.paragraph = line.block = 0;
    line.wordCount = words.size();
    page.lines << line;
    bool const rightToLeft = words.first().isRightToLeft();
    int x = rightToLeft ? 2350 : 150;
    for (QString const& text : words) {
        RecognizedWord word;
        word.text = text;
        int const width = 22 * text.size();
        int const left = rightToLeft ? x - width : x;
        qreal const baseline = line.pixelBaseline.y1() + (left - 150) * rise;
        word.pixelRect = QRect(left, qRound(baseline) - 48, width, 60);
        word.line = 0;
        page.words << word;
        x += rightToLeft ? -(width + gap) : width + gap;
    }
    PageOutcome outcome;
    outcome.kind = PageOutcome::Recognized;
    outcome.page = page;
    QString const output = m_home->filePath("line-searchable.pdf");
    QCOMPARE(SearchablePdfWriter::write(input, {}, output, {outcome}), Status::Ok);

    // pdftotext's line in reading order, without the marks it wraps right-to-left runs in. It
    // puts the space on the far side of a number or a Latin name in an Arabic line before it, but
    // a search finds every word.
    QString extracted;
    for (QChar const c : pdfToText(output, 1)) {
        if (c.category() != QChar::Other_Format)
            extracted += c;
    }
    for (QString const& word : qAsConst(words))
        QVERIFY2(extracted.contains(word), qPrintable(word + " in " + extracted));
    if (std::all_of(words.begin(), words.end(),
                    [&](QString const& w) { return w.isRightToLeft() == rightToLeft; }))
        QCOMPARE(extracted.simplified(), words.join(' '));
    // Poppler's own words are whole too; it keeps a right-to-left word's letters as they stand
    // on the page, last letter first.
    std::unique_ptr<poppler::document> document(poppler::document::load_from_file(output.toStdString()));
    QVERIFY(document);
    std::unique_ptr<poppler::page> first(document->create_page(0));
    QStringList found, expected;
    for (poppler::text_box const& box : first->text_list()) {
        poppler::byte_array const utf8 = box.text().to_utf8();
        found << QString::fromUtf8(utf8.data(), int(utf8.size()));
    }
    for (QString const& word : qAsConst(words)) {
        QVector<uint> letters = word.toUcs4();
        if (word.isRightToLeft())
            std::reverse(letters.begin(), letters.end());
        expected << QString::fromUcs4(letters.constData(), letters.size());
    }
    found.sort();
    expected.sort();
    QCOMPARE(found, expected);
}

void TestOcr::encryptedInputStaysEncrypted()
{
    QString const plain = makePdf("plain.pdf", {SyntheticScan::make(3, 3)});
    QString const locked = m_home->filePath("locked.pdf");
    QCOMPARE(QProcess::execute("qpdf", {"--encrypt", "user pw", "owner", "256", "--", plain, locked}), 0);
    QString const output = m_home->filePath("locked-searchable.pdf");
    QCOMPARE(SearchablePdfWriter::convert(locked, "user pw", output, m_model, "eng"), Status::Ok);
    PdfPageSource source;
    QCOMPARE(source.open(output, {}), Status::PasswordError);
    QCOMPARE(source.open(output, "user pw"), Status::Ok);
    QVERIFY(orderedShare(SyntheticScan::make(3, 3).words(), wordsOf(pdfToText(output, 1, "user pw"))) >=
            0.95);
}

void TestOcr::failuresLeaveNoOutput_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<Status>("status");
    QTest::newRow("missing input") << "missing" << Status::FileNotFound;
    QTest::newRow("not a PDF") << "text" << Status::NotPdf;
    QTest::newRow("truncated PDF") << "truncated" << Status::Damaged;
    QTest::newRow("wrong password, existing output kept") << "password" << Status::PasswordError;
    QTest::newRow("missing output folder") << "folder" << Status::OutputFailed;
    QTest::newRow("output is the input") << "same" << Status::InvalidArgument;
    QTest::newRow("page list of another document") << "pages" << Status::InvalidArgument;
}

void TestOcr::failuresLeaveNoOutput()
{
    QFETCH(QString, kind);
    QFETCH(Status, status);
    QString const folder = m_home->filePath("fail-" + kind);
    QVERIFY(QDir().mkpath(folder));
    QString input = folder + "/in.pdf";
    QString output = folder + "/out.pdf";
    {
        QPdfWriter writer(input);
        QPainter painter(&writer);
        painter.drawText(QPointF(100, 100), "text");
    }
    QVector<PageOutcome> pages(1);
    if (kind == "missing") {
        input = folder + "/absent.pdf";
    } else if (kind == "text") {
        QFile file(input);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("just some words\n");
    } else if (kind == "truncated") {
        QFile file(input);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(300));
    } else if (kind == "password") {
        QString const locked = folder + "/locked.pdf";
        QCOMPARE(QProcess::execute("qpdf", {"--encrypt", "secret", "secret", "256", "--", input, locked}), 0);
        input = locked;
        QFile existing(output);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("an earlier result");
    } else if (kind == "folder") {
        output = folder + "/no such folder/out.pdf";
    } else if (kind == "same") {
        output = input;
    } else if (kind == "pages") {
        pages.resize(3);
    }
    QStringList const filesBefore = QDir(folder).entryList(QDir::Files);
    QByteArray const inputBefore = digest(input);
    QByteArray const outputBefore = digest(output);

    QString error;
    QCOMPARE(SearchablePdfWriter::write(input, "wrong", output, pages, &error), status);
    QVERIFY(!error.isEmpty());
    QCOMPARE(QDir(folder).entryList(QDir::Files), filesBefore);
    QCOMPARE(digest(input), inputBefore);
    QCOMPARE(digest(output), outputBefore);

    if (kind != "same" && kind != "pages" && kind != "folder") {
        PdfRecognition const recognition = PdfRecognizer::recognize(input, "wrong", m_model, "eng");
        QCOMPARE(recognition.status, status);
    }
}

void TestOcr::cancelStopsBeforeWork()
{
    QString const input = makePdf("cancel.pdf", {SyntheticScan::make(2, 1), SyntheticScan::make(2, 2)});
    std::atomic_bool cancel{true};
    RecognitionOptions options;
    options.cancel = &cancel;
    PdfRecognition const result = PdfRecognizer::recognize(input, {}, m_model, "eng", options);
    QCOMPARE(result.status, Status::Cancelled);
    QCOMPARE(result.pages.size(), 2);
    for (PageOutcome const& page : result.pages)
        QCOMPARE(page.kind, PageOutcome::NotProcessed);
    QString const output = m_home->filePath("cancel-out.pdf");
    QCOMPARE(SearchablePdfWriter::convert(input, {}, output, m_model, "eng", options), Status::Cancelled);
    QVERIFY(!QFile::exists(output));
}

QTEST_MAIN(TestOcr)
#include "TestOcr.moc"

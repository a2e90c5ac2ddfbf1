#include "PdfFixtures.h"
#include "TestHome.h"

#include <pdfconv/base/ResultCode.h>
#include <pdfconv/common/LibraryManager.h>
#include <pdfconv/conversion/PdfConversion.h>

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <thread>

#include <sys/resource.h>
#include <sys/types.h>
#include <unistd.h>

using pdfconv::base::ConvertOptions;
using pdfconv::conversion::PdfConversion;
namespace codes = pdfconv::base;

namespace {

using Start = int (*)(char const*, char const*, char const*, ConvertOptions const&,
                      pdfconv::conversion::ProgressCallback);

QByteArray u8(QString const& s)
{
    return s.toUtf8();
}

int convert(Start start, QString const& in, QString const& out, QByteArray const& password = QByteArray(),
            ConvertOptions const& options = ConvertOptions(),
            pdfconv::conversion::ProgressCallback cb = nullptr)
{
    return start(u8(in).constData(), password.constData(), u8(out).constData(), options, cb);
}

QByteArray readAll(QString const& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(QString const& path, QByteArray const& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A PDF whose encryption names a security handler that nobody implements.
QByteArray unknownSecurityHandlerPdf()
{
    QList<QByteArray> objects{"<</Type/Catalog/Pages 2 0 R>>", "<</Type/Pages/Kids[3 0 R]/Count 1>>",
                              "<</Type/Page/Parent 2 0 R/MediaBox[0 0 200 200]>>",
                              "<</Filter/NoSuchHandler/V 4/R 4/Length 128>>"};
    QByteArray pdf = "%PDF-1.6\n";
    QList<int> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets << pdf.size();
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    int const xref = pdf.size();
    pdf += "xref\n0 5\n0000000000 65535 f \n";
    for (int o : offsets)
        pdf += QByteArray::number(o).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<</Size 5/Root 1 0 R/Encrypt 4 0 R/ID[<0123456789abcdef><0123456789abcdef>]>>\n"
           "startxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

// Visible text of an RTF document: control words dropped, \uN decoded, paragraphs as lines.
QString rtfText(QByteArray const& rtf, int* depthError)
{
    QString out;
    int depth = 0;
    *depthError = 0;
    for (int i = 0; i < rtf.size(); ++i) {
        char const c = rtf.at(i);
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth < 0)
                *depthError = 1;
        } else if (c == '\\') {
            char const n = i + 1 < rtf.size() ? rtf.at(i + 1) : 0;
            if (n == '\\' || n == '{' || n == '}') {
                out += QLatin1Char(n);
                ++i;
                continue;
            }
            int j = i + 1;
            while (j < rtf.size() && QChar::isLetter(rtf.at(j)))
                ++j;
            QByteArray const word = rtf.mid(i + 1, j - i - 1);
            int k = j;
            while (k < rtf.size() && (rtf.at(k) == '-' || QChar::isDigit(rtf.at(k))))
                ++k;
            int const number = rtf.mid(j, k - j).toInt();
            if (k < rtf.size() && rtf.at(k) == ' ')
                ++k;
            if (word == "u") {
                out += QChar(ushort(short(number)));
                if (k < rtf.size() && rtf.at(k) == '?')
                    ++k;
            } else if (word == "par") {
                out += QLatin1Char('\n');
            } else if (word == "page") {
                out += QLatin1Char('\f');
            } else if (word == "fonttbl" || word == "info") {
                // skip the whole group
                int d = 1;
                while (k < rtf.size() && d > 0) {
                    d += rtf.at(k) == '{' ? 1 : rtf.at(k) == '}' ? -1 : 0;
                    ++k;
                }
                --depth;
            }
            i = k - 1;
        } else if (c != '\n' && c != '\r' && depth > 0) {
            out += QLatin1Char(c);
        }
    }
    if (depth != 0)
        *depthError = 1;
    return out;
}

// Checks that every element opened is closed in order; returns the first fault or "".
QString htmlStructureFault(QString const& html)
{
    static QSet<QString> const voids{QStringLiteral("meta"), QStringLiteral("br"), QStringLiteral("img"),
                                     QStringLiteral("link"), QStringLiteral("hr")};
    QRegularExpression const tag(QStringLiteral("<(/?)([a-zA-Z0-9!]+)[^>]*>"));
    QStringList stack;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        auto const m = it.next();
        QString const name = m.captured(2).toLower();
        if (name == QLatin1String("!doctype") || voids.contains(name))
            continue;
        if (m.captured(1).isEmpty()) {
            stack << name;
        } else if (stack.isEmpty() || stack.takeLast() != name) {
            return QStringLiteral("unbalanced </%1>").arg(name);
        }
    }
    return stack.isEmpty() ? QString() : QStringLiteral("unclosed <%1>").arg(stack.join(QLatin1Char(',')));
}

std::atomic<int> g_pagesSeen{0};
std::atomic<bool> g_stopFromCallback{false};
std::atomic<int> g_lastPage{0};

// Keeps the number of the page last reported done.
bool trackPages(char const* status, bool finished)
{
    int page = 0;
    if (!finished && std::sscanf(status, "page %d of", &page) == 1)
        g_lastPage = page;
    return true;
}

bool countPages(char const* status, bool finished)
{
    if (!finished && QByteArray(status).startsWith("page "))
        ++g_pagesSeen;
    return !g_stopFromCallback || g_pagesSeen < 2;
}

// The helper processes this test process started.
QList<pid_t> childProcesses()
{
    QList<pid_t> pids;
    for (auto const& task :
         QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (auto const& pid : readAll(QStringLiteral("/proc/self/task/%1/children").arg(task)).split(' '))
            if (pid.trimmed().toInt() > 0)
                pids << pid.trimmed().toInt();
    return pids;
}

// Everything below a folder, hidden entries and sub-folders' contents too, relative to it.
QStringList entriesBelow(QString const& dir)
{
    QStringList out;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(dir).relativeFilePath(it.next());
    out.sort();
    return out;
}

// A file that a writer keeps while it works: its own ".<name>.<hex>.part", libzip's archive in
// the making (its name gets six more characters) or the searchable writer's ".tmp".
bool isWriterTemporary(QString const& name)
{
    static QRegularExpression const pattern(
        QStringLiteral("\\.part\\.[A-Za-z0-9]{6}$|\\.[0-9a-f]{8}\\.tmp$|^\\..+\\.[0-9a-f]{1,16}\\.part$"));
    return pattern.match(name).hasMatch();
}

// A page of one line that holds @p count one-digit words, each standing apart; readers that
// look for columns among them do a great deal of work. A few kilobytes once compressed.
QByteArray crowdedLineStream(int count)
{
    QByteArray content = "BT /F1 0.004 Tf 5 400 Td";
    for (int i = 0; i < count; ++i)
        content += " (" + QByteArray::number(i % 10) + ") Tj 0.01 0 Td";
    content += " ET";
    return content;
}

// A PDF of pages drawn with the given content streams in Helvetica.
QByteArray rawPdf(QList<QByteArray> const& contents)
{
    QList<QByteArray> objects{"<</Type/Catalog/Pages 2 0 R>>", QByteArray(),
                              "<</Type/Font/Subtype/Type1/BaseFont/Helvetica>>"};
    QByteArray kids;
    for (auto const& content : contents) {
        QByteArray const packed = qCompress(content, 9).mid(4); // zlib data without Qt's length
        int const page = objects.size() + 1;
        objects
            << "<</Type/Page/Parent 2 0 R/MediaBox[0 0 612 792]/Resources<</Font<</F1 3 0 R>>>>/Contents " +
                   QByteArray::number(page + 1) + " 0 R>>";
        objects << "<</Length " + QByteArray::number(packed.size()) + "/Filter/FlateDecode>>stream\n" +
                       packed + "\nendstream";
        kids += QByteArray::number(page) + " 0 R ";
    }
    objects[1] = "<</Type/Pages/Kids[" + kids + "]/Count " + QByteArray::number(contents.size()) + ">>";
    return PdfFixtures::assemble(objects);
}

// qpdf --encrypt with a password given as raw bytes: an argument file keeps them as they are.
bool encryptWithBytes(QString const& in, QString const& out, QByteArray const& password,
                      QStringList const& rest)
{
    QString const args = out + QStringLiteral(".args");
    QByteArray lines = "--allow-weak-crypto\n--encrypt\n" + password + "\nowner\n";
    for (auto const& r : rest)
        lines += r.toUtf8() + '\n';
    lines += "--\n" + QFile::encodeName(in) + '\n' + QFile::encodeName(out) + '\n';
    if (!writeFile(args, lines))
        return false;
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), {QLatin1Char('@') + args});
    bool const done =
        qpdf.waitForFinished(30000) && qpdf.exitStatus() == QProcess::NormalExit && qpdf.exitCode() == 0;
    QFile::remove(args);
    return done;
}

bool throwRuntimeError(char const*, bool finished)
{
    if (!finished)
        throw std::runtime_error("the caller's callback failed");
    return true;
}

bool throwBadAlloc(char const*, bool finished)
{
    if (!finished)
        throw std::bad_alloc();
    return true;
}
} // namespace

class TestPdfConversion : public QObject
{
    Q_OBJECT

private:
    TestHome m_home;
    QString m_plain; // two pages: a two-column page under a title, and a mixed page
    QString m_long;  // many pages for cancelling
    QString m_user;  // user password "user", owner password "owner"
    QString m_owner; // owner password only
    QString m_rc4;   // RC4-128, user password "user"
    QString m_aes;   // AES-256, user password "user"
    int m_case = 0;

    QString path(QString const& name) const { return m_home.filePath(name); }
    QString freshDir() { return path(QStringLiteral("out%1").arg(++m_case)); }

private slots:
    void initTestCase()
    {
        pdfconv::common::LibraryManager::SetLogger(true, false);
        m_plain = path(QStringLiteral("sample.pdf"));
        PdfFixtures::Page first;
        first.title = QStringLiteral("Annual Report");
        first.columns = 2;
        for (int i = 0; i < 8; ++i)
            first.paragraphs << PdfFixtures::words(QStringLiteral("c%1w").arg(i), 40);
        PdfFixtures::Page second;
        second.title = QStringLiteral("Ωmega & <Tags>");
        QString hyphenated;
        for (int i = 0; i < 30; ++i)
            hyphenated += QStringLiteral("hy%1-phen ").arg(i);
        second.paragraphs << QStringLiteral("Ελληνικά κείμενο, Кириллица текст, naïve café.") << hyphenated;
        QVERIFY(PdfFixtures::writePdf(m_plain, {first, second}));

        m_long = path(QStringLiteral("long.pdf"));
        QList<PdfFixtures::Page> pages;
        for (int p = 0; p < 80; ++p)
            pages << PdfFixtures::Page{
                QStringLiteral("Page %1").arg(p), {PdfFixtures::words(QStringLiteral("w"), 300)}, 2};
        QVERIFY(PdfFixtures::writePdf(m_long, pages));

        m_user = path(QStringLiteral("user.pdf"));
        m_owner = path(QStringLiteral("owner.pdf"));
        m_rc4 = path(QStringLiteral("rc4.pdf"));
        m_aes = path(QStringLiteral("aes.pdf"));
        QVERIFY(PdfFixtures::encrypt(m_plain, m_user, {"user", "owner", "256"}));
        QVERIFY(PdfFixtures::encrypt(m_plain, m_owner, {"", "owner", "256"}));
        QVERIFY(PdfFixtures::encrypt(m_plain, m_rc4, {"user", "owner", "128", "--use-aes=n"}));
        QVERIFY(PdfFixtures::encrypt(m_plain, m_aes, {"user", "owner", "256"}));
    }

    void codes_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QByteArray>("password");
        QTest::addColumn<int>("code");

        QTest::newRow("plain") << QStringLiteral("sample.pdf") << QByteArray() << 0;
        QTest::newRow("missing") << QStringLiteral("nothing-here.pdf") << QByteArray() << 2;
        QTest::newRow("folder") << QStringLiteral(".") << QByteArray() << 2;
        QTest::newRow("empty file") << QStringLiteral("empty.pdf") << QByteArray() << 5;
        QTest::newRow("not a pdf") << QStringLiteral("notes.pdf") << QByteArray() << 5;
        QTest::newRow("header only") << QStringLiteral("stub.pdf") << QByteArray() << 5;
        QTest::newRow("user password missing") << QStringLiteral("user.pdf") << QByteArray() << 3;
        QTest::newRow("user password wrong") << QStringLiteral("user.pdf") << QByteArray("nope") << 3;
        QTest::newRow("user password") << QStringLiteral("user.pdf") << QByteArray("user") << 0;
        QTest::newRow("owner password opens too") << QStringLiteral("user.pdf") << QByteArray("owner") << 0;
        QTest::newRow("owner-only, no password") << QStringLiteral("owner.pdf") << QByteArray() << 0;
        QTest::newRow("rc4-128") << QStringLiteral("rc4.pdf") << QByteArray("user") << 0;
        QTest::newRow("rc4-128 wrong") << QStringLiteral("rc4.pdf") << QByteArray("x") << 3;
        QTest::newRow("aes-256") << QStringLiteral("aes.pdf") << QByteArray("user") << 0;
        QTest::newRow("unknown security handler") << QStringLiteral("handler.pdf") << QByteArray() << 6;
    }

    void codes()
    {
        QFETCH(QString, input);
        QFETCH(QByteArray, password);
        QFETCH(int, code);
        QVERIFY(writeFile(path(QStringLiteral("empty.pdf")), QByteArray()));
        QVERIFY(writeFile(path(QStringLiteral("notes.pdf")), "just some notes, no PDF at all\n"));
        QVERIFY(writeFile(path(QStringLiteral("stub.pdf")), readAll(m_plain).left(200)));
        QVERIFY(writeFile(path(QStringLiteral("handler.pdf")), unknownSecurityHandlerPdf()));

        for (Start start : {&PdfConversion::StartPDFToTxt, &PdfConversion::StartPDFToImage,
                            &PdfConversion::StartPDFToWord}) {
            QString const out = freshDir() + (start == &PdfConversion::StartPDFToTxt    ? ".txt"
                                              : start == &PdfConversion::StartPDFToWord ? ".docx"
                                                                                        : "");
            QCOMPARE(convert(start, path(input), out, password), code);
            // A failure leaves nothing behind, not even the folder it would have made.
            QCOMPARE(QFileInfo::exists(out), code == 0);
        }
    }

    // Whatever a damaged file does inside poppler, the answer is a code and no output.
    void truncatedFiles()
    {
        QByteArray const whole = readAll(m_long);
        for (double part : {0.3, 0.6, 0.95}) {
            QString const in = path(QStringLiteral("cut.pdf"));
            QVERIFY(writeFile(in, whole.left(int(whole.size() * part))));
            QString const out = freshDir();
            int const code = convert(&PdfConversion::StartPDFToTxt, in, out + ".txt");
            QVERIFY2(code == 0 || code == 4 || code == 5, qPrintable(QString::number(code)));
            QCOMPARE(QFileInfo::exists(out + ".txt"), code == 0);
        }
    }

    void textInReadingOrder()
    {
        QString const out = path(QStringLiteral("sample.txt"));
        QCOMPARE(convert(&PdfConversion::StartPDFToTxt, m_plain, out), 0);
        QString const text = QString::fromUtf8(readAll(out));
        QCOMPARE(text.count(QLatin1Char('\f')), 1);

        // The same text as poppler's own tool finds, only in reading order; that tool also
        // joins words hyphenated at line ends, which the conversion keeps as written.
        auto letters = [](QString s) {
            s.remove(QRegularExpression(QStringLiteral("[\\s-]")));
            std::sort(s.begin(), s.end());
            return s;
        };
        QCOMPARE(letters(text), letters(PdfFixtures::pdfToText(m_plain)));

        // Columns one after another: every word of a column before the next column starts.
        int last = -1;
        for (int c = 0; c < 8; ++c)
            for (int w = 0; w < 40; w += 13) {
                int const at = text.indexOf(QRegularExpression(QStringLiteral("\\bc%1w%2\\b").arg(c).arg(w)));
                QVERIFY2(at > last, qPrintable(QStringLiteral("c%1w%2 out of order").arg(c).arg(w)));
                last = at;
            }
        QVERIFY(text.indexOf(QStringLiteral("Annual Report")) < text.indexOf(QStringLiteral("c0w0")));
        QVERIFY(text.contains(QStringLiteral("Ελληνικά κείμενο, Кириллица текст, naïve café.")));
    }

    // A word of right-to-left letters drawn as they stand, one glyph holding a lam and an
    // alef that the font maps to both in reading order, or each letter a glyph of its own.
    void drawnArabicLigature_data()
    {
        QTest::addColumn<QByteArray>("toUnicode"); // code, letters: as drawn from left to right
        QTest::newRow("lam-alef one glyph")
            << QByteArray("<01> <0631> <02> <0627> <03> <0637> <04> <0645> <05> <06440623> <06> <0627>");
        QTest::newRow("lam and alef glyphs of their own") << QByteArray(
            "<01> <0631> <02> <0627> <03> <0637> <04> <0645> <05> <0623> <06> <0644> <07> <0627>");
    }

    void drawnArabicLigature()
    {
        QFETCH(QByteArray, toUnicode);
        int const glyphs = (toUnicode.count("> <") + 1) / 2;
        PdfFixtures::RawPdf pdf;
        QByteArray procs, names, widths;
        for (int g = 1; g <= glyphs; ++g) {
            int const proc = pdf.addStream(QByteArray(), "600 0 0 0 500 700 d1 0 0 500 700 re f");
            procs += "/g" + QByteArray::number(g) + " " + QByteArray::number(proc) + " 0 R ";
            names += "/g" + QByteArray::number(g) + " ";
            widths += "600 ";
        }
        QByteArray const cmap = "/CIDInit /ProcSet findresource begin 12 dict begin begincmap /CIDSystemInfo "
                                "<< /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def /CMapName "
                                "/Adobe-Identity-UCS def /CMapType 2 def 1 begincodespacerange <00> <FF> "
                                "endcodespacerange " +
                                QByteArray::number(glyphs) + " beginbfchar " + toUnicode +
                                " endbfchar endcmap CMapName currentdict /CMap defineresource pop end end";
        int const unicode = pdf.addStream(QByteArray(), cmap);
        QByteArray const font = "/F2 << /Type /Font /Subtype /Type3 /FontBBox [0 0 600 700] /FontMatrix "
                                "[0.001 0 0 0.001 0 0] /CharProcs << " +
                                procs + ">> /Encoding << /Type /Encoding /Differences [1 " + names +
                                "] >> /FirstChar 1 /LastChar " + QByteArray::number(glyphs) + " /Widths [" +
                                widths + "] /ToUnicode " + QByteArray::number(unicode) +
                                " 0 R /Resources << >> >>";
        QByteArray codes;
        for (int g = 1; g <= glyphs; ++g)
            codes += QByteArray::number(g, 16).rightJustified(2, '0');
        QByteArray const content = "BT /F2 20 Tf 100 700 Td <" + codes + "> Tj ET\n";
        QString const in = path(QStringLiteral("ligature.pdf"));
        QVERIFY(pdf.write(in, content, QByteArray(), QByteArray(), font));
        QString const out = freshDir() + ".txt";
        QCOMPARE(convert(&PdfConversion::StartPDFToTxt, in, out), 0);
        QString const text = QString::fromUtf8(readAll(out)).trimmed();
        QCOMPARE(text, QStringLiteral("\u0627\u0644\u0623\u0645\u0637\u0627\u0631"));
    }

    void rtfDocument()
    {
        QString const out = path(QStringLiteral("sample.rtf"));
        QCOMPARE(convert(&PdfConversion::StartPDFToRtf, m_plain, out), 0);
        QByteArray const rtf = readAll(out);
        QVERIFY(rtf.startsWith("{\\rtf1"));
        for (char c : rtf)
            QVERIFY2(uchar(c) < 0x80, "RTF must be 7-bit");
        int fault = 0;
        QString const text = rtfText(rtf, &fault);
        QCOMPARE(fault, 0);
        QCOMPARE(text.count(QLatin1Char('\f')), 1);
        QStringList const paragraphs =
            text.split(QRegularExpression(QStringLiteral("[\n\f]")), Qt::SkipEmptyParts);
        // Lines of one paragraph joined; words written with a hyphen keep it, with no space.
        QVERIFY(paragraphs.contains(PdfFixtures::words(QStringLiteral("c3w"), 40)));
        QVERIFY(paragraphs.contains(QStringLiteral("Ωmega & <Tags>")));
        QString hyphenated;
        for (int i = 0; i < 30; ++i)
            hyphenated += QStringLiteral("hy%1-phen ").arg(i);
        QVERIFY(paragraphs.contains(hyphenated.trimmed()));
        QVERIFY(paragraphs.contains(QStringLiteral("Ελληνικά κείμενο, Кириллица текст, naïve café.")));
        // Sizes kept: 22 pt titles and 11 pt body text, in half points.
        QVERIFY(rtf.contains("\\fs44"));
        QVERIFY(rtf.contains("\\fs22"));
    }

    void htmlDocument()
    {
        QString const out = path(QStringLiteral("sample.html"));
        QCOMPARE(convert(&PdfConversion::StartPDFToHtml, m_plain, out), 0);
        QString const html = QString::fromUtf8(readAll(out));
        QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
        QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        QCOMPARE(htmlStructureFault(html), QString());
        QCOMPARE(html.count(QStringLiteral("<section class=\"page\"")), 2);
        QVERIFY(html.contains(QStringLiteral("<h1>Annual Report</h1>")));
        QVERIFY(html.contains(QStringLiteral("<h1>Ωmega &amp; &lt;Tags&gt;</h1>")));
        QVERIFY(
            html.contains(QStringLiteral("<p>") + PdfFixtures::words(QStringLiteral("c5w"), 40) + "</p>"));
        QVERIFY(html.indexOf(QStringLiteral("c4w39")) < html.indexOf(QStringLiteral("c5w0")));
        // Self-contained: nothing to fetch.
        QVERIFY(!html.contains(QRegularExpression(QStringLiteral("src=|href=|url\\(|@import"))));
    }

    void pageImages_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("jpg") << 0 << 1.0 << QByteArray("jpeg") << "jpg";
        QTest::newRow("jpeg half") << 1 << 0.5 << QByteArray("jpeg") << "jpeg";
        QTest::newRow("png double") << 2 << 2.0 << QByteArray("png") << "png";
        QTest::newRow("bmp") << 3 << 1.0 << QByteArray("bmp") << "bmp";
        QTest::newRow("tiff") << 4 << 1.0 << QByteArray("tiff") << "tiff";
    }

    void pageImages()
    {
        QFETCH(int, type);
        QFETCH(double, scale);
        QFETCH(QByteArray, format);
        QFETCH(QString, suffix);
        ConvertOptions options;
        options.imageType = type;
        options.imageScale = float(scale);
        QString const folder = freshDir() + QStringLiteral("/nested/pages");
        QCOMPARE(convert(&PdfConversion::StartPDFToImage, m_plain, folder, QByteArray(), options), 0);
        QStringList const files =
            QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(files, (QStringList{"sample_001." + suffix, "sample_002." + suffix}));
        for (auto const& name : files) {
            QImageReader reader(QDir(folder).filePath(name));
            QCOMPARE(reader.format(), format);
            QImage const image = reader.read();
            // A4 at 150 dpi times the scale.
            QVERIFY(qAbs(image.width() - 595.0 * 150 * scale / 72) <= 1);
            QVERIFY(qAbs(image.height() - 842.0 * 150 * scale / 72) <= 1);
            QVERIFY(!image.hasAlphaChannel());
            QVERIFY(qAbs(image.dotsPerMeterX() * 0.0254 - 150 * scale) < 1.5);
        }
    }

    void outputProblemsFailAndKeepFiles()
    {
        QString const dir = freshDir();
        QVERIFY(QDir().mkpath(dir + "/taken"));
        QVERIFY(writeFile(dir + "/plain.txt", "mine"));
        QVERIFY(writeFile(dir + "/old.txt", "previous output"));
        QByteArray const original = readAll(m_plain);

        QVERIFY(convert(&PdfConversion::StartPDFToTxt, m_plain, dir + "/no/such/folder/a.txt") != 0);
        QVERIFY(convert(&PdfConversion::StartPDFToTxt, m_plain, dir + "/plain.txt/a.txt") != 0);
        QVERIFY(convert(&PdfConversion::StartPDFToTxt, m_plain, dir + "/taken") != 0);
        QVERIFY(QFileInfo(dir + "/taken").isDir());
        QVERIFY(convert(&PdfConversion::StartPDFToHtml, m_plain, m_plain) != 0);
        QCOMPARE(readAll(m_plain), original);
        QVERIFY(convert(&PdfConversion::StartPDFToImage, m_plain, dir + "/plain.txt") != 0);
        QCOMPARE(readAll(dir + "/plain.txt"), QByteArray("mine"));
        // A failed conversion leaves an earlier output alone; a successful one replaces it.
        QCOMPARE(convert(&PdfConversion::StartPDFToTxt, m_user, dir + "/old.txt"), 3);
        QCOMPARE(readAll(dir + "/old.txt"), QByteArray("previous output"));
        QCOMPARE(convert(&PdfConversion::StartPDFToTxt, m_user, dir + "/old.txt", "user"), 0);
        QVERIFY(readAll(dir + "/old.txt").contains("c0w0"));
        // Page images go beside what the folder held.
        QCOMPARE(convert(&PdfConversion::StartPDFToImage, m_plain, dir), 0);
        QCOMPARE(readAll(dir + "/plain.txt"), QByteArray("mine"));
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden).size(), 4);
        QCOMPARE(QDir(dir).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"taken"});
    }

    void cancelFromAnotherThread()
    {
        // A Cancel with nothing running does not reach the next conversion.
        PdfConversion::Cancel();
        QString const folder = freshDir();
        ConvertOptions options;
        options.imageType = pdfconv::base::ImageTypePng;
        options.imageScale = 2.0f;
        g_pagesSeen = 0;
        g_stopFromCallback = false;
        std::atomic<int> code{-1};
        std::thread worker([&] {
            code = convert(&PdfConversion::StartPDFToImage, m_long, folder, {}, options, countPages);
        });
        QTRY_VERIFY_WITH_TIMEOUT(g_pagesSeen >= 2 || code != -1, 60000);
        QVERIFY2(code == -1, "the conversion ended before it could be cancelled");
        // One conversion at a time.
        QCOMPARE(convert(&PdfConversion::StartPDFToTxt, m_plain, freshDir() + ".txt"), int(codes::Busy));
        QElapsedTimer timer;
        timer.start();
        PdfConversion::Cancel();
        worker.join();
        QCOMPARE(code.load(), int(codes::Cancelled));
        QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(childProcesses().isEmpty());

        // The next conversion runs normally.
        QCOMPARE(convert(&PdfConversion::StartPDFToTxt, m_plain, freshDir() + ".txt"), 0);
    }

    void progressCallbackStops()
    {
        g_pagesSeen = 0;
        g_stopFromCallback = true;
        QString const out = freshDir() + ".txt";
        QCOMPARE(convert(&PdfConversion::StartPDFToTxt, m_long, out, {}, {}, countPages),
                 int(codes::Cancelled));
        g_stopFromCallback = false;
        QVERIFY(!QFileInfo::exists(out));
    }

    // A crash of the PDF library inside the helper becomes a page error here. (SIGABRT rather
    // than SIGSEGV: the sanitizer build would report a forced segmentation fault as its own.)
    void helperCrashIsAFailureNotACrash()
    {
        QString const folder = freshDir();
        ConvertOptions options;
        options.imageType = pdfconv::base::ImageTypePng;
        options.imageScale = 2.0f;
        g_pagesSeen = 0;
        std::atomic<int> code{-1};
        std::thread worker([&] {
            code = convert(&PdfConversion::StartPDFToImage, m_long, folder, {}, options, countPages);
        });
        QTRY_VERIFY_WITH_TIMEOUT(g_pagesSeen >= 1 || code != -1, 60000);
        QList<pid_t> const helpers = childProcesses();
        QCOMPARE(helpers.size(), 1);
        ::kill(helpers.first(), SIGABRT);
        worker.join();
        QCOMPARE(code.load(), int(codes::PageError));
        QVERIFY(!QFileInfo::exists(folder));
    }
    // Page images land beside what the folder holds, under free names: nothing of the
    // caller's is replaced or removed, not even when a folder bears an image's name.
    void folderOutputKeepsTheCallersFiles()
    {
        QString const dir = freshDir();
        QVERIFY(QDir().mkpath(dir + "/doc_020.jpg"));
        QStringList expected{"doc_020.jpg"};
        for (int i = 1; i <= 19; ++i) {
            QString const name = QStringLiteral("doc_%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
            QVERIFY(writeFile(dir + '/' + name, "mine " + QByteArray::number(i)));
            expected << name;
        }
        for (int i = 1; i <= 20; ++i)
            expected << QStringLiteral("doc_%1_1.jpg").arg(i, 3, 10, QLatin1Char('0'));
        expected.sort();
        QString const input = path(QStringLiteral("doc.pdf"));
        QList<PdfFixtures::Page> pages;
        for (int p = 1; p <= 20; ++p)
            pages << PdfFixtures::Page{QStringLiteral("Page %1").arg(p), {}, 1};
        QVERIFY(PdfFixtures::writePdf(input, pages));

        QCOMPARE(convert(&PdfConversion::StartPDFToImage, input, dir), 0);
        QCOMPARE(entriesBelow(dir), expected);
        for (int i = 1; i <= 19; ++i)
            QCOMPARE(readAll(QStringLiteral("%1/doc_%2.jpg").arg(dir).arg(i, 3, 10, QLatin1Char('0'))),
                     "mine " + QByteArray::number(i));
        for (int i = 1; i <= 20; ++i)
            QCOMPARE(QImageReader(QStringLiteral("%1/doc_%2_1.jpg").arg(dir).arg(i, 3, 10, QLatin1Char('0')))
                         .format(),
                     QByteArray("jpeg"));
        // A failed conversion into the same folder adds nothing and takes nothing away.
        QCOMPARE(convert(&PdfConversion::StartPDFToImage, m_user, dir), 3);
        QCOMPARE(entriesBelow(dir), expected);
    }

    void outputNames_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("kind"); // 0 text file, 1 Word file, 2 page images, 3 CSV files
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("expected"); // patterns of the names the output folder holds

        QString const longStem(251, QLatin1Char('n'));
        QTest::newRow("hidden input, images")
            << ".hidden.pdf" << 2 << "pages" << QStringList{"\\.hidden_001\\.jpg", "\\.hidden_002\\.jpg"};
        QTest::newRow("hidden input, csv")
            << ".hidden.pdf" << 3 << "csv" << QStringList{"\\.hidden_1\\.csv", "\\.hidden_2\\.csv"};
        QTest::newRow("input named only by its suffix")
            << ".pdf" << 2 << "pages" << QStringList{"\\.pdf_001\\.jpg", "\\.pdf_002\\.jpg"};
        QTest::newRow("longest input name, images")
            << longStem + ".pdf" << 2 << "pages" << QStringList{"n{100,}_001\\.jpg", "n{100,}_002\\.jpg"};
        QTest::newRow("longest input name, csv")
            << longStem + ".pdf" << 3 << "csv" << QStringList{"n{100,}_1\\.csv", "n{100,}_2\\.csv"};
        QTest::newRow("longest output name, text")
            << "sample.pdf" << 0 << QString(251, QLatin1Char('t')) + ".txt" << QStringList{"t{251}\\.txt"};
        QTest::newRow("longest output name, word")
            << "sample.pdf" << 1 << QString(250, QLatin1Char('w')) + ".docx" << QStringList{"w{250}\\.docx"};
    }

    void outputNames()
    {
        QFETCH(QString, input);
        QFETCH(int, kind);
        QFETCH(QString, output);
        QFETCH(QStringList, expected);
        if (!QFileInfo::exists(path(input)))
            QVERIFY(QFile::copy(m_plain, path(input)));
        QString const dir = freshDir();
        QVERIFY(QDir().mkpath(dir));
        ConvertOptions options;
        options.csvOutput = kind == 3;
        options.excelAllContent = true;
        options.excelSheetPerTable = false;
        Start const start = kind == 0   ? &PdfConversion::StartPDFToTxt
                            : kind == 1 ? &PdfConversion::StartPDFToWord
                            : kind == 2 ? &PdfConversion::StartPDFToImage
                                        : &PdfConversion::StartPDFToExcel;
        QCOMPARE(convert(start, path(input), dir + '/' + output, QByteArray(), options), 0);
        QString const folder = kind >= 2 ? dir + '/' + output : dir;
        QStringList const names = entriesBelow(folder);
        QCOMPARE(names.size(), expected.size());
        for (int i = 0; i < names.size(); ++i) {
            QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(expected.at(i)))
                         .match(names.at(i))
                         .hasMatch(),
                     qPrintable(names.at(i)));
            QVERIFY(QFileInfo(folder + '/' + names.at(i)).size() > 0);
        }
    }

    // Every folder a failed conversion created is gone again, not only the innermost one.
    void failureRemovesTheFoldersItCreated()
    {
        for (bool csv : {false, true}) {
            QString const top = freshDir();
            ConvertOptions options;
            options.csvOutput = csv;
            options.excelAllContent = true;
            QCOMPARE(convert(csv ? &PdfConversion::StartPDFToExcel : &PdfConversion::StartPDFToImage, m_user,
                             top + "/a/b/c", QByteArray(), options),
                     3);
            QVERIFY(!QFileInfo::exists(top));
            // A folder that was there before stays.
            QVERIFY(QDir().mkpath(top + "/a"));
            QCOMPARE(convert(csv ? &PdfConversion::StartPDFToExcel : &PdfConversion::StartPDFToImage, m_user,
                             top + "/a/b/c", QByteArray(), options),
                     3);
            QCOMPARE(entriesBelow(top), QStringList{"a"});
        }
    }

    // Whatever ends a conversion, the files its writers keep while they work are gone with it.
    void temporariesGoWithTheConversion_data()
    {
        QTest::addColumn<int>("kind"); // 0 Word, 1 Excel, 2 searchable PDF
        QTest::addColumn<bool>("kill");
        QTest::newRow("word, cancelled") << 0 << false;
        QTest::newRow("word, helper killed") << 0 << true;
        QTest::newRow("excel, cancelled") << 1 << false;
        QTest::newRow("searchable, cancelled") << 2 << false;
        QTest::newRow("searchable, helper killed") << 2 << true;
    }

    void temporariesGoWithTheConversion()
    {
        QFETCH(int, kind);
        QFETCH(bool, kill);
        Start const start = kind == 0   ? &PdfConversion::StartPDFToWord
                            : kind == 1 ? &PdfConversion::StartPDFToExcel
                                        : &PdfConversion::StartPDFToSearchablePdf;
        QString const suffix = kind == 0 ? ".docx" : kind == 1 ? ".xlsx" : ".pdf";
        ConvertOptions options;
        options.excelAllContent = true;
        bool caught = false;
        for (int attempt = 0; attempt < 5 && !caught; ++attempt) {
            QString const dir = freshDir();
            QVERIFY(QDir().mkpath(dir));
            std::atomic<int> code{-1};
            std::thread worker([&] { code = convert(start, m_long, dir + "/out" + suffix, {}, options); });
            while (code == -1 && !caught) {
                for (auto const& name : entriesBelow(dir))
                    caught = caught || isWriterTemporary(name);
                if (!caught)
                    continue;
                if (kill) {
                    for (pid_t helper : childProcesses())
                        ::kill(helper, SIGKILL);
                } else {
                    PdfConversion::Cancel();
                }
            }
            worker.join();
            if (caught) {
                QVERIFY(code != 0);
                QCOMPARE(entriesBelow(dir), QStringList());
            } else {
                QCOMPARE(code.load(), 0);
            }
        }
        QVERIFY2(caught, "the writer's temporary file never showed");
    }

    // A callback that throws is the caller's fault, but the conversion still cleans up after
    // itself and the next one runs.
    void throwingCallbackLeavesNothing_data()
    {
        QTest::addColumn<bool>("outOfMemory");
        QTest::newRow("exception") << false;
        QTest::newRow("out of memory") << true;
    }

    void throwingCallbackLeavesNothing()
    {
        QFETCH(bool, outOfMemory);
        for (Start start : {&PdfConversion::StartPDFToTxt, &PdfConversion::StartPDFToImage}) {
            QString const dir = freshDir();
            QVERIFY(QDir().mkpath(dir));
            QString const out = dir + (start == &PdfConversion::StartPDFToTxt ? "/out.txt" : "/pages");
            QCOMPARE(convert(start, m_long, out, {}, {}, outOfMemory ? throwBadAlloc : throwRuntimeError),
                     outOfMemory ? int(codes::OutOfMemory) : int(codes::OutputError));
            QCOMPARE(entriesBelow(dir), QStringList());
            QVERIFY(childProcesses().isEmpty());
        }
        QCOMPARE(convert(&PdfConversion::StartPDFToTxt, m_plain, freshDir() + ".txt"), 0);
    }

    // The helper holds the password in its memory: a crash must not write it to a core file.
    void helperWritesNoCoreFile()
    {
        rlimit original{};
        QCOMPARE(getrlimit(RLIMIT_CORE, &original), 0);
        if (original.rlim_max == 0)
            QSKIP("core files are off for this test already");
        rlimit allowed = original;
        allowed.rlim_cur = original.rlim_max;
        QCOMPARE(setrlimit(RLIMIT_CORE, &allowed), 0);
        ConvertOptions options;
        options.imageType = pdfconv::base::ImageTypePng;
        options.imageScale = 2.0f;
        g_pagesSeen = 0;
        g_stopFromCallback = false;
        std::atomic<int> code{-1};
        QString const folder = freshDir();
        std::thread worker([&] {
            code = convert(&PdfConversion::StartPDFToImage, m_long, folder, "user", options, countPages);
        });
        QTRY_VERIFY_WITH_TIMEOUT(g_pagesSeen >= 1 || code != -1, 60000);
        QList<pid_t> const helpers = childProcesses();
        QByteArray limits;
        if (!helpers.isEmpty())
            limits = readAll(QStringLiteral("/proc/%1/limits").arg(helpers.first()));
        bool const rootOwned =
            !helpers.isEmpty() &&
            QFileInfo(QStringLiteral("/proc/%1/environ").arg(helpers.first())).ownerId() == 0;
        PdfConversion::Cancel();
        worker.join();
        setrlimit(RLIMIT_CORE, &original);
        QCOMPARE(helpers.size(), 1);
        QRegularExpressionMatch const core =
            QRegularExpression(QStringLiteral("Max core file size\\s+(\\S+)\\s+(\\S+)"))
                .match(QString::fromLatin1(limits));
        QVERIFY2(core.hasMatch(), limits.constData());
        QCOMPARE(core.captured(1), QStringLiteral("0"));
        QCOMPARE(core.captured(2), QStringLiteral("0"));
        // Not dumpable: its /proc entries belong to root (telling only when we are not root).
        if (getuid() != 0)
            QVERIFY(rootOwned);
    }

    // Every library in the helper converts text through the C library's converters: a stand-in
    // the helper defined would serve them all, and one handed out again keeps the byte order an
    // earlier text chose.
    void helperLeavesTextConvertersToTheCLibrary_data()
    {
        QTest::addColumn<QByteArray>("function");
        QTest::newRow("open") << QByteArray("iconv_open");
        QTest::newRow("close") << QByteArray("iconv_close");
    }

    void helperLeavesTextConvertersToTheCLibrary()
    {
        QFETCH(QByteArray, function);
        QProcess nm;
        nm.start(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"),
                                        QStringLiteral(DOCQUILL_WORKER_PATH)});
        QVERIFY2(nm.waitForFinished(60000), qPrintable(nm.errorString()));
        QCOMPARE(nm.exitCode(), 0);
        QByteArray const symbols = nm.readAllStandardOutput();
        QVERIFY(!symbols.isEmpty()); // nm read the helper
        QRegularExpressionMatch const defined =
            QRegularExpression(QStringLiteral("^.*\\s%1(@.*)?$").arg(QString::fromLatin1(function)),
                               QRegularExpression::MultilineOption)
                .match(QString::fromLatin1(symbols));
        QVERIFY2(!defined.hasMatch(), qPrintable(defined.captured(0)));
    }

    // The password as typed, in UTF-8 or in Latin-1, opens every kind of encryption: older
    // kinds keep single-byte passwords, AES-256 keeps UTF-8.
    void nonAsciiPasswords_data()
    {
        QTest::addColumn<QStringList>("encryption");
        QTest::addColumn<QByteArray>("password");
        QByteArray const utf8 = QStringLiteral("pässwörd").toUtf8();
        QByteArray const latin1 = QStringLiteral("pässwörd").toLatin1();
        QList<QPair<char const*, QStringList>> const kinds{{"rc4-40", {"40"}},
                                                           {"rc4-128", {"128", "--use-aes=n"}},
                                                           {"aes-128", {"128", "--use-aes=y"}},
                                                           {"aes-256", {"256"}}};
        for (auto const& kind : kinds) {
            QTest::newRow(qPrintable(QStringLiteral("%1, utf-8").arg(kind.first))) << kind.second << utf8;
            QTest::newRow(qPrintable(QStringLiteral("%1, latin-1").arg(kind.first))) << kind.second << latin1;
        }
    }

    void nonAsciiPasswords()
    {
        QFETCH(QStringList, encryption);
        QFETCH(QByteArray, password);
        QString const locked = path(QStringLiteral("umlaut-%1.pdf").arg(encryption.join(QString())));
        if (!QFileInfo::exists(locked))
            QVERIFY(encryptWithBytes(m_plain, locked, QStringLiteral("pässwörd").toUtf8(), encryption));
        for (Start start : {&PdfConversion::StartPDFToTxt, &PdfConversion::StartPDFToWord,
                            &PdfConversion::StartPDFToImage, &PdfConversion::StartPDFToSearchablePdf}) {
            QString const out = freshDir() + (start == &PdfConversion::StartPDFToTxt     ? ".txt"
                                              : start == &PdfConversion::StartPDFToWord  ? ".docx"
                                              : start == &PdfConversion::StartPDFToImage ? ""
                                                                                         : ".pdf");
            QCOMPARE(convert(start, locked, out, password), 0);
            QVERIFY(QFileInfo::exists(out));
        }
        QCOMPARE(convert(&PdfConversion::StartPDFToTxt, locked, freshDir() + ".txt", "passwort"), 3);
    }

    // A page made to keep a reader busy for minutes gets a plainer reading order instead, and
    // the conversion goes on from page to page.
    void crowdedPageIsBounded_data()
    {
        QTest::addColumn<bool>("word");
        QTest::newRow("text") << false;
        QTest::newRow("word") << true;
    }

    void crowdedPageIsBounded()
    {
        QFETCH(bool, word);
        QString const input = path(QStringLiteral("crowded.pdf"));
        if (!QFileInfo::exists(input))
            QVERIFY(writeFile(
                input, rawPdf({"BT /F1 12 Tf 72 700 Td (First page words) Tj ET", crowdedLineStream(60000),
                               "BT /F1 12 Tf 72 700 Td (Last page words) Tj ET"})));
        QVERIFY(QFileInfo(input).size() < 8000);
        QString const out = freshDir() + (word ? ".docx" : ".txt");
        g_lastPage = 0;
        std::atomic<int> code{-1};
        std::thread worker([&] {
            code = convert(word ? &PdfConversion::StartPDFToWord : &PdfConversion::StartPDFToTxt, input, out,
                           {}, {}, trackPages);
        });
        // Not a speed target: a guard against a conversion that would run for minutes.
        QElapsedTimer waited;
        waited.start();
        while (code == -1 && waited.elapsed() < 60000)
            QTest::qWait(20);
        if (code == -1)
            PdfConversion::Cancel();
        worker.join();
        QVERIFY2(waited.elapsed() < 60000, "the crowded page held the conversion for a minute");
        QCOMPARE(code.load(), 0);
        QCOMPARE(g_lastPage.load(), 3);
        if (word)
            return;
        QString const text = QString::fromUtf8(readAll(out));
        QStringList const pages = text.split(QLatin1Char('\f'));
        QCOMPARE(pages.size(), 3);
        QCOMPARE(pages.at(0).trimmed(), QStringLiteral("First page words"));
        QCOMPARE(pages.at(2).trimmed(), QStringLiteral("Last page words"));
        QVERIFY2(pages.at(1).count(QRegularExpression(QStringLiteral("\\d"))) > 40000,
                 qPrintable(pages.at(1).left(200)));
        QVERIFY(pages.at(1).contains(QStringLiteral("0 1 2 3 4 5 6 7 8 9")));
    }

    // Hand-made hostile files end within the limits, read or refused with their reason; nothing
    // of them stays behind, no helper is left running, and the next file converts.
    void hostileFiles_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("target"); // 0 text, 1 Word, 2 page images
        QTest::addColumn<int>("expected");
        using namespace PdfFixtures::Hostile;
        struct Case
        {
            char const* name;
            Kind kind;
            int expected;
        };
        Case const cases[] = {{"huge inline image", HugeInlineImage, codes::Success},
                              {"wide width ranges", WideWidthRanges, codes::Success},
                              {"forms drawn twice", FormsDrawnTwice, codes::TimeLimit},
                              {"unbalanced saves", UnbalancedSaves, codes::MemoryLimit},
                              {"nested arrays", NestedArrays, codes::Success},
                              {"many lines", ManyLines, codes::Success}};
        for (Case const& c : cases)
            for (int target : {0, 1, 2})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(c.name).arg(target == 0   ? "text"
                                                                                  : target == 1 ? "word"
                                                                                                : "images")))
                    << int(c.kind) << target << c.expected;
    }

    void hostileFiles()
    {
        QFETCH(int, kind);
        QFETCH(int, target);
        QFETCH(int, expected);
        QString const input = path(QStringLiteral("hostile%1.pdf").arg(kind));
        if (!QFileInfo::exists(input))
            QVERIFY(PdfFixtures::Hostile::write(input, PdfFixtures::Hostile::Kind(kind)));
        QString const dir = freshDir();
        QVERIFY(QDir().mkpath(dir));
        QString const out = dir + (target == 0 ? "/out.txt" : target == 1 ? "/out.docx" : "/pages");
        Start const start = target == 0   ? &PdfConversion::StartPDFToTxt
                            : target == 1 ? &PdfConversion::StartPDFToWord
                                          : &PdfConversion::StartPDFToImage;
        QCOMPARE(convert(start, input, out), expected);
        QVERIFY(childProcesses().isEmpty());
        if (expected != codes::Success) {
            QCOMPARE(entriesBelow(dir), QStringList());
        } else if (target == 0) {
            QVERIFY(QString::fromUtf8(readAll(out)).contains(QStringLiteral("Before")));
        } else {
            QVERIFY(QFileInfo(out).size() > 0);
        }
        QCOMPARE(convert(&PdfConversion::StartPDFToTxt, m_plain, freshDir() + ".txt"), 0);
    }

    // A helper that hangs, or takes more memory than a conversion may, is stopped from outside
    // with the reason; its staging goes with it and the next conversion runs as usual. The
    // crowded page of lines itself is drawn within the memory allowed.
    void limitsStopTheHelper_data()
    {
        QTest::addColumn<bool>("hang");
        QTest::addColumn<int>("stallSeconds");
        QTest::addColumn<int>("pageSeconds");
        QTest::addColumn<float>("scale"); // of the page images
        QTest::addColumn<int>("expected");
        QTest::newRow("no page done for a while") << true << 1 << 0 << 1.0f << int(codes::TimeLimit);
        QTest::newRow("longer than its pages may take") << true << 0 << 1 << 1.0f << int(codes::TimeLimit);
        QTest::newRow("more memory than allowed") << false << 0 << 0 << 6.0f << int(codes::MemoryLimit);
        QTest::newRow("crowded page in the memory allowed") << false << 0 << 0 << 1.0f << int(codes::Success);
    }

    void limitsStopTheHelper()
    {
        QFETCH(bool, hang);
        QFETCH(int, stallSeconds);
        QFETCH(int, pageSeconds);
        QFETCH(float, scale);
        QFETCH(int, expected);
#if defined(__SANITIZE_ADDRESS__)
        if (expected == codes::Success)
            QSKIP("the memory a sanitizer build takes says nothing of the limit");
#endif
        // A page image of the crowded page of lines at six times the resolution holds
        // several hundred megabytes; at its own, a few tens.
        QString const input = path(QStringLiteral("lines.pdf"));
        if (!QFileInfo::exists(input))
            QVERIFY(PdfFixtures::Hostile::write(input, PdfFixtures::Hostile::ManyLines));
        pdfconv::common::LibraryManager::SetLimitsForTesting(hang ? 0 : 200LL << 20, stallSeconds,
                                                             pageSeconds);
        if (hang)
            qputenv("DOCQUILL_WORKER_HANG_FOR_TESTING", "1");
        QString const dir = freshDir();
        ConvertOptions options;
        options.imageType = pdfconv::base::ImageTypePng;
        options.imageScale = scale;
        int const code =
            convert(&PdfConversion::StartPDFToImage, input, dir + "/pages", QByteArray(), options);
        qunsetenv("DOCQUILL_WORKER_HANG_FOR_TESTING");
        pdfconv::common::LibraryManager::SetLimitsForTesting(0, 0, 0);
        QCOMPARE(code, expected);
        if (expected == codes::Success)
            QCOMPARE(entriesBelow(dir),
                     (QStringList{QStringLiteral("pages"), QStringLiteral("pages/lines_001.png")}));
        else
            QVERIFY(!QFileInfo::exists(dir));
        QVERIFY(childProcesses().isEmpty());
        QCOMPARE(convert(&PdfConversion::StartPDFToTxt, m_plain, freshDir() + ".txt"), 0);
    }
};

QTEST_MAIN(TestPdfConversion)
#include "TestPdfConversion.moc"

#include "PdfFixtures.h"
#include "TestHome.h"
#include "engine/ContentParser.h"
#include "engine/Job.h"
#include "engine/JobSink.h"
#include "engine/PathSplitter.h"
#include "engine/PdfGraphics.h"

#include <pdfconv/base/ResultCode.h>

#include <QDir>
#include <QLinearGradient>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QtTest>

#include <functional>
#include <mutex>
#include <thread>

#include <iconv.h>

using namespace pdfconv;

namespace {

class RecordingSink : public engine::JobSink
{
public:
    void log(bool, QString const&) override {}
    void opened(int) override {}
    void pageDone(int, int) override {}
    void fileWritten(QString const& name) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_files << name;
    }
    QStringList files()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_files;
    }

private:
    std::mutex m_mutex;
    QStringList m_files;
};

// A large first page full of drawing, then small quick ones.
bool writeSlowFirstPage(QString const& path, int smallPages)
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(QPageSize(QSizeF(1200, 1600), QPageSize::Point));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int i = 0; i < 60; ++i) {
        QLinearGradient gradient(0, i * 5, 1600, 2200 - i * 5);
        gradient.setColorAt(0, QColor::fromHsv(i % 360, 200, 220));
        gradient.setColorAt(1, QColor::fromHsv((i * 7) % 360, 120, 160));
        painter.setBrush(gradient);
        painter.setOpacity(0.3);
        painter.drawEllipse(QRectF((i * 37) % 1400, (i * 53) % 2000, 200 + i, 200 + i / 2));
    }
    painter.setOpacity(1);
    for (int p = 0; p < smallPages; ++p) {
        writer.setPageSize(QPageSize(QSizeF(72, 72), QPageSize::Point));
        writer.newPage();
        painter.drawText(QPointF(10, 40), QString::number(p + 2));
    }
    return painter.end();
}

// The operators of a content stream as "operands operator", one after the other.
QString operators(QByteArray const& content)
{
    std::function<QString(engine::Operand const&)> shown = [&](engine::Operand const& o) {
        switch (o.kind) {
        case engine::Operand::Kind::Number:
            return QString::number(o.number, 'g', QLocale::FloatingPointShortest);
        case engine::Operand::Kind::Name:
            return QString::fromStdString(o.text);
        case engine::Operand::Kind::String:
            return QLatin1Char('(') + QString::fromLatin1(o.text.data(), int(o.text.size())) +
                   QLatin1Char(')');
        case engine::Operand::Kind::Array: {
            QStringList items;
            for (auto const& item : o.items)
                items << shown(item);
            return QLatin1Char('[') + items.join(QLatin1Char(' ')) + QLatin1Char(']');
        }
        default:
            return QStringLiteral("?");
        }
    };
    engine::ContentParser parser(content.constData(), content.constData() + content.size());
    std::vector<engine::Operand> operands;
    std::string op;
    QStringList out;
    while (parser.next(operands, op)) {
        QStringList line;
        for (auto const& o : operands)
            line << shown(o);
        out << (line << QString::fromStdString(op)).join(QLatin1Char(' '));
    }
    return out.join(QStringLiteral("; "));
}

QByteArray converted(iconv_t cd, QByteArray in)
{
    QByteArray out(64, '\0');
    char* from = in.data();
    char* to = out.data();
    size_t left = size_t(in.size()), room = size_t(out.size());
    if (iconv(cd, &from, &left, &to, &room) == size_t(-1))
        return "failed";
    return out.left(out.size() - int(room));
}

} // namespace

class TestConversionEngine : public QObject
{
    Q_OBJECT

private:
    TestHome m_home;

private slots:
    // poppler sets up shared state on first use without a lock, so the first page is done
    // alone before the page threads start: its image is always the first one written.
    void firstPageBeforeTheOthers()
    {
        QString const input = m_home.filePath("slow-first.pdf");
        QVERIFY(writeSlowFirstPage(input, 12));
        QString const staging = m_home.filePath("pages");
        QVERIFY(QDir().mkpath(staging));
        engine::Job job;
        job.target = engine::Target::Image;
        job.input = input;
        job.staging = staging;
        job.baseName = QStringLiteral("slow");
        job.threads = 4;
        RecordingSink sink;
        QCOMPARE(engine::runJob(job, sink), int(base::Success));
        QStringList const files = sink.files();
        QCOMPARE(files.size(), 13);
        QCOMPARE(files.first(), QStringLiteral("slow_001.jpg"));
    }
    // Content streams are read without qpdf's object parser: what its tokenizer gets right,
    // this must too, or text and pictures go missing.
    void contentOperators_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("numbers") << QByteArray("1 -2.5 .5 -.25 4. +3 0.3 396.97 612.000 Tc")
                                 << "1 -2.5 0.5 -0.25 4 3 0.3 396.97 612 Tc";
        QTest::newRow("escapes") << QByteArray("(a\\(b\\)c \\\\ \\101\\\nd) Tj") << "(a(b)c \\ Ad) Tj";
        QTest::newRow("nested parentheses") << QByteArray("(x (y) z) Tj") << "(x (y) z) Tj";
        QTest::newRow("hex string") << QByteArray("<48 65 6C6c 6> Tj") << "(Hell`) Tj";
        QTest::newRow("escaped name") << QByteArray("/Im#201 Do") << "/Im 1 Do";
        QTest::newRow("kerned array") << QByteArray("[(A) -120 (B)] TJ") << "[(A) -120 (B)] TJ";
        QTest::newRow("dictionary with >> in a string")
            << QByteArray("/Span <</Alt (x>>) /MCID 3>> BDC (t) Tj") << "/Span ? BDC; (t) Tj";
        QTest::newRow("comment") << QByteArray("% 9 w\n1 w") << "1 w";
        QTest::newRow("inline image holding EI")
            << QByteArray("q BI /W 2 /H 1 /BPC 8 /CS /G ID EI EI Q") << "q; BI; Q";
        QTest::newRow("stray closers") << QByteArray("] >> ) 2 w") << "2 w";
        QTest::newRow("unterminated string") << QByteArray("1 w (abc Tj") << "1 w";
        // Arrays keep a bounded number of items, nested ones included; what follows still reads.
        QTest::newRow("more items than kept")
            << "[" + QByteArray("[1] ").repeated(60000) + "] TJ 2 w"
            << "[" + QVector<QString>(50000, QStringLiteral("[1]")).toList().join(QLatin1Char(' ')) +
                   "] TJ; 2 w";
    }

    void contentOperators()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QCOMPARE(operators(content), expected);
    }

    // A stroke of more points than the PDF library draws in bounded memory is stroked in
    // pieces, each ending where a subpath starts, or inside a long subpath when no dash
    // pattern is set; a path that fills, clips or is broken by other operators stays whole.
    void longStrokesCut_data()
    {
        QTest::addColumn<int>("subpaths");
        QTest::addColumn<int>("points"); // each
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("between");
        QTest::addColumn<QByteArray>("paint");
        QTest::addColumn<bool>("solid"); // the stream starts undashed
        QTest::addColumn<int>("pieces");
        QByteArray const none;
        QTest::newRow("stroked") << 120 << 1000 << none << none << QByteArray("S") << true << 3;
        QTest::newRow("closed and stroked") << 120 << 1000 << none << none << QByteArray("s") << true << 3;
        QTest::newRow("short") << 40 << 1000 << none << none << QByteArray("S") << true << 1;
        QTest::newRow("filled") << 120 << 1000 << none << none << QByteArray("f") << true << 1;
        QTest::newRow("filled and stroked") << 120 << 1000 << none << none << QByteArray("B") << true << 1;
        QTest::newRow("clipping") << 120 << 1000 << none << none << QByteArray("W S") << true << 1;
        QTest::newRow("other operators inside")
            << 120 << 1000 << none << QByteArray("2 w") << QByteArray("S") << true << 1;
        QTest::newRow("one subpath") << 1 << 120000 << none << none << QByteArray("S") << true << 3;
        QTest::newRow("one dashed subpath")
            << 1 << 120000 << QByteArray("[3 2] 0 d") << none << QByteArray("S") << true << 1;
        QTest::newRow("one subpath, dashed before")
            << 1 << 120000 << QByteArray("q [3 2] 0 d Q") << none << QByteArray("S") << true << 1;
        QTest::newRow("one subpath, dash unknown")
            << 1 << 120000 << none << none << QByteArray("S") << false << 1;
        QTest::newRow("dashed subpaths")
            << 120 << 1000 << QByteArray("[3 2] 0 d") << none << QByteArray("S") << false << 3;
    }

    void longStrokesCut()
    {
        QFETCH(int, subpaths);
        QFETCH(int, points);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, between);
        QFETCH(QByteArray, paint);
        QFETCH(bool, solid);
        QFETCH(int, pieces);
        QByteArray content = "0.1 w " + before + "\n";
        for (int s = 0; s < subpaths; ++s) {
            content += "72 " + QByteArray::number(100 + s) + " m\n";
            for (int i = 1; i < points; ++i)
                content += QByteArray::number(72 + i % 400) + ' ' +
                           QByteArray::number(100 + s + i / 400 * 0.5) + " l\n";
            if (s == subpaths / 2)
                content += between + '\n';
        }
        content += paint + "\n1 0 0 RG\n";
        std::string out;
        QCOMPARE(engine::PathSplitter::split(content.toStdString(), solid, out), pieces > 1);
        if (pieces == 1)
            return;
        // The same operators, with a stroke where each piece ends, and a move back to where it
        // ended when that is inside a subpath.
        QRegularExpression const inside(QStringLiteral("; ([^;]+) l; S; \\1 m;"));
        QRegularExpression const atStart(QStringLiteral("; S(?=; [^;]+ m;)"));
        QString cutOps = operators(QByteArray::fromStdString(out));
        int const cuts = cutOps.count(inside);
        cutOps.replace(inside, QStringLiteral("; \\1 l;"));
        QCOMPARE(cuts + cutOps.count(atStart), pieces - 1);
        QCOMPARE(cutOps.remove(atStart), operators(content));
    }

    // Text, fills and rules painted in a colour space the page names keep their colour.
    void namedColourSpaces_data()
    {
        QTest::addColumn<QByteArray>("resources"); // object 1 is the row's stream, when it has one
        QTest::addColumn<QByteArray>("stream");    // its dictionary
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("colour"); // the operands of scn and SCN
        QTest::addColumn<QColor>("expected");
        auto const row = [](char const* name, QByteArray const& space, QByteArray const& colour,
                            QColor const& expected, QByteArray const& stream = {},
                            QByteArray const& data = {}) {
            QByteArray const resources =
                space.startsWith("/ColorSpace") ? space : "/ColorSpace << /CS0 " + space + " >>";
            QTest::newRow(name) << resources << stream << data << colour << expected;
        };
        row("name of DeviceRGB", "/DeviceRGB", "1 0 0", QColor(255, 0, 0));
        row("ICC profile, one ink", "[/ICCBased 1 0 R]", "0.5", QColor(128, 128, 128), "/N 1", "profile");
        row("ICC profile, its alternate", "[/ICCBased 1 0 R]", "0 0.5 0", QColor(0, 128, 0),
            "/N 3 /Alternate /DeviceRGB", "profile");
        row("CalRGB", "[/CalRGB << /WhitePoint [0.9505 1 1.089] >>]", "0 0 1", QColor(0, 0, 255));
        row("Lab", "[/Lab << /WhitePoint [0.9505 1 1.089] /Range [-128 127 -128 127] >>]", "53.24 80.09 67.2",
            QColor(255, 0, 0));
        row("indexed", "[/Indexed /DeviceRGB 1 <0000FF FF8000>]", "1", QColor(255, 128, 0));
        row("separation, exponential tint",
            "[/Separation /Spot /DeviceCMYK << /FunctionType 2 /Domain [0 1] /C0 [0 0 0 0] /C1 [0 1 1 0] /N "
            "1 >>]",
            "0.5", QColor(255, 128, 128));
        row("separation, sampled tint", "[/Separation /Spot /DeviceRGB 1 0 R]", "1", QColor(0, 0, 255),
            "/FunctionType 0 /Domain [0 1] /Range [0 1 0 1 0 1] /Size [2] /BitsPerSample 8",
            QByteArray::fromHex("ffffff0000ff"));
        row("process inks, calculator tint", "[/DeviceN [/Cyan /Magenta] /DeviceCMYK 1 0 R]", "1 0",
            QColor(0, 255, 255), "/FunctionType 4 /Domain [0 1 0 1] /Range [0 1 0 1 0 1 0 1]", "{ 0 0 }");
        row("spot ink, calculator tint", "[/Separation /Gold /DeviceRGB 1 0 R]", "1", QColor(128, 128, 128),
            "/FunctionType 4 /Domain [0 1] /Range [0 1 0 1 0 1]", "{ dup dup }");
        row("uncoloured pattern", "[/Pattern /DeviceRGB]", "0 0 1 /P0", QColor(0, 0, 255));
        row("shading pattern",
            "/ColorSpace << /CS0 /Pattern >> /Pattern << /P0 << /PatternType 2 /Shading << /ShadingType 2 "
            "/ColorSpace /DeviceRGB /Coords [0 0 100 0] /Function << /FunctionType 2 /Domain [0 1] /C0 [1 0 "
            "0] "
            "/C1 [0 0 1] /N 1 >> >> >> >>",
            "/P0", QColor(128, 0, 128));
    }

    void namedColourSpaces()
    {
        QFETCH(QByteArray, resources);
        QFETCH(QByteArray, stream);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, colour);
        QFETCH(QColor, expected);
        PdfFixtures::RawPdf pdf;
        if (!stream.isEmpty())
            QCOMPARE(pdf.addStream(stream, data), 1);
        QByteArray const content = "/CS0 cs /CS0 CS " + colour + " scn " + colour + " SCN\n" +
                                   PdfFixtures::RawPdf::text(72, 700, "Coloured words", 12) +
                                   "100 500 200 80 re f\n2 w 72 400 m 300 400 l S\n";
        QString const file = m_home.filePath("colour.pdf");
        QVERIFY(pdf.write(file, content, resources));
        engine::PdfGraphics graphics;
        QVERIFY(graphics.open(file, std::string()));
        engine::PageGraphics const page = graphics.page(0);
        QCOMPARE(page.textSpans.size(), 1);
        QCOMPARE(page.fills.size(), 1);
        QCOMPARE(page.rulingStyles.size(), 1);
        for (QColor const& c :
             {page.textSpans.first().colour, page.fills.first().colour, page.rulingStyles.first().colour})
            QVERIFY2(std::abs(c.red() - expected.red()) <= 6 && std::abs(c.green() - expected.green()) <= 6 &&
                         std::abs(c.blue() - expected.blue()) <= 6,
                     qPrintable(c.name()));
    }
    // The PDF library opens and closes a text converter for every word, on every page thread:
    // each one starts afresh (a byte order mark again) and converts only its own pair.
    void convertersReused()
    {
        QByteArray const word = QStringLiteral("é").toUtf8();
        QByteArray const utf16 = QByteArray("\xff\xfe\xe9\x00", 4);
        for (int round = 0; round < 3; ++round) {
            iconv_t const cd = iconv_open("UTF-16", "UTF-8");
            QVERIFY(cd != iconv_t(-1));
            QCOMPARE(converted(cd, word), utf16);
            QCOMPARE(converted(cd, word).size(), 2); // past the mark now
            QCOMPARE(iconv_close(cd), 0);
            iconv_t const latin = iconv_open("ISO-8859-1", "UTF-8");
            QCOMPARE(converted(latin, word), QByteArray("\xe9"));
            QCOMPARE(iconv_close(latin), 0);
        }
        iconv_t const cd = iconv_open("UTF-16", "UTF-8");
        QCOMPARE(converted(cd, word), utf16);
        int closed = -1;
        std::thread([&] { closed = iconv_close(cd); }).join();
        QCOMPARE(closed, 0);
        iconv_t const again = iconv_open("UTF-16", "UTF-8");
        QCOMPARE(converted(again, word), utf16);
        QCOMPARE(iconv_close(again), 0);
    }
};

QTEST_MAIN(TestConversionEngine)
#include "TestConversionEngine.moc"

#include "DocRender.h"
#include "LayoutLimits.h"
#include "SourceFixtures.h"
#include "TestHome.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

using namespace docrender;
using namespace SourceFixtures;

Q_DECLARE_METATYPE(docrender::RenderError)

namespace {

void writeBytes(QString const& path, QByteArray const& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), qint64(data.size()));
}

QImage halves(int w, int h, QColor left, QColor right)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, w / 2, h, left);
    p.fillRect(w / 2, 0, w - w / 2, h, right);
    return image;
}

bool near(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) < 60 && qAbs(a.green() - b.green()) < 60 && qAbs(a.blue() - b.blue()) < 60;
}

// Resolutions stored as whole dots per metre come back a hair off.
bool sameSizes(QList<QSizeF> const& actual, QList<QSizeF> const& expected)
{
    bool same = actual.size() == expected.size();
    for (int i = 0; same && i < actual.size(); ++i)
        same = qAbs(actual[i].width() - expected[i].width()) < 0.05 &&
               qAbs(actual[i].height() - expected[i].height()) < 0.05;
    if (!same)
        qWarning() << "page sizes" << actual << "expected" << expected;
    return same;
}

// Entries of @p dir other than @p keep: what a conversion left behind.
QStringList leftovers(QString const& dir, QStringList const& keep)
{
    QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (QString const& k : keep)
        names.removeAll(k);
    return names;
}

} // namespace

class TestDocRender : public QObject
{
    Q_OBJECT

private:
    TestHome m_home;

    QString path(QString const& name) const { return m_home.filePath(name); }

private slots:
    void imagePageSizes_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QSizeF>("page");

        QTest::newRow("png at 144 dpi") << "png" << QSize(288, 144) << 144 << QSizeF(144, 72);
        QTest::newRow("bmp at 300 dpi") << "bmp" << QSize(600, 300) << 300 << QSizeF(144, 72);
        QTest::newRow("jpeg at 150 dpi") << "jpg" << QSize(300, 150) << 150 << QSizeF(144, 72);
        QTest::newRow("gif has no resolution") << "gif" << QSize(100, 50) << 300 << QSizeF(100, 50);
    }

    void imagePageSizes()
    {
        QFETCH(QString, suffix);
        QFETCH(QSize, pixels);
        QFETCH(int, dpi);
        QFETCH(QSizeF, page);
        QImage image = halves(pixels.width(), pixels.height(), Qt::red, Qt::blue);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        QString const source = path("picture." + suffix);
        QVERIFY(suffix == "gif" ? writeGif(source, image) : image.save(source));
        RenderResult const result = renderToPdf(source, path("picture.pdf"));
        QVERIFY2(result.ok(), qPrintable(result.message));
        QCOMPARE(result.pageCount, 1);
        QVERIFY(sameSizes(pdfPageSizes(path("picture.pdf")), {page}));
    }

    void tiffFramesBecomePages()
    {
        QVERIFY(writeTiff(path("frames.tiff"), {{144, 72, 72}, {300, 100, 0}, {200, 200, 400}}));
        RenderResult const result = renderToPdf(path("frames.tiff"), path("frames.pdf"));
        QVERIFY2(result.ok(), qPrintable(result.message));
        QCOMPARE(result.pageCount, 3);
        QVERIFY(sameSizes(pdfPageSizes(path("frames.pdf")), {{144, 72}, {300, 100}, {36, 36}}));
    }

    void jpegBytesAreEmbeddedUnchanged()
    {
        QString const source = path("photo.jpeg");
        QVERIFY(halves(320, 240, Qt::darkGreen, Qt::yellow).save(source, "JPEG", 80));
        QVERIFY(renderToPdf(source, path("photo.pdf")).ok());
        QFile jpeg(source);
        QFile pdf(path("photo.pdf"));
        QVERIFY(jpeg.open(QIODevice::ReadOnly) && pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().contains(jpeg.readAll()));
    }

    void misnamedImageIsReadByContent()
    {
        QVERIFY(halves(144, 72, Qt::red, Qt::blue).save(path("really-a-png.jpg"), "PNG"));
        RenderResult const result = renderToPdf(path("really-a-png.jpg"), path("misnamed.pdf"));
        QVERIFY2(result.ok(), qPrintable(result.message));
        QCOMPARE(result.pageCount, 1);
    }

    void jpegOrientationTurnsThePage_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<QPoint>("redAt");
        QTest::addColumn<QPoint>("blueAt");

        // The stored image is red on the left half, blue on the right, 200 x 100 pixels.
        QTest::newRow("upright") << 1 << QSizeF(200, 100) << QPoint(50, 50) << QPoint(150, 50);
        QTest::newRow("half turn") << 3 << QSizeF(200, 100) << QPoint(150, 50) << QPoint(50, 50);
        QTest::newRow("quarter turn clockwise") << 6 << QSizeF(100, 200) << QPoint(50, 50) << QPoint(50, 150);
        QTest::newRow("quarter turn anticlockwise")
            << 8 << QSizeF(100, 200) << QPoint(50, 150) << QPoint(50, 50);
        QTest::newRow("mirrored") << 2 << QSizeF(200, 100) << QPoint(150, 50) << QPoint(50, 50);
    }

    void jpegOrientationTurnsThePage()
    {
        QFETCH(int, orientation);
        QFETCH(QSizeF, page);
        QFETCH(QPoint, redAt);
        QFETCH(QPoint, blueAt);
        QImage image = halves(200, 100, Qt::red, Qt::blue);
        image.setDotsPerMeterX(qRound(72 / 0.0254));
        image.setDotsPerMeterY(qRound(72 / 0.0254));
        QVERIFY(writeJpegWithOrientation(path("turned.jpg"), image, orientation));
        QVERIFY(renderToPdf(path("turned.jpg"), path("turned.pdf")).ok());
        QVERIFY(sameSizes(pdfPageSizes(path("turned.pdf")), {page}));
        QImage const shown = renderPage(path("turned.pdf"), 1, 72);
        QVERIFY(near(shown.pixelColor(redAt), Qt::red));
        QVERIFY(near(shown.pixelColor(blueAt), Qt::blue));
    }

    void textEncodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");

        QString const text = QString::fromUtf8("Grüße aus Köln, Καλημέρα");
        QByteArray utf16le("\xFF\xFE", 2);
        QByteArray utf16be("\xFE\xFF", 2);
        for (QChar c : text) {
            utf16le.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
            utf16be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xff));
        }
        QTest::newRow("UTF-8") << text.toUtf8() << text;
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + text.toUtf8() << text;
        QTest::newRow("UTF-16LE with BOM") << utf16le << text;
        QTest::newRow("UTF-16BE with BOM") << utf16be << text;
        QTest::newRow("8-bit") << QByteArray("Gr\xFC\xDF"
                                             "e, caf\xE9")
                               << QString::fromUtf8("Grüße, café");
    }

    void textEncodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        writeBytes(path("note.txt"), bytes);
        RenderResult const result = renderToPdf(path("note.txt"), path("note.pdf"));
        QVERIFY2(result.ok(), qPrintable(result.message));
        QCOMPARE(pdfText(path("note.pdf")).simplified(), expected);
        QCOMPARE(pdfPageSizes(path("note.pdf")), QList<QSizeF>{QSizeF(595, 842)});
    }

    void longTextRunsOverPages()
    {
        QByteArray text;
        for (int i = 1; i <= 300; ++i)
            text += "line " + QByteArray::number(i) + " of the long text\n";
        writeBytes(path("long.txt"), text);
        RenderResult const result = renderToPdf(path("long.txt"), path("long.pdf"));
        QVERIFY(result.ok());
        QVERIFY2(result.pageCount >= 4 && result.pageCount <= 8,
                 qPrintable(QString::number(result.pageCount)));
        QString const extracted = pdfText(path("long.pdf"));
        QVERIFY(extracted.contains("line 1 of the long text"));
        QVERIFY(extracted.contains("line 300 of the long text"));
        QVERIFY(extracted.indexOf("line 299 ") < extracted.indexOf("line 300 "));
    }

    // Text that would keep Qt's layout busy for minutes or take gigabytes is laid out within
    // bounds, its words kept, or refused with the reason; nothing is left at the output.
    void hostileText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("kept"); // a word the PDF holds; empty: refused
        QTest::newRow("3 MB on one line") << "line.txt" << QByteArray("word ").repeated(600000) + "last"
                                          << "last";
        QTest::newRow("2 million empty lines")
            << "empty.txt" << QByteArray("\n").repeated(2000000) << QString();
        QTest::newRow("3,000 nested tables")
            << "tables.html"
            << "<html><body>" + QByteArray("<table><tr><td>cell").repeated(3000) + "inmost" +
                   QByteArray("</td></tr></table>").repeated(3000) + "</body></html>"
            << "inmost";
        QTest::newRow("50,000 nested divs")
            << "divs.html"
            << "<html><body>" + QByteArray("<div>text ").repeated(50000) + "inmost" +
                   QByteArray("</div>").repeated(50000) + "</body></html>"
            << "inmost";
        QTest::newRow("a million paragraphs of html")
            << "paragraphs.html"
            << "<html><body>" + QByteArray("<p>x").repeated(1000000) + "</body></html>" << QString();
    }

    void hostileText()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, kept);
        QDir(path("hostile")).removeRecursively();
        QDir(m_home.path()).mkpath("hostile");
        writeBytes(path("hostile/" + name), content);
        RenderResult const result = renderToPdf(path("hostile/" + name), path("hostile/out.pdf"));
        if (kept.isEmpty()) {
            QCOMPARE(result.error, RenderError::CannotOpen);
            QVERIFY2(result.message.contains("more than can be laid out"), qPrintable(result.message));
            QCOMPARE(leftovers(path("hostile"), {name}), QStringList());
            return;
        }
        QVERIFY2(result.ok(), qPrintable(result.message));
        QVERIFY(pdfText(path("hostile/out.pdf")).contains(kept));
    }

    // Within the limits, markup passes as it is: quoted ">" in attributes, comments, scripts,
    // a "<" in the text, paragraphs and cells that end without their end tags.
    void boundedHtmlKeepsOrdinaryPages()
    {
        QString const page =
            "<!DOCTYPE html><html><head><title>a<b</title><script>if (a<b && c>d) {}</script></head>"
            "<body><!-- <table> --><p title=\"x>y\">one<p>two < three<ul><li>a<li>b</ul>"
            "<table><tr><td>1<td>2<tr><td>3</table><br/><img src='a.png'></body></html>";
        int elements = 0;
        QCOMPARE(LayoutLimits::html(page, &elements), page);
        QCOMPARE(elements, 18);
        QString const deep =
            QString("<table><tr><td>").repeated(12) + "x" + QString("</td></tr></table>").repeated(12);
        QString const bounded = LayoutLimits::html(deep, &elements);
        QCOMPARE(bounded.count("<table>"), int(LayoutLimits::kMaxTableDepth));
        QCOMPARE(bounded.count("</table>"), int(LayoutLimits::kMaxTableDepth));
        QCOMPARE(bounded.count("<td>"), bounded.count("</td>"));
    }

    void htmlWithImageAndStyleSheet()
    {
        QDir(m_home.path()).mkpath("page/pics");
        QVERIFY(halves(400, 300, Qt::red, Qt::green).save(path("page/pics/a b.png")));
        writeBytes(path("page/look.css"), ".shout { text-transform: uppercase }");
        writeBytes(path("page/index.html"),
                   "<html><head><meta charset=\"utf-8\"><title>Fixture</title>"
                   "<link rel=\"stylesheet\" href=\"look.css\"></head><body><h1>Heading caf\xC3\xA9</h1>"
                   "<p>Body text here.</p><img src=\"pics/a%20b.png\"><p class=\"shout\">loud words</p>"
                   "<img src=\"http://example.invalid/remote.png\"></body></html>");
        RenderResult const result = renderToPdf(path("page/index.html"), path("page.pdf"));
        QVERIFY2(result.ok(), qPrintable(result.message));
        QString const extracted = pdfText(path("page.pdf"));
        QVERIFY(extracted.contains(QString::fromUtf8("Heading café")));
        QVERIFY(extracted.contains("Body text here."));
        QVERIFY(extracted.contains("LOUD WORDS")); // the linked style sheet applied
        QCOMPARE(pdfImageCount(path("page.pdf")), 1);
    }

    void rtfWithoutLibreOffice()
    {
        writeBytes(
            path("letter.rtf"),
            "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fmodern "
            "Courier New;}}{\\colortbl;\\red200\\green0\\blue0;}{\\info{\\title Hidden Title}}"
            "{\\*\\generator Hidden Generator;}\\pard\\qc\\f1\\fs28 {\\b First} caf\\'e9 "
            "\\u8364? price\\par\\pard Line {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link text}}"
            "\\par\\page Second page\\par}");
        RenderOptions options;
        options.officeProgram = path("no-such-soffice");
        RenderResult const result = renderToPdf(path("letter.rtf"), path("letter.pdf"), options);
        QVERIFY2(result.ok(), qPrintable(result.message));
        QCOMPARE(result.pageCount, 2);
        QString const extracted = pdfText(path("letter.pdf"));
        QVERIFY(extracted.contains(QString::fromUtf8("First café € price")));
        QVERIFY(extracted.contains("Line link text"));
        QVERIFY(extracted.contains("Second page"));
        for (char const* hidden : {"Times New Roman", "Courier New", "Hidden", "HYPERLINK"})
            QVERIFY2(!extracted.contains(hidden), hidden);
    }

    void epubFollowsTheSpine()
    {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(halves(200, 100, Qt::blue, Qt::yellow).save(&buffer, "PNG"));
        QVERIFY(writeEpub(
            path("book.epub"),
            {"<h1>Chapter One</h1><p>Opening words.</p>", "<h1>Chapter Two</h1><p>Closing words.</p>"}, png));
        RenderResult const result = renderToPdf(path("book.epub"), path("book.pdf"));
        QVERIFY2(result.ok(), qPrintable(result.message));
        QCOMPARE(result.pageCount, 2);
        QString const extracted = pdfText(path("book.pdf"));
        QVERIFY(extracted.indexOf("Chapter One") >= 0);
        QVERIFY(extracted.indexOf("Chapter One") < extracted.indexOf("Closing words."));
        QCOMPARE(pdfImageCount(path("book.pdf")), 1);
    }

    void chmFollowsTheContents()
    {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(halves(120, 60, Qt::green, Qt::blue).save(&buffer, "PNG"));
        QByteArray const contents = "<html><body><ul>"
                                    "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Beta\">"
                                    "<param name=\"Local\" value=\"topics/beta.htm#top\"></object>"
                                    "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Alpha\">"
                                    "<param name=\"Local\" value=\"alpha.htm\"></object>"
                                    "<li><object type=\"text/sitemap\"><param name=\"Local\" "
                                    "value=\"topics/beta.htm\"></object></ul></body></html>";
        QVERIFY(writeChm(path("help.chm"),
                         {{"/toc.hhc", contents},
                          {"/alpha.htm", "<html><body><p>Alpha topic text</p></body></html>"},
                          {"/topics/beta.htm",
                           "<html><body><p>Beta topic text</p><img src=\"../img/p.png\"></body></html>"},
                          {"/img/p.png", png}}));
        RenderResult const result = renderToPdf(path("help.chm"), path("help.pdf"));
        QVERIFY2(result.ok(), qPrintable(result.message));
        QCOMPARE(result.pageCount, 2);
        QString const extracted = pdfText(path("help.pdf"));
        QVERIFY(extracted.indexOf("Beta topic text") >= 0);
        QVERIFY(extracted.indexOf("Beta topic text") < extracted.indexOf("Alpha topic text"));
        QCOMPARE(pdfImageCount(path("help.pdf")), 1);
    }

    // A browser shows an image it cannot load as its alt text, or not at all; which image
    // plugins happen to be installed must not matter.
    void unloadableImages_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("images");
        QTest::addColumn<QString>("text");

        QString const remote = "<img src=\"http://example.invalid/remote.png\"";
        QTest::newRow("remote") << "page.html"
                                << "<p>one " + remote + "> two</p>" << 0 << "one two";
        QTest::newRow("missing with alt text")
            << "page.html"
            << "<p>one <img src=\"gone.png\" alt=\" Harbour\n at  dawn\"> two</p>" << 0
            << "one Harbour at dawn two";
        QTest::newRow("missing without alt text")
            << "page.html"
            << "<p>one <img src=\"gone.png\"> two <img src=\"gone.png\" width=\"9\"> three</p>" << 0
            << "one two three";
        QTest::newRow("damaged") << "page.html"
                                 << "<p>one <img src=\"damaged.png\" alt=\"Chart\"> two "
                                    "<img src=\"data:image/png;base64,iVBORw0KGgo=\" alt=\"Dot\"> three</p>"
                                 << 0 << "one Chart two Dot three";
        QTest::newRow("too large") << "page.html"
                                   << "<p>one <img src=\"huge.png\" alt=\"Poster\"> two</p>" << 0
                                   << "one Poster two";
        QTest::newRow("side by side with a loaded one")
            << "page.html"
            << "<p>one <img src=\"gone.png\" alt=\"A\"><img src=\"gone.png\" alt=\"A\"><img src=\"real.png\">"
               "<img src=\"damaged.png\"> two</p>"
            << 1 << "one AA two";
        QTest::newRow("linked and floated")
            << "page.html"
            << "<p>one <a href=\"#t\"><img src=\"gone.png\" alt=\"Next\" align=\"right\"></a> two</p>" << 0
            << "one Next two";
        QTest::newRow("epub")
            << "book.epub"
            << "<p>one <img src=\"../images/gone.png\" alt=\"Map\"> two <img src=\"x.png\"> three</p>" << 1
            << "one Map two three";
        QTest::newRow("chm") << "help.chm"
                             << "<p>one <img src=\"damaged.png\" alt=\"Diagram\"> two " + remote +
                                    "> three</p>"
                             << 0 << "one Diagram two three";
        QTest::newRow("rtf") << "letter.rtf"
                             << "{\\rtf1\\ansi one {\\pict\\pngblip\\picwgoal600\\pichgoal400 HUGE} two "
                                "{\\pict\\pngblip DAMAGED} three {\\pict\\pngblip REAL}\\par}"
                             << 1 << "one two three";
    }

    void unloadableImages()
    {
        QFETCH(QString, source);
        QFETCH(QString, body);
        QFETCH(int, images);
        QFETCH(QString, text);
        QString const dir = path("unloadable");
        QDir(dir).removeRecursively();
        QVERIFY(QDir().mkpath(dir + "/http:/example.invalid"));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(halves(40, 30, Qt::red, Qt::blue).save(&buffer, "PNG"));
        // Decoding this would take 72 megapixels.
        QImage huge(9000, 8000, QImage::Format_Mono);
        huge.fill(0);
        QByteArray hugePng;
        QBuffer hugeBuffer(&hugePng);
        hugeBuffer.open(QIODevice::WriteOnly);
        QVERIFY(huge.save(&hugeBuffer, "PNG"));
        QList<QPair<QString, QByteArray>> const files{
            {"real.png", png}, {"damaged.png", "\x89PNG\r\n\x1a\nbroken"}, {"huge.png", hugePng}};
        // A file named like the remote address in the working folder must not stand in for it.
        writeBytes(dir + "/http:/example.invalid/remote.png", png);

        QByteArray const page = "<html><body>" + body.toUtf8() + "</body></html>";
        QString const input = dir + '/' + source;
        if (source.endsWith(".html")) {
            for (auto const& file : files)
                writeBytes(dir + '/' + file.first, file.second);
            writeBytes(input, page);
        } else if (source.endsWith(".rtf")) {
            QByteArray rtf = body.toLatin1();
            for (auto const& file : files)
                rtf.replace(QFileInfo(file.first).baseName().toUpper().toLatin1(), file.second.toHex());
            writeBytes(input, rtf);
        } else if (source.endsWith(".epub")) {
            QVERIFY(writeEpub(input, {body}, png));
        } else {
            QList<QPair<QString, QByteArray>> members{
                {"/toc.hhc", "<html><body><ul><li><object type=\"text/sitemap\"><param name=\"Local\" "
                             "value=\"topic.htm\"></object></ul></body></html>"},
                {"/topic.htm", page}};
            for (auto const& file : files)
                members << qMakePair('/' + file.first, file.second);
            QVERIFY(writeChm(input, members));
        }
        QString const previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir));
        RenderOptions options;
        options.officeProgram = path("no-such-soffice");
        RenderResult const result = renderToPdf(input, dir + "/out.pdf", options);
        QDir::setCurrent(previous);
        QVERIFY2(result.ok(), qPrintable(result.message));
        QCOMPARE(pdfImageCount(dir + "/out.pdf"), images);
        QCOMPARE(pdfText(dir + "/out.pdf").simplified(), text);
    }

    // An image that cannot be loaded keeps the room a loaded one of its declared size takes, so
    // the text after it stays where the author put it; without both dimensions it takes none.
    void unloadableImageRoom_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("keepsRoom");

        QTest::newRow("width and height") << "width=\"200\" height=\"300\"" << true;
        QTest::newRow("width only") << "width=\"200\"" << false;
        QTest::newRow("no size") << "" << false;
    }

    void unloadableImageRoom()
    {
        QFETCH(QString, size);
        QFETCH(bool, keepsRoom);
        QDir(m_home.path()).mkpath("room");
        QVERIFY(halves(40, 30, Qt::red, Qt::blue).save(path("room/real.png")));
        auto afterTop = [this](QString const& name, QString const& image) {
            writeBytes(path("room/" + name + ".html"),
                       "<html><body><p>before<br>" + image.toUtf8() + "after</p></body></html>");
            RenderResult const result =
                renderToPdf(path("room/" + name + ".html"), path("room/" + name + ".pdf"));
            return result.ok() ? pdfWordBox(path("room/" + name + ".pdf"), "after").top() : -1;
        };
        qreal const loaded = afterTop("loaded", "<img src=\"real.png\" " + size + ">");
        qreal const none = afterTop("none", QString());
        qreal const unloadable = afterTop("unloadable", "<img src=\"gone.png\" " + size + ">");
        QVERIFY(loaded > none && none > 0);
        QCOMPARE(unloadable, keepsRoom ? loaded : none);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("content"); // written to source unless null
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("officeProgram");
        QTest::addColumn<docrender::RenderError>("error");
        QTest::addColumn<QString>("message");

        QString const out = "fail/out.pdf";
        QTest::newRow("missing source") << "fail/none.txt" << QByteArray() << out << QString()
                                        << RenderError::SourceNotFound << "does not exist";
        QTest::newRow("missing output folder")
            << "fail/a.txt" << QByteArray("x") << "fail/none/out.pdf" << QString()
            << RenderError::OutputDirNotFound << "folder does not exist";
        QTest::newRow("damaged png") << "fail/a.png" << QByteArray("\x89PNG\r\n\x1a\nbroken") << out
                                     << QString() << RenderError::CannotOpen << "cannot read the image";
        QTest::newRow("jpeg that is not one")
            << "fail/a.jpg" << QByteArray("not a jpeg at all") << out << QString() << RenderError::CannotOpen
            << "cannot read the image";
        QTest::newRow("damaged epub") << "fail/a.epub" << QByteArray("PK\x03\x04garbage") << out << QString()
                                      << RenderError::CannotOpen << "EPUB";
        QTest::newRow("damaged chm") << "fail/a.chm" << QByteArray("ITSF garbage") << out << QString()
                                     << RenderError::CannotOpen << "CHM";
        QTest::newRow("rtf that is not one") << "fail/a.rtf" << QByteArray("plain words") << out
                                             << "/nonexistent" << RenderError::CannotOpen << "not an RTF";
        QTest::newRow("rtf that is not one, for LibreOffice")
            << "fail/a.rtf" << QByteArray("plain words") << out << "/bin/true" << RenderError::CannotOpen
            << "not a readable .rtf";
        QTest::newRow("unknown suffix")
            << "fail/a.xyz" << QByteArray("x") << out << QString() << RenderError::Unsupported << "xyz";
        QTest::newRow("spreadsheet without LibreOffice")
            << "fail/a.xlsx" << QByteArray("PK\x03\x04") << out << "/nonexistent" << RenderError::NoProgram
            << "libreoffice-calc-nogui";
        QTest::newRow("docx that is no zip") << "fail/a.docx" << QByteArray("just text") << out << "/bin/true"
                                             << RenderError::CannotOpen << "not a readable .docx";
        QTest::newRow("output is the source") << "fail/a.txt" << QByteArray("x") << "fail/a.txt" << QString()
                                              << RenderError::Failure << "source file itself";
    }

    void failures()
    {
        QFETCH(QString, source);
        QFETCH(QByteArray, content);
        QFETCH(QString, output);
        QFETCH(QString, officeProgram);
        QFETCH(docrender::RenderError, error);
        QFETCH(QString, message);
        QDir(path("fail")).removeRecursively();
        QDir(m_home.path()).mkpath("fail");
        if (!content.isNull())
            writeBytes(path(source), content);
        RenderOptions options;
        options.officeProgram = officeProgram;
        RenderResult const result = renderToPdf(path(source), path(output), options);
        QCOMPARE(result.error, error);
        QVERIFY2(result.message.contains(message), qPrintable(result.message));
        QCOMPARE(result.pageCount, 0);
        QStringList const keep = content.isNull() ? QStringList() : QStringList{QFileInfo(source).fileName()};
        QCOMPARE(leftovers(path("fail"), keep), QStringList());
    }

    void lockedPdfIsReported()
    {
        QPdfWriter writer(path("plain.pdf"));
        QPainter(&writer).drawText(100, 100, "secret");
        QProcess qpdf;
        qpdf.start("qpdf",
                   {"--encrypt", "user", "owner", "256", "--", path("plain.pdf"), path("locked.pdf")});
        QVERIFY(qpdf.waitForFinished() && qpdf.exitCode() == 0);
        QCOMPARE(renderToPdf(path("locked.pdf"), path("copy.pdf")).error, RenderError::PasswordProtected);
        QVERIFY(!QFile::exists(path("copy.pdf")));
        RenderResult const copy = renderToPdf(path("plain.pdf"), path("copy.pdf"));
        QVERIFY(copy.ok());
        QCOMPARE(pdfText(path("copy.pdf")).simplified(), QString("secret"));
    }

    void existingOutputSurvivesAFailure()
    {
        writeBytes(path("kept.pdf"), "earlier result");
        writeBytes(path("broken.gif"), "GIF89a broken");
        QCOMPARE(renderToPdf(path("broken.gif"), path("kept.pdf")).error, RenderError::CannotOpen);
        QFile kept(path("kept.pdf"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("earlier result"));
        kept.close();

        writeBytes(path("fresh.txt"), "fresh words");
        QVERIFY(renderToPdf(path("fresh.txt"), path("kept.pdf")).ok());
        QCOMPARE(pdfText(path("kept.pdf")).simplified(), QString("fresh words"));
        QFile probe(path("probe"));
        QVERIFY(probe.open(QIODevice::WriteOnly));
        probe.close();
        // The PDF gets the permissions of any new file, not those of a private temporary file.
        QCOMPARE(QFileInfo(path("kept.pdf")).permissions(), probe.permissions());
    }

    void officeTimeLimitKillsTheProcessGroup()
    {
        QString const fake = path("slow-soffice");
        writeBytes(fake, "#!/bin/sh\nsleep 60 &\necho $! > \"" + path("child.pid").toUtf8() + "\"\nwait\n");
        QVERIFY(QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(writeDocx(path("slow.docx"), {"words"}));
        RenderOptions options;
        options.officeProgram = fake;
        options.officeTimeoutMs = 1000;
        QElapsedTimer timer;
        timer.start();
        RenderResult const result = renderToPdf(path("slow.docx"), path("slow.pdf"), options);
        QCOMPARE(result.error, RenderError::TimedOut);
        QVERIFY(timer.elapsed() < 15000);
        QVERIFY(!QFile::exists(path("slow.pdf")));
        QFile pidFile(path("child.pid"));
        QVERIFY(pidFile.open(QIODevice::ReadOnly));
        QString const pid = QString::fromLatin1(pidFile.readAll()).trimmed();
        QVERIFY(!pid.isEmpty());
        // Gone, or a zombie waiting for a reaper: either way no longer running.
        QTRY_VERIFY_WITH_TIMEOUT(
            !QFile::exists("/proc/" + pid) ||
                [&pid] {
                    QFile stat("/proc/" + pid + "/stat");
                    return stat.open(QIODevice::ReadOnly) && stat.readAll().contains(") Z ");
                }(),
            5000);
    }
};

QTEST_MAIN(TestDocRender)
#include "TestDocRender.moc"

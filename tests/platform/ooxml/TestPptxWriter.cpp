#include "OfficeRunner.h"
#include "PackageReader.h"
#include "TestHome.h"
#include "WriterTestTypes.h"

#include "ooxml/PptxWriter.h"

#include <QDir>
#include <QImage>
#include <QtTest>

using namespace ooxml;

namespace {

SlideTextBox textBox(QRectF const& frame, QVector<TextRun> const& runs)
{
    return SlideTextBox{frame, runs};
}

// Three slides: two of the presentation's size, one of another shape that is fitted in.
Presentation samplePresentation()
{
    QImage image(60, 30, QImage::Format_ARGB32);
    image.fill(Qt::darkCyan);
    Presentation presentation;
    presentation.slideSize = QSizeF(720, 540);
    Slide first;
    first.pictures.append({Picture::fromImage(image, QSizeF(300, 150)), QPointF(50, 300)});
    first.textBoxes.append(
        textBox(QRectF(72, 72, 400, 40), {textRun(QStringLiteral("Slide title"), 28, true, false)}));
    first.textBoxes.append(textBox(QRectF(72, 140, 400, 80),
                                   {textRun(QStringLiteral("Plain "), 14, false, false),
                                    textRun(QStringLiteral("italic"), 14, false, true),
                                    textRun(QStringLiteral("\nNext line <&> \"q\""), 14, false, false)}));
    Slide second;
    second.textBoxes.append(
        textBox(QRectF(100, 100, 200, 30), {textRun(QStringLiteral("Second slide"), 20)}));
    Slide tall; // 360 x 1080 fitted into 720 x 540: scale 0.5, centred at x = 270
    tall.size = QSizeF(360, 1080);
    tall.textBoxes.append(textBox(QRectF(0, 0, 300, 40), {textRun(QStringLiteral("Tall page"), 24)}));
    presentation.slides = {first, second, tall};
    return presentation;
}

} // namespace

class TestPptxWriter : public QObject
{
    Q_OBJECT

private slots:
    void writesSlidesWithTextAndPictures();
    void fitsSlideSize_data();
    void fitsSlideSize();
    void rejectsSlideWithoutSize();
    void opensInLibreOffice();

private:
    TestHome m_home;
};

void TestPptxWriter::writesSlidesWithTextAndPictures()
{
    QString const path = m_home.filePath(QStringLiteral("deck.pptx"));
    WriteResult const result = PptxWriter::write(samplePresentation(), path);
    QVERIFY2(result.ok(), qPrintable(result.message));
    PackageReader package(path);
    QCOMPARE(package.problems(), QStringList());
    for (char const* name :
         {"ppt/presentation.xml", "ppt/slideMasters/slideMaster1.xml", "ppt/slideLayouts/slideLayout1.xml",
          "ppt/theme/theme1.xml", "ppt/slides/slide3.xml", "ppt/media/image1.png", "docProps/core.xml"})
        QVERIFY2(package.contains(QString::fromLatin1(name)), name);
    QCOMPARE(
        package.contentType(QStringLiteral("ppt/presentation.xml")),
        QStringLiteral("application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml"));

    QByteArray const presentation = package.part(QStringLiteral("ppt/presentation.xml"));
    auto const size = xmlread::attributes(presentation, QStringLiteral("p:sldSz")).value(0);
    QCOMPARE(size.value(QLatin1String("cx")), QLatin1String("9144000"));
    QCOMPARE(size.value(QLatin1String("cy")), QLatin1String("6858000"));
    QHash<QString, QString> const targets =
        package.relationshipTargets(QStringLiteral("ppt/presentation.xml"));
    QStringList slides;
    for (QXmlStreamAttributes const& a : xmlread::attributes(presentation, QStringLiteral("p:sldId")))
        slides << targets.value(a.value(QLatin1String("r:id")).toString());
    QCOMPARE(slides,
             (QStringList{"ppt/slides/slide1.xml", "ppt/slides/slide2.xml", "ppt/slides/slide3.xml"}));
    // Every slide reaches the layout, the layout the master, the master the theme.
    QCOMPARE(package.relationshipTargets(QStringLiteral("ppt/slides/slide2.xml")).values(),
             QStringList{"ppt/slideLayouts/slideLayout1.xml"});
    QCOMPARE(package.relationshipTargets(QStringLiteral("ppt/slideMasters/slideMaster1.xml")).size(), 2);

    QByteArray const first = package.part(QStringLiteral("ppt/slides/slide1.xml"));
    QCOMPARE(xmlread::texts(first, QStringLiteral("a:t")),
             (QStringList{"Slide title", "Plain ", "italic", "Next line <&> \"q\""}));
    QCOMPARE(xmlread::count(first, QStringLiteral("a:br")), 1);
    auto const runs = xmlread::attributes(first, QStringLiteral("a:rPr"));
    QCOMPARE(runs.value(0).value(QLatin1String("sz")), QLatin1String("2800"));
    QCOMPARE(runs.value(0).value(QLatin1String("b")), QLatin1String("1"));
    QCOMPARE(runs.value(2).value(QLatin1String("i")), QLatin1String("1"));
    auto const offsets = xmlread::attributes(first, QStringLiteral("a:off"));
    // Group, picture, two boxes; the picture comes first so the text stays above it.
    QCOMPARE(offsets.size(), 4);
    QCOMPARE(offsets[1].value(QLatin1String("y")), QString::number(300 * 12700));
    QCOMPARE(offsets[2].value(QLatin1String("x")), QString::number(72 * 12700));
    QString const image = xmlread::attributes(first, QStringLiteral("a:blip"))
                              .value(0)
                              .value(QLatin1String("r:embed"))
                              .toString();
    QCOMPARE(package.relationshipTargets(QStringLiteral("ppt/slides/slide1.xml")).value(image),
             QStringLiteral("ppt/media/image1.png"));

    QByteArray const tall = package.part(QStringLiteral("ppt/slides/slide3.xml"));
    QCOMPARE(xmlread::attributes(tall, QStringLiteral("a:off")).value(1).value(QLatin1String("x")),
             QString::number(270 * 12700));
    QCOMPARE(xmlread::attributes(tall, QStringLiteral("a:rPr")).value(0).value(QLatin1String("sz")),
             QLatin1String("1200"));
}

void TestPptxWriter::fitsSlideSize_data()
{
    QTest::addColumn<QSizeF>("wished");
    QTest::addColumn<QSizeF>("fitted");
    QTest::newRow("within limits") << QSizeF(720, 540) << QSizeF(720, 540);
    QTest::newRow("a page in portrait") << QSizeF(595, 842) << QSizeF(595, 842);
    QTest::newRow("too large keeps shape") << QSizeF(8064, 4032) << QSizeF(4032, 2016);
    QTest::newRow("too small keeps shape") << QSizeF(36, 18) << QSizeF(144, 72);
    QTest::newRow("at the limits") << QSizeF(72, 4032) << QSizeF(72, 4032);
    QTest::newRow("narrower than 56:1 is clamped") << QSizeF(20000, 10) << QSizeF(4032, 72);
}

void TestPptxWriter::fitsSlideSize()
{
    QFETCH(QSizeF, wished);
    QFETCH(QSizeF, fitted);
    QCOMPARE(PptxWriter::fittedSlideSize(wished), fitted);
}

void TestPptxWriter::rejectsSlideWithoutSize()
{
    Presentation presentation;
    presentation.slideSize = QSizeF(0, 540);
    QTemporaryDir folder(m_home.filePath(QStringLiteral("bad-XXXXXX")));
    QCOMPARE(PptxWriter::write(presentation, folder.filePath(QStringLiteral("bad.pptx"))).error,
             WriteError::InvalidDocument);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TestPptxWriter::opensInLibreOffice()
{
    if (!OfficeRunner::available())
        QSKIP("LibreOffice (soffice) or poppler's pdftotext is not installed");
    QString const path = m_home.filePath(QStringLiteral("office.pptx"));
    QVERIFY(PptxWriter::write(samplePresentation(), path).ok());
    QString log;
    QVERIFY2(OfficeRunner::convert({path}, QStringLiteral("pdf"), m_home.path(), &log), qPrintable(log));
    QString const pdf = m_home.filePath(QStringLiteral("office.pdf"));
    QCOMPARE(OfficeRunner::pdfPages(pdf), 3);
    QCOMPARE(OfficeRunner::pdfPageSize(pdf, 1), QStringLiteral("720 x 540"));
    QString const content = OfficeRunner::pdfText(pdf);
    for (char const* expected :
         {"Slide title", "Plain italic", "Next line <&> \"q\"", "Second slide", "Tall page"})
        QVERIFY2(content.contains(QString::fromLatin1(expected)), qPrintable(content));
}

QTEST_GUILESS_MAIN(TestPptxWriter)
#include "TestPptxWriter.moc"

#include "converters/PDF2Image.h"
#include "converters/QImageFunction.h"

#include "RecordingSdk.h"
#include "TestHome.h"

#include <QtTest>

#include <QDir>
#include <QImage>

namespace {

const QList<QColor> kPageColors{Qt::red,       Qt::green,    Qt::blue,      Qt::yellow,
                                Qt::cyan,      Qt::magenta,  Qt::gray,      Qt::darkRed,
                                Qt::darkGreen, Qt::darkBlue, Qt::darkYellow};
int g_pages = 3;

// Writes the page images the way the SDK names them, in an order unlike page order.
int writePages(RecordingSdk::Call const& call)
{
    QDir().mkpath(call.output);
    for (int i = g_pages; i >= 1; --i) {
        QImage page(60, 80, QImage::Format_RGB32);
        page.fill(kPageColors.at(i - 1));
        page.save(QStringLiteral("%1/scan_%2.png").arg(call.output).arg(i, 3, 10, QChar('0')));
    }
    return 0;
}

} // namespace

class TestPDF2Image : public QObject
{
    Q_OBJECT

    TestHome m_home;

private slots:
    void init()
    {
        RecordingSdk::install();
        RecordingSdk::reset();
        RecordingSdk::log().onStart = writePages;
    }
    void cleanup() { RecordingSdk::restore(); }

    void suffixes()
    {
        QCOMPARE(PDF2Image::getImageSuffix(pdfconv::base::ImageTypeJpg), QString(".jpg"));
        QCOMPARE(PDF2Image::getImageSuffix(pdfconv::base::ImageTypeTiff), QString(".tiff"));
        QCOMPARE(PDF2Image::getImageSuffix(pdfconv::base::ImageType(9)), QString(".jpg"));
    }

    void separatePagesGoIntoTheFolder()
    {
        QString out = m_home.filePath("out/scan");
        ConvertOption option;
        PDF2Image converter;
        QCOMPARE(converter.convert("/in/scan.pdf", out, "", option), 0);
        QCOMPARE(QDir(out).entryList(QDir::Files).size(), 3);
    }

    // Eleven pages: directory order and plain name order both differ from page order.
    void joinedPagesKeepPageOrder()
    {
        g_pages = 11;
        QString out = m_home.filePath("joined");
        ConvertOption option;
        option.m_adjoinPages = true;
        option.m_imageType = 2;
        option.m_separatorWidth = 0;
        PDF2Image converter;
        QCOMPARE(converter.convert("/in/scan.v2.pdf", out, "", option), 0);
        g_pages = 3;

        QImage joined(out + "/scan.png");
        QCOMPARE(joined.size(), QSize(60, 80 * 11));
        for (int i = 0; i < 11; ++i)
            QCOMPARE(QColor(joined.pixel(30, 80 * i + 40)), kPageColors.at(i));
        QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList("scan.png"));
    }

    void separatorGeometry()
    {
        QTemporaryDir dir;
        QStringList images;
        for (int i = 0; i < 3; ++i) {
            QImage page(600, 800, QImage::Format_RGB32);
            page.fill(Qt::black);
            images << dir.filePath(QString("p%1.png").arg(i));
            QVERIFY(page.save(images.last()));
        }
        QString out = m_home.filePath("mosaic.png");
        QVERIFY(QImageFunction::imageMosaic(images, out, 3, 0xFFFF0000));
        QImage joined(out);
        QCOMPARE(joined.size(), QSize(600, 2400));
        QRgb red = qRgb(255, 0, 0);
        QCOMPARE(joined.pixel(300, 801), red); // separator line
        QCOMPARE(joined.pixel(300, 1601), red);
        QCOMPARE(joined.pixel(300, 400), qRgb(0, 0, 0));
        QCOMPARE(joined.pixel(1, 1200), red); // border
        QCOMPARE(joined.pixel(300, 1), red);
    }

    // One page adjoins to its own image; the page images never lie in the output folder.
    void onePageAdjoins()
    {
        g_pages = 1;
        QString out = m_home.filePath("single");
        ConvertOption option;
        option.m_adjoinPages = true;
        option.m_imageType = 2;
        PDF2Image converter;
        QCOMPARE(converter.convert("/in/scan.pdf", out, "", option), 0);
        g_pages = 3;
        QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList("scan.png"));
        QImage joined(out + "/scan.png");
        QCOMPARE(joined.size(), QSize(60, 80));
        QCOMPARE(QColor(joined.pixel(30, 40)), kPageColors.at(0));
        QString const pages = RecordingSdk::calls().first().output;
        QVERIFY2(!pages.startsWith(out), qPrintable(pages));
        QVERIFY(!QFileInfo::exists(pages));
    }

    void failedSaveKeepsPageImages()
    {
        QTemporaryDir dir;
        QStringList images;
        for (int i = 0; i < 2; ++i) {
            QImage page(10, 10, QImage::Format_RGB32);
            page.fill(Qt::white);
            images << dir.filePath(QString("p%1.png").arg(i));
            QVERIFY(page.save(images.last()));
        }
        QVERIFY(
            !QImageFunction::imageMosaic(images, m_home.filePath("no/such/folder/out.png"), 1, 0xFFFFFFFF));
        QVERIFY(QFile::exists(images.at(0)));
        QVERIFY(QFile::exists(images.at(1)));
    }

    void sdkFailureIsReturned()
    {
        RecordingSdk::log().onStart = nullptr;
        RecordingSdk::log().startResult = 3;
        ConvertOption option;
        option.m_adjoinPages = true;
        PDF2Image converter;
        QCOMPARE(converter.convert("/in/locked.pdf", m_home.filePath("locked"), "", option), 3);
        QVERIFY(QDir(m_home.filePath("locked")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
        QVERIFY(!QFileInfo::exists(RecordingSdk::calls().first().output));
    }
};

QTEST_MAIN(TestPDF2Image)
#include "TestPDF2Image.moc"

#include "DFDocumentSDK.h"
#include "SourceFixtures.h"
#include "TestHome.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <thread>

using namespace SourceFixtures;

namespace {

class RecordingDelegate : public DFDocumentLoadDelegate
{
public:
    void DFDocumentLoadDelegate_loadStart(DFDocument*) override
    {
        startThread = QThread::currentThread();
        started = true;
    }
    void DFDocumentLoadDelegate_loadEnd(DFDocument* document) override
    {
        endThread = QThread::currentThread();
        startedBeforeEnd = started.load();
        endedDocument = document;
        ended = true;
    }

    std::atomic_bool started{false};
    std::atomic_bool ended{false};
    std::atomic_bool startedBeforeEnd{false};
    std::atomic<QThread*> startThread{nullptr};
    std::atomic<QThread*> endThread{nullptr};
    std::atomic<DFDocument*> endedDocument{nullptr};
};

void writeBytes(QString const& path, QByteArray const& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), qint64(data.size()));
}

// The calls the creation bridge makes, in its order, with its A4 size and quality.
void convert(QString const& input, QString const& output, RecordingDelegate& delegate)
{
    std::shared_ptr<DFDocument> source = DFDocument::documentWithPath(input);
    source->setLoadDelegate(&delegate);
    source->loadDocument();
    QTRY_VERIFY_WITH_TIMEOUT(delegate.ended, 60000);
    std::shared_ptr<DFMutableDocument> target =
        DFMutableDocument::documentWithFilePath(output, DFDocFormat::formatWithName(DFDocFormatPDF));
    target->setPageSize({595.0, 842.0});
    target->setQuality(3);
    long const count = source->pageCount();
    target->setCount(count);
    target->beginEncode();
    target->setIsLast(false);
    source->setDecodeType(target->needDecodetype());
    source->beginDecode();
    for (long i = 0; i < count; ++i) {
        if (i == count - 1)
            target->setIsLast(true);
        target->setIsGet1(false);
        if (std::shared_ptr<DFPage> page = source->pageAtIndex(i))
            target->addPage(page);
    }
    source->endDeocde();
    target->setIsLast(true);
    target->endEncode();
}

template <typename Call> QString raisedName(Call call)
{
    try {
        call();
    } catch (DFException const& e) {
        return e.name();
    }
    return QString();
}

} // namespace

class TestDocumentFramework : public QObject
{
    Q_OBJECT

private:
    TestHome m_home;

    QString path(QString const& name) const { return m_home.filePath(name); }

private slots:
    void textBecomesA4PagesWithItsText()
    {
        QByteArray text;
        for (int i = 1; i <= 150; ++i)
            text += "Row " + QByteArray::number(i) + " of the framework text\n";
        writeBytes(path("rows.txt"), text);
        RecordingDelegate delegate;
        convert(path("rows.txt"), path("rows.pdf"), delegate);
        QVERIFY(delegate.startedBeforeEnd);
        QVERIFY(delegate.startThread.load() != QThread::currentThread());
        QCOMPARE(delegate.endThread.load(), delegate.startThread.load());
        int const pages = pdfPageCount(path("rows.pdf"));
        QVERIFY(pages >= 2);
        QList<QSizeF> const sizes = pdfPageSizes(path("rows.pdf"));
        QCOMPARE(sizes.size(), pages);
        for (QSizeF const& size : sizes)
            QCOMPARE(size, QSizeF(595, 842));
        QString const extracted = pdfText(path("rows.pdf"));
        QVERIFY(extracted.contains("Row 1 of the framework text"));
        QVERIFY(extracted.contains("Row 150 of the framework text"));
    }

    void pagesAreScaledToFitAndCentred()
    {
        // A landscape image page of 400 x 200 points fills the A4 width: 595 x 297.5, centred.
        QImage image(400, 200, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.setDotsPerMeterX(qRound(72 / 0.0254));
        image.setDotsPerMeterY(qRound(72 / 0.0254));
        QVERIFY(image.save(path("wide.png")));
        RecordingDelegate delegate;
        convert(path("wide.png"), path("wide.pdf"), delegate);
        QImage const page = renderPage(path("wide.pdf"), 1, 72);
        QCOMPARE(page.size(), QSize(595, 842));
        auto isRed = [&page](int y) {
            return page.pixelColor(297, y).red() > 200 && page.pixelColor(297, y).green() < 60;
        };
        QVERIFY(!isRed(270) && isRed(276) && isRed(421) && isRed(566) && !isRed(572));
        QVERIFY(page.pixelColor(2, 421).red() > 200); // edge to edge across
    }

    void failuresRaiseTheLayersException()
    {
        QDir(m_home.path()).mkpath("failing");
        QCOMPARE(raisedName([this] { DFDocument::documentWithPath(path("absent.docx")); }),
                 QString(DFInvalidArgumentException));
        QCOMPARE(raisedName([this] {
                     DFMutableDocument::documentWithFilePath(path("none/out.pdf"),
                                                             DFDocFormat::formatWithName(DFDocFormatPDF));
                 }),
                 QString(DFInvalidArgumentException));
        QVERIFY(!DFDocFormat::formatWithName("docx"));
        QCOMPARE(raisedName([this] { DFMutableDocument::documentWithFilePath(path("out.pdf"), nullptr); }),
                 QString(DFInvalidArgumentException));

        // Loading that fails still reports its end; the failure shows when the pages are asked for.
        writeBytes(path("failing/broken.epub"), "PK\x03\x04 not really a book");
        RecordingDelegate delegate;
        std::shared_ptr<DFDocument> source = DFDocument::documentWithPath(path("failing/broken.epub"));
        QCOMPARE(raisedName([&] { source->pageCount(); }), QString(DFInconsistentStateException));
        source->setLoadDelegate(&delegate);
        source->loadDocument();
        QTRY_VERIFY_WITH_TIMEOUT(delegate.ended, 30000);
        QCOMPARE(delegate.endedDocument.load(), source.get());
        QCOMPARE(raisedName([&] { source->pageCount(); }), QString(DFDocumentLoadException));
        QCOMPARE(raisedName([&] { source->beginDecode(); }), QString(DFDocumentLoadException));
        QCOMPARE(raisedName([&] { source->loadDocument(); }), QString(DFInconsistentStateException));

        // A document without pages is no document: nothing is written.
        auto target = DFMutableDocument::documentWithFilePath(path("failing/empty.pdf"),
                                                              DFDocFormat::formatWithName(DFDocFormatPDF));
        QCOMPARE(raisedName([&] { target->addPage(nullptr); }), QString(DFInvalidArgumentException));
        target->beginEncode();
        QCOMPARE(raisedName([&] { target->endEncode(); }), QString(DFInconsistentStateException));
        QCOMPARE(QDir(path("failing")).entryList(QDir::Files | QDir::Hidden), QStringList{"broken.epub"});
    }

    void pageOutOfRangeIsNull()
    {
        writeBytes(path("short.txt"), "one line");
        RecordingDelegate delegate;
        std::shared_ptr<DFDocument> source = DFDocument::documentWithPath(path("short.txt"));
        source->setLoadDelegate(&delegate);
        QCOMPARE(raisedName([&] { source->pageAtIndex(0); }), QString(DFInconsistentStateException));
        source->loadDocument();
        QTRY_VERIFY_WITH_TIMEOUT(delegate.ended, 30000);
        QCOMPARE(source->pageCount(), 1L);
        source->beginDecode();
        QVERIFY(source->pageAtIndex(0));
        QVERIFY(!source->pageAtIndex(1));
        QVERIFY(!source->pageAtIndex(-1));
        std::shared_ptr<DFPage> const kept = source->pageAtIndex(0);
        source->endDeocde();
        source.reset();
        // A page outlives its document's decoding and the document itself.
        auto target = DFMutableDocument::documentWithFilePath(path("short.pdf"),
                                                              DFDocFormat::formatWithName(DFDocFormatPDF));
        target->beginEncode();
        target->addPage(kept);
        target->endEncode();
        QCOMPARE(pdfText(path("short.pdf")).simplified(), QString("one line"));
    }

    void droppingALoadingDocumentStopsLibreOffice()
    {
        QDir(m_home.path()).mkpath("bin");
        QString const fake = path("bin/soffice");
        writeBytes(fake, "#!/bin/sh\nexec sleep 60\n");
        QVERIFY(QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(writeDocx(path("slow.docx"), {"words"}));
        QByteArray const oldPath = qgetenv("PATH");
        qputenv("PATH", path("bin").toLocal8Bit() + ":" + oldPath);
        RecordingDelegate delegate;
        QElapsedTimer timer;
        {
            std::shared_ptr<DFDocument> source = DFDocument::documentWithPath(path("slow.docx"));
            source->setLoadDelegate(&delegate);
            source->loadDocument();
            QTRY_VERIFY_WITH_TIMEOUT(delegate.started, 10000);
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            timer.start();
        }
        qputenv("PATH", oldPath);
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(delegate.ended); // the end is reported even when loading was stopped
    }
};

QTEST_MAIN(TestDocumentFramework)
#include "TestDocumentFramework.moc"

#include "engines/ResultCodes.h"
#include "errors/ErrorMessageContext.h"
#include "items/FileItem.h"
#include "items/FileItemList.h"
#include "pipeline/TaskController.h"

#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

// Every target and the creator on a disk that runs full: the preloaded FullDisk library (see
// CMakeLists) lets the output folder take a few bytes per process, then fails every write with
// ENOSPC, in this process and in the helpers it starts. Each row must fail with the disk-full
// reason and leave nothing in the folder, neither a part nor an empty file.
class TestFullDisk : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QString m_full; // the folder whose disk is full
    QString m_pdf;
    QString m_table;

    int run(FileItem* item, FunctionMode mode, QString const& out)
    {
        TaskController controller;
        QSignalSpy finished(&controller, &TaskController::taskFinished);
        QSignalSpy result(item, &FileItem::processFinishedSignal);
        controller.startTasks({item}, out, mode, false);
        if (!finished.wait(120000) || result.isEmpty())
            return -999;
        return result.first().first().toInt();
    }

    // A ruled table of figures, so that the CSV output has a sheet to write.
    static bool writeTable(QString const& path)
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(72);
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(14);
        painter.setFont(font);
        int const rows = 12, columns = 4, width = 110, height = 28;
        for (int r = 0; r <= rows; ++r)
            painter.drawLine(72, 100 + r * height, 72 + columns * width, 100 + r * height);
        for (int c = 0; c <= columns; ++c)
            painter.drawLine(72 + c * width, 100, 72 + c * width, 100 + rows * height);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                painter.drawText(QPointF(80 + c * width, 120 + r * height),
                                 QStringLiteral("R%1 C%2 %3").arg(r + 1).arg(c + 1).arg(r * 37 + c));
        return painter.end();
    }

    static QStringList leftIn(QString const& folder)
    {
        QStringList files;
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        return files;
    }

private slots:
    void initTestCase()
    {
        if (!qEnvironmentVariable("LD_PRELOAD").contains("full_disk"))
            QSKIP("needs the FullDisk library preloaded, as ctest runs this test");
        QDir().mkpath(m_home.path() + "/full");
        m_full = QFileInfo(m_home.path() + "/full").canonicalFilePath();
        m_pdf = m_home.filePath("report.pdf");
        QVERIFY(TestPdf::writePages(m_pdf, 40));
        m_table = m_home.filePath("table.pdf");
        QVERIFY(writeTable(m_table));
        // Below the smallest output of any row: each one runs into the full disk mid-way.
        qputenv("DOCQUILL_FULL_DISK_BYTES", "64");
    }

    void init() { qputenv("DOCQUILL_FULL_DISK_FOLDER", m_full.toLocal8Bit()); }
    void cleanup() { qunsetenv("DOCQUILL_FULL_DISK_FOLDER"); }

    void convert_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("text") << int(ToTxt);
        QTest::newRow("rtf") << int(ToRtf);
        QTest::newRow("html") << int(ToHtml);
        QTest::newRow("png pages") << int(ToPng);
        QTest::newRow("jpg pages") << int(ToJpg);
        QTest::newRow("tiff pages") << int(ToTiff);
        QTest::newRow("word") << int(ToDocx);
        QTest::newRow("excel") << int(ToXlsx);
        QTest::newRow("csv") << int(ToCsv);
        QTest::newRow("powerpoint") << int(ToPptx);
        QTest::newRow("searchable pdf") << int(ToOcrPdf);
    }

    void convert()
    {
        QFETCH(int, type);
        QString const out = m_full + "/" + QTest::currentDataTag();
        QVERIFY(QDir().mkpath(out));
        FileItemList list(ModeConvert);
        list.addFiles({type == ToCsv ? m_table : m_pdf});
        FileItem* item = list.getFileItem(0);
        item->setConvertType(ConvertType(type));
        int const code = run(item, ModeConvert, out);
        QCOMPARE(code, int(ConvertErrorDiskFull));
        QCOMPARE(ErrorMessageContext::getErrorMessage(code), QString("The disk is full."));
        QCOMPARE(leftIn(out), QStringList());
    }

    void create_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("picture") << "photo.png";
        QTest::newRow("pdf") << "report.pdf";
        QTest::newRow("text document") << "notes.txt";
    }

    void create()
    {
        QFETCH(QString, source);
        qunsetenv("DOCQUILL_FULL_DISK_FOLDER");
        QString const path = m_home.filePath(source);
        if (source.endsWith(".png")) {
            QImage picture(400, 300, QImage::Format_RGB32);
            picture.fill(Qt::darkCyan);
            QVERIFY(picture.save(path));
        } else if (source.endsWith(".txt")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.write(QByteArray("Minutes of the meeting\n").repeated(200)) > 0);
        }
        qputenv("DOCQUILL_FULL_DISK_FOLDER", m_full.toLocal8Bit());
        QString const out = m_full + "/created-" + QTest::currentDataTag();
        QVERIFY(QDir().mkpath(out));
        FileItemList list(ModeCreate);
        list.addFiles({path});
        FileItem* item = list.getFileItem(0);
        item->setOutputPdfName(item->fileBaseName());
        int const code = run(item, ModeCreate, out);
        QCOMPARE(code, int(CreateErrorDiskFull));
        QCOMPARE(ErrorMessageContext::getErrorMessageForCreator(code), QString("The disk is full."));
        QCOMPARE(leftIn(out), QStringList());
    }

    // The parts are made in the Temp folder, which has room; the merged file does not fit.
    void mergeOnAFullDisk()
    {
        QString const out = m_full + "/merged";
        QVERIFY(QDir().mkpath(out));
        FileItemList list(ModeCreate);
        list.addFiles({m_pdf, m_table});
        QCOMPARE(list.fileCount(), 2);
        TaskController controller;
        QSignalSpy finished(&controller, &TaskController::taskFinished);
        QSignalSpy full(&controller, &TaskController::mergeDiskFull);
        QSignalSpy completed(&controller, &TaskController::mergeCompleted);
        controller.startTasks(list.allItems(), out, ModeCreate, true);
        QVERIFY(finished.wait(120000));
        QCOMPARE(completed.count(), 1);
        QCOMPARE(completed.first().first().toBool(), false);
        QCOMPARE(full.count(), 1);
        QCOMPARE(leftIn(out), QStringList());
    }
};

QTEST_MAIN(TestFullDisk)
#include "TestFullDisk.moc"

#include "common/ProductConstants.h"
#include "engines/ResultCodes.h"
#include "items/FileItem.h"
#include "items/FileItemList.h"
#include "items/PDFFileItem.h"
#include "pipeline/TaskController.h"

#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

// Whole files through items, engines, the real conversion library and the real PdfCreator.
class TestConversionRoad : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QString m_pdf;
    QString m_locked;

    int run(FileItem* item, FunctionMode mode, QString const& out)
    {
        TaskController controller;
        QSignalSpy finished(&controller, &TaskController::taskFinished);
        QSignalSpy result(item, &FileItem::processFinishedSignal);
        controller.startTasks({item}, out, mode, false);
        if (!finished.wait(60000) || result.isEmpty())
            return -999;
        return result.first().first().toInt();
    }

private slots:
    void initTestCase()
    {
        QDir().mkpath(m_home.path() + g_tempDirPath);
        m_pdf = m_home.filePath("report.pdf");
        QVERIFY(TestPdf::write(m_pdf, {"Alpha page text", "Beta page text", "Gamma page text"}));
        m_locked = m_home.filePath("locked.pdf");
        QVERIFY(TestPdf::encrypt(m_pdf, m_locked, "user", "owner"));
    }

    void convert_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("output");
        QTest::newRow("text") << int(ToTxt) << "report.txt";
        QTest::newRow("rtf") << int(ToRtf) << "report.rtf";
        QTest::newRow("html") << int(ToHtml) << "report.html";
        QTest::newRow("png pages") << int(ToPng) << "report";
        QTest::newRow("word") << int(ToDocx) << "report.docx";
        QTest::newRow("excel") << int(ToXlsx) << "report.xlsx";
        QTest::newRow("powerpoint") << int(ToPptx) << "report.pptx";
        QTest::newRow("searchable pdf") << int(ToOcrPdf) << "report.pdf";
    }

    void convert()
    {
        QFETCH(int, type);
        QFETCH(QString, output);
        QString out = m_home.filePath("out-" + output);
        FileItemList list(ModeConvert);
        list.addFiles({m_pdf});
        FileItem* item = list.getFileItem(0);
        item->setConvertType(ConvertType(type));
        item->changePageRange({"2-3"});
        QCOMPARE(run(item, ModeConvert, out), 0);
        QString path = out + "/" + output;
        if (type == ToPng) {
            QStringList pages = QDir(path).entryList({"*.png"}, QDir::Files, QDir::Name);
            QCOMPARE(pages.size(), 2);
            QVERIFY(!QImage(path + "/" + pages.first()).isNull());
        } else if (type == ToDocx || type == ToXlsx || type == ToPptx) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.read(2), QByteArray("PK"));
        } else if (type == ToOcrPdf) {
            QString text = TestPdf::text(path);
            QVERIFY(text.contains("Beta") && !text.contains("Alpha"));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QByteArray content = file.readAll();
            QVERIFY(content.contains("Beta"));
            QVERIFY(!content.contains("Alpha")); // cut to pages 2-3 first
        }
    }

    // Pictures of text without recognition: no text target writes a file that passes for the
    // document's text, and the row says why. Word and PowerPoint keep the pictures.
    void scanWithoutRecognition_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("text") << int(ToTxt);
        QTest::newRow("rtf") << int(ToRtf);
        QTest::newRow("html") << int(ToHtml);
        QTest::newRow("excel") << int(ToXlsx);
        QTest::newRow("csv") << int(ToCsv);
    }

    void scanWithoutRecognition()
    {
        QFETCH(int, type);
        QString const scan = m_home.filePath("scan.pdf");
        if (!QFileInfo::exists(scan)) {
            QImage page(1240, 1754, QImage::Format_RGB32);
            page.fill(Qt::white);
            QPainter text(&page);
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(48);
            text.setFont(font);
            text.drawText(QPointF(120, 300), QStringLiteral("Minutes of the meeting"));
            text.end();
            QPdfWriter writer(scan);
            writer.setPageSize(QPageSize(QPageSize::A4));
            QPainter painter(&writer);
            painter.drawImage(painter.viewport(), page);
            QVERIFY(painter.end());
            QVERIFY(TestPdf::text(scan).trimmed().isEmpty());
        }
        FileItemList list(ModeConvert);
        list.addFiles({scan});
        FileItem* item = list.getFileItem(0);
        item->setConvertType(ConvertType(type));
        QString const out = m_home.filePath("scan-out-" + QString::number(type));
        QCOMPARE(run(item, ModeConvert, out), int(ConvertErrorNoText));
        QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }

    void codes()
    {
        FileItemList list(ModeConvert);
        // Gone after it was added.
        QString const gonePath = m_home.filePath("gone.pdf");
        QVERIFY(QFile::copy(m_pdf, gonePath));
        list.addFiles({m_locked, gonePath});
        QVERIFY(QFile::remove(gonePath));
        auto* locked = qobject_cast<PDFFileItem*>(list.getFileItem(0));
        locked->setConvertType(ToTxt);
        // A locked item is skipped by runs; unlocked with the user password it converts.
        QVERIFY(locked->PDFDecrypt("user"));
        QCOMPARE(run(locked, ModeConvert, m_home.filePath("codes")), 0);

        FileItem* gone = list.getFileItem(1);
        gone->setConvertType(ToTxt);
        QCOMPARE(run(gone, ModeConvert, m_home.filePath("codes")), 2);
    }

    // An RC4 key length the standard does not allow: the file keeps its padlock while it needs
    // a password, the password opens it, and it converts; no row that can only fail.
    void unusableKeyLength_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QByteArray>("length");
        QTest::newRow("locked, 7 bits") << "user" << QByteArray("7   ");
        QTest::newRow("locked, 4096 bits") << "user" << QByteArray("4096");
        QTest::newRow("owner password only, 7 bits") << "" << QByteArray("7   ");
    }

    void unusableKeyLength()
    {
        QFETCH(QString, user);
        QFETCH(QByteArray, length);
        QString const path = m_home.filePath(QString("key length %1 %2.pdf").arg(user, length.trimmed()));
        QVERIFY(TestPdf::encrypt(m_pdf, path, user, "owner", 128));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        QCOMPARE(bytes.count("/Standard /Length 128"), 1);
        bytes.replace("/Standard /Length 128", "/Standard /Length " + length);
        QVERIFY(file.seek(0));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
        file.close();

        FileItemList list(ModeConvert);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unusable /Length"));
        QVERIFY(list.addFiles({path}).isEmpty());
        auto* item = qobject_cast<PDFFileItem*>(list.getFileItem(0));
        QCOMPARE(item->isEncrypted(), !user.isEmpty());
        if (!user.isEmpty())
            QCOMPARE(item->unlock(user), PDFFileItem::UnlockResult::Unlocked);
        QCOMPARE(item->pageCount(), 3);
        item->setConvertType(ToTxt);
        QString const out = m_home.filePath("out-key-length");
        QDir const temp(m_home.path() + g_tempDirPath);
        QStringList const tempBefore = temp.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(run(item, ModeConvert, out), 0);
        QFile text(out + "/" + QFileInfo(path).completeBaseName() + ".txt");
        QVERIFY(text.open(QIODevice::ReadOnly));
        QByteArray const content = text.readAll();
        QVERIFY(content.contains("Alpha") && content.contains("Gamma"));
        // The unprotected copy is gone with the run.
        QCOMPARE(temp.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), tempBefore);
    }

    void createFromImageAndDocument()
    {
        QString image = m_home.filePath("photo.png");
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(image));
        QString text = m_home.filePath("notes.txt");
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Minutes of the meeting\n");
        file.close();

        FileItemList list(ModeCreate);
        list.addFiles({image, text, m_pdf});
        QString out = m_home.filePath("created");
        for (auto* item : list.allItems()) {
            item->setOutputPdfName(item->fileBaseName());
            QCOMPARE(run(item, ModeCreate, out), 0);
        }
        QCOMPARE(TestPdf::pageCount(out + "/photo.pdf"), 1);
        QVERIFY(TestPdf::text(out + "/notes.pdf").contains("Minutes of the meeting"));
        QCOMPARE(TestPdf::pageCount(out + "/report.pdf"), 3);
    }

    void imageConvertsThroughItsPdf()
    {
        QString image = m_home.filePath("scan.png");
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QVERIFY(picture.save(image));
        FileItemList list(ModeConvert);
        list.addFiles({image});
        list.getFileItem(0)->setConvertType(ToJpg);
        QString out = m_home.filePath("image-out");
        QCOMPARE(run(list.getFileItem(0), ModeConvert, out), 0);
        QCOMPARE(QDir(out + "/scan").entryList({"*.jpg"}, QDir::Files).size(), 1);
    }
};

QTEST_MAIN(TestConversionRoad)
#include "TestConversionRoad.moc"

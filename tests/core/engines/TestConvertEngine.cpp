#include "engines/ConvertEngine.h"
#include "items/FileItemList.h"
#include "items/PDFFileItem.h"
#include "processors/IFileProcessor.h"
#include "processors/PDFCreatable.h"

#include "common/ProductConstants.h"
#include "creation/ExeStarter.h"

#include "RecordingSdk.h"
#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QDir>

// The conversion road from a file item down to the SDK call, with the SDK recorded.
class TestConvertEngine : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QTemporaryDir m_bin;
    QString m_out;

private slots:
    void initTestCase()
    {
        m_out = m_home.filePath("out");
        QDir().mkpath(m_home.path() + g_tempDirPath);
        // A PdfCreator stand-in that copies a prepared PDF to the output path.
        QString sample = m_home.filePath("sample.pdf");
        QVERIFY(TestPdf::writePages(sample, 1));
        QFile helper(m_bin.filePath("PdfCreator"));
        QVERIFY(helper.open(QIODevice::WriteOnly));
        helper.write("#!/bin/sh\ncase \"$2\" in *broken*) exit 16;; esac\ncp '" + sample.toUtf8() +
                     "' \"$4\"\n");
        helper.close();
        QVERIFY(helper.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        ExeStarter::setProgramFolderForTesting(m_bin.path());
    }

    void init()
    {
        RecordingSdk::install();
        RecordingSdk::reset();
    }
    void cleanup() { RecordingSdk::restore(); }

    void predictedNames_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("code");
        QTest::newRow("word") << int(ToDocx) << "report.docx" << 0;
        QTest::newRow("png folder") << int(ToPng) << "report" << 0;
        QTest::newRow("csv folder") << int(ToCsv) << "report" << 0;
        QTest::newRow("keynote") << int(ToKeynote) << "report.key" << -1; // no osascript here
        QTest::newRow("xml has no converter") << int(ToXml) << "report.xml" << -1;
    }

    void predictedNames()
    {
        QFETCH(int, type);
        QFETCH(QString, expected);
        QFETCH(int, code);
        QTemporaryDir out;
        ConvertEngine engine;
        engine.setType(ConvertType(type));
        Result first = engine.run("/in/report.pdf", out.path(), "pw");
        QCOMPARE(first.path, out.path() + "/" + expected);
        if (type != ToKeynote)
            QCOMPARE(first.code, code);
        else
            QVERIFY(first.code != 0);
        // A second conversion of the same file never reuses a taken name.
        if (code == 0) {
            QDir().mkpath(first.path);
            Result second = engine.run("/in/report.pdf", out.path(), "pw");
            QString suffix = expected.contains('.') ? "." + expected.section('.', -1) : QString();
            QCOMPARE(second.path, out.path() + "/report_1" + suffix);
        }
    }

    void imageTypeFollowsTarget()
    {
        ConvertOption option;
        ConvertEngine engine;
        engine.setConvertOption(option);
        engine.setType(ToPng);
        engine.run("/in/a.pdf", m_out, "");
        QCOMPARE(engine.convertOption().m_imageType, 2);
        engine.setType(ToJpg);
        engine.run("/in/a.pdf", m_out, "");
        QCOMPARE(engine.convertOption().m_imageType, 0);
        QCOMPARE(option.m_imageType, 0); // the row's record is a separate copy
    }

    void irisFeature_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("default") << "20" << true;
        QTest::newRow("one and fifteen") << "1,15" << false;
        QTest::newRow("empty part") << "1,,2" << true;
    }
    void irisFeature()
    {
        QFETCH(QString, list);
        QFETCH(bool, enabled);
        ConvertOption option;
        option.m_ocrLanguageList = list;
        ConvertEngine engine;
        engine.setConvertOption(option);
        QCOMPARE(engine.enableIRISFeature(), enabled);
    }

    // An image item converts the PDF the helper made of it in the Temp folder, without a password.
    void imageGoesThroughPdf()
    {
        QString image = m_home.filePath("scan.1.png");
        QFile(image).open(QIODevice::WriteOnly);
        FileItemList list(ModeConvert);
        list.addFiles({image});
        FileItem* item = list.getFileItem(0);
        item->setConvertType(ToDocx);
        item->changePageRange({"2"}); // ignored for images
        QSignalSpy output(item, &FileItem::outputFileSignal);
        QCOMPARE(item->fileConvert(item->filePath(), m_out), 0);
        auto const& call = RecordingSdk::log().calls.last();
        QCOMPARE(call.input, m_home.path() + g_tempDirPath + "scan.pdf");
        QCOMPARE(call.password, QString());
        QCOMPARE(output.first().first().toString(), m_out + "/scan.1.docx");

        QString broken = m_home.filePath("broken.png");
        QFile(broken).open(QIODevice::WriteOnly);
        list.addFiles({broken});
        list.getFileItem(1)->setConvertType(ToDocx);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("image2Pdf error."));
        QCOMPARE(list.getFileItem(1)->fileConvert(broken, m_out), -1);
    }

    void pdfItemCutsItsRangeFirst()
    {
        QString pdf = m_home.filePath("five.pdf");
        QString locked = m_home.filePath("five-locked.pdf");
        QVERIFY(TestPdf::writePages(pdf, 5));
        QVERIFY(TestPdf::encrypt(pdf, locked, "user", "owner"));
        FileItemList list(ModeConvert);
        list.addFiles({locked});
        auto* item = qobject_cast<PDFFileItem*>(list.getFileItem(0));
        QVERIFY(item->PDFDecrypt("user"));
        item->setConvertType(ToTxt);
        item->changePageRange({"2-3"});

        QCOMPARE(item->fileConvert(item->filePath(), m_out), 0);
        auto const& call = RecordingSdk::log().calls.last();
        QString cut = m_home.path() + g_tempDirPath + "five-locked.pdf";
        QCOMPARE(call.input, cut);
        QCOMPARE(call.password, QString()); // the cut copy has no password
        QCOMPARE(TestPdf::pageCount(cut), 2);

        // Creation copies the cut, under a free name.
        QTemporaryDir out;
        QFile taken(out.filePath("five-locked.pdf"));
        QVERIFY(taken.open(QIODevice::WriteOnly));
        taken.close();
        item->setOutputPdfName(item->fileBaseName());
        QSignalSpy output(item, &FileItem::outputFileSignal);
        QCOMPARE(item->pdfCreate(item->filePath(), out.path()), 0);
        QCOMPARE(output.first().first().toString(), out.filePath("five-locked_1.pdf"));
        QCOMPARE(TestPdf::pageCount(out.filePath("five-locked_1.pdf")), 2);
        QCOMPARE(taken.size(), qint64(0));
    }

    void otherItemsCannotConvert()
    {
        QString doc = m_home.filePath("notes.txt");
        QFile(doc).open(QIODevice::WriteOnly);
        FileItemList list(ModeConvert);
        list.addFiles({doc});
        QCOMPARE(list.getFileItem(0)->fileConvert(doc, m_out), -2);
    }

    void pdfNameAlwaysGetsSuffix()
    {
        FileItemList list(ModeCreate);
        QString image = m_home.filePath("n.png");
        QFile(image).open(QIODevice::WriteOnly);
        list.addFiles({image});
        IFileProcessor* processor = list.getFileItem(0)->processor();
        list.getFileItem(0)->setOutputPdfName("report");
        QCOMPARE(processor->getCreator()->newPdfName(), QString("report.pdf"));
        list.getFileItem(0)->setOutputPdfName("report.pdf");
        QCOMPARE(processor->getCreator()->newPdfName(), QString("report.pdf.pdf"));
    }
};

QTEST_MAIN(TestConvertEngine)
#include "TestConvertEngine.moc"

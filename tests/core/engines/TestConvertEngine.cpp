#include "engines/ConvertEngine.h"
#include "items/FileItemList.h"
#include "items/PDFFileItem.h"
#include "processors/IFileProcessor.h"
#include "processors/PDFCreatable.h"

#include "common/ProductConstants.h"
#include "creation/ExeStarter.h"
#include "engines/ResultCodes.h"

#include "RecordingSdk.h"
#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QDir>
#include <QDirIterator>

namespace {

// What the SDK found at its input path while it converted.
struct SeenInput
{
    bool existed = false;
    int othersMayAccess = -1;
    int pages = -1;
};
SeenInput g_seen;

int inspectInput(RecordingSdk::Call const& call)
{
    QFileInfo info(call.input);
    g_seen.existed = info.exists();
    g_seen.othersMayAccess = int(
        info.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    g_seen.pages = TestPdf::pageCount(call.input);
    return RecordingSdk::log().startResult;
}

} // namespace

// The conversion road from a file item down to the SDK call, with the SDK recorded.
class TestConvertEngine : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QTemporaryDir m_bin;
    QString m_out;

    QString temp() const { return m_home.path() + g_tempDirPath; }
    // Everything below the Temp folder.
    QStringList tempEntries() const
    {
        QStringList entries;
        QDirIterator it(temp(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            entries << it.next();
        entries.sort();
        return entries;
    }

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

    // An image item converts the PDF the helper made of it in the Temp folder, without a
    // password; that PDF is a working file of its own and goes when the image is done.
    void imageGoesThroughPdf()
    {
        QString image = m_home.filePath("scan.1.png");
        QFile(image).open(QIODevice::WriteOnly);
        QFile other(temp() + "scan.pdf"); // someone else's file of the same name
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("not mine");
        other.close();
        QStringList before = tempEntries();
        FileItemList list(ModeConvert);
        list.addFiles({image});
        FileItem* item = list.getFileItem(0);
        item->setConvertType(ToDocx);
        item->changePageRange({"2"}); // ignored for images
        QSignalSpy output(item, &FileItem::outputFileSignal);
        RecordingSdk::log().onStart = inspectInput;
        QCOMPARE(item->fileConvert(item->filePath(), m_out), 0);
        auto const& call = RecordingSdk::log().calls.last();
        QVERIFY(call.input.startsWith(temp()));
        QVERIFY(g_seen.existed);
        QCOMPARE(g_seen.pages, 1);
        QCOMPARE(call.password, QString());
        QCOMPARE(output.first().first().toString(), m_out + "/scan.1.docx");
        QCOMPARE(tempEntries(), before);
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("not mine"));

        QString broken = m_home.filePath("broken.png");
        QFile(broken).open(QIODevice::WriteOnly);
        list.addFiles({broken});
        list.getFileItem(1)->setConvertType(ToDocx);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("image2Pdf error."));
        QCOMPARE(list.getFileItem(1)->fileConvert(broken, m_out), int(ConvertErrorImageUnreadable));
        QCOMPARE(tempEntries(), before);
    }

    // The cut of an unlocked PDF is a decrypted copy: only its owner may read it while it is
    // converted or copied, and it goes as soon as its file is done, whatever the result.
    void pdfItemCutsItsRangeFirst_data()
    {
        QTest::addColumn<int>("sdkResult");
        QTest::newRow("converted") << 0;
        QTest::newRow("failed") << 5;
    }

    void pdfItemCutsItsRangeFirst()
    {
        QFETCH(int, sdkResult);
        QString pdf = m_home.filePath("five.pdf");
        QString locked = m_home.filePath("five-locked.pdf");
        if (!QFile::exists(locked)) {
            QVERIFY(TestPdf::writePages(pdf, 5));
            QVERIFY(TestPdf::encrypt(pdf, locked, "user", "owner"));
        }
        FileItemList list(ModeConvert);
        list.addFiles({locked});
        auto* item = qobject_cast<PDFFileItem*>(list.getFileItem(0));
        QVERIFY(item->PDFDecrypt("user"));
        item->setConvertType(ToTxt);
        item->changePageRange({"2-3"});
        QStringList before = tempEntries();

        RecordingSdk::log().startResult = sdkResult;
        RecordingSdk::log().onStart = inspectInput;
        g_seen = SeenInput();
        QCOMPARE(item->fileConvert(item->filePath(), m_out), sdkResult);
        auto const call = RecordingSdk::calls().last();
        QVERIFY(call.input.startsWith(temp()));
        QCOMPARE(QFileInfo(call.input).fileName(), QString("five-locked.pdf")); // outputs are named after it
        QCOMPARE(call.password, QString()); // the cut copy has no password
        QVERIFY(g_seen.existed);
        QCOMPARE(g_seen.pages, 2);
        QCOMPARE(g_seen.othersMayAccess, 0);
        QCOMPARE(tempEntries(), before);

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
        QCOMPARE(tempEntries(), before);
    }

    // A range that selects no page of the file is a failure, not an empty document.
    void rangeWithoutPages()
    {
        QString pdf = m_home.filePath("three.pdf");
        QVERIFY(TestPdf::writePages(pdf, 3));
        FileItemList list(ModeConvert);
        list.addFiles({pdf});
        FileItem* item = list.getFileItem(0);
        item->setConvertType(ToTxt);
        item->changePageRange({"4-9"});
        QTemporaryDir out;
        QStringList before = tempEntries();
        QCOMPARE(item->fileConvert(pdf, out.path()), int(ConvertErrorPageOrContent));
        QCOMPARE(RecordingSdk::callCount(), 0);
        item->setOutputPdfName("three");
        QCOMPARE(item->pdfCreate(pdf, out.path()), int(CreateErrorFailure));
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(tempEntries(), before);
    }

    void otherItemsCannotConvert()
    {
        QString doc = m_home.filePath("notes.txt");
        QFile(doc).open(QIODevice::WriteOnly);
        FileItemList list(ModeConvert);
        list.addFiles({doc});
        QCOMPARE(list.getFileItem(0)->fileConvert(doc, m_out), -2);
    }

    void pdfNameGetsOneSuffix()
    {
        FileItemList list(ModeCreate);
        QString image = m_home.filePath("n.png");
        QFile(image).open(QIODevice::WriteOnly);
        list.addFiles({image});
        IFileProcessor* processor = list.getFileItem(0)->processor();
        list.getFileItem(0)->setOutputPdfName("report");
        QCOMPARE(processor->getCreator()->newPdfName(), QString("report.pdf"));
        list.getFileItem(0)->setOutputPdfName("report.pdf");
        QCOMPARE(processor->getCreator()->newPdfName(), QString("report.pdf"));
    }

    // Whatever name reaches it, a creation writes into its folder or not at all.
    void outputNameNeverLeavesTheFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent") << "../escaped";
        QTest::newRow("sub-folder") << "sub/name";
        QTest::newRow("empty") << "";
        QTest::newRow("dots") << "..";
    }

    void outputNameNeverLeavesTheFolder()
    {
        QFETCH(QString, name);
        QTemporaryDir parent;
        QString const out = parent.filePath("out");
        QVERIFY(QDir().mkpath(out));
        QString const pdf = m_home.filePath("source.pdf");
        QVERIFY(TestPdf::writePages(pdf, 1));
        FileItemList list(ModeCreate);
        list.addFiles({pdf});
        FileItem* item = list.getFileItem(0);
        item->setOutputPdfName(name);
        QCOMPARE(item->pdfCreate(pdf, out), int(CreateErrorOutputName));
        QCOMPARE(QDir(parent.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"out"});
        QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }
};

QTEST_MAIN(TestConvertEngine)
#include "TestConvertEngine.moc"

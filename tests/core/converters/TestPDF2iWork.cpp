#include "converters/PDF2Keynote.h"
#include "converters/PDF2Numbers.h"
#include "converters/PDF2Pages.h"

#include "common/ProductConstants.h"
#include "engines/ResultCodes.h"
#include "relay/SignalTransferStation.h"
#include "utils/TempFolder.h"

#include "RecordingSdk.h"
#include "TestHome.h"

#include <QtTest>

#include <QDir>
#include <QFile>

#include <thread>

namespace {

// The SDK stand-in writes the intermediate Office file.
int writeIntermediate(RecordingSdk::Call const& call)
{
    QFile file(call.output);
    return file.open(QIODevice::WriteOnly) ? 0 : 2;
}

// The user cancels while the SDK is still writing the Office file.
int writeIntermediateAndCancel(RecordingSdk::Call const& call)
{
    SignalTransferStation::instance()->transmitStopTaskSignal();
    return writeIntermediate(call);
}

// Alive and not only waiting to be reaped.
bool running(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat.open(QIODevice::ReadOnly) && !stat.readAll().contains(") Z ");
}

} // namespace

class TestPDF2iWork : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QTemporaryDir m_bin;

    void setScript(QByteArray const& body)
    {
        QString runner = m_bin.filePath("osascript");
        QFile file(runner);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body + "\n");
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        PDF2iWork::setScriptRunnerForTesting(runner);
    }

    QString tempDir() const { return TempFolder::path(); }

private slots:
    void init()
    {
        RecordingSdk::install();
        RecordingSdk::reset();
        RecordingSdk::log().onStart = writeIntermediate;
    }
    void cleanup()
    {
        RecordingSdk::restore();
        PDF2iWork::setTimeLimitForTesting(0);
    }

    void scriptResults_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<int>("code");
        QTest::newRow("silent success") << QByteArray("echo warning >&2; exit 0") << 0;
        QTest::newRow("number with line break") << QByteArray("echo 7; echo why >&2") << 7;
        QTest::newRow("zero printed") << QByteArray("echo ' 0 '") << 0;
        QTest::newRow("not a number") << QByteArray("echo done") << 0;
        QTest::newRow("silent failure") << QByteArray("echo 'no such script' >&2; exit 1") << 1;
    }

    void scriptResults()
    {
        QFETCH(QByteArray, script);
        QFETCH(int, code);
        setScript(script);
        PDF2Pages converter;
        QCOMPARE(converter.convert("/in/report.pdf", m_home.filePath("out/report.pages"), "", {}), code);
        QVERIFY(!QFile::exists(tempDir() + "report.docx")); // removed whatever the result
    }

    void scriptGetsPathsInOrder()
    {
        QString argsFile = m_home.filePath("args.txt");
        setScript("printf '%s\\n' \"$@\" > '" + argsFile.toUtf8() + "'");
        PDF2Keynote converter;
        QString out = m_home.filePath("out/deck.key");
        QCOMPARE(converter.convert("/in/deck.pdf", out, "", {}), 0);
        QFile file(argsFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList args = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(args.size(), 3);
        QVERIFY(args[0].endsWith("/../Resources/Scripts/ppt2keynote.scpt"));
        QCOMPARE(args[1], tempDir() + "deck.pptx");
        QCOMPARE(args[2], out);
    }

    void intermediateNameIsMadeFree()
    {
        setScript("exit 0");
        QDir().mkpath(tempDir());
        QFile taken(tempDir() + "a.xlsx");
        QVERIFY(taken.open(QIODevice::WriteOnly));
        taken.close();
        PDF2Numbers converter;
        QCOMPARE(converter.convert("/in/a.c.pdf", m_home.filePath("out/a.numbers"), "", {}), 0);
        QCOMPARE(RecordingSdk::log().calls.last().output, tempDir() + "a_1.xlsx");
        QVERIFY(QFile::exists(tempDir() + "a.xlsx")); // someone else's file stays
    }

    void numbersNeverRecognises()
    {
        setScript("exit 0");
        ConvertOption option;
        option.m_ocrEnabled = true;
        PDF2Numbers converter;
        converter.convert("/in/t.pdf", m_home.filePath("out/t.numbers"), "", option);
        QCOMPARE(int(RecordingSdk::log().calls.last().record[7]), 0);
        QVERIFY(RecordingSdk::log().ocrLanguages.isEmpty());
    }

    void sdkFailureSkipsScript()
    {
        QString marker = m_home.filePath("ran");
        setScript("touch '" + marker.toUtf8() + "'");
        RecordingSdk::log().onStart = nullptr;
        RecordingSdk::log().startResult = 5;
        PDF2Pages converter;
        QCOMPARE(converter.convert("/in/bad.pdf", m_home.filePath("out/bad.pages"), "", {}), 5);
        QVERIFY(!QFile::exists(marker));
    }

    // A script that makes no end, or one the user cancels at any moment, is stopped with what it
    // started; the row gets its reason and no part of a document is left.
    void scriptIsStopped_data()
    {
        QTest::addColumn<int>("limitSeconds");
        QTest::addColumn<bool>("cancelInSdk");
        QTest::addColumn<bool>("cancelInScript");
        QTest::addColumn<int>("code");
        QTest::newRow("no end in time") << 1 << false << false << int(ConvertErrorTimeLimit);
        QTest::newRow("cancel while exporting") << 0 << false << true << int(ConvertErrorCanceled);
        QTest::newRow("cancel before the export") << 0 << true << false << int(ConvertErrorCanceled);
    }

    void scriptIsStopped()
    {
        QFETCH(int, limitSeconds);
        QFETCH(bool, cancelInSdk);
        QFETCH(bool, cancelInScript);
        QFETCH(int, code);
        QString const started = m_home.filePath("started");
        QFile::remove(started);
        // Writes part of the document, then waits on a program of its own.
        setScript("echo part > \"$3\"; sleep 600 & echo $! > '" + started.toUtf8() + ".tmp'; mv '" +
                  started.toUtf8() + ".tmp' '" + started.toUtf8() + "'; wait");
        PDF2iWork::setTimeLimitForTesting(limitSeconds);
        if (cancelInSdk)
            RecordingSdk::log().onStart = writeIntermediateAndCancel;
        PDF2Pages converter; // connected before the canceller exists, as a row is before its Cancel
        std::thread canceller([&] {
            if (!cancelInScript)
                return;
            for (int i = 0; i < 1000 && !QFile::exists(started); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            SignalTransferStation::instance()->transmitStopTaskSignal();
        });
        QString const out = m_home.filePath("out/stopped.pages");
        QDir().mkpath(m_home.filePath("out"));
        int const result = converter.convert("/in/stopped.pdf", out, "", {});
        canceller.join();
        QCOMPARE(result, code);
        QVERIFY(!QFile::exists(out));
        QVERIFY(!QFile::exists(tempDir() + "stopped.docx"));
        QFile pidFile(started);
        QCOMPARE(pidFile.open(QIODevice::ReadOnly), !cancelInSdk);
        if (pidFile.isOpen()) {
            qint64 const helper = pidFile.readAll().trimmed().toLongLong();
            QVERIFY(helper > 0);
            QTRY_VERIFY(!running(helper));
        }
    }

    void missingRunner()
    {
        PDF2iWork::setScriptRunnerForTesting(m_bin.filePath("absent"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Failed to launch Keynote.app"));
        PDF2Keynote converter;
        QVERIFY(converter.convert("/in/x.pdf", m_home.filePath("out/x.key"), "", {}) != 0);
    }
};

QTEST_MAIN(TestPDF2iWork)
#include "TestPDF2iWork.moc"

#include "creation/ExeStarter.h"
#include "engines/ResultCodes.h"
#include "errors/ErrorMessageContext.h"
#include "relay/SignalTransferStation.h"

#include <QtTest>

#include <QFile>
#include <QTemporaryDir>

#include <thread>

class TestExeStarter : public QObject
{
    Q_OBJECT

    QTemporaryDir m_bin;

    void writeHelper(QString const& name, QByteArray const& body)
    {
        QFile file(m_bin.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body + "\n");
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

private slots:
    void initTestCase() { ExeStarter::setProgramFolderForTesting(m_bin.path()); }

    void exitCodes_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("success") << QByteArray("exit 0") << QStringList{"-input", "a", "-output", "b"} << 0;
        QTest::newRow("flags 4 and 8") << QByteArray("exit 12") << QStringList{} << 12;
        QTest::newRow("arguments arrive in order")
            << QByteArray("[ \"$1 $2 $3 $4\" = \"-input /x y.doc -output /o.pdf\" ] && exit 0; exit 9")
            << QStringList{"-input", "/x y.doc", "-output", "/o.pdf"} << 0;
        QTest::newRow("no standard input") << QByteArray("read line && exit 3; exit 0") << QStringList{} << 0;
        QTest::newRow("crash is a failure") << QByteArray("kill -SEGV $$") << QStringList{} << -1;
    }

    void exitCodes()
    {
        QFETCH(QByteArray, body);
        QFETCH(QStringList, args);
        QFETCH(int, code);
        writeHelper("PdfCreator", body);
        ExeStarter starter;
        QCOMPARE(starter.cmdProgramStart("PdfCreator", args), code);
    }

    void missingHelper()
    {
        ExeStarter starter;
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("Handling file timeout."));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("cmdProgramStart.*"));
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(starter.cmdProgramStart("NoSuchHelper", {}), -1);
        QVERIFY(timer.elapsed() < 10000);
    }

    // A helper that makes no end, takes more memory than conversions may, or is cancelled, is
    // stopped with what it started.
    void limits_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<qint64>("memory");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("code");
        // %1: where the process to see ended writes its number.
        QByteArray const endless("sleep 120 &\necho $! > '%1.tmp'\nmv '%1.tmp' '%1'\nwait");
        QTest::newRow("no end, with a child")
            << endless << qint64(0) << 1 << false << int(CreateErrorTimeLimit);
        QTest::newRow("too much memory")
            << QByteArray(
                   "echo $$ > '%1'\nexec python3 -c \"b = b'x' * (400 << 20); import time; time.sleep(120)\"")
            << qint64(100 << 20) << 120 << false << int(CreateErrorMemoryLimit);
        QTest::newRow("cancelled, with a child")
            << endless << qint64(0) << 120 << true << int(CreateErrorCanceled);
    }

    void limits()
    {
        QFETCH(QByteArray, body);
        QFETCH(qint64, memory);
        QFETCH(int, seconds);
        QFETCH(bool, cancel);
        QFETCH(int, code);
        QString const pidFile = m_bin.filePath("child.pid");
        QFile::remove(pidFile);
        // Its unfinished PDF goes with it; one that was there before stays.
        QString const partial = m_bin.filePath(".doc.0badcafe.part");
        QString const older = m_bin.filePath(".doc.12345678.part");
        QVERIFY(QFile(older).open(QIODevice::WriteOnly));
        writeHelper("Endless",
                    ": > '" + partial.toUtf8() + "'\n" + QString::fromUtf8(body).arg(pidFile).toUtf8());
        ExeStarter::setLimitsForTesting(memory, seconds);
        ExeStarter starter;
        // The interface's thread cancels once the helper is at work.
        std::thread canceller([&] {
            if (!cancel)
                return;
            for (int i = 0; i < 1000 && !QFile::exists(pidFile); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            SignalTransferStation::instance()->transmitStopTaskSignal();
        });
        int const result =
            starter.cmdProgramStart("Endless", {"-input", "doc.txt", "-output", m_bin.filePath("doc.pdf")});
        canceller.join();
        ExeStarter::setLimitsForTesting(0, 0);
        QCOMPARE(result, code);
        QVERIFY(!QFile::exists(partial));
        QVERIFY(QFile::remove(older));
        QFile file(pidFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString const child = QString::fromLatin1(file.readAll()).trimmed();
        QVERIFY(!child.isEmpty());
        // Gone, or a zombie waiting for its reaper: either way no longer running.
        QTRY_VERIFY_WITH_TIMEOUT(
            !QFile::exists("/proc/" + child) ||
                [&child] {
                    QFile stat("/proc/" + child + "/stat");
                    return stat.open(QIODevice::ReadOnly) && stat.readAll().contains(") Z ");
                }(),
            10000);
    }

    void keepsLatestErrorChunk()
    {
        writeHelper("Chatty", "printf 'first' >&2; sleep 0.3; printf 'second' >&2; echo out; exit 1");
        ExeStarter starter;
        QCOMPARE(starter.cmdProgramStart("Chatty", {}), 1);
        QCOMPARE(starter.errorContext()->errorMessage(), QString("second"));
    }
};

QTEST_GUILESS_MAIN(TestExeStarter)
#include "TestExeStarter.moc"

#include "creation/ExeStarter.h"
#include "errors/ErrorMessageContext.h"

#include <QtTest>

#include <QFile>
#include <QTemporaryDir>

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

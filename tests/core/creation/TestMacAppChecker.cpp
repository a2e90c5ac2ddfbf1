#include "creation/MacAppChecker.h"

#include <QtTest>

#include <QFile>
#include <QTemporaryDir>

class TestMacAppChecker : public QObject
{
    Q_OBJECT

    QTemporaryDir m_bin;
    QByteArray m_path = qgetenv("PATH");

private slots:
    void initTestCase() { qputenv("PATH", m_bin.path().toLocal8Bit() + ":" + m_path); }
    void cleanupTestCase() { qputenv("PATH", m_path); }

    void answers_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<bool>("installed");
        QTest::newRow("one path") << QByteArray("echo /Applications/Pages.app") << true;
        QTest::newRow("two paths") << QByteArray("printf '/A/Pages.app\\n/B/Pages.app\\n'") << true;
        QTest::newRow("nothing") << QByteArray("exit 0") << false;
        QTest::newRow("leading line break") << QByteArray("printf '\\n/A/Pages.app\\n'") << false;
        // The query names the bundle with ".app" as the last argument.
        QTest::newRow("query shape") << QByteArray(
                                            "[ \"$7\" = Pages.app ] && [ \"$1\" = kMDItemContentType ] "
                                            "&& [ \"$3\" = com.apple.application-bundle ] && echo /x")
                                     << true;
    }

    void answers()
    {
        QFETCH(QByteArray, script);
        QFETCH(bool, installed);
        QFile fake(m_bin.filePath("mdfind"));
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write("#!/bin/sh\n" + script + "\n");
        fake.close();
        QVERIFY(fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QCOMPARE(MacAppChecker("Pages").isInstalled(), installed);
    }

    void withoutSearchTool()
    {
        QFile::remove(m_bin.filePath("mdfind"));
        qputenv("PATH", m_bin.path().toLocal8Bit());
        QCOMPARE(MacAppChecker("Keynote").isInstalled(), false);
        qputenv("PATH", m_bin.path().toLocal8Bit() + ":" + m_path);
    }
};

QTEST_GUILESS_MAIN(TestMacAppChecker)
#include "TestMacAppChecker.moc"

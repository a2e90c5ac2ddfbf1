#include "utils/TempFolder.h"

#include "common/ProductConstants.h"

#include "TestHome.h"

#include <QtTest>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSysInfo>

class TestTempFolder : public QObject
{
    Q_OBJECT

    TestHome m_home;

    static QString temp() { return QDir::homePath() + g_tempDirPath; }

    static bool write(QString const& path, QByteArray const& bytes, int daysOld = 0)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
            return false;
        return daysOld == 0 || file.setFileTime(QDateTime::currentDateTime().addDays(-daysOld),
                                                QFileDevice::FileModificationTime);
    }

private slots:
    // Start-up removes what a copy that is gone left in Temp, and nothing that a link there
    // points to.
    void removeAbandoned_data()
    {
        QTest::addColumn<QString>("kind");    // what stands at Temp/old
        QTest::addColumn<QByteArray>("lock"); // old.lock's text; empty: no lock
        QTest::addColumn<int>("lockDaysOld");
        QTest::addColumn<bool>("removed");

        QByteArray const here = "999999999\nDocquill\n" + QSysInfo::machineHostName().toUtf8() + "\n";
        QByteArray const elsewhere = "4242\nDocquill\nanother-machine.example\n";
        QTest::newRow("folder of a copy that is gone") << "folder" << here << 0 << true;
        QTest::newRow("link of a copy that is gone") << "link" << here << 0 << true;
        QTest::newRow("link without a lock") << "link" << QByteArray() << 0 << true;
        QTest::newRow("another machine's lock of today") << "folder" << elsewhere << 0 << false;
        QTest::newRow("another machine's lock of two days ago") << "folder" << elsewhere << 2 << true;
        QTest::newRow("link with another machine's old lock") << "link" << elsewhere << 2 << true;
        QTest::newRow("unreadable lock of two days ago") << "folder" << QByteArray("\n") << 2 << true;
        // A copy on this machine that still runs keeps its folder however old its lock.
        QByteArray const running = QByteArray::number(QCoreApplication::applicationPid()) + "\n" +
                                   QCoreApplication::applicationName().toUtf8() + "\n" +
                                   QSysInfo::machineHostName().toUtf8() + "\n";
        QTest::newRow("running copy's lock of two days ago") << "folder" << running << 2 << false;
    }

    void removeAbandoned()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, lock);
        QFETCH(int, lockDaysOld);
        QFETCH(bool, removed);

        QTemporaryDir elsewhere;
        QVERIFY(write(elsewhere.filePath("thesis.docx"), "chapter one"));
        QString const old = temp() + "old";
        QVERIFY(QDir().mkpath(temp()));
        if (kind == "link") {
            QVERIFY(QFile::link(elsewhere.path(), old));
        } else {
            QVERIFY(QDir().mkpath(old));
            QVERIFY(write(old + "/work.pdf", "%PDF"));
        }
        if (!lock.isEmpty())
            QVERIFY(write(old + ".lock", lock, lockDaysOld));

        TempFolder::removeAbandoned();

        QCOMPARE(QFileInfo::exists(old) || QFileInfo(old).isSymLink(), !removed);
        QCOMPARE(QFileInfo::exists(old + ".lock"), !removed && !lock.isEmpty());
        QVERIFY(QFile::exists(elsewhere.filePath("thesis.docx")));
        QVERIFY(QDir(TempFolder::path()).exists());
    }

    void cleanup()
    {
        QString const old = temp() + "old";
        QFile::remove(old + ".lock");
        if (!QFile::remove(old))
            QDir(old).removeRecursively();
    }

    // A folder that another machine's copy removed is made again at the next use.
    void ownFolderComesBack()
    {
        QString const first = TempFolder::path();
        QVERIFY(QDir(first).removeRecursively());
        QVERIFY(QFile::remove(first.chopped(1) + ".lock"));
        QString const second = TempFolder::path();
        QVERIFY(second != first);
        QVERIFY(QDir(second).exists());
        QVERIFY(QFile::exists(second.chopped(1) + ".lock"));
    }
};

QTEST_GUILESS_MAIN(TestTempFolder)
#include "TestTempFolder.moc"

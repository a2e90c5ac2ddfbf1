#include "logger/Logger.h"

#include "TestHome.h"

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QThread>

#include <unistd.h>

namespace {

QDateTime g_now;
QDateTime fakeClock()
{
    return g_now;
}

const QString kLogDir = QStringLiteral("/Logs/");

QString readAll(QString const& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

class TestLogger : public QObject
{
    Q_OBJECT

    TestHome m_home;

    QString logFolder() const { return m_home.path() + kLogDir; }
    QString fileFor(QDateTime const& t) const
    {
        return logFolder() + "/" + t.toString("yyyy-MM-dd_hh") + "_log.html";
    }

private slots:
    void initTestCase()
    {
        Logger::setClockForTesting(fakeClock);
        Logger::initLog(kLogDir, 100, true);
    }

    void cleanupTestCase() { qInstallMessageHandler(nullptr); }

    void hourBoundarySplitsFiles()
    {
        QDateTime before(QDate(2026, 3, 4), QTime(10, 59, 59));
        QDateTime after(QDate(2026, 3, 4), QTime(11, 0, 0));
        g_now = before;
        qWarning("last of ten");
        g_now = after;
        qInfo("first of eleven");

        QString first = readAll(fileFor(before));
        QString second = readAll(fileFor(after));
        for (auto const& page : {first, second}) {
            QVERIFY(page.startsWith("\n<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>"));
            QVERIFY(page.contains("<title>Quorvik Log</title>"));
            QVERIFY(page.contains("<select id=\"typeSelect\" onchange=\"selectType()\">"));
        }
        QVERIFY(first.contains("<div class=\"w\">2026-03-04 10:59:59 last of ten</div>\r\n"));
        QVERIFY(!first.contains("first of eleven"));
        QVERIFY(second.contains("<div class=\"i\">2026-03-04 11:00:00 first of eleven</div>\r\n"));

        // Coming back to an hour whose file exists appends without a second head.
        g_now = before.addSecs(-5);
        qDebug("back again");
        first = readAll(fileFor(before));
        QCOMPARE(first.count("<?xml"), 1);
        QVERIFY(first.contains("<div class=\"d\">2026-03-04 10:59:54 back again</div>"));
    }

    void markupIsEscapedInPageButNotInEcho()
    {
        g_now = QDateTime(QDate(2026, 3, 5), QTime(9, 0, 0));
        QString hostile = "<img src=x onerror=alert(1)>.pdf & 100% done";

        QTemporaryFile capture;
        QVERIFY(capture.open());
        fflush(stderr);
        int saved = dup(2);
        dup2(capture.handle(), 2);
        qCritical().noquote() << hostile;
        fflush(stderr);
        dup2(saved, 2);
        close(saved);

        QString page = readAll(fileFor(g_now));
        QVERIFY(page.contains("<div class=\"c\">2026-03-05 09:00:00 &lt;img src=x onerror=alert(1)&gt;.pdf "
                              "&amp; 100% done</div>"));
        QVERIFY(!page.contains("<img"));
        capture.seek(0);
        QCOMPARE(QString::fromUtf8(capture.readAll()), "2026-03-05 09:00:00 " + hostile);
    }

    // Rows from two threads never interleave, and the periodic reopen loses none.
    void concurrentRowsStayWhole()
    {
        g_now = QDateTime(QDate(2026, 3, 6), QTime(8, 0, 0));
        auto work = [](char tag) {
            for (int i = 0; i < 300; ++i)
                qInfo("thread %c row %d with some padding to pass the reopen threshold", tag, i);
        };
        QThread* a = QThread::create(work, 'a');
        QThread* b = QThread::create(work, 'b');
        a->start();
        b->start();
        QVERIFY(a->wait(30000));
        QVERIFY(b->wait(30000));
        delete a;
        delete b;

        QString page = readAll(fileFor(g_now));
        QRegularExpression row(
            "<div class=\"i\">2026-03-06 08:00:00 thread ([ab]) row (\\d+) with some padding to "
            "pass the reopen threshold</div>\r\n");
        QSet<QString> seen;
        auto it = row.globalMatch(page);
        while (it.hasNext()) {
            auto m = it.next();
            seen.insert(m.captured(1) + m.captured(2));
        }
        QCOMPARE(seen.size(), 600);
    }

    // Only the logger's own hourly pages count and go; whatever else the folder holds stays.
    void startupKeepsNewestFiles_data()
    {
        QTest::addColumn<int>("logs");
        QTest::addColumn<int>("maxCount");
        QTest::newRow("five over") << 105 << 100;
        QTest::newRow("at the limit with others") << 100 << 100;
        QTest::newRow("keep none") << 3 << 0;
    }

    void startupKeepsNewestFiles()
    {
        QFETCH(int, logs);
        QFETCH(int, maxCount);
        QDir dir(logFolder());
        for (const QString& f : dir.entryList(QDir::Files))
            QVERIFY(dir.remove(f));
        QStringList names;
        QDateTime first(QDate(2025, 1, 1), QTime(0, 0));
        for (int i = 0; i < logs; ++i)
            names << first.addSecs(3600 * i).toString("yyyy-MM-dd_hh") + "_log.html";
        // Sorting before and among the pages, and pages in all but their exact name.
        QStringList others{"0 notes.txt",           "1999-12-31_23_crash.html", "2025-01-01_00_log.html.bak",
                           "2025-01-01_00_log.htm", "2025-01-01_0_log.html",    "crash report.txt"};
        for (const QString& f : names + others) {
            QFile file(dir.filePath(f));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        Logger::initLog(kLogDir, maxCount, true);
        QStringList kept = names.mid(qMax(0, logs - maxCount)) + others;
        kept.sort();
        QCOMPARE(dir.entryList(QDir::Files, QDir::Name), kept);
    }

    // With no folder of its own the log goes to the home folder: the user's files there stay.
    void emptyFolderLeavesHomeAlone()
    {
        QFile note(m_home.filePath("note.txt"));
        QVERIFY(note.open(QIODevice::WriteOnly));
        note.close();
        Logger::initLog(QString(), 0, true);
        Logger::initLog(kLogDir, 100, true);
        QVERIFY(note.exists());
    }

    // The variant handler writes where the buffered one does.
    void synchronousModeWritesTheSamePage()
    {
        g_now = QDateTime(QDate(2026, 3, 8), QTime(6, 0, 0));
        Logger::initLog(kLogDir, 100, false);
        qWarning("first unbuffered");
        qInfo("second unbuffered");
        Logger::initLog(kLogDir, 100, true);
        QString page = readAll(fileFor(g_now));
        QVERIFY(page.startsWith("\n<?xml version=\"1.0\""));
        QCOMPARE(page.count("<?xml"), 1);
        QVERIFY(page.contains("<div class=\"w\">2026-03-08 06:00:00 first unbuffered</div>\r\n"
                              "<div class=\"i\">2026-03-08 06:00:00 second unbuffered</div>\r\n"));
    }

    void missingFolderIsCreated()
    {
        QVERIFY(QDir(logFolder()).removeRecursively());
        Logger::initLog(kLogDir, 100, true);
        QVERIFY(QFileInfo(logFolder()).isDir());
        g_now = QDateTime(QDate(2026, 3, 7), QTime(7, 0, 0));
        qWarning("after re-creation");
        QVERIFY(readAll(fileFor(g_now)).contains("after re-creation"));
    }
};

QTEST_GUILESS_MAIN(TestLogger)
#include "TestLogger.moc"

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

    void startupKeepsNewestFiles()
    {
        QDir dir(logFolder());
        for (const QString& f : dir.entryList(QDir::Files))
            QVERIFY(dir.remove(f));
        for (int i = 0; i < 105; ++i) {
            QFile f(dir.filePath(QStringLiteral("2025-01-%1_00_log.html").arg(i, 3, 10, QChar('0'))));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        Logger::initLog(kLogDir, 100, true);
        QStringList left = dir.entryList(QDir::Files, QDir::Name);
        QCOMPARE(left.size(), 100);
        QCOMPARE(left.first(), QString("2025-01-005_00_log.html"));
        QCOMPARE(left.last(), QString("2025-01-104_00_log.html"));
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

#include "module/ModuleDownload.h"

#include "LocalHttpServer.h"
#include "TestGzip.h"
#include "TestHome.h"
#include "ThreadedHttpServer.h"

#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {
constexpr int s_limit = 1048576;
} // namespace

class TestModuleDownload : public QObject
{
    Q_OBJECT

    TestHome m_home;
    LocalServer m_server;
    QString m_save;

    QByteArray saved()
    {
        QFile file(m_save);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private slots:
    void initTestCase()
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        m_save = m_home.filePath("ocr-models-mac-v2.zip");
        QFile secret(m_save + ".secret");
        QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("secret") == 6);
    }

    void completes_data()
    {
        QTest::addColumn<Answer>("file");
        QTest::addColumn<QByteArray>("redirect");
        QTest::addColumn<int>("limit");
        // What lies on disk when the last byte has arrived, before the end is handled:
        // the buffer is written out only once it holds more than 1 MiB.
        QTest::addColumn<qint64>("onDiskAtLastByte");
        QTest::newRow("small") << answer("200 OK", pattern(1000)) << QByteArray() << -1 << qint64(0);
        QTest::newRow("exactly the buffer")
            << answer("200 OK", pattern(s_limit)) << QByteArray() << -1 << qint64(0);
        QTest::newRow("one byte over")
            << answer("200 OK", pattern(s_limit + 1)) << QByteArray() << -1 << qint64(s_limit + 1);
        QTest::newRow("3 MiB in pieces")
            << answer("200 OK", pattern(3 * s_limit), {}, 65536) << QByteArray() << 5000 << qint64(-1);
        QTest::newRow("slow body, limit 0")
            << answer("200 OK", pattern(12 * 1024), {}, 1024, 30) << QByteArray() << 0 << qint64(0);
        for (QByteArray status : {"301 Moved Permanently", "302 Found", "308 Permanent Redirect"})
            QTest::newRow(status.constData()) << answer("200 OK", pattern(5000)) << status << -1 << qint64(0);
    }

    void completes()
    {
        QFETCH(Answer, file);
        QFETCH(QByteArray, redirect);
        QFETCH(int, limit);
        QFETCH(qint64, onDiskAtLastByte);
        m_server.answers["/files/ocr.zip"] = file;
        m_server.answers["/ocr.zip"] = answer(redirect, "<html>moved</html>", "Location: /files/ocr.zip\r\n");
        ModuleDownload downloader;
        qint64 onDisk = -2;
        connect(&downloader, &ModuleDownload::downloadProgress, this, [&](int received, int total) {
            if (received == total && onDisk == -2)
                onDisk = QFileInfo(m_save).size();
        });
        QVERIFY(downloader.download(m_server.url(redirect.isEmpty() ? "/files/ocr.zip" : "/ocr.zip"), m_save,
                                    limit));
        QVERIFY(saved() == file.pieces.join());
        QVERIFY(onDisk != -2);
        if (onDiskAtLastByte >= 0)
            QCOMPARE(onDisk, onDiskAtLastByte);
    }

    // No answer but a 2xx one is the file; each of these leaves nothing behind.
    void fails_data()
    {
        QTest::addColumn<Answer>("reply");
        QTest::newRow("404") << answer("404 Not Found", "<html>gone</html>");
        QTest::newRow("500") << answer("500 Internal Server Error", "<html>broken</html>");
        QTest::newRow("300 without target") << answer("300 Multiple Choices", "<html>choose</html>");
        QTest::newRow("302 without target") << answer("302 Found", "<html>moved</html>");
        QTest::newRow("redirect to a local file")
            << answer("302 Found", "", "Location: file://" + QFile::encodeName(m_save) + ".secret\r\n");
        QTest::newRow("redirect loop") << answer("302 Found", "", "Location: /ocr.zip\r\n");
        // The package is asked for as it is; a compressed answer, whole or cut short with a
        // length to match, is not the package.
        QByteArray const packed = gzipped(pattern(300000));
        QTest::newRow("gzip cut short")
            << answer("200 OK", packed.left(packed.size() / 2), "Content-Encoding: gzip\r\n");
        QTest::newRow("gzip despite identity") << answer("200 OK", packed, "Content-Encoding: gzip\r\n");
        Answer shortBody = answer("200 OK", pattern(5000));
        shortBody.head.replace("Content-Length: 5000", "Content-Length: 9000");
        QTest::newRow("shorter than announced") << shortBody;
    }

    void fails()
    {
        QFETCH(Answer, reply);
        m_server.answers["/ocr.zip"] = reply;
        ModuleDownload downloader;
        QVERIFY(!downloader.download(m_server.url("/ocr.zip"), m_save, 5000));
        QVERIFY(!QFile::exists(m_save));
    }

    // A time-out and a cancel both end a stalled transfer at once and leave the shared
    // buffer empty: the next download holds only its own bytes.
    void stopsMidway_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("cancelAfter");
        QTest::newRow("time-out") << 300 << -1;
        QTest::newRow("cancel") << -1 << 300;
    }

    void stopsMidway()
    {
        QFETCH(int, limit);
        QFETCH(int, cancelAfter);
        m_server.answers["/stalls.zip"] = answer("200 OK", pattern(3 * 65536), {}, 65536, 20000);
        ModuleDownload downloader;
        if (cancelAfter >= 0)
            QTimer::singleShot(cancelAfter, &downloader, &ModuleDownload::cancelDownload);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!downloader.download(m_server.url("/stalls.zip"), m_save, limit));
        QVERIFY(timer.elapsed() < 10000);
        QVERIFY(!QFile::exists(m_save));

        m_server.answers["/small.zip"] = answer("200 OK", "small");
        QVERIFY(downloader.download(m_server.url("/small.zip"), m_save, -1));
        QCOMPARE(saved(), QByteArray("small"));
    }

    // While the application is busy the download stops taking data instead of holding the
    // rest of the body in memory; it then completes as usual.
    void busyApplicationHoldsOnlyPieces()
    {
        constexpr qint64 size = qint64(128) << 20;
        ThreadedHttpServer server(size, true);
        ModuleDownload downloader;
        qint64 sentWhileBusy = -1;
        QTimer busy;
        connect(&busy, &QTimer::timeout, this, [&] {
            if (!server.started())
                return;
            busy.stop();
            server.go();
            if (server.sentBeforeStall().wait_for(std::chrono::seconds(60)) == std::future_status::ready)
                sentWhileBusy = server.sentBeforeStall().get();
        });
        busy.start(10);
        QVERIFY(downloader.download(server.url(), m_save, -1));
        QCOMPARE(QFileInfo(m_save).size(), size);
        QVERIFY2(sentWhileBusy >= 0 && sentWhileBusy < size / 2, qPrintable(QString::number(sentWhileBusy)));
        qInfo() << "taken while the application was busy:" << sentWhileBusy << "bytes";
    }

    void saveFileCannotBeOpened()
    {
        QString save = m_home.filePath("missing/folder/x.zip");
        QVERIFY(!ModuleDownload().download(m_server.url("/x.zip"), save, -1));
        QVERIFY(!QFile::exists(save));
    }

    // The file cannot grow past 1 MiB here: a package cut short must not count as complete.
    void writeFails()
    {
        m_server.answers["/big.zip"] = answer("200 OK", pattern(3 * s_limit), {}, 65536);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit previous{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &previous) == 0);
        rlimit small = previous;
        small.rlim_cur = s_limit;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        bool result = ModuleDownload().download(m_server.url("/big.zip"), m_save, -1);
        setrlimit(RLIMIT_FSIZE, &previous);
        QVERIFY(!result);
        QVERIFY(!QFile::exists(m_save));
    }
};

QTEST_GUILESS_MAIN(TestModuleDownload)
#include "TestModuleDownload.moc"

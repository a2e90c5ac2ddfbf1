#include "module/ModuleDownload.h"

#include "TestHome.h"

#include <QElapsedTimer>
#include <QFile>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {
constexpr int s_limit = 1048576;

// One answer of the local server: its head, then the body in pieces with a pause before
// every piece after the first.
struct Answer
{
    QByteArray head;
    QList<QByteArray> pieces;
    int pauseMs = 0;
};

Answer ok(QByteArray const& body, int pieceSize, int pauseMs = 0)
{
    Answer answer{"HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) +
                      "\r\nConnection: close\r\n\r\n",
                  {},
                  pauseMs};
    for (int at = 0; at < body.size(); at += pieceSize)
        answer.pieces << body.mid(at, pieceSize);
    return answer;
}

Answer status(QByteArray const& line, QByteArray const& headers = {})
{
    QByteArray body = "<html>" + line + "</html>";
    return {"HTTP/1.1 " + line + "\r\n" + headers + "Content-Length: " + QByteArray::number(body.size()) +
                "\r\nConnection: close\r\n\r\n",
            {body},
            0};
}

QByteArray pattern(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xff);
    return bytes;
}

// Answers each request on 127.0.0.1 with the answer set for its path.
class LocalServer : public QTcpServer
{
public:
    QHash<QByteArray, Answer> answers;

    QString url(QByteArray const& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()) + QString::fromLatin1(path);
    }

protected:
    void incomingConnection(qintptr handle) override
    {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            if (!socket->peek(64 * 1024).contains("\r\n\r\n"))
                return;
            QByteArray path = socket->readAll().split(' ').value(1);
            Answer answer = answers.value(path, status("404 Not Found"));
            socket->write(answer.head);
            send(socket, answer, 0);
        });
    }

private:
    void send(QTcpSocket* socket, Answer const& answer, int piece)
    {
        if (piece == answer.pieces.size()) {
            socket->disconnectFromHost();
            return;
        }
        socket->write(answer.pieces.at(piece));
        // The socket is the timer's context: a client that went away stops the answer.
        QTimer::singleShot(answer.pauseMs, socket, [=] { send(socket, answer, piece + 1); });
    }
};
} // namespace

Q_DECLARE_METATYPE(Answer)

class TestModuleDownload : public QObject
{
    Q_OBJECT

    TestHome m_home;
    LocalServer m_server;
    QString m_save;

private slots:
    void initTestCase()
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        m_save = m_home.filePath("ocr-models-mac-v2.zip");
    }

    void init() { m_server.answers.clear(); }

    void completes_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("pieceSize");
        QTest::addColumn<QByteArray>("redirect");
        // What lies on disk when the last byte has arrived, before the end is handled:
        // the buffer is written out only once it holds more than 1 MiB.
        QTest::addColumn<qint64>("onDiskAtLastByte");
        QTest::newRow("small") << 1000 << 1000 << QByteArray() << qint64(0);
        QTest::newRow("exactly the buffer") << s_limit << s_limit << QByteArray() << qint64(0);
        QTest::newRow("one byte over") << s_limit + 1 << s_limit + 1 << QByteArray() << qint64(s_limit + 1);
        QTest::newRow("3 MiB in pieces") << 3 * s_limit << 65536 << QByteArray() << qint64(-1);
        QTest::newRow("302") << 5000 << 5000 << QByteArray("302 Found") << qint64(0);
        QTest::newRow("301") << 5000 << 5000 << QByteArray("301 Moved Permanently") << qint64(0);
        QTest::newRow("308") << 5000 << 5000 << QByteArray("308 Permanent Redirect") << qint64(0);
    }

    void completes()
    {
        QFETCH(int, size);
        QFETCH(int, pieceSize);
        QFETCH(QByteArray, redirect);
        QFETCH(qint64, onDiskAtLastByte);
        QByteArray body = pattern(size);
        m_server.answers["/files/ocr-models-mac-v2.zip"] = ok(body, pieceSize);
        m_server.answers["/ocr-models-mac-v2.zip"] =
            status(redirect, "Location: /files/ocr-models-mac-v2.zip\r\n");
        QByteArray path = redirect.isEmpty() ? "/files/ocr-models-mac-v2.zip" : "/ocr-models-mac-v2.zip";

        ModuleDownload downloader;
        qint64 onDisk = -2;
        connect(&downloader, &ModuleDownload::downloadProgress, this, [&](int received, int total) {
            if (received == total && onDisk == -2)
                onDisk = QFileInfo(m_save).size();
        });
        QVERIFY(downloader.download(m_server.url(path), m_save, -1));
        QFile file(m_save);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == body);
        if (onDiskAtLastByte >= 0)
            QCOMPARE(onDisk, onDiskAtLastByte);
    }

    // No answer but a 2xx one is the file; each of these leaves nothing behind.
    void fails_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("404") << status("404 Not Found");
        QTest::newRow("500") << status("500 Internal Server Error");
        QTest::newRow("300 without target") << status("300 Multiple Choices");
        QTest::newRow("302 without target") << status("302 Found");
        QTest::newRow("redirect to a local file")
            << status("302 Found", "Location: file://" + QFile::encodeName(m_save) + ".secret\r\n");
        QTest::newRow("redirect loop") << status("302 Found", "Location: /ocr-models-mac-v2.zip\r\n");
    }

    void fails()
    {
        QFETCH(Answer, answer);
        QFile secret(m_save + ".secret");
        QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("secret") == 6);
        secret.close();
        m_server.answers["/ocr-models-mac-v2.zip"] = answer;
        ModuleDownload downloader;
        QVERIFY(!downloader.download(m_server.url("/ocr-models-mac-v2.zip"), m_save, 5000));
        QVERIFY(!QFile::exists(m_save));
    }

    void slowBodyWithoutLimit_data()
    {
        QTest::addColumn<int>("limit");
        QTest::newRow("-1") << -1;
        QTest::newRow("0") << 0;
    }

    void slowBodyWithoutLimit()
    {
        QFETCH(int, limit);
        QByteArray body = pattern(12 * 1024);
        m_server.answers["/slow.zip"] = ok(body, 1024, 30);
        ModuleDownload downloader;
        QList<int> seen;
        connect(&downloader, &ModuleDownload::downloadProgress, this,
                [&](int received, int total) { seen << received << total; });
        QVERIFY(downloader.download(m_server.url("/slow.zip"), m_save, limit));
        QFile file(m_save);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == body);
        QVERIFY(seen.size() >= 4);
        QCOMPARE(seen.mid(seen.size() - 2), (QList<int>{body.size(), body.size()}));
    }

    void timeOut()
    {
        m_server.answers["/stalls.zip"] = ok(pattern(2000), 1000, 20000);
        ModuleDownload downloader;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!downloader.download(m_server.url("/stalls.zip"), m_save, 300));
        QVERIFY(timer.elapsed() < 10000);
        QVERIFY(!QFile::exists(m_save));
    }

    // Also proves the shared buffer is left empty: the next download holds only its own bytes.
    void cancelDuringTransfer()
    {
        m_server.answers["/stalls.zip"] = ok(pattern(3 * 65536), 65536, 20000);
        ModuleDownload downloader;
        // The first piece arrives at once, then the server stalls.
        QTimer::singleShot(300, &downloader, &ModuleDownload::cancelDownload);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!downloader.download(m_server.url("/stalls.zip"), m_save, -1));
        QVERIFY(timer.elapsed() < 10000);
        QVERIFY(!QFile::exists(m_save));

        QByteArray body = pattern(100);
        m_server.answers["/small.zip"] = ok(body, 100);
        QVERIFY(downloader.download(m_server.url("/small.zip"), m_save, -1));
        QFile file(m_save);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == body);
    }

    void saveFileCannotBeOpened()
    {
        ModuleDownload downloader;
        QString save = m_home.filePath("missing/folder/x.zip");
        QVERIFY(!downloader.download(m_server.url("/x.zip"), save, -1));
        QVERIFY(!QFile::exists(save));
    }

    // The file cannot grow past 1 MiB here: a package cut short must not count as complete.
    void writeFails()
    {
        m_server.answers["/big.zip"] = ok(pattern(3 * s_limit), 65536);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit previous{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &previous) == 0);
        rlimit small = previous;
        small.rlim_cur = s_limit;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        ModuleDownload downloader;
        bool result = downloader.download(m_server.url("/big.zip"), m_save, -1);
        setrlimit(RLIMIT_FSIZE, &previous);
        QVERIFY(!result);
        QVERIFY(!QFile::exists(m_save));
    }
};

QTEST_GUILESS_MAIN(TestModuleDownload)
#include "TestModuleDownload.moc"

#include "Orvane.h"

#include "TestGzip.h"
#include "TestHome.h"

#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QRegularExpression>
#include <QSettings>
#include <QSysInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>

namespace {

QByteArray httpResponse(int status, QByteArray const& body, int declaredLength = -1)
{
    int const length = declaredLength < 0 ? body.size() : declaredLength;
    return "HTTP/1.1 " + QByteArray::number(status) + " Status\r\nContent-Type: application/json\r\n" +
           "Content-Length: " + QByteArray::number(length) + "\r\nConnection: close\r\n\r\n" + body;
}

// Answers every request with one canned response after a delay; keeps the last request head.
// A streamed answer follows the response with blanks for as long as the client takes them, up
// to fillCap bytes, writing only as fast as they leave so the server itself holds little.
class StubServer : public QTcpServer
{
public:
    void serve(QByteArray response, int delayMs = 0, bool closeAfter = true, qint64 fillCap = 0)
    {
        m_response = std::move(response);
        m_delayMs = delayMs;
        m_closeAfter = closeAfter;
        m_fillCap = fillCap;
        m_pushed = 0;
        m_lastRequest.clear();
    }
    QByteArray lastRequest() const { return m_lastRequest; }
    // Bytes handed to the connection so far, the response included.
    qint64 pushed() const { return m_pushed; }
    QUrl lastTarget() const
    {
        QList<QByteArray> const parts = m_lastRequest.left(m_lastRequest.indexOf("\r\n")).split(' ');
        return parts.size() == 3 ? QUrl(QString::fromLatin1(parts.at(1))) : QUrl();
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
            m_lastRequest = socket->readAll();
            // The socket is the timer's context, so a vanished client cancels the answer.
            QTimer::singleShot(m_delayMs, socket, [this, socket] {
                m_pushed += socket->write(m_response);
                if (m_fillCap > 0) {
                    connect(socket, &QTcpSocket::bytesWritten, socket, [this, socket] { fill(socket); });
                    return;
                }
                if (m_closeAfter)
                    socket->disconnectFromHost();
            });
        });
    }

private:
    void fill(QTcpSocket* socket)
    {
        static QByteArray const blanks(64 * 1024, ' ');
        if (socket->bytesToWrite() > 4 * blanks.size())
            return;
        if (m_pushed - m_response.size() >= m_fillCap)
            return socket->disconnectFromHost();
        m_pushed += socket->write(blanks);
    }

    QByteArray m_response;
    int m_delayMs = 0;
    bool m_closeAfter = true;
    qint64 m_fillCap = 0;
    qint64 m_pushed = 0;
    QByteArray m_lastRequest;
};

QStringList g_logged;
void recordMessage(QtMsgType, QMessageLogContext const&, QString const& text)
{
    g_logged << text;
}

struct Outcome
{
    bool ok = false;
    int code = -7;
    QString version = QStringLiteral("kept-version");
    QString downloadUrl = QStringLiteral("kept-url");
};

Outcome check()
{
    Outcome out;
    out.ok = Orvane::gInstance()->checkVersionUpdate(out.code, out.version, out.downloadUrl);
    return out;
}

QString origin(quint16 port)
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

} // namespace

class TestOrvane : public QObject
{
    Q_OBJECT

    TestHome m_home;
    StubServer m_server;

    void initLibrary(QString const& productId = QStringLiteral("10003"))
    {
        Orvane::gInstance()->OrvaneInitApp(productId, QStringLiteral("7.0.0"), m_home.filePath("Config"));
    }

    QUrlQuery sentQuery()
    {
        m_server.serve(httpResponse(200, R"({"code":201})"));
        check();
        return QUrlQuery(m_server.lastTarget());
    }

private slots:
    void initTestCase()
    {
        // The stub server is local; a proxy from the environment must not come between.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        Orvane::setServiceOriginForTesting(origin(m_server.serverPort()));
    }

    // Must stay first: no test before it may hand the library its identity.
    void queryBeforeInitSendsEmptyValues()
    {
        Orvane* instance = Orvane::gInstance();
        QVERIFY(instance != nullptr);
        QCOMPARE(Orvane::gInstance(), instance);

        QUrlQuery const query = sentQuery();
        QCOMPARE(m_server.lastTarget().path(), QStringLiteral("/API/update_information/"));
        for (auto key : {"product_id", "version", "device_id"}) {
            QVERIFY2(query.hasQueryItem(QLatin1String(key)), key);
            QVERIFY2(query.queryItemValue(QLatin1String(key)).isEmpty(), key);
        }
    }

    void queryCarriesIdentity()
    {
        initLibrary();
        QUrlQuery const query = sentQuery();
        QCOMPARE(query.queryItemValue("product_id"), QStringLiteral("10003"));
        QCOMPARE(query.queryItemValue("version"), QStringLiteral("7.0.0"));
        QVERIFY(m_server.lastRequest().toLower().contains("\r\ncontent-type: application/json\r\n"));

        QString const id = query.queryItemValue("device_id");
        QVERIFY2(QRegularExpression("^[0-9a-f]{32}$").match(id).hasMatch(), qPrintable(id));
        QByteArray const machine = QSysInfo::machineUniqueId();
        QVERIFY(machine.isEmpty() || !id.contains(QString::fromLatin1(machine), Qt::CaseInsensitive));
        initLibrary();
        QCOMPARE(sentQuery().queryItemValue("device_id"), id);
        initLibrary(QStringLiteral("10004"));
        QVERIFY(sentQuery().queryItemValue("device_id") != id);
    }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("version"); // "kept-..." when the argument must stay untouched
        QTest::addColumn<QString>("downloadUrl");

        QString const kv = QStringLiteral("kept-version");
        QString const ku = QStringLiteral("kept-url");
        QByteArray const offer = R"({"code":400,"version":"7.1.0","download_url":"https://d.example/x"})";

        QTest::newRow("200 with msg")
            << httpResponse(200, R"({"code":200,"msg":"later"})") << false << 200 << kv << ku;
        QTest::newRow("201 newest") << httpResponse(200, R"({"code":201})") << true << 201 << kv << ku;
        QTest::newRow("400 offer") << httpResponse(200, offer) << true << 400 << QStringLiteral("7.1.0")
                                   << QStringLiteral("https://d.example/x");
        QTest::newRow("400 bare") << httpResponse(200, R"({"code":400})") << true << 400 << QString()
                                  << QString();
        QTest::newRow("code as string") << httpResponse(200, R"({"code":"201"})") << false << 0 << kv << ku;
        QTest::newRow("no code") << httpResponse(200, R"({"msg":"x"})") << false << 0 << kv << ku;
        QTest::newRow("other code") << httpResponse(200, R"({"code":500})") << false << 500 << kv << ku;
        QTest::newRow("not JSON") << httpResponse(200, "<html>busy</html>") << false << 0 << kv << ku;
        QTest::newRow("NUL cuts body")
            << httpResponse(200, QByteArray(R"({"code":201})") + '\0' + "junk{") << true << 201 << kv << ku;
        // The body of a refused request is never read, even when it looks like an offer.
        QTest::newRow("HTTP 403") << httpResponse(403, offer) << false << 403 << kv << ku;
        QTest::newRow("HTTP 404") << httpResponse(404, offer) << false << 404 << kv << ku;
    }

    void replies()
    {
        QFETCH(QByteArray, response);
        QFETCH(bool, ok);
        QFETCH(int, code);
        QFETCH(QString, version);
        QFETCH(QString, downloadUrl);

        initLibrary();
        m_server.serve(response);
        Outcome out = check();
        QCOMPARE(out.ok, ok);
        QCOMPARE(out.code, code);
        QCOMPARE(out.version, version);
        QCOMPARE(out.downloadUrl, downloadUrl);
    }

    // A version answer is a few hundred bytes: anything past 64 KiB is no answer, however it
    // comes, and is not taken in whole.
    void oversizedReplies_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<qint64>("streamed"); // blanks that may follow the body, 0 for none
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("code");

        QByteArray const answer = R"({"code":201})";
        auto head = [](QByteArray const& extra, qint64 length) {
            return "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n" + extra +
                   (length < 0 ? QByteArray() : "Content-Length: " + QByteArray::number(length) + "\r\n") +
                   "Connection: close\r\n\r\n";
        };
        QByteArray const atBound = answer + QByteArray(65536 - answer.size(), ' ');
        QTest::newRow("at the bound") << head({}, atBound.size()) << atBound << qint64(0) << true << 201;
        QTest::newRow("one byte over")
            << head({}, atBound.size() + 1) << atBound + ' ' << qint64(0) << false << 0;
        // About 130 KB that expand to 128 MiB.
        QByteArray const bomb = gzipped(answer, qint64(128) << 20);
        QTest::newRow("gzip bomb") << head("Content-Encoding: gzip\r\n", bomb.size()) << bomb << qint64(0)
                                   << false << 0;
        QByteArray const page(100000, 'p');
        QTest::newRow("403 with a long page")
            << QByteArray("HTTP/1.1 403 Forbidden\r\nContent-Length: " + QByteArray::number(page.size()) +
                          "\r\nConnection: close\r\n\r\n")
            << page << qint64(0) << false << 403;
        QTest::newRow("endless body") << head({}, -1) << answer << (qint64(256) << 20) << false << 0;
    }

    void oversizedReplies()
    {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, body);
        QFETCH(qint64, streamed);
        QFETCH(bool, ok);
        QFETCH(int, code);

        initLibrary();
        m_server.serve(head + body, 0, true, streamed);
        Outcome out = check();
        QCOMPARE(out.ok, ok);
        QCOMPARE(out.code, code);
        QCOMPARE(out.version, QStringLiteral("kept-version"));
        // The client let go soon after the bound instead of reading on for 3 seconds.
        if (streamed > 0)
            QVERIFY2(m_server.pushed() < (qint64(32) << 20), qPrintable(QString::number(m_server.pushed())));
    }

    // The log gets the start of a reply, not all of it.
    void longReplyIsLoggedShort()
    {
        initLibrary();
        QByteArray const body = "{\"code\":200,\"msg\":\"" + QByteArray(50000, 'm') + "\"}";
        m_server.serve(httpResponse(200, body));
        g_logged.clear();
        QtMessageHandler previous = qInstallMessageHandler(recordMessage);
        Outcome out = check();
        qInstallMessageHandler(previous);
        QCOMPARE(out.code, 200);
        QVERIFY(!g_logged.isEmpty());
        for (QString const& line : qAsConst(g_logged))
            QVERIFY2(line.size() < 1000, qPrintable(QString::number(line.size())));
    }

    // A service of one's own is named in the settings file; what is not an http(s) address is
    // passed over for the built-in one, which does not answer here.
    void serviceAddressFromSettings_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("code");
        QString const server = origin(m_server.serverPort());
        QTest::newRow("own service") << server + "/updates/check" << 201;
        QTest::newRow("with a query") << server + "/updates/check?x=1" << 0;
        QTest::newRow("not http") << "ftp://127.0.0.1/updates" << 0;
    }

    void serviceAddressFromSettings()
    {
        QFETCH(QString, address);
        QFETCH(int, code);
        initLibrary();
        QVERIFY(QDir().mkpath(m_home.filePath("Config")));
        {
            QSettings ini(m_home.filePath("Config/Docquill.ini"), QSettings::IniFormat);
            ini.setValue("Update/ServiceAddress", address);
        }
        m_server.serve(httpResponse(200, R"({"code":201})"));
        Orvane::setServiceOriginForTesting(QString());
        Outcome const out = check();
        QString const asked = Orvane::gInstance()->serviceAddress();
        Orvane::setServiceOriginForTesting(origin(m_server.serverPort()));
        QFile::remove(m_home.filePath("Config/Docquill.ini"));

        QCOMPARE(out.code, code);
        if (code == 201) {
            QCOMPARE(m_server.lastTarget().path(), QStringLiteral("/updates/check"));
            QCOMPARE(asked, address);
        }
    }

    // The slow rows wait out the 3-second limit once each.
    void noAnswer_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("maxMs");
        QTest::newRow("connection refused") << "refused" << 0 << 2500;
        QTest::newRow("answer after 5 s") << "late" << 2500 << 4800;
        QTest::newRow("headers then stall") << "stall" << 2500 << 4800;
        QTest::newRow("never accepted") << "silent" << 2500 << 4800;
    }

    void noAnswer()
    {
        QFETCH(QString, kind);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);

        initLibrary();
        QTcpServer other;
        QVERIFY(other.listen(QHostAddress::LocalHost));
        if (kind == "refused") {
            Orvane::setServiceOriginForTesting(origin(other.serverPort()));
            other.close();
        } else if (kind == "silent") {
            other.pauseAccepting();
            Orvane::setServiceOriginForTesting(origin(other.serverPort()));
        } else if (kind == "late") {
            m_server.serve(httpResponse(200, R"({"code":201})"), 5000);
        } else {
            // A complete-looking answer whose declared length never arrives.
            m_server.serve(httpResponse(200, R"({"code":201})", 4096), 0, false);
        }

        QElapsedTimer clock;
        clock.start();
        Outcome out = check();
        qint64 const elapsed = clock.elapsed();
        Orvane::setServiceOriginForTesting(origin(m_server.serverPort()));

        QCOMPARE(out.ok, false);
        QCOMPARE(out.code, 0);
        QCOMPARE(out.version, QStringLiteral("kept-version"));
        QVERIFY2(elapsed >= minMs && elapsed < maxMs, qPrintable(QString::number(elapsed)));
    }
};

QTEST_GUILESS_MAIN(TestOrvane)
#include "TestOrvane.moc"

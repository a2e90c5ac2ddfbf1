#include "Orvane.h"

#include "TestHome.h"

#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QPointer>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>

namespace {

QByteArray httpResponse(int status, QByteArray const& body, QByteArray const& contentLength = {})
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + " Status\r\n";
    head += "Content-Type: application/json\r\n";
    head += "Content-Length: " + (contentLength.isEmpty() ? QByteArray::number(body.size()) : contentLength);
    head += "\r\nConnection: close\r\n\r\n";
    return head + body;
}

// Answers every request with one canned response, after a delay, and keeps the last request head.
class StubServer : public QTcpServer
{
public:
    void serve(QByteArray response, int delayMs = 0, bool closeAfter = true)
    {
        m_response = std::move(response);
        m_delayMs = delayMs;
        m_closeAfter = closeAfter;
        m_lastRequest.clear();
    }
    QByteArray lastRequest() const { return m_lastRequest; }

    // The request target, e.g. "/API/update_information/?product_id=..."
    QUrl lastTarget() const
    {
        QByteArray const line = m_lastRequest.left(m_lastRequest.indexOf("\r\n"));
        QList<QByteArray> const parts = line.split(' ');
        return parts.size() == 3 ? QUrl(QString::fromLatin1(parts.at(1))) : QUrl();
    }

protected:
    void incomingConnection(qintptr handle) override
    {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            QByteArray& buffer = m_pending[socket];
            buffer += socket->readAll();
            if (!buffer.contains("\r\n\r\n"))
                return;
            m_lastRequest = buffer;
            m_pending.remove(socket);
            QPointer<QTcpSocket> guard(socket);
            QTimer::singleShot(m_delayMs, socket, [this, guard] {
                if (!guard)
                    return;
                guard->write(m_response);
                if (m_closeAfter)
                    guard->disconnectFromHost();
            });
        });
    }

private:
    QByteArray m_response;
    int m_delayMs = 0;
    bool m_closeAfter = true;
    QByteArray m_lastRequest;
    QHash<QTcpSocket*, QByteArray> m_pending;
};

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

} // namespace

class TestOrvane : public QObject
{
    Q_OBJECT

private:
    TestHome m_home;
    StubServer m_server;

    QString origin(quint16 port) const { return QStringLiteral("http://127.0.0.1:%1").arg(port); }

    void initLibrary(QString const& productId = QStringLiteral("10003"))
    {
        Orvane::gInstance()->OrvaneInitApp(productId, QStringLiteral("7.0.0"),
                                           m_home.filePath(QStringLiteral("Config")));
    }

    QString sentDeviceId()
    {
        m_server.serve(httpResponse(200, R"({"code":201})"));
        check();
        return QUrlQuery(m_server.lastTarget()).queryItemValue(QStringLiteral("device_id"));
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
        m_server.serve(httpResponse(200, R"({"code":201})"));
        Outcome out = check();
        QVERIFY(out.ok);
        QUrl const target = m_server.lastTarget();
        QCOMPARE(target.path(), QStringLiteral("/API/update_information/"));
        QUrlQuery const query(target);
        for (auto key : {"product_id", "version", "device_id"}) {
            QVERIFY2(query.hasQueryItem(QLatin1String(key)), key);
            QVERIFY2(query.queryItemValue(QLatin1String(key)).isEmpty(), key);
        }
    }

    void instanceIsShared()
    {
        Orvane* first = Orvane::gInstance();
        QVERIFY(first != nullptr);
        QCOMPARE(Orvane::gInstance(), first);
    }

    void queryCarriesIdentity()
    {
        initLibrary();
        m_server.serve(httpResponse(200, R"({"code":201})"));
        check();
        QUrl const target = m_server.lastTarget();
        QCOMPARE(target.path(), QStringLiteral("/API/update_information/"));
        QUrlQuery const query(target);
        QCOMPARE(query.queryItemValue(QStringLiteral("product_id")), QStringLiteral("10003"));
        QCOMPARE(query.queryItemValue(QStringLiteral("version")), QStringLiteral("7.0.0"));
        QVERIFY(m_server.lastRequest().toLower().contains("\r\ncontent-type: application/json\r\n"));
    }

    void deviceIdIsStableAndOpaque()
    {
        initLibrary(QStringLiteral("10003"));
        QString const id = sentDeviceId();
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{32}$")).match(id).hasMatch());
        QByteArray const machine = QSysInfo::machineUniqueId();
        if (!machine.isEmpty())
            QVERIFY(!id.contains(QString::fromLatin1(machine), Qt::CaseInsensitive));

        initLibrary(QStringLiteral("10003"));
        QCOMPARE(sentDeviceId(), id);
        initLibrary(QStringLiteral("10004"));
        QVERIFY(sentDeviceId() != id);
    }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("version"); // "kept-..." when the argument must stay untouched
        QTest::addColumn<QString>("downloadUrl");

        QString const keptV = QStringLiteral("kept-version");
        QString const keptU = QStringLiteral("kept-url");
        QByteArray const newer = R"({"code":400,"version":"7.1.0","download_url":"https://d.example/x.dmg"})";

        QTest::newRow("200 with msg")
            << httpResponse(200, R"({"code":200,"msg":"later"})") << false << 200 << keptV << keptU;
        QTest::newRow("201 newest") << httpResponse(200, R"({"code":201})") << true << 201 << keptV << keptU;
        QTest::newRow("400 newer") << httpResponse(200, newer) << true << 400 << QStringLiteral("7.1.0")
                                   << QStringLiteral("https://d.example/x.dmg");
        QTest::newRow("400 without fields")
            << httpResponse(200, R"({"code":400})") << true << 400 << QString() << QString();
        QTest::newRow("code as string")
            << httpResponse(200, R"({"code":"201"})") << false << 0 << keptV << keptU;
        QTest::newRow("no code") << httpResponse(200, R"({"msg":"x"})") << false << 0 << keptV << keptU;
        QTest::newRow("other code") << httpResponse(200, R"({"code":500})") << false << 500 << keptV << keptU;
        QTest::newRow("not JSON") << httpResponse(200, "<html>busy</html>") << false << 0 << keptV << keptU;
        QTest::newRow("NUL cuts body") << httpResponse(200, QByteArray(R"({"code":201})") + '\0' + "junk{")
                                       << true << 201 << keptV << keptU;
        // The body of a refused request is never read, even when it looks like an offer.
        QTest::newRow("HTTP 403") << httpResponse(403, newer) << false << 403 << keptV << keptU;
        QTest::newRow("HTTP 404") << httpResponse(404, newer) << false << 404 << keptV << keptU;
        QTest::newRow("HTTP 500") << httpResponse(500, R"({"code":201})") << false << 500 << keptV << keptU;
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

    void refusedConnectionGivesCodeZero()
    {
        initLibrary();
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        quint16 const port = closed.serverPort();
        closed.close();
        Orvane::setServiceOriginForTesting(origin(port));
        Outcome out = check();
        Orvane::setServiceOriginForTesting(origin(m_server.serverPort()));
        QCOMPARE(out.ok, false);
        QCOMPARE(out.code, 0);
        QCOMPARE(out.version, QStringLiteral("kept-version"));
    }

    // Each row waits out the 3-second limit once.
    void timeOut_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("answer after 5 s") << QStringLiteral("late");
        QTest::newRow("headers then stall") << QStringLiteral("stall");
        QTest::newRow("never accepted") << QStringLiteral("silent");
    }

    void timeOut()
    {
        QFETCH(QString, kind);
        initLibrary();
        QTcpServer silent;
        if (kind == QLatin1String("late")) {
            m_server.serve(httpResponse(200, R"({"code":201})"), 5000);
        } else if (kind == QLatin1String("stall")) {
            // A complete-looking offer, but the declared length never arrives.
            m_server.serve(httpResponse(200, R"({"code":201})", "4096"), 0, false);
        } else {
            QVERIFY(silent.listen(QHostAddress::LocalHost));
            silent.pauseAccepting();
            Orvane::setServiceOriginForTesting(origin(silent.serverPort()));
        }

        QElapsedTimer clock;
        clock.start();
        Outcome out = check();
        qint64 const elapsed = clock.elapsed();
        Orvane::setServiceOriginForTesting(origin(m_server.serverPort()));

        QCOMPARE(out.ok, false);
        QCOMPARE(out.code, 0);
        QCOMPARE(out.version, QStringLiteral("kept-version"));
        QVERIFY2(elapsed >= 2500 && elapsed < 4800, QByteArray::number(elapsed).constData());
    }
};

QTEST_GUILESS_MAIN(TestOrvane)
#include "TestOrvane.moc"

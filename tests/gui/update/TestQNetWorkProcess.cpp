#include "update/QNetWorkProcess.h"

#include "support/DialogTestMode.h"
#include "support/MessageBox.h"

#include "Orvane.h"
#include "TestHome.h"
#include "UrlRecorder.h"
#include "common/ProductConstants.h"

#include <QtTest>

#include <QDesktopServices>
#include <QNetworkProxy>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>

namespace {

QByteArray httpResponse(int status, QByteArray const& body)
{
    return "HTTP/1.1 " + QByteArray::number(status) + " Status\r\nContent-Type: application/json\r\n" +
           "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// The link lies on the service's host (127.0.0.1 in these tests) unless one is given.
QByteArray offer(QByteArray const& version, QByteArray const& link = "https://127.0.0.1/new.dmg")
{
    return httpResponse(200,
                        R"({"code":400,"version":")" + version + R"(","download_url":")" + link + R"("})");
}

// Answers every request with one canned response; keeps the last request line's target.
class StubServer : public QTcpServer
{
public:
    QByteArray response;
    QUrl lastTarget;

protected:
    void incomingConnection(qintptr handle) override
    {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            if (!socket->peek(64 * 1024).contains("\r\n\r\n"))
                return;
            QList<QByteArray> const line = socket->readAll().split('\r').value(0).split(' ');
            lastTarget = QUrl(QString::fromLatin1(line.value(1)));
            socket->write(response);
            socket->disconnectFromHost();
        });
    }
};

const QString g_note = QStringLiteral("Note|Error network, please check your connection!");
const QString g_tooFrequent =
    QStringLiteral("Software Update|Requests are too frequent, please try again later.");
const QString g_unreadable = QStringLiteral("Software Update|The update information could not be read.");
const QString g_newest =
    QStringLiteral("Software Update|Tarvello Docquill 7.0.0 is currently the newest version available.");

QString offerText(QString const& version)
{
    return QStringLiteral("Software Update|A new version of Tarvello Docquill is available! \r\nTarvello "
                          "Docquill %1 is now available---you have 7.0.0. Would you like to download it now?")
        .arg(version);
}

} // namespace

class TestQNetWorkProcess : public QObject
{
    Q_OBJECT

    TestHome m_home;
    StubServer m_server;
    UrlRecorder m_urls{{"https"}};
    quint16 m_closedPort = 0;

    static QString origin(quint16 port) { return QStringLiteral("http://127.0.0.1:%1").arg(port); }

private slots:
    void initTestCase()
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        m_closedPort = closed.serverPort();
        closed.close();
        DialogTestMode::setEnabled(true);
    }

    void handsIdentityToTheLibrary()
    {
        QNetWorkProcess* shared = QNetWorkProcess::shareInstance(nullptr);
        QCOMPARE(QNetWorkProcess::shareInstance(this), shared);
        QCOMPARE(shared->parent(), nullptr);
        QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Tarvello"));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Tarvello Docquill"));

        Orvane::setServiceOriginForTesting(origin(m_server.serverPort()));
        m_server.response = httpResponse(200, R"({"code":201})");
        shared->checkUpdate();
        QUrlQuery const query(m_server.lastTarget);
        QCOMPARE(query.queryItemValue("product_id"), QStringLiteral("10003"));
        QCOMPARE(query.queryItemValue("version"), QStringLiteral("7.0.0"));
    }

    void decisions_data()
    {
        QTest::addColumn<QByteArray>("response"); // empty: nobody listens
        QTest::addColumn<bool>("userAsked");
        QTest::addColumn<QString>("ignored"); // null: never stored
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QString>("ignoredAfter");

        int const none = QMessageBox::NoButton;
        QString const absent;
        QStringList const nothing;
        QStringList const download{QStringLiteral("https://127.0.0.1/new.dmg")};
        QByteArray const refused;

        QTest::newRow("403, asked") << httpResponse(403, "{}") << true << absent << none
                                    << QStringList{g_tooFrequent} << nothing << absent;
        QTest::newRow("403, automatic")
            << httpResponse(403, "{}") << false << absent << none << nothing << nothing << absent;
        QTest::newRow("no server, asked")
            << refused << true << absent << none << QStringList{g_note} << nothing << absent;
        QTest::newRow("no server, automatic")
            << refused << false << absent << none << nothing << nothing << absent;
        QTest::newRow("not JSON, asked") << httpResponse(200, "<html/>") << true << absent << none
                                         << QStringList{g_note} << nothing << absent;
        QTest::newRow("service code 500, asked") << httpResponse(200, R"({"code":500})") << true << absent
                                                 << none << QStringList{g_note} << nothing << absent;
        QTest::newRow("newest, asked") << httpResponse(200, R"({"code":201})") << true << absent << none
                                       << QStringList{g_newest} << nothing << absent;
        QTest::newRow("newest, automatic") << httpResponse(200, R"({"code":201})") << false << absent << none
                                           << nothing << nothing << absent;
        QTest::newRow("offer, Yes, automatic") << offer("7.1.0") << false << absent << int(QMessageBox::Yes)
                                               << QStringList{offerText("7.1.0")} << download << absent;
        QTest::newRow("offer, Yes, asked") << offer("7.1.0") << true << absent << int(QMessageBox::Yes)
                                           << QStringList{offerText("7.1.0")} << download << absent;
        QTest::newRow("offer, No") << offer("7.1.0") << false << absent << int(QMessageBox::No)
                                   << QStringList{offerText("7.1.0")} << nothing << absent;
        QTest::newRow("offer, box closed") << offer("7.1.0") << true << QString("7.0.5") << none
                                           << QStringList{offerText("7.1.0")} << nothing << "7.0.5";
        QTest::newRow("offer, Ignore") << offer("7.1.0") << false << absent << int(QMessageBox::Ignore)
                                       << QStringList{offerText("7.1.0")} << nothing << "7.1.0";
        QTest::newRow("Ignore keeps the text as offered")
            << offer("8.0-beta") << false << QString("7.1.0") << int(QMessageBox::Ignore)
            << QStringList{offerText("8.0-beta")} << nothing << "8.0-beta";
        QTest::newRow("ignored equal, asked")
            << offer("7.1.0") << true << QString("7.1.0") << none << nothing << nothing << "7.1.0";
        QTest::newRow("ignored equal, automatic")
            << offer("7.1.0") << false << QString("7.1.0") << none << nothing << nothing << "7.1.0";
        QTest::newRow("ignored 7.9.0, offered 7.10.0")
            << offer("7.10.0") << false << QString("7.9.0") << int(QMessageBox::No)
            << QStringList{offerText("7.10.0")} << nothing << "7.9.0";
        QTest::newRow("ignored 7.10.0, offered 7.9.0")
            << offer("7.9.0") << false << QString("7.10.0") << none << nothing << nothing << "7.10.0";
        // Only the service's own host over https, or the product's download page, is opened.
        QTest::newRow("offer, product page")
            << offer("7.1.0", g_link_download.toUtf8()) << false << absent << int(QMessageBox::Yes)
            << QStringList{offerText("7.1.0")} << QStringList{g_link_download} << absent;
        for (QByteArray link :
             {"http://127.0.0.1/new.dmg", "file:///home", "https://elsewhere.example/new.dmg",
              "https://127.0.0.1.elsewhere.example/new.dmg", "https://a@127.0.0.1/x", ""}) {
            QTest::addRow("offer of %s, asked", link.constData())
                << offer("7.1.0", link) << true << absent << none << QStringList{g_unreadable} << nothing
                << absent;
            QTest::addRow("offer of %s, automatic", link.constData())
                << offer("7.1.0", link) << false << absent << none << nothing << nothing << absent;
        }
        QTest::newRow("ignored 7.1, offered 7.1.0")
            << offer("7.1.0") << true << QString("7.1") << none << nothing << nothing << "7.1";
    }

    void decisions()
    {
        QFETCH(QByteArray, response);
        QFETCH(bool, userAsked);
        QFETCH(QString, ignored);
        QFETCH(int, answer);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, opened);
        QFETCH(QString, ignoredAfter);

        QSettings store(QSettings::NativeFormat, QSettings::UserScope, "Tarvello", "Tarvello Docquill");
        if (ignored.isNull())
            store.remove("Ignore_version");
        else
            store.setValue("Ignore_version", ignored);
        store.sync();
        Orvane::setServiceOriginForTesting(origin(response.isEmpty() ? m_closedPort : m_server.serverPort()));
        m_server.response = response;
        MessageBox::clearShown();
        m_urls.opened.clear();
        if (answer != QMessageBox::NoButton)
            MessageBox::setNextAnswer(QMessageBox::StandardButton(answer));

        QNetWorkProcess process;
        if (userAsked)
            process.version_check_clicked();
        process.checkUpdate();

        QCOMPARE(MessageBox::shown(), shown);
        QCOMPARE(m_urls.openedTexts(), opened);
        store.sync();
        QCOMPARE(store.value("Ignore_version").toString(), ignoredAfter);
        QCOMPARE(store.contains("Ignore_version"), !ignoredAfter.isNull());
    }
};

QTEST_MAIN(TestQNetWorkProcess)
#include "TestQNetWorkProcess.moc"

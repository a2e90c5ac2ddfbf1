#include "FileManager.h"

#include "TestHome.h"
#include "UrlRecorder.h"

#include <QtTest>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>

// Stands in for the desktop's file manager on a private session bus.
class FakeFileManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList shown;

public slots:
    void ShowItems(QStringList const& uris, QString const&) { shown += uris; }
};

class TestFileManager : public QObject
{
    Q_OBJECT

    TestHome m_home;
    UrlRecorder m_urls{{"file"}};
    QString m_file;

public:
    static QString s_busAddress;

private slots:
    void initTestCase()
    {
        QVERIFY2(!s_busAddress.isEmpty(), "no private dbus-daemon");
        QVERIFY(QDBusConnection::sessionBus().isConnected());
        QDir().mkpath(m_home.filePath("out dir"));
        m_file = m_home.filePath("out dir/report 1.docx");
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    void noFileManagerOpensTheFolder()
    {
        FileManager::showItem(m_file);
        QTRY_COMPARE(m_urls.opened.size(), 1);
        QCOMPARE(m_urls.opened.first(), QUrl::fromLocalFile(m_home.filePath("out dir")));
    }

    void fileManagerShowsTheFile()
    {
        m_urls.opened.clear();
        FakeFileManager fake;
        QDBusConnection service =
            QDBusConnection::connectToBus(s_busAddress, QStringLiteral("fake-file-manager"));
        QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &fake,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService(QStringLiteral("org.freedesktop.FileManager1")));

        FileManager::showItem(m_file);
        QTRY_COMPARE(fake.shown, QStringList{QUrl::fromLocalFile(m_file).toString()});
        QTest::qWait(100);
        QVERIFY(m_urls.opened.isEmpty());

        service.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-file-manager"));
    }

    void emptyPathDoesNothing()
    {
        m_urls.opened.clear();
        FileManager::showItem(QString());
        QTest::qWait(100);
        QVERIFY(m_urls.opened.isEmpty());
    }
};

QString TestFileManager::s_busAddress;

// The session bus is chosen when it is first used, so the private daemon starts before anything
// else runs. Its own configuration keeps the test off system-wide settings; anonymous
// authentication because credential passing is not available in every sandbox.
int main(int argc, char** argv)
{
    QTemporaryDir busDir;
    QFile config(busDir.filePath("session.conf"));
    if (!config.open(QIODevice::WriteOnly))
        return 1;
    config.write(
        QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                       "<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                       "<auth>ANONYMOUS</auth><allow_anonymous/><policy context=\"default\">"
                       "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/><allow own=\"*\"/>"
                       "<allow user=\"*\"/></policy></busconfig>\n")
            .arg(busDir.path())
            .toUtf8());
    config.close();
    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
                  QStringLiteral("--print-address")});
    if (daemon.waitForStarted(5000) && daemon.waitForReadyRead(5000))
        TestFileManager::s_busAddress = QString::fromUtf8(daemon.readLine()).trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", TestFileManager::s_busAddress.toUtf8());

    QGuiApplication app(argc, argv);
    TestFileManager test;
    int const result = QTest::qExec(&test, argc, argv);
    daemon.terminate();
    daemon.waitForFinished(3000);
    return result;
}

#include "TestFileManager.moc"

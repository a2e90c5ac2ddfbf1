#include "startup/SingleApplication.h"

#include "TestHome.h"

#include <QtTest>

#include <QLocalSocket>
#include <QProcess>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// What an instance that crashed leaves behind: a bound socket file nobody listens on.
bool leaveStaleSocket(QString const& path)
{
    QByteArray const name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.size() >= int(sizeof(address.sun_path)))
        return false;
    memcpy(address.sun_path, name.constData(), name.size());
    int const fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    bool const bound = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    if (fd >= 0)
        ::close(fd);
    return bound && QFile::exists(path);
}

} // namespace

// Runs inside the application object under test; further instances are child processes.
class TestSingleApplication : public QObject
{
    Q_OBJECT

    SingleApplication& m_app;
    QString m_name;
    QString m_otherName;

public:
    TestSingleApplication(SingleApplication& app, QString name, QString otherName)
        : m_app(app), m_name(std::move(name)), m_otherName(std::move(otherName))
    {
    }

private slots:
    // The name was taken over from the crashed instance: a client reaches this one.
    void staleNameReclaimed()
    {
        QVERIFY(!m_app.isRunning());
        QWidget mainWindow, other;
        mainWindow.show();
        other.show();
        QTRY_COMPARE(QApplication::activeWindow(), &other);
        m_app.setMainWindow(&mainWindow);
        QLocalSocket socket;
        socket.connectToServer(m_name);
        QVERIFY(socket.waitForConnected(1000));
        socket.disconnectFromServer();
        QTRY_COMPARE(QApplication::activeWindow(), &mainWindow);
        m_app.setMainWindow(nullptr);
    }

    void secondInstance_data()
    {
        QTest::addColumn<bool>("sameName");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("raisesFirst");
        QTest::newRow("same name") << true << 0 << true;
        QTest::newRow("other name") << false << 1 << false;
    }

    void secondInstance()
    {
        QFETCH(bool, sameName);
        QFETCH(int, exitCode);
        QFETCH(bool, raisesFirst);
        QWidget mainWindow, other;
        mainWindow.show();
        other.show();
        m_app.setMainWindow(&mainWindow);
        other.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &other);

        QProcess second;
        second.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--second"), sameName ? m_name : m_otherName});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), exitCode);
        if (raisesFirst)
            QTRY_COMPARE(QApplication::activeWindow(), &mainWindow);
        else
            QTest::qWait(200);
        QCOMPARE(QApplication::activeWindow(), raisesFirst ? &mainWindow : &other);
        m_app.setMainWindow(nullptr);
    }
};

int main(int argc, char** argv)
{
    // A further instance: exit 0 when it found one running under the name, 1 otherwise.
    if (argc == 3 && qstrcmp(argv[1], "--second") == 0) {
        QString const name = QString::fromLocal8Bit(argv[2]);
        SingleApplication app(argc, argv, name);
        return app.isRunning() ? 0 : 1;
    }
    TestHome home;
    QString const name = home.filePath("docquill.single");
    if (!leaveStaleSocket(name)) {
        qCritical("cannot leave a stale socket at %s", qPrintable(name));
        return 1;
    }
    SingleApplication app(argc, argv, name);
    TestSingleApplication test(app, name, home.filePath("other.single"));
    return QTest::qExec(&test, argc, argv);
}

#include "TestSingleApplication.moc"

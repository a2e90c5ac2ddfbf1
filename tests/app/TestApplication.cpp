#include "settings/PMPreferences.h"

#include "TestArtefacts.h"
#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>

#include <xcb/xcb.h>

#include <cstring>

namespace {

// Runs xdotool and returns what it printed.
QString xdotool(QStringList const& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(15000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QString windowNamed(QString const& name)
{
    return xdotool({"search", "--onlyvisible", "--name", "^" + name + "$"}).split('\n').value(0);
}

// Asks the window to close, as a window manager's close button does.
void requestClose(quint32 window)
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    auto atom = [connection](char const* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
        xcb_atom_t const value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return value;
    };
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<char const*>(&event));
    // A round trip, so the server has handled the request before the connection goes.
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    xcb_disconnect(connection);
}

void screenshot(QString const& name)
{
    QTest::qWait(300);
    TestArtefacts::save(QGuiApplication::primaryScreen()->grabWindow(0), name);
}

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QString m_out;
    QProcess m_app;
    QString m_window;

    // Adds one file through the File menu's Ctrl+O and the real file dialog.
    void addFile(QString const& path)
    {
        xdotool({"windowfocus", "--sync", m_window});
        xdotool({"key", "--clearmodifiers", "ctrl+o"});
        QString dialog;
        QTRY_VERIFY_WITH_TIMEOUT(!(dialog = windowNamed("Select Files")).isEmpty(), 15000);
        xdotool({"windowfocus", "--sync", dialog});
        xdotool({"type", "--delay", "2", path});
        xdotool({"key", "Return"});
        QTRY_VERIFY_WITH_TIMEOUT(windowNamed("Select Files").isEmpty(), 15000);
    }

    // A click at a point of the application's window.
    void click(int x, int y)
    {
        xdotool({"mousemove", "--window", m_window, QString::number(x), QString::number(y)});
        xdotool({"click", "1"});
    }

    // The start button sits at the right end of the bottom bar, the page switch at the top.
    void clickStart() { click(914 - 20 - 45, 686 - 25); }
    void clickCreatorPage() { click(914 / 2 + 43, 79); }

private slots:
    void initTestCase()
    {
        m_out = m_home.filePath("out");
        QVERIFY(QDir().mkpath(m_out));
        PMPreferences::getInstance()->saveOutputFolder(m_out);
    }

    void startsSilentlyAndShowsItsWindow()
    {
        QElapsedTimer clock;
        clock.start();
        m_app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_app.start(QCoreApplication::applicationDirPath() + "/Docquill", {});
        QVERIFY(m_app.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(!(m_window = windowNamed("Tarvello Docquill")).isEmpty(), 20000);
        qInfo("window shown %lld ms after start", clock.elapsed());
        QString const geometry = xdotool({"getwindowgeometry", "--shell", m_window});
        QVERIFY2(geometry.contains("WIDTH=914") && geometry.contains("HEIGHT=686"), qPrintable(geometry));
        screenshot("application-start");
        // The update check found no service and said nothing.
        QTest::qWait(1000);
        QVERIFY(windowNamed("Note").isEmpty());
        QVERIFY(windowNamed("Software Update").isEmpty());
    }

    void convertsAFile()
    {
        QString const pdf = m_home.filePath("letter.pdf");
        QVERIFY(TestPdf::write(pdf, {"Dear reader, this letter converts."}));
        addFile(pdf);
        screenshot("application-file-added");
        clickStart();
        // New rows start with searchable PDF: the text comes back from the recognised page.
        QString const output = m_out + "/letter.pdf";
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output) && TestPdf::text(output).contains("converts"), 180000);
        screenshot("application-converted");
    }

    void createsAPdf()
    {
        QString const text = m_home.filePath("notes.txt");
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Notes for the creator page.\n");
        file.close();
        clickCreatorPage();
        addFile(text);
        clickStart();
        QString const output = m_out + "/notes.pdf";
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output) && TestPdf::text(output).contains("creator page"),
                                 120000);
        screenshot("application-created");
    }

    void closingTheWindowQuits()
    {
        requestClose(m_window.toUInt());
        if (!m_app.waitForFinished(15000)) {
            QStringList names;
            for (QString const& id : xdotool({"search", "--name", "."}).split('\n'))
                names << id + "=" + xdotool({"getwindowname", id});
            qWarning("still running; windows: %s", qPrintable(names.join(", ")));
            screenshot("application-not-closing");
        }
        QCOMPARE(m_app.state(), QProcess::NotRunning);
        QCOMPARE(m_app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_app.exitCode(), 0);
    }

    void cleanupTestCase()
    {
        if (m_app.state() != QProcess::NotRunning) {
            m_app.kill();
            m_app.waitForFinished(5000);
        }
    }
};

QTEST_MAIN(TestApplication)
#include "TestApplication.moc"

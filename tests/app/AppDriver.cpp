#include "AppDriver.h"

#include "TestArtefacts.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstring>

AppDriver::~AppDriver()
{
    if (m_app.state() != QProcess::NotRunning) {
        m_app.kill();
        m_app.waitForFinished(5000);
    }
}

bool AppDriver::start(QProcessEnvironment const& environment, int timeoutMs, QString const& program)
{
    m_app.setProcessEnvironment(environment);
    m_app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_app.start(program.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/Docquill")
                                  : program,
                {});
    if (!m_app.waitForStarted(10000))
        return false;
    QStringList const search{"search", "--all", "--onlyvisible", "--pid", QString::number(m_app.processId()),
                             "--name", "^Tarvello Docquill$"};
    // Found by its process: another program's window of the same name must not be taken.
    bool const shown = QTest::qWaitFor(
        [&] {
            m_window = xdotool(search).split('\n').value(0);
            return !m_window.isEmpty() || m_app.state() == QProcess::NotRunning;
        },
        timeoutMs);
    return shown && !m_window.isEmpty();
}

QString AppDriver::xdotool(QStringList const& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(30000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QString AppDriver::windowNamed(QString const& name)
{
    return xdotool({"search", "--onlyvisible", "--name", "^" + QRegularExpression::escape(name) + "$"})
        .split('\n')
        .value(0);
}

QRect AppDriver::geometryOf(QString const& window)
{
    QRect rect;
    for (QString const& line : xdotool({"getwindowgeometry", "--shell", window}).split('\n')) {
        QString const value = line.section('=', 1);
        if (line.startsWith("X="))
            rect.moveLeft(value.toInt());
        else if (line.startsWith("Y="))
            rect.moveTop(value.toInt());
        else if (line.startsWith("WIDTH="))
            rect.setWidth(value.toInt());
        else if (line.startsWith("HEIGHT="))
            rect.setHeight(value.toInt());
    }
    return rect;
}

void AppDriver::moveTo(QPoint point, QString const& window) const
{
    xdotool({"mousemove", "--window", window.isEmpty() ? m_window : window, QString::number(point.x()),
             QString::number(point.y())});
}

// One xdotool call, so the server takes the move before the press.
void AppDriver::click(QPoint point, QString const& window) const
{
    xdotool({"mousemove", "--window", window.isEmpty() ? m_window : window, QString::number(point.x()),
             QString::number(point.y()), "click", "1"});
}

void AppDriver::key(QString const& keys, QString const& window) const
{
    xdotool({"windowfocus", "--sync", window.isEmpty() ? m_window : window});
    xdotool(QStringList{"key", "--clearmodifiers"} + keys.split(' '));
}

void AppDriver::type(QString const& text, QString const& window) const
{
    xdotool({"windowfocus", "--sync", window.isEmpty() ? m_window : window});
    xdotool({"type", "--delay", "5", text});
}

bool AppDriver::chooseInFileDialog(QString const& title, QString const& path, int timeoutMs) const
{
    QString dialog;
    if (!QTest::qWaitFor([&] { return !(dialog = windowNamed(title)).isEmpty(); }, timeoutMs))
        return false;
    type(path, dialog);
    key("Return", dialog);
    return waitForWindowGone(dialog, timeoutMs);
}

QStringList AppDriver::visibleWindows() const
{
    return xdotool({"search", "--onlyvisible", "--pid", QString::number(m_app.processId())})
        .split('\n', Qt::SkipEmptyParts);
}

QString AppDriver::waitForNewWindow(QStringList const& before, int timeoutMs) const
{
    QString found;
    (void)QTest::qWaitFor(
        [&] {
            for (QString const& id : visibleWindows()) {
                if (!before.contains(id)) {
                    found = id;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool AppDriver::waitForWindowGone(QString const& window, int timeoutMs) const
{
    return QTest::qWaitFor([&] { return !visibleWindows().contains(window); }, timeoutMs);
}

void AppDriver::screenshot(QString const& name, int settleMs) const
{
    QTest::qWait(settleMs);
    TestArtefacts::save(QGuiApplication::primaryScreen()->grabWindow(0), name);
}

void AppDriver::requestClose(quint32 window)
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

QList<QSize> AppDriver::iconSizes(QString const& window)
{
    QList<QSize> sizes;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    char const name[] = "_NET_WM_ICON";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, std::strlen(name), name), nullptr);
    if (atom && atom->atom != XCB_ATOM_NONE) {
        // Up to 4 MiB of 32-bit values: width, height, then width x height pixels, picture after picture.
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, window.toUInt(), atom->atom, XCB_ATOM_CARDINAL, 0, 1 << 20),
            nullptr);
        if (reply && reply->format == 32) {
            auto const* values = static_cast<quint32 const*>(xcb_get_property_value(reply));
            int const count = xcb_get_property_value_length(reply) / 4;
            for (int at = 0; at + 2 <= count;) {
                QSize const size(int(values[at]), int(values[at + 1]));
                at += 2 + size.width() * size.height();
                if (size.isEmpty() || at > count)
                    break;
                sizes << size;
            }
        }
        free(reply);
    }
    free(atom);
    xcb_disconnect(connection);
    return sizes;
}

bool AppDriver::close(int timeoutMs)
{
    requestClose(m_window.toUInt());
    if (m_app.waitForFinished(timeoutMs))
        return true;
    QStringList names;
    for (QString const& id : xdotool({"search", "--name", "."}).split('\n'))
        names << id + "=" + xdotool({"getwindowname", id});
    qWarning("still running; windows: %s", qPrintable(names.join(", ")));
    screenshot(QStringLiteral("application-not-closing"));
    return false;
}

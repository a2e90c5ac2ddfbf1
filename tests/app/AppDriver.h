#pragma once

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

// The built application as its user meets it: started from the bundle like the run script
// starts it, driven through the X server with xdotool (real XTEST input), looked at in pictures
// of the whole virtual display, and closed the way a window manager closes a window.
// Window ids are X ids as xdotool prints them.
class AppDriver
{
public:
    AppDriver() = default;
    ~AppDriver();
    AppDriver(AppDriver const&) = delete;
    AppDriver& operator=(AppDriver const&) = delete;

    // Starts the Docquill beside the test executable, or the given program, and waits for its
    // window.
    bool start(QProcessEnvironment const& environment = QProcessEnvironment::systemEnvironment(),
               int timeoutMs = 60000, QString const& program = QString());
    QProcess& process() { return m_app; }
    QString window() const { return m_window; }
    // The application's window on the screen.
    QRect windowGeometry() const { return geometryOf(m_window); }

    // Input, in coordinates of a window (the application's when none is named).
    void click(QPoint point, QString const& window = QString()) const;
    void moveTo(QPoint point, QString const& window = QString()) const;
    // Keys (xdotool key names) and text go to the window, which takes the input focus first.
    void key(QString const& keys, QString const& window = QString()) const;
    void type(QString const& text, QString const& window = QString()) const;
    // Answers a file dialog with the given title: the path typed into it, then Return.
    bool chooseInFileDialog(QString const& title, QString const& path, int timeoutMs = 30000) const;

    // The application's windows on the screen: its main window, dialogs and open menus.
    QStringList visibleWindows() const;
    // Waits for a window that was not among `before`; empty when none came.
    QString waitForNewWindow(QStringList const& before, int timeoutMs = 30000) const;
    bool waitForWindowGone(QString const& window, int timeoutMs = 30000) const;

    // Keeps a picture of the display as a test artefact, taken once what the application draws
    // after the last input had the time to reach the screen.
    void screenshot(QString const& name, int settleMs = 300) const;

    // Asks the window to close as a window manager's close button does and waits for the
    // process to end; describes the windows still there when it does not.
    bool close(int timeoutMs = 30000);

    // The sizes of the pictures in a window's _NET_WM_ICON property, empty without one.
    static QList<QSize> iconSizes(QString const& window);

    static QString xdotool(QStringList const& arguments);
    static QString windowNamed(QString const& name);
    static QRect geometryOf(QString const& window);

private:
    static void requestClose(quint32 window);

    QProcess m_app;
    QString m_window;
};

#pragma once

#include <QString>

#include <memory>

class HostWindow;
class QWidget;

/**
 * @brief Builds the top-level window that hosts the application's main window.
 *
 * The host is titled with the product name, shows a 46-pixel title area in the light
 * grey-blue rgb(239, 244, 247) above the hosted widget, keeps the hosted widget's width and
 * lets the user change only its height. Closing it quits the application's event loop.
 */
class WindowCreator
{
public:
    /// Height in pixels of the title area above the hosted widget.
    static constexpr int titleAreaHeight = 46;

    WindowCreator();
    /// Destroys the host window and with it the hosted widget, which has become its child.
    ~WindowCreator();
    WindowCreator(WindowCreator const&) = delete;
    WindowCreator& operator=(WindowCreator const&) = delete;

    /**
     * @brief Builds, shows and keeps the host window for @p qtWidget.
     * @param qtWidget  the top-level widget to host, usually already shown; it becomes a child
     *                  of the host, placed below the title area.
     *
     * The host's content is the widget's width by its height plus the title area, centred on
     * the primary screen and moved inside the screen's available area; a widget wider than that
     * area is narrowed to it, and the height stops at it. Its width is fixed; its height ranges
     * from the widget's minimum height plus the title area to the screen's height. A later
     * call replaces the host; whatever the old host still holds is destroyed with it.
     */
    void createWindow(QWidget* qtWidget);

    /// Sets the host window's title; does nothing before createWindow().
    void setWindowTitle(QString const& title);

    /// The host window, or nullptr before createWindow().
    QWidget* hostWindow() const;

private:
    std::unique_ptr<HostWindow> m_window;
};

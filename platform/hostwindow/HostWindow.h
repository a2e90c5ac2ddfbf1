#pragma once

#include <QWidget>

/**
 * @brief The top-level window made by WindowCreator.
 *
 * Its close request ends the application: each hosted widget receives the close event first
 * and may refuse it (the window then stays); otherwise windowShouldClose() quits the event
 * loop, and the window closes as usual.
 */
class HostWindow : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(HostWindow)

public:
    explicit HostWindow(QWidget* parent = nullptr);
    ~HostWindow() override;

    /// The close handler: quits the application's event loop (exit status 0).
    /// @return true, so the window closes.
    bool windowShouldClose();

protected:
    void closeEvent(QCloseEvent* event) override;
};

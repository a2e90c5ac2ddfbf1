#pragma once

class QWidget;

// The main window is the parent of the interface's dialogs and message boxes. Start-up makes
// it; code that needs it earlier gets it made through the factory the window registers. With
// no factory registered (a row or dialog used on its own) there is no parent.
class MainWindowAccess
{
public:
    using Factory = QWidget* (*)();

    static QWidget* instance();
    static void setFactory(Factory factory);
};

#pragma once

#include <QDialog>

#include <functional>

// Runs the interface's own modal dialogs (exec), so that tests can act on them while they are
// open instead of blocking.
class ModalDialog
{
public:
    using Handler = std::function<void(QDialog*)>;

    // dialog->exec(); a queued handler runs inside the dialog's event loop once it is open, and
    // the dialog is rejected afterwards if the handler left it open.
    static int exec(QDialog* dialog);

    // Tests: the next dialog is handed to this handler.
    static void setNextHandler(Handler handler);
};

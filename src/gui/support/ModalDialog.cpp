#include "support/ModalDialog.h"

#include "support/DialogTestMode.h"

#include <QPointer>
#include <QQueue>
#include <QTimer>

namespace {
QQueue<ModalDialog::Handler> g_handlers;
}

int ModalDialog::exec(QDialog* dialog)
{
    if (g_handlers.isEmpty()) {
        if (!DialogTestMode::isEnabled())
            return dialog->exec();
        // Nobody is there to answer: give up as if the user cancelled.
        if (dialog->testAttribute(Qt::WA_DeleteOnClose))
            dialog->deleteLater();
        return QDialog::Rejected;
    }
    Handler handler = g_handlers.dequeue();
    QPointer<QDialog> guard(dialog);
    QTimer::singleShot(0, dialog, [guard, handler] {
        handler(guard);
        if (guard && guard->isVisible())
            guard->reject();
    });
    return dialog->exec();
}

void ModalDialog::setNextHandler(Handler handler)
{
    g_handlers.enqueue(std::move(handler));
}

#include "support/ColorDialog.h"

#include "support/DialogTestMode.h"

#include <QQueue>

namespace {
QQueue<QColor> g_answers;
QList<ColorDialog::Request> g_requests;
} // namespace

QColor ColorDialog::getColor(QColor const& initial, QWidget* parent, QString const& title,
                             QColorDialog::ColorDialogOptions options)
{
    if (!g_answers.isEmpty() || DialogTestMode::isEnabled()) {
        g_requests.append({initial, title, options});
        return g_answers.isEmpty() ? QColor() : g_answers.dequeue();
    }
    return QColorDialog::getColor(initial, parent, title, options);
}

void ColorDialog::setNextAnswer(QColor const& colour)
{
    g_answers.enqueue(colour);
}

QList<ColorDialog::Request> ColorDialog::requests()
{
    return g_requests;
}

void ColorDialog::clearRequests()
{
    g_requests.clear();
}

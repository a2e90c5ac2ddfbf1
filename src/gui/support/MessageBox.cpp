#include "support/MessageBox.h"

#include "support/DialogTestMode.h"

#include <QQueue>

namespace {
QQueue<MessageBox::Button> g_answers;
QStringList g_shown;
} // namespace

MessageBox::Button MessageBox::information(QWidget* parent, QString const& title, QString const& text,
                                           Buttons buttons, Button defaultButton)
{
    return ask(QMessageBox::Information, parent, title, text, buttons, defaultButton);
}

MessageBox::Button MessageBox::question(QWidget* parent, QString const& title, QString const& text,
                                        Buttons buttons, Button defaultButton)
{
    return ask(QMessageBox::Question, parent, title, text, buttons, defaultButton);
}

MessageBox::Button MessageBox::warning(QWidget* parent, QString const& title, QString const& text,
                                       Buttons buttons, Button defaultButton)
{
    return ask(QMessageBox::Warning, parent, title, text, buttons, defaultButton);
}

void MessageBox::setNextAnswer(Button button)
{
    g_answers.enqueue(button);
}

QStringList MessageBox::shown()
{
    return g_shown;
}

void MessageBox::clearShown()
{
    g_shown.clear();
}

MessageBox::Button MessageBox::ask(QMessageBox::Icon icon, QWidget* parent, QString const& title,
                                   QString const& text, Buttons buttons, Button defaultButton)
{
    if (!g_answers.isEmpty() || DialogTestMode::isEnabled()) {
        g_shown.append(title + QLatin1Char('|') + text);
        return g_answers.isEmpty() ? QMessageBox::NoButton : g_answers.dequeue();
    }
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    // Paths and addresses in a message can be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    return static_cast<Button>(box.exec());
}

#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

// Every message box of the interface goes through here, so that tests can answer it.
class MessageBox
{
public:
    using Button = QMessageBox::StandardButton;
    using Buttons = QMessageBox::StandardButtons;

    static Button information(QWidget* parent, QString const& title, QString const& text,
                              Buttons buttons = QMessageBox::Ok,
                              Button defaultButton = QMessageBox::NoButton);
    static Button question(QWidget* parent, QString const& title, QString const& text,
                           Buttons buttons = Buttons(QMessageBox::Yes | QMessageBox::No),
                           Button defaultButton = QMessageBox::NoButton);
    static Button warning(QWidget* parent, QString const& title, QString const& text,
                          Buttons buttons = QMessageBox::Ok, Button defaultButton = QMessageBox::NoButton);

    // Tests: the next box answers this button without being shown.
    static void setNextAnswer(Button button);
    // Tests: every box asked for while the test mode is on, as "title|text", oldest first.
    static QStringList shown();
    static void clearShown();

private:
    static Button ask(QMessageBox::Icon icon, QWidget* parent, QString const& title, QString const& text,
                      Buttons buttons, Button defaultButton);
};

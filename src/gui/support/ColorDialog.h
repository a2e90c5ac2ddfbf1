#pragma once

#include <QColor>
#include <QColorDialog>
#include <QList>
#include <QString>

// Every colour picker of the interface goes through here, so that tests can answer it.
class ColorDialog
{
public:
    // An invalid colour when the picker was cancelled.
    static QColor getColor(QColor const& initial, QWidget* parent, QString const& title,
                           QColorDialog::ColorDialogOptions options = QColorDialog::ColorDialogOptions());

    // Tests: the next picker answers this colour (an invalid one is a cancelled picker).
    static void setNextAnswer(QColor const& colour);

    // Tests: every picker asked for while answers are queued or the test mode is on, oldest first.
    struct Request
    {
        QColor initial;
        QString title;
        QColorDialog::ColorDialogOptions options;
    };
    static QList<Request> requests();
    static void clearRequests();
};

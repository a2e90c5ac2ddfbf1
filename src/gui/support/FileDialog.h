#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

// Every file and folder dialog of the interface goes through here, so that tests can answer it.
class FileDialog
{
public:
    static QStringList getOpenFileNames(QWidget* parent, QString const& caption, QString const& dir,
                                        QString const& filter);
    static QString getOpenFileName(QWidget* parent, QString const& caption, QString const& dir,
                                   QString const& filter);
    static QString getExistingDirectory(QWidget* parent, QString const& caption, QString const& dir,
                                        QFileDialog::Options options = QFileDialog::ShowDirsOnly);

    // Where a dialog opens: the user's Documents folder (home when there is none) until the user
    // has chosen something in any file dialog; from then on empty, so the dialog opens where it
    // was last used.
    static QString startFolder();

    // Tests: the next dialog answers these paths (one path for the single-answer dialogs; an
    // empty list is a cancelled dialog).
    static void setNextAnswer(QStringList const& paths);

    // Tests: the caption and start folder of every dialog asked for, oldest first.
    struct Request
    {
        QString caption;
        QString dir;
        QString filter;
    };
    static QList<Request> requests();
    static void clearRequests();

private:
    static bool takeAnswer(QString const& caption, QString const& dir, QString const& filter,
                           QStringList& answer);
    static QStringList noteChoice(QStringList const& chosen);
};

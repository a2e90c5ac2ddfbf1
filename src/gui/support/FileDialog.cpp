#include "support/FileDialog.h"

#include "support/DialogTestMode.h"

#include <QDir>
#include <QFileInfo>
#include <QQueue>
#include <QStandardPaths>

namespace {
QQueue<QStringList> g_answers;
QList<FileDialog::Request> g_requests;
bool g_chosen = false;
} // namespace

QString FileDialog::startFolder()
{
    if (g_chosen)
        return QString();
    QString const documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QStringList FileDialog::noteChoice(QStringList const& chosen)
{
    if (!chosen.isEmpty() && !chosen.first().isEmpty())
        g_chosen = true;
    return chosen;
}

QStringList FileDialog::getOpenFileNames(QWidget* parent, QString const& caption, QString const& dir,
                                         QString const& filter)
{
    QStringList answer;
    if (!takeAnswer(caption, dir, filter, answer))
        answer = QFileDialog::getOpenFileNames(parent, caption, dir, filter);
    return noteChoice(answer);
}

QString FileDialog::getOpenFileName(QWidget* parent, QString const& caption, QString const& dir,
                                    QString const& filter)
{
    QStringList answer;
    if (!takeAnswer(caption, dir, filter, answer))
        answer = QStringList{QFileDialog::getOpenFileName(parent, caption, dir, filter)};
    return noteChoice(answer).value(0);
}

QString FileDialog::getExistingDirectory(QWidget* parent, QString const& caption, QString const& dir,
                                         QFileDialog::Options options)
{
    QStringList answer;
    if (!takeAnswer(caption, dir, QString(), answer))
        answer = QStringList{QFileDialog::getExistingDirectory(parent, caption, dir, options)};
    return noteChoice(answer).value(0);
}

void FileDialog::setNextAnswer(QStringList const& paths)
{
    g_answers.enqueue(paths);
}

QList<FileDialog::Request> FileDialog::requests()
{
    return g_requests;
}

void FileDialog::clearRequests()
{
    g_requests.clear();
}

bool FileDialog::takeAnswer(QString const& caption, QString const& dir, QString const& filter,
                            QStringList& answer)
{
    if (g_answers.isEmpty() && !DialogTestMode::isEnabled())
        return false;
    g_requests.append({caption, dir, filter});
    answer = g_answers.isEmpty() ? QStringList() : g_answers.dequeue();
    return true;
}

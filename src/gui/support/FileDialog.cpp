#include "support/FileDialog.h"

#include "support/DialogTestMode.h"

#include <QQueue>

namespace {
QQueue<QStringList> g_answers;
QList<FileDialog::Request> g_requests;
} // namespace

QStringList FileDialog::getOpenFileNames(QWidget* parent, QString const& caption, QString const& dir,
                                         QString const& filter)
{
    QStringList answer;
    if (takeAnswer(caption, dir, filter, answer))
        return answer;
    return QFileDialog::getOpenFileNames(parent, caption, dir, filter);
}

QString FileDialog::getOpenFileName(QWidget* parent, QString const& caption, QString const& dir,
                                    QString const& filter)
{
    QStringList answer;
    if (takeAnswer(caption, dir, filter, answer))
        return answer.value(0);
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString FileDialog::getExistingDirectory(QWidget* parent, QString const& caption, QString const& dir,
                                         QFileDialog::Options options)
{
    QStringList answer;
    if (takeAnswer(caption, dir, QString(), answer))
        return answer.value(0);
    return QFileDialog::getExistingDirectory(parent, caption, dir, options);
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

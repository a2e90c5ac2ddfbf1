#pragma once

#include <QObject>
#include <QString>

// Blocking HTTP GET for the update query. Internal to the library: it is not exported, and the
// application's own class of this name is a different one.
class QNetWorkProcess : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(QNetWorkProcess)

public:
    QNetWorkProcess(QString folder, QObject* parent);

    // Created on the first call; later calls ignore their arguments.
    static QNetWorkProcess* shareInstance(QString folder, QObject* parent);

    // Waits at most 3 seconds on the calling thread. status is the HTTP status, 0 when there is
    // none (no connection, no complete answer in time, or a body past 64 KiB); reply is the body
    // up to its first NUL byte, or the error text.
    void httpGET(QString const& strUrl, QString& reply, int& status);

private:
    QString m_folder;
};

#pragma once

#include <QObject>
#include <QString>

// Fetches one file over HTTP(S) into a local path. download() runs a local event loop on
// the calling thread until the transfer ends, so the interface stays responsive meanwhile.
class ModuleDownload : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ModuleDownload)

public:
    // Its owner holds it by value, so the parent is not taken.
    explicit ModuleDownload(QObject* parent = nullptr);

    // Fetches url into savePath (created or truncated). A limit above 0 bounds the whole
    // transfer to that many milliseconds. True only when the complete answer was written;
    // otherwise the file is removed.
    bool download(QString url, QString savePath, int limitMs);
    // Stops a running download, which then returns false.
    void cancelDownload();
    // Why the last download failed (empty after a success); whether the user stopped it.
    QString errorString() const { return m_error; }
    bool wasCancelled() const { return m_cancelled; }

signals:
    void downloadProgress(int bytesReceived, int bytesTotal);
    void stopDownload();

private:
    QString m_error;
    bool m_cancelled = false;
};

#include "module/ModuleDownload.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QtDebug>

namespace {
// Received data is written out in pieces of just over this size.
constexpr int s_bufferLimit = 1048576;

// One buffer for every download of the process; empty between downloads.
QByteArray& writeBuffer()
{
    static QByteArray buffer;
    return buffer;
}

// Why the reply does not carry the file, or empty when it does. Only a 2xx answer is the
// file: a redirect that could not be followed (no target, 300, 304) carries some page.
QString answerError(QNetworkReply* reply)
{
    if (reply->error() != QNetworkReply::NoError)
        return reply->errorString();
    QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() / 100 != 2)
        return QStringLiteral("HTTP status %1").arg(status.toInt());
    return QString();
}
} // namespace

ModuleDownload::ModuleDownload(QObject* parent)
{
    Q_UNUSED(parent)
}

void ModuleDownload::cancelDownload()
{
    emit stopDownload();
}

bool ModuleDownload::download(QString url, QString savePath, int limitMs)
{
    qInfo() << "download" << __LINE__ << "Download ：url: " << url << "  Save to: " << savePath;
    QFile file(savePath);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "download" << __LINE__ << "Download error: Failed to open output file: " << savePath;
        return false;
    }

    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(url, QUrl::TolerantMode));
    // Without this a 3xx answer would end as a complete download of its own body; HTTPS
    // is never followed down to HTTP.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QTimer timer;
    QByteArray& buffer = writeBuffer();
    // A short write (disk full, file size limit) must not end as a complete package.
    bool writeFailed = false;
    auto writeOut = [&] {
        if (!writeFailed && file.write(buffer) != buffer.size())
            writeFailed = true;
        buffer.clear();
    };
    auto failure = [&] {
        QString error = answerError(reply);
        if (error.isEmpty() && writeFailed)
            error = QStringLiteral("cannot write %1: %2").arg(savePath, file.errorString());
        return error;
    };

    connect(
        reply, &QNetworkReply::readyRead, this,
        [&] {
            buffer.append(reply->readAll());
            if (buffer.size() > s_bufferLimit) {
                writeOut();
                if (writeFailed)
                    reply->abort();
            }
        },
        Qt::DirectConnection);
    connect(
        reply, &QNetworkReply::downloadProgress, this,
        [this](qint64 received, qint64 total) { emit downloadProgress(int(received), int(total)); },
        Qt::DirectConnection);
    connect(
        reply, &QNetworkReply::finished, this,
        [&] {
            if (!buffer.isEmpty())
                writeOut();
            if (failure().isEmpty() && !file.flush())
                writeFailed = true;
            QString error = failure();
            if (!error.isEmpty()) {
                file.remove();
                qWarning() << "下载失败:" << error;
            } else {
                qDebug() << "下载成功，文件大小:" << file.size() << "字节";
            }
            loop.quit();
        },
        Qt::DirectConnection);
    if (limitMs > 0) {
        timer.setSingleShot(true);
        connect(
            &timer, &QTimer::timeout, this,
            [&] {
                reply->abort();
                qWarning() << "operator()" << __LINE__ << "Download timeout: " << limitMs << "ms";
            },
            Qt::DirectConnection);
        timer.start(limitMs);
    }
    QMetaObject::Connection stop = connect(
        this, &ModuleDownload::stopDownload, reply,
        [&] {
            reply->abort();
            qInfo() << "operator()" << __LINE__ << "Download cancelled by user";
        },
        Qt::DirectConnection);

    if (!reply->isFinished())
        loop.exec();

    buffer.clear();
    QString error = failure();
    bool result = error.isEmpty();
    if (!result)
        qWarning() << "download" << __LINE__ << "Download failed: " << error;
    if (!result && file.exists())
        file.remove();
    file.close();
    timer.stop();
    reply->disconnect(this);
    disconnect(stop);
    reply->deleteLater();
    return result;
}

#include "module/ModuleDownload.h"

#include <QDir>
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

// Why the reply does not carry the file, in words for the user, or empty when it does. Only a
// 2xx answer is the file: a redirect that could not be followed (no target, 300, 304) carries
// some page. The body must be the package itself, as long as announced: an encoded body is
// not, and whatever went missing on the way must not pass for a complete file.
QString answerError(QNetworkReply* reply, qint64 written)
{
    if (reply->error() != QNetworkReply::NoError)
        return reply->errorString();
    QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() / 100 != 2)
        return ModuleDownload::tr("The server answered with status %1.").arg(status.toInt());
    QByteArray encoding = reply->rawHeader("Content-Encoding").trimmed();
    if (!encoding.isEmpty() && encoding.compare("identity", Qt::CaseInsensitive) != 0)
        return ModuleDownload::tr("The server sent the package encoded (%1).")
            .arg(QString::fromLatin1(encoding));
    QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != written)
        return ModuleDownload::tr("Only %1 of %2 bytes arrived.")
            .arg(QString::number(written), QString::number(length.toLongLong()));
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
    m_error.clear();
    m_cancelled = false;
    QFile file(savePath);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "download" << __LINE__ << "Download error: Failed to open output file: " << savePath;
        m_error = tr("%1 cannot be written: %2").arg(QDir::toNativeSeparators(savePath), file.errorString());
        return false;
    }

    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(url, QUrl::TolerantMode));
    // Without this a 3xx answer would end as a complete download of its own body; HTTPS
    // is never followed down to HTTP.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // Qt would otherwise ask for gzip and inflate it unchecked: a body cut short inside the
    // compressed stream would still end as a complete download.
    request.setRawHeader("Accept-Encoding", "identity");
    QNetworkReply* reply = manager.get(request);
    // Qt reads on into memory while this thread is busy writing; the pieces are the bound.
    reply->setReadBufferSize(s_bufferLimit);
    QEventLoop loop;
    QTimer timer;
    QByteArray& buffer = writeBuffer();
    // A short write (disk full, file size limit) must not end as a complete package.
    bool writeFailed = false;
    qint64 written = 0;
    auto writeOut = [&] {
        if (!writeFailed && file.write(buffer) != buffer.size())
            writeFailed = true;
        written += buffer.size();
        buffer.clear();
    };
    auto failure = [&] {
        QString error = answerError(reply, written);
        if (error.isEmpty() && writeFailed)
            error =
                tr("%1 cannot be written: %2").arg(QDir::toNativeSeparators(savePath), file.errorString());
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
            buffer.append(reply->readAll());
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
            m_cancelled = true;
            reply->abort();
            qInfo() << "operator()" << __LINE__ << "Download cancelled by user";
        },
        Qt::DirectConnection);

    if (!reply->isFinished())
        loop.exec();

    buffer.clear();
    QString error = failure();
    bool result = error.isEmpty();
    m_error = error;
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

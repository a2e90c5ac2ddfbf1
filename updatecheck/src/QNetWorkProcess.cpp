#include "QNetWorkProcess.h"

#include <QDebug>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslSocket>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <memory>

namespace {

constexpr int kReplyTimeoutMs = 3000;
// A version answer is a few hundred bytes; a longer body is not one, and is not read on.
constexpr int kMaxReplyBytes = 64 * 1024;

void printLine(QString const& line)
{
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QString decodeUpToNul(QByteArray bytes)
{
    int const nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromLocal8Bit(bytes);
}

} // namespace

QNetWorkProcess::QNetWorkProcess(QString folder, QObject* parent)
    : QObject(parent), m_folder(std::move(folder))
{
    qDebug() << "QNetWorkProcess::QNetWorkProcess()";
    printLine(QStringLiteral("QNetWorkProcess::QNetWorkProcess()"));
    QString const build = QSslSocket::sslLibraryBuildVersionString();
    qDebug() << "QSslSocket=" << build;
    printLine(QStringLiteral("QSslSocket=") + build);
    bool const ssl = QSslSocket::supportsSsl();
    qDebug() << "OpenSSL support:" << ssl;
    printLine(QStringLiteral("OpenSSL support:") + QString::number(ssl ? 1 : 0));
}

QNetWorkProcess* QNetWorkProcess::shareInstance(QString folder, QObject* parent)
{
    static QNetWorkProcess* gNetWorkPro = new QNetWorkProcess(std::move(folder), parent);
    return gNetWorkPro;
}

void QNetWorkProcess::httpGET(QString const& strUrl, QString& reply, int& status)
{
    Q_ASSERT(!strUrl.isEmpty());
    QUrl const url = QUrl::fromUserInput(strUrl);
    Q_ASSERT(url.isValid());

    // Declared before the reply so that the reply goes first; deleting an unfinished reply
    // also ends its request.
    auto manager = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    // Otherwise Qt asks for gzip and inflates whatever comes, before any bound can apply.
    request.setRawHeader("Accept-Encoding", "identity");
    std::unique_ptr<QNetworkReply> networkReply(manager->get(request));
    // Read as it comes, so a body past the bound is never held whole.
    networkReply->setReadBufferSize(kMaxReplyBytes);
    QByteArray body;
    bool tooLong = false;
    auto take = [&] {
        if (!tooLong)
            body += networkReply->read(kMaxReplyBytes + 1 - body.size());
        if (body.size() > kMaxReplyBytes && !tooLong) {
            tooLong = true;
            networkReply->abort();
        }
    };

    if (!networkReply->isFinished()) {
        QEventLoop loop;
        // The loop is the timer's context: a timer still pending when we return does nothing.
        QTimer::singleShot(kReplyTimeoutMs, Qt::CoarseTimer, &loop, [&loop] {
            if (loop.isRunning())
                loop.quit();
        });
        connect(networkReply.get(), &QNetworkReply::readyRead, &loop, take);
        connect(networkReply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    take();

    if (tooLong) {
        // A refusal keeps its status whatever its page; only an answer cannot be that long.
        int const refused = networkReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        status = refused == 200 ? 0 : refused;
        reply = QStringLiteral("reply longer than %1 bytes").arg(kMaxReplyBytes);
        return;
    }
    if (!networkReply->isFinished()) {
        // Timed out. Headers may already have come with a status of 200; a half-read body
        // must not pass for a complete answer.
        status = 0;
        reply = decodeUpToNul(body);
        return;
    }

    status = networkReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (networkReply->error() == QNetworkReply::NoError)
        reply = decodeUpToNul(body);
    else
        reply = networkReply->errorString();
}

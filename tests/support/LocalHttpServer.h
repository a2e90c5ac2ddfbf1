#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// One answer of the local server: its head, then the body in pieces with a pause before
// every piece after the first.
struct Answer
{
    QByteArray head;
    QList<QByteArray> pieces;
    int pauseMs = 0;
};
Q_DECLARE_METATYPE(Answer)

// Pieces of 8 MiB unless told; without a length the body ends where the connection closes.
inline Answer answer(QByteArray const& status, QByteArray const& body, QByteArray const& headers = {},
                     int pieceSize = 8 * 1048576, int pauseMs = 0, bool withLength = true)
{
    QByteArray length =
        withLength ? "Content-Length: " + QByteArray::number(body.size()) + "\r\n" : QByteArray();
    Answer a{"HTTP/1.1 " + status + "\r\n" + headers + length + "Connection: close\r\n\r\n", {}, pauseMs};
    for (int at = 0; at < body.size(); at += pieceSize)
        a.pieces << body.mid(at, pieceSize);
    return a;
}

inline QByteArray pattern(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i * 7 + i / 251);
    return bytes;
}

// Answers each request on 127.0.0.1 with the answer set for its path (404 for any other)
// and notes the paths asked for.
class LocalServer : public QTcpServer
{
public:
    QHash<QByteArray, Answer> answers;
    QList<QByteArray> requested;

    QString url(QByteArray const& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()) + QString::fromLatin1(path);
    }

protected:
    void incomingConnection(qintptr handle) override
    {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            if (!socket->peek(64 * 1024).contains("\r\n\r\n"))
                return;
            QByteArray path = socket->readAll().split(' ').value(1);
            requested << path;
            Answer a = answers.value(path, answer("404 Not Found", "none"));
            socket->write(a.head);
            send(socket, a, 0);
        });
    }

private:
    void send(QTcpSocket* socket, Answer const& a, int piece)
    {
        if (piece == a.pieces.size())
            return socket->disconnectFromHost();
        socket->write(a.pieces.at(piece));
        // The socket is the timer's context: a client that went away stops the answer.
        QTimer::singleShot(a.pauseMs, socket, [=] { send(socket, a, piece + 1); });
    }
};

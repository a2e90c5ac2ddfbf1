#include "ThreadedHttpServer.h"

#include <QByteArray>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

ThreadedHttpServer::ThreadedHttpServer(qint64 size, bool holdAfterFirstPiece)
    : m_size(size), m_hold(holdAfterFirstPiece), m_stalled(m_stalledPromise.get_future().share())
{
    m_listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listener < 0 || bind(m_listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(m_listener, 1) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { serve(); });
}

ThreadedHttpServer::~ThreadedHttpServer()
{
    go();
    if (m_thread.joinable()) {
        // A client that never came: wake the accept.
        shutdown(m_listener, SHUT_RDWR);
        m_thread.join();
    }
    if (m_listener >= 0)
        close(m_listener);
}

QString ThreadedHttpServer::url() const
{
    return QStringLiteral("http://127.0.0.1:%1/big.zip").arg(m_port);
}

void ThreadedHttpServer::go()
{
    if (!m_going.exchange(true))
        m_goPromise.set_value();
}

void ThreadedHttpServer::serve()
{
    int client = accept(m_listener, nullptr, nullptr);
    QByteArray request(4096, 0);
    QByteArray const head =
        "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(m_size) + "\r\nConnection: close\r\n\r\n";
    QByteArray block(65536, Qt::Uninitialized);
    for (int i = 0; i < block.size(); ++i)
        block[i] = char(i * 7 + i / 251);
    qint64 sent = 0;
    bool stalled = false;
    if (client >= 0 && recv(client, request.data(), size_t(request.size()), 0) > 0 &&
        send(client, head.constData(), size_t(head.size()), MSG_NOSIGNAL) == head.size()) {
        if (m_hold) {
            sent = send(client, block.constData(), size_t(qMin<qint64>(block.size(), m_size)), MSG_NOSIGNAL);
            m_started = true;
            m_goPromise.get_future().wait_for(std::chrono::seconds(60));
        }
        m_started = true;
        while (sent >= 0 && sent < m_size) {
            pollfd out{client, POLLOUT, 0};
            if (poll(&out, 1, stalled ? 30000 : 500) <= 0) {
                if (stalled)
                    break;
                stalled = true;
                m_stalledPromise.set_value(sent);
                continue;
            }
            ssize_t n = send(client, block.constData(), size_t(qMin<qint64>(block.size(), m_size - sent)),
                             MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n < 0 && errno != EAGAIN)
                break;
            sent += qMax<ssize_t>(n, 0);
        }
    }
    if (!stalled)
        m_stalledPromise.set_value(sent);
    if (client >= 0)
        close(client);
}

#include "startup/SingleApplication.h"

#include <QDebug>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace {
const int g_connectWaitMs = 500;
const int g_readWaitMs = 1000;
} // namespace

SingleApplication::SingleApplication(int& argc, char** argv, QString serverName)
    : QApplication(argc, argv), m_serverName(std::move(serverName))
{
    InitLocalConnection();
}

SingleApplication::~SingleApplication() = default;

bool SingleApplication::isRunning()
{
    return m_isRunning;
}

void SingleApplication::setMainWindow(QWidget* window)
{
    m_mainWindow = window;
}

void SingleApplication::ActivateWindow()
{
    if (!m_mainWindow)
        return;
    m_mainWindow->raise();
    m_mainWindow->activateWindow();
}

void SingleApplication::InitLocalConnection()
{
    m_isRunning = false;
    QLocalSocket socket;
    socket.connectToServer(m_serverName, QIODevice::ReadWrite);
    if (socket.waitForConnected(g_connectWaitMs)) {
        qDebug() << "InitLocalConnection" << __LINE__ << "another instance runs on" << m_serverName;
        m_isRunning = true;
        return;
    }
    NewLocalServer();
}

void SingleApplication::NewLocalServer()
{
    m_localServer = new QLocalServer(this);
    connect(m_localServer, &QLocalServer::newConnection, this, &SingleApplication::NewLocalConnection);
    if (m_localServer->listen(m_serverName))
        return;
    // A name left behind by an instance that ended abnormally: reclaim it once.
    if (m_localServer->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(m_serverName);
        if (m_localServer->listen(m_serverName))
            return;
    }
    qDebug() << "NewLocalServer" << __LINE__ << m_serverName << m_localServer->errorString();
}

void SingleApplication::NewLocalConnection()
{
    QLocalSocket* socket = m_localServer->nextPendingConnection();
    if (!socket)
        return;
    socket->waitForReadyRead(g_readWaitMs);
    delete socket;
    ActivateWindow();
}

#include "creation/ExeStarter.h"

#include "errors/ErrorMessageContext.h"
#include "relay/SignalTransferStation.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtDebug>

namespace {
QString g_programFolderForTesting;

QString latin1UpToNul(QByteArray bytes)
{
    int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return QString::fromLatin1(bytes);
}
} // namespace

ExeStarter::ExeStarter(QObject* parent) : QObject(parent), m_error(new ErrorMessageContext(QString()))
{
    connect(SignalTransferStation::instance(), &SignalTransferStation::stopCommand, this,
            &ExeStarter::stopProcess, Qt::DirectConnection);
}

ExeStarter::~ExeStarter()
{
    delete m_process;
    delete m_error;
}

void ExeStarter::setProgramFolderForTesting(QString const& folder)
{
    g_programFolderForTesting = folder;
}

int ExeStarter::cmdProgramStart(QString const& program, QStringList const& args)
{
    qDebug() << "cmdProgramStart" << __LINE__ << args.join(' ');
    delete m_process;
    m_process = new QProcess();
    connect(m_process, &QProcess::readyReadStandardError, this, &ExeStarter::readErrorMessage,
            Qt::DirectConnection);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &ExeStarter::readOutputMessage,
            Qt::DirectConnection);

    QString folder = g_programFolderForTesting.isEmpty() ? QCoreApplication::applicationDirPath()
                                                         : g_programFolderForTesting;
    m_process->start(folder + "/" + program, args, QIODevice::ReadWrite);
    m_process->waitForStarted(30000);
    // The helper gets nothing on standard input.
    m_process->closeWriteChannel();
    if (!m_process->waitForFinished(-1)) {
        qDebug() << "cmdProgramStart" << __LINE__ << "Handling file timeout.";
        delete m_process;
        m_process = nullptr;
        return -1;
    }
    // Pick up output that arrived with the end of the process.
    readErrorMessage();
    readOutputMessage();
    // A crash has no meaningful exit code: never let it read as success.
    int code = m_process->exitStatus() == QProcess::CrashExit ? -1 : m_process->exitCode();
    if (code == -1)
        qWarning() << "cmdProgramStart" << __LINE__ << program << "crashed";
    m_process->deleteLater();
    m_process = nullptr;
    return code;
}

void ExeStarter::stopProcess()
{
    if (!m_process || m_process->state() == QProcess::NotRunning)
        return;
    m_process->terminate();
    m_process->kill();
}

void ExeStarter::readErrorMessage()
{
    if (!m_error || !m_process)
        return;
    QByteArray bytes = m_process->readAllStandardError();
    if (bytes.isEmpty())
        return;
    QString text = latin1UpToNul(bytes);
    qWarning() << "readErrorMessage" << __LINE__ << text;
    m_error->setErrorMessage(text);
}

void ExeStarter::readOutputMessage()
{
    if (!m_process)
        return;
    QByteArray bytes = m_process->readAllStandardOutput();
    if (!bytes.isEmpty())
        qDebug() << "readOutputMessage" << __LINE__ << QString::fromUtf8(bytes);
}

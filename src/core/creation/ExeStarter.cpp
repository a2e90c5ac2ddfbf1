#include "creation/ExeStarter.h"

#include "engines/ResultCodes.h"
#include "errors/ErrorMessageContext.h"
#include "relay/SignalTransferStation.h"

#include <pdfconv/common/LibraryManager.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QtDebug>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {
QString g_programFolderForTesting;
// A creation that makes no end: far beyond the longest real one (LibreOffice has three minutes
// of its own, and our layout works within bounds), it is stopped rather than waited for.
constexpr qint64 kTimeLimitMs = 20 * 60 * 1000;
qint64 g_timeLimitMs = kTimeLimitMs;
qint64 g_memoryLimit = 0; // 0: the conversions' own limit

// The helper leads a process group of its own, so that stopping it stops what it started,
// and it does not outlive the application.
class HelperProcess : public QProcess
{
protected:
    void setupChildProcess() override
    {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    }
};

qint64 residentBytes(qint64 pid)
{
    QFile statm(QStringLiteral("/proc/%1/statm").arg(pid));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

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

void ExeStarter::setLimitsForTesting(qint64 memoryBytes, int seconds)
{
    g_memoryLimit = memoryBytes;
    g_timeLimitMs = seconds > 0 ? qint64(seconds) * 1000 : kTimeLimitMs;
}

int ExeStarter::cmdProgramStart(QString const& program, QStringList const& args)
{
    qDebug() << "cmdProgramStart" << __LINE__ << args.join(' ');
    delete m_process;
    m_process = new HelperProcess();
    connect(m_process, &QProcess::readyReadStandardError, this, &ExeStarter::readErrorMessage,
            Qt::DirectConnection);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &ExeStarter::readOutputMessage,
            Qt::DirectConnection);

    QString folder = g_programFolderForTesting.isEmpty() ? QCoreApplication::applicationDirPath()
                                                         : g_programFolderForTesting;
    m_process->start(folder + "/" + program, args, QIODevice::ReadWrite);
    if (!m_process->waitForStarted(30000)) {
        qDebug() << "cmdProgramStart" << __LINE__ << "Handling file timeout.";
        delete m_process;
        m_process = nullptr;
        return -1;
    }
    m_group = m_process->processId();
    // The helper gets nothing on standard input.
    m_process->closeWriteChannel();
    qint64 const memoryLimit =
        g_memoryLimit > 0 ? g_memoryLimit : qint64(pdfconv::common::LibraryManager::MemoryLimit());
    int limit = 0;
    QElapsedTimer timer;
    timer.start();
    while (!m_process->waitForFinished(200) && m_process->state() != QProcess::NotRunning) {
        if (residentBytes(m_group) > memoryLimit)
            limit = CreateErrorMemoryLimit;
        else if (timer.elapsed() > g_timeLimitMs)
            limit = CreateErrorTimeLimit;
        if (limit) {
            qWarning() << "cmdProgramStart" << __LINE__ << program << "stopped:"
                       << (limit == CreateErrorTimeLimit ? "no end in time" : "too much memory");
            break;
        }
    }
    // Whatever ended it, nothing it started runs on.
    qint64 const group = m_group.exchange(0);
    if (group > 0)
        ::kill(-pid_t(group), SIGKILL);
    m_process->waitForFinished(5000);
    // Pick up output that arrived with the end of the process.
    readErrorMessage();
    readOutputMessage();
    // A crash has no meaningful exit code: never let it read as success.
    int code = limit                                          ? limit
               : m_process->exitStatus() == QProcess::CrashExit ? -1
                                                                : m_process->exitCode();
    if (code == -1)
        qWarning() << "cmdProgramStart" << __LINE__ << program << "crashed";
    m_process->deleteLater();
    m_process = nullptr;
    return code;
}

void ExeStarter::stopProcess()
{
    // From any thread: the group, not the QProcess object, which belongs to the waiting thread.
    qint64 const group = m_group.load();
    if (group > 0)
        ::kill(-pid_t(group), SIGKILL);
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

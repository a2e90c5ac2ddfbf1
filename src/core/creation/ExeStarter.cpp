#include "creation/ExeStarter.h"

#include "engines/ResultCodes.h"
#include "errors/ErrorMessageContext.h"
#include "relay/SignalTransferStation.h"
#include "utils/HelperProcess.h"

#include <pdfconv/common/LibraryManager.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <csignal>

namespace {
QString g_programFolderForTesting;
// A creation that makes no end: far beyond the longest real one (LibreOffice has three minutes
// of its own, and our layout works within bounds), it is stopped rather than waited for.
constexpr qint64 kTimeLimitMs = 20 * 60 * 1000;
qint64 g_timeLimitMs = kTimeLimitMs;
qint64 g_memoryLimit = 0; // 0: the conversions' own limit

// The files the helper writes a PDF into before it moves it into place (".<name>.<8 hex>.part"
// beside the output); its own end removes them, a kill does not.
QStringList partialOutputs(QStringList const& args)
{
    int const at = args.indexOf(QStringLiteral("-output"));
    if (at < 0 || at + 1 >= args.size())
        return {};
    QFileInfo const output(args.at(at + 1));
    QDir const folder = output.absoluteDir();
    QStringList found;
    QString const prefix = QLatin1Char('.') + output.completeBaseName() + QLatin1Char('.');
    for (QString const& name :
         folder.entryList({prefix + QStringLiteral("*.part")}, QDir::Files | QDir::Hidden)) {
        QString const middle = name.mid(prefix.size(), name.size() - prefix.size() - 5);
        bool hex = false;
        middle.toUInt(&hex, 16);
        if (middle.size() == 8 && hex)
            found << folder.filePath(name);
    }
    return found;
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

QString ExeStarter::programFolder()
{
    return g_programFolderForTesting.isEmpty() ? QCoreApplication::applicationDirPath()
                                               : g_programFolderForTesting;
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

    QString const folder = programFolder();
    QStringList const partialBefore = partialOutputs(args);
    m_process->start(folder + "/" + program, args, QIODevice::ReadWrite);
    if (!m_process->waitForStarted(30000)) {
        qDebug() << "cmdProgramStart" << __LINE__ << "Handling file timeout.";
        delete m_process;
        m_process = nullptr;
        return -1;
    }
    m_group = m_process->processId();
    // A Cancel that came while the helper was starting.
    if (m_stopRequested)
        stopProcess();
    // The helper gets nothing on standard input.
    m_process->closeWriteChannel();
    qint64 const memoryLimit =
        g_memoryLimit > 0 ? g_memoryLimit : qint64(pdfconv::common::LibraryManager::MemoryLimit());
    int limit = 0;
    QElapsedTimer timer;
    timer.start();
    while (!m_process->waitForFinished(200) && m_process->state() != QProcess::NotRunning) {
        if (HelperProcess::residentBytes(m_group) > memoryLimit)
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
    bool const crashed = m_process->exitStatus() == QProcess::CrashExit;
    // Stopped or crashed, it left its unfinished PDF; files that were there before are not ours.
    if (crashed) {
        for (QString const& path : partialOutputs(args)) {
            if (!partialBefore.contains(path))
                QFile::remove(path);
        }
    }
    // A helper that ended on its own before the Cancel reached it has done its work.
    int code = limit                        ? limit
               : crashed && m_stopRequested ? int(CreateErrorCanceled)
               : crashed                    ? -1
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
    m_stopRequested = true;
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

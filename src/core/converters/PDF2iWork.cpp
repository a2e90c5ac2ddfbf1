#include "converters/PDF2iWork.h"

#include "engines/ResultCodes.h"
#include "relay/SignalTransferStation.h"
#include "utils/CommonUtils.h"
#include "utils/HelperProcess.h"
#include "utils/TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <csignal>
#include <mutex>

namespace {
QString g_scriptRunner = QStringLiteral("/usr/bin/osascript");
// An export that makes no end is stopped rather than waited for: far beyond the longest real one.
constexpr qint64 kTimeLimitMs = 20 * 60 * 1000;
qint64 g_timeLimitMs = kTimeLimitMs;

QString utf8UpToNul(QByteArray bytes)
{
    int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return QString::fromUtf8(bytes);
}
} // namespace

// A Cancel comes from the interface's thread while the worker waits for the script. Held by
// the connection too, so a Cancel that arrives as the converter goes finds it alive.
struct PDF2iWork::Stop
{
    std::mutex mutex;
    bool requested = false;
    qint64 group = 0; // the running script's process group

    void request()
    {
        std::lock_guard<std::mutex> lock(mutex);
        requested = true;
        if (group > 0)
            ::kill(-pid_t(group), SIGKILL);
    }
};

PDF2iWork::PDF2iWork(QString const& scriptName)
    : m_scriptPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../Resources/Scripts/") +
                   scriptName),
      m_stop(std::make_shared<Stop>())
{
    std::shared_ptr<Stop> stop = m_stop;
    m_stopConnection = QObject::connect(SignalTransferStation::instance(),
                                        &SignalTransferStation::stopCommand, [stop] { stop->request(); });
}

PDF2iWork::~PDF2iWork()
{
    QObject::disconnect(m_stopConnection);
}

void PDF2iWork::setScriptRunnerForTesting(QString const& program)
{
    g_scriptRunner = program;
}

void PDF2iWork::setTimeLimitForTesting(int seconds)
{
    g_timeLimitMs = seconds > 0 ? qint64(seconds) * 1000 : kTimeLimitMs;
}

int PDF2iWork::runScript(QStringList& arguments)
{
    QStringList processArgs{m_scriptPath};
    processArgs << arguments;
    qDebug() << "runScript" << __LINE__ << processArgs.join(' ');

    HelperProcess process;
    process.start(g_scriptRunner, processArgs, QIODevice::ReadWrite);
    if (!process.waitForStarted(8000)) {
        qWarning() << "runScript" << __LINE__ << "Failed to launch Keynote.app";
        qDebug() << "runScript" << __LINE__ << process.errorString();
        return -1;
    }
    {
        std::lock_guard<std::mutex> lock(m_stop->mutex);
        m_stop->group = process.processId();
        if (m_stop->requested && m_stop->group > 0)
            ::kill(-pid_t(m_stop->group), SIGKILL);
    }
    process.closeWriteChannel();
    bool timedOut = false;
    QElapsedTimer timer;
    timer.start();
    while (!process.waitForFinished(200) && process.state() != QProcess::NotRunning) {
        if (timer.elapsed() > g_timeLimitMs) {
            qWarning() << "runScript" << __LINE__ << "stopped: no end in" << timer.elapsed() / 1000 << "s";
            timedOut = true;
            break;
        }
    }
    bool cancelled = false;
    {
        // Whatever ended it, nothing it started runs on.
        std::lock_guard<std::mutex> lock(m_stop->mutex);
        if (m_stop->group > 0)
            ::kill(-pid_t(m_stop->group), SIGKILL);
        m_stop->group = 0;
        cancelled = m_stop->requested;
    }
    process.waitForFinished(5000);
    // A script that ended on its own before the Cancel reached it has done its work.
    if (cancelled && process.exitStatus() == QProcess::CrashExit)
        return ConvertErrorCanceled;
    if (timedOut)
        return ConvertErrorTimeLimit;
    QString errorText = utf8UpToNul(process.readAllStandardError());
    QString outputText = utf8UpToNul(process.readAllStandardOutput());
    bool ok = false;
    int result = outputText.trimmed().toInt(&ok);
    if (!ok)
        result = 0;
    // A script that dies without printing a number must not read as a successful export.
    if (result == 0 && (process.exitStatus() == QProcess::CrashExit ||
                        (outputText.trimmed().isEmpty() && process.exitCode() != 0)))
        result = process.exitStatus() == QProcess::CrashExit ? -1 : process.exitCode();
    if (result != 0)
        qWarning() << "runScript" << __LINE__ << errorText;
    return result;
}

bool PDF2iWork::stopRequested() const
{
    std::lock_guard<std::mutex> lock(m_stop->mutex);
    return m_stop->requested;
}

QString PDF2iWork::intermediatePath(QString const& input, QString const& pattern)
{
    QString tempDir = TempFolder::path();
    QString name = pattern.arg(QFileInfo(input).baseName());
    CommonUtils::duplicateFilenameHandle(tempDir, name);
    return tempDir + name;
}

int PDF2iWork::convertThrough(SdkBoundary::StartFn start, QString const& input, QString const& output,
                              QString const& password, pdfconv::base::ConvertOptions const& record,
                              QString const& pattern)
{
    QString office = intermediatePath(input, pattern);
    int code = start(input.toUtf8().constData(), password.toUtf8().constData(), office.toUtf8().constData(),
                     record, nullptr);
    if (code != 0)
        return code;
    int rc = ConvertErrorCanceled;
    bool const outputExisted = QFileInfo::exists(output);
    if (!stopRequested()) {
        QStringList arguments{office, output};
        rc = runScript(arguments);
    }
    if (QFile::exists(office))
        QFile::remove(office);
    // A failed or stopped export leaves no part of a document behind; never one that was there.
    if (rc != 0 && !outputExisted) {
        QFileInfo const left(output);
        if (left.isDir() && !left.isSymLink())
            QDir(output).removeRecursively();
        else if (left.exists() || left.isSymLink())
            QFile::remove(output);
    }
    return rc;
}

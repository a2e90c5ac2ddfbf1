#include "pdf/PdfProbeProcess.h"

#include "creation/ExeStarter.h"
#include "utils/HelperProcess.h"

#include <pdfconv/common/LibraryManager.h>

#include <QtDebug>

#include <csignal>

namespace {

// Rebuilding a damaged file reads all of it (about 4 s for 20 MB): far beyond any real file,
// a reading is given up rather than waited for.
constexpr int kReadLimitMs = 5 * 60 * 1000;
// The password dialog waits for this one, so it is shorter.
constexpr int kUnlockLimitMs = 15 * 1000;
int g_readLimitMs = kReadLimitMs;
int g_unlockLimitMs = kUnlockLimitMs;

QString helperPath()
{
    return ExeStarter::programFolder() + QStringLiteral("/PdfProbe");
}

void killGroup(HelperProcess* process)
{
    qint64 const pid = process->processId();
    if (pid > 0)
        ::kill(-pid_t(pid), SIGKILL);
}

void logErrors(HelperProcess* process)
{
    QByteArray const text = process->readAllStandardError().trimmed();
    for (QByteArray const& line : text.split('\n')) {
        if (!line.isEmpty())
            qWarning().noquote() << "PdfProbe:" << QString::fromLocal8Bit(line);
    }
}

QByteArray request(QString const& path)
{
    return path.toUtf8() + '\0';
}

} // namespace

PdfProbeProcess::PdfProbeProcess(QString path, QObject* parent) : QObject(parent), m_path(std::move(path))
{
    m_watch.setInterval(200);
    connect(&m_watch, &QTimer::timeout, this, &PdfProbeProcess::check);
}

PdfProbeProcess::~PdfProbeProcess()
{
    m_done = true;
    stop();
}

void PdfProbeProcess::setTimeLimitsForTesting(int readMs, int unlockMs)
{
    g_readLimitMs = readMs > 0 ? readMs : kReadLimitMs;
    g_unlockLimitMs = unlockMs > 0 ? unlockMs : kUnlockLimitMs;
}

void PdfProbeProcess::start()
{
    m_process = new HelperProcess(this);
    connect(m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &PdfProbeProcess::ended);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        qWarning() << "initPDF" << __LINE__ << "cannot start" << helperPath() << m_process->errorString();
        finish(PdfProbe::Facts());
    });
    // Read as it comes: a helper that fills the pipe would wait for it.
    connect(m_process, &QProcess::readyReadStandardError, this, [this] { logErrors(m_process); });
    connect(m_process, &QProcess::started, this, [this] {
        m_process->write(request(m_path));
        m_process->closeWriteChannel();
    });
    m_clock.start();
    m_watch.start();
    m_process->start(helperPath(), {QStringLiteral("read")});
}

void PdfProbeProcess::check()
{
    if (m_done || !m_process)
        return;
    bool const late = m_clock.elapsed() > g_readLimitMs;
    if (!late && HelperProcess::residentBytes(m_process->processId()) <=
                     qint64(pdfconv::common::LibraryManager::MemoryLimit()))
        return;
    qWarning() << "initPDF" << __LINE__ << "reading stopped:" << (late ? "no end in time" : "too much memory")
               << m_path;
    finish(PdfProbe::Facts());
}

void PdfProbeProcess::ended()
{
    if (m_done)
        return;
    logErrors(m_process);
    PdfProbe::Facts facts;
    QByteArray const answer = m_process->readAllStandardOutput();
    bool const clean = m_process->exitStatus() == QProcess::NormalExit && m_process->exitCode() == 0;
    if (!clean || !PdfProbe::decode(answer, &facts)) {
        qWarning() << "initPDF" << __LINE__ << "the reading of" << m_path << "ended without an answer"
                   << (m_process->exitStatus() == QProcess::CrashExit ? "(crashed)" : "");
        facts = PdfProbe::Facts();
    }
    finish(facts);
}

void PdfProbeProcess::finish(PdfProbe::Facts const& facts)
{
    if (m_done)
        return;
    m_done = true;
    stop();
    emit finished(facts);
}

void PdfProbeProcess::stop()
{
    m_watch.stop();
    if (!m_process)
        return;
    m_process->disconnect(this);
    if (m_process->state() != QProcess::NotRunning) {
        killGroup(m_process);
        m_process->waitForFinished(1000);
    }
    m_process->deleteLater();
    m_process = nullptr;
}

PdfProbe::Unlock PdfProbeProcess::unlock(QString const& path, QString const& password, int* pageCount)
{
    HelperProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(helperPath(), {QStringLiteral("unlock")});
    if (!process.waitForStarted(g_unlockLimitMs)) {
        qWarning() << "PDFDecrypt" << __LINE__ << "cannot start" << helperPath() << process.errorString();
        return PdfProbe::Unlock::CannotOpen;
    }
    process.write(request(path) + password.toUtf8() + '\0');
    process.closeWriteChannel();
    int const left = int(qMax<qint64>(0, g_unlockLimitMs - clock.elapsed()));
    bool const ended = process.waitForFinished(left);
    if (!ended) {
        qWarning() << "PDFDecrypt" << __LINE__ << "no answer in time for" << path;
        killGroup(&process);
        process.waitForFinished(1000);
        return PdfProbe::Unlock::CannotOpen;
    }
    logErrors(&process);
    PdfProbe::Unlock result = PdfProbe::Unlock::CannotOpen;
    int pages = -1;
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
        !PdfProbe::decode(process.readAllStandardOutput(), &result, &pages)) {
        qWarning() << "PDFDecrypt" << __LINE__ << "the helper gave no answer for" << path;
        return PdfProbe::Unlock::CannotOpen;
    }
    if (result == PdfProbe::Unlock::Unlocked && pageCount && pages >= 0)
        *pageCount = pages;
    return result;
}

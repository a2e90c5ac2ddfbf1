#include "OfficeConverter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace docrender {

namespace {

RenderResult failure(RenderError error, QString const& message)
{
    RenderResult r;
    r.error = error;
    r.message = message;
    return r;
}

// Runs the child as the leader of its own process group: soffice is a script that starts
// oosplash, which starts soffice.bin, and a kill must reach all of them.
class GroupProcess : public QProcess
{
public:
    ~GroupProcess() override { killGroup(); }

    void killGroup()
    {
        if (state() != QProcess::NotRunning && processId() > 0) {
            ::kill(-pid_t(processId()), SIGKILL);
            waitForFinished(5000);
        }
    }

protected:
    void setupChildProcess() override
    {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL); // do not outlive a helper that was killed itself
    }
};

// Ends a started program's process group when this process ends first, however it ends: a kill
// from outside included. The death signal reaches only the program's first process, and
// soffice.bin is a grandchild. A small process of its own, in that group, waits on a pipe that
// only this process holds open; its end without a word is this process's end.
class GroupGuard
{
public:
    explicit GroupGuard(pid_t group)
    {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return;
        pid_t const pid = ::fork();
        if (pid == 0) {
            // Only what is safe after fork in a process of many threads. No copy of another
            // file of this process may stay open here: a pipe's reader would wait for its end.
            if (fds[0] > 0)
                ::close_range(0, unsigned(fds[0]) - 1, 0);
            ::close_range(unsigned(fds[0]) + 1, ~0U, 0);
            ::setpgid(0, group); // out of reach of whatever stops this process's own group
            char word = 0;
            ssize_t n;
            do {
                n = ::read(fds[0], &word, 1);
            } while (n < 0 && errno == EINTR);
            if (n <= 0)
                ::kill(-group, SIGKILL);
            ::_exit(0);
        }
        ::close(fds[0]);
        if (pid < 0) {
            ::close(fds[1]);
            return;
        }
        m_pid = pid;
        m_pipe = fds[1];
    }

    ~GroupGuard()
    {
        if (m_pid <= 0)
            return;
        char const word = 1;
        ssize_t const written = ::write(m_pipe, &word, 1);
        (void)written;
        ::close(m_pipe);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }

    GroupGuard(GroupGuard const&) = delete;
    GroupGuard& operator=(GroupGuard const&) = delete;

private:
    pid_t m_pid = -1;
    int m_pipe = -1;
};

// Which LibreOffice module reads a suffix, as the name of its library and its Debian package.
struct Module
{
    char const* library;
    char const* package;
};

Module moduleFor(QString const& suffix)
{
    if (suffix == "xls" || suffix == "xlsx" || suffix == "numbers")
        return {"libsclo.so", "libreoffice-calc-nogui"};
    if (suffix == "ppt" || suffix == "pptx" || suffix == "key")
        return {"libsdlo.so", "libreoffice-impress-nogui"};
    return {"libswlo.so", "libreoffice-writer-nogui"};
}

// A Debian install keeps one library per module beside the program; where none of them is
// there the layout is another one and the module is assumed present.
bool moduleInstalled(QString const& program, Module const& module)
{
    QDir const dir = QFileInfo(QFileInfo(program).canonicalFilePath()).absoluteDir();
    bool const debianLayout =
        dir.exists("libswlo.so") || dir.exists("libsclo.so") || dir.exists("libsdlo.so");
    return !debianLayout || dir.exists(QString::fromLatin1(module.library));
}

// An OOXML file that is encrypted is stored as an OLE compound file with an EncryptionInfo stream.
bool isEncryptedOoxml(QString const& source, QString const& suffix)
{
    if (suffix != "docx" && suffix != "xlsx" && suffix != "pptx")
        return false;
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly) || file.read(8) != QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8))
        return false;
    QByteArray const marker = QByteArray::fromRawData("E\0n\0c\0r\0y\0p\0t\0i\0o\0n\0I\0n\0f\0o\0", 28);
    file.seek(0);
    QByteArray const head = file.read(qint64(4) << 20);
    return head.contains(marker);
}

// LibreOffice reads any file it cannot identify as plain text, so a damaged .docx would come out
// as a page of garbage. Zip-based formats must at least be zip archives (or encrypted OOXML),
// RTF must start as RTF.
bool hasExpectedContainer(QString const& source, QString const& suffix)
{
    static QStringList const zipBased{"docx", "xlsx", "pptx", "pages", "key", "numbers"};
    if (!zipBased.contains(suffix) && suffix != "rtf")
        return true;
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray const head = file.read(8);
    if (suffix == "rtf")
        return head.startsWith("{\\rtf");
    return head.startsWith("PK\x03\x04") || head == QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
}

} // namespace

QString officePackageFor(QString const& path)
{
    return QString::fromLatin1(moduleFor(QFileInfo(path).suffix().toLower()).package);
}

QString OfficeConverter::findProgram(RenderOptions const& options)
{
    if (!options.officeProgram.isEmpty())
        return QFileInfo(options.officeProgram).isExecutable() ? options.officeProgram : QString();
    QString program = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
    return program;
}

RenderResult OfficeConverter::render(QString const& source, QString const& pdfPath,
                                     RenderOptions const& options)
{
    QString const suffix = QFileInfo(source).suffix().toLower();
    Module const module = moduleFor(suffix);
    QString const program = findProgram(options);
    if (program.isEmpty() || !moduleInstalled(program, module))
        return failure(RenderError::NoProgram,
                       QString("LibreOffice, which converts .%1 files, is not installed; install the Debian "
                               "package %2")
                           .arg(suffix, QString::fromLatin1(module.package)));
    if (!hasExpectedContainer(source, suffix))
        return failure(RenderError::CannotOpen,
                       QString("the file is not a readable .%1 document").arg(suffix));
    if (isEncryptedOoxml(source, suffix))
        return failure(RenderError::PasswordProtected, "the document is protected by a password");

    QTemporaryDir work(QDir::tempPath() + "/docquill-office-XXXXXX");
    if (!work.isValid())
        return failure(RenderError::Failure, "cannot create a temporary folder: " + work.errorString());
    QString const input = work.filePath("source." + suffix);
    QString const outDir = work.filePath("out");
    if (!QDir().mkpath(outDir) || !QFile::copy(source, input))
        return failure(RenderError::CannotOpen, "cannot read the source document");

    QStringList const arguments{
        "--headless",
        "--invisible",
        "--nologo",
        "--norestore",
        "--nolockcheck",
        "--nodefault",
        "--nofirststartwizard",
        "-env:UserInstallation=" + QUrl::fromLocalFile(work.filePath("profile")).toString(QUrl::FullyEncoded),
        "--convert-to",
        "pdf",
        "--outdir",
        outDir,
        input};
    GroupProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted(30000))
        return failure(RenderError::NoProgram, "LibreOffice could not be started: " + process.errorString());

    pid_t const group = pid_t(process.processId());
    GroupGuard const guard(group);
    QElapsedTimer timer;
    timer.start();
    while (!process.waitForFinished(100)) {
        if (process.state() == QProcess::NotRunning)
            break;
        if (options.cancel && options.cancel->load()) {
            process.killGroup();
            return failure(RenderError::Failure, "the conversion was cancelled");
        }
        if (timer.elapsed() > options.officeTimeoutMs) {
            process.killGroup();
            return failure(RenderError::TimedOut,
                           QString("LibreOffice did not finish within %1 seconds and was stopped")
                               .arg(options.officeTimeoutMs / 1000.0));
        }
    }
    ::kill(-group, SIGKILL); // helpers that outlived the program must not hold the profile
    QString const log = QString::fromLocal8Bit(process.readAll()).trimmed();
    QString const produced = QDir(outDir).filePath("source.pdf");
    if (process.exitStatus() != QProcess::NormalExit || !QFileInfo(produced).isFile()) {
        QString message = "LibreOffice could not convert the document";
        if (!log.isEmpty())
            message += ": " + log.section('\n', -1);
        return failure(RenderError::CannotOpen, message);
    }
    return copyFile(produced, pdfPath);
}

} // namespace docrender

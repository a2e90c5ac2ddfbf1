#include "ConversionRunner.h"

#include "SdkLog.h"
#include "WorkerProcess.h"
#include "worker/WorkerProtocol.h"

#include <pdfconv/base/ResultCode.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <mutex>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pdfconv {

namespace {

// The one conversion of the process. Cancel may come from any thread; it acts only while a
// conversion runs, so a late or early Cancel never reaches the next conversion.
struct State
{
    std::mutex mutex;
    bool running = false;
    bool cancelled = false;
    bool finishing = false; // the output is being moved into place; too late to cancel
    pid_t pid = -1;
    QString modelFolder; // text recognition: loaded and usable, or empty
    int ocrLanguage = base::OCRLanguageEnglish;
};

State& state()
{
    static State s;
    return s;
}

QString randomTag()
{
    return QString::number(QRandomGenerator::global()->generate64(), 36);
}

// Where the output is written until it is complete. Everything named here is ours.
struct Staging
{
    QString path;
    bool folder = false;
    QString outputFolder;       // page images and CSV: the folder the caller named
    bool createdFolder = false; // page images and CSV: we created the output folder

    void discard() const
    {
        if (path.isEmpty())
            return;
        if (folder)
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
        if (createdFolder)
            QDir().rmdir(outputFolder); // only if nothing else landed there
    }
};

// Page images and CSV files go into a folder; every other output is one file.
bool writesFolder(engine::Target target, base::ConvertOptions const& options)
{
    return target == engine::Target::Image || (target == engine::Target::Excel && options.csvOutput);
}

int prepare(bool folderOutput, QString const& input, QString const& output, Staging& staging)
{
    if (output.isEmpty()) {
        SdkLog::failure(QStringLiteral("no output path"));
        return base::OutputError;
    }
    QFileInfo const out(output);
    if (folderOutput) {
        staging.folder = true;
        staging.outputFolder = out.absoluteFilePath();
        if (out.exists() && !out.isDir()) {
            SdkLog::failure(QStringLiteral("the output folder is a file: ") + output);
            return base::OutputError;
        }
        if (!out.exists()) {
            if (!QDir().mkpath(staging.outputFolder)) {
                SdkLog::failure(QStringLiteral("cannot create the output folder ") + output);
                return base::OutputError;
            }
            staging.createdFolder = true;
        }
        for (int attempt = 0; attempt < 20; ++attempt) {
            QString const candidate =
                QDir(staging.outputFolder).filePath(QStringLiteral(".pdfconv-") + randomTag());
            if (::mkdir(QFile::encodeName(candidate).constData(), 0700) == 0) {
                staging.path = candidate;
                return base::Success;
            }
            if (errno != EEXIST)
                break;
        }
        SdkLog::failure(QStringLiteral("cannot write into the output folder ") + output);
        staging.discard();
        return base::OutputError;
    }

    QFileInfo const in(input);
    if (out.isDir()) {
        SdkLog::failure(QStringLiteral("the output is a folder: ") + output);
        return base::OutputError;
    }
    if (out.exists() && in.exists() && out.canonicalFilePath() == in.canonicalFilePath()) {
        SdkLog::failure(QStringLiteral("the output would replace the input: ") + output);
        return base::OutputError;
    }
    // Next to the output, so that moving it into place is one rename on one file system.
    for (int attempt = 0; attempt < 20; ++attempt) {
        QString const candidate = out.absoluteDir().filePath(
            QStringLiteral(".") + out.fileName() + QLatin1Char('.') + randomTag() + QStringLiteral(".part"));
        int const fd =
            ::open(QFile::encodeName(candidate).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            staging.path = candidate;
            return base::Success;
        }
        if (errno != EEXIST)
            break;
    }
    SdkLog::failure(QStringLiteral("cannot write the output ") + output + QStringLiteral(": ") +
                    QString::fromLocal8Bit(strerror(errno)));
    return base::OutputError;
}

// Moves the staged output into place; the caller's own files are replaced only where they
// bear the name of an output they asked for.
int publish(Staging const& staging, QString const& output, QStringList const& files)
{
    if (!staging.folder) {
        if (std::rename(QFile::encodeName(staging.path).constData(), QFile::encodeName(output).constData()) !=
            0) {
            SdkLog::failure(QStringLiteral("cannot write the output ") + output + QStringLiteral(": ") +
                            QString::fromLocal8Bit(strerror(errno)));
            return base::OutputError;
        }
        return base::Success;
    }
    QDir const from(staging.path), to(staging.outputFolder);
    QStringList moved;
    for (auto const& name : files) {
        if (name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')) ||
            std::rename(QFile::encodeName(from.filePath(name)).constData(),
                        QFile::encodeName(to.filePath(name)).constData()) != 0) {
            SdkLog::failure(QStringLiteral("cannot write the output file ") + to.filePath(name));
            for (auto const& done : moved)
                QFile::remove(to.filePath(done));
            return base::OutputError;
        }
        moved << name;
    }
    QDir(staging.path).removeRecursively();
    return base::Success;
}

int runInWorker(engine::Target target, QString const& input, QByteArray const& password,
                QString const& output, base::ConvertOptions const& options,
                conversion::ProgressCallback progress, QStringList* reported = nullptr)
{
    Staging staging;
    bool const check = target == engine::Target::ModelCheck;
    int code = check ? int(base::Success) : prepare(writesFolder(target, options), input, output, staging);
    if (code != base::Success)
        return code;

    QString const executable = WorkerProcess::executablePath();
    WorkerProcess worker;
    QString error;
    if (executable.isEmpty() || !worker.start(executable, error)) {
        SdkLog::failure(QStringLiteral("cannot start the conversion helper: ") +
                        (executable.isEmpty() ? QStringLiteral("pdfconvworker not found") : error));
        staging.discard();
        return base::OutputError;
    }
    {
        std::lock_guard<std::mutex> lock(state().mutex);
        state().pid = worker.pid();
        if (state().cancelled)
            ::kill(worker.pid(), SIGKILL);
    }

    worker::Request request;
    request.target = qint32(target);
    request.input = input;
    request.password = password;
    request.staging = staging.path;
    request.baseName = QFileInfo(input).completeBaseName();
    request.options = QByteArray(reinterpret_cast<char const*>(&options), int(sizeof options));
    request.verbose = SdkLog::verbose();
    {
        std::lock_guard<std::mutex> lock(state().mutex);
        request.modelFolder = state().modelFolder;
        request.ocrLanguage = state().ocrLanguage;
    }
    worker.sendAndClose(worker::encode(request)); // a helper that died early shows below

    QByteArray buffer;
    QStringList files;
    bool opened = false, haveResult = false, corrupt = false;
    int result = base::OutputError;
    while (!corrupt && worker.read(buffer, 500)) {
        worker::Reply reply;
        while (worker::take(buffer, reply, corrupt)) {
            switch (reply.type) {
            case worker::ReplyType::Log:
                reply.number ? SdkLog::detail(reply.text) : SdkLog::failure(reply.text);
                break;
            case worker::ReplyType::Opened:
                opened = true;
                break;
            case worker::ReplyType::Progress:
                if (progress) {
                    QByteArray const text =
                        QStringLiteral("page %1 of %2").arg(reply.number).arg(reply.second).toUtf8();
                    if (!progress(text.constData(), false))
                        ConversionRunner::cancel();
                }
                break;
            case worker::ReplyType::File:
                files << reply.text;
                break;
            case worker::ReplyType::Result:
                haveResult = true;
                result = reply.number;
                break;
            }
        }
    }

    bool cancelled = false;
    {
        std::lock_guard<std::mutex> lock(state().mutex);
        if (corrupt)
            ::kill(worker.pid(), SIGKILL);
        state().pid = -1;
        cancelled = state().cancelled;
        state().finishing = !cancelled;
    }
    int const status = worker.wait();

    if (cancelled) {
        code = base::Cancelled;
    } else if (haveResult && !corrupt) {
        code = result;
    } else {
        bool const killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        SdkLog::failure(QStringLiteral("the conversion helper ended without a result (%1 %2) reading %3")
                            .arg(WIFSIGNALED(status) ? QStringLiteral("signal") : QStringLiteral("exit"))
                            .arg(WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status))
                            .arg(input));
        // A crash inside the PDF library means the file is damaged: in its structure before
        // it opened, in a page after. An unasked-for kill is most likely the memory limit.
        code = killed ? base::OutOfMemory : opened ? base::PageError : base::NotPdf;
    }
    if (check) {
        if (reported)
            *reported = files;
        return code;
    }
    if (code == base::Success)
        code = publish(staging, output, files);
    if (code != base::Success)
        staging.discard();
    return code;
}

// Claims the one slot of the process; false when a conversion holds it.
bool claim()
{
    std::lock_guard<std::mutex> lock(state().mutex);
    if (state().running)
        return false;
    state().running = true;
    state().cancelled = false;
    state().finishing = false;
    state().pid = -1;
    return true;
}

void release()
{
    std::lock_guard<std::mutex> lock(state().mutex);
    state().running = false;
    state().cancelled = false;
}

} // namespace

int ConversionRunner::run(engine::Target target, char const* input, char const* password, char const* output,
                          base::ConvertOptions const& options, conversion::ProgressCallback progress)
{
    if (!claim())
        return base::Busy;
    int code = base::OutputError;
    try {
        QString const in = input ? QString::fromUtf8(input) : QString();
        QString const out = output ? QString::fromUtf8(output) : QString();
        QByteArray const pass = password ? QByteArray(password) : QByteArray();
        QElapsedTimer timer;
        timer.start();
        code = runInWorker(target, in, pass, out, options, progress);
        SdkLog::detail(
            QStringLiteral("%1 -> %2: code %3 in %4 ms").arg(in, out).arg(code).arg(timer.elapsed()));
        if (progress)
            progress(code == base::Success ? "done" : "failed", true);
    } catch (std::bad_alloc const&) {
        code = base::OutOfMemory;
    } catch (...) {
        code = base::OutputError;
    }
    release();
    return code;
}

int ConversionRunner::loadModel(QString const& folder)
{
    if (!claim())
        return base::Busy;
    int code = base::OcrFailed;
    try {
        QStringList languages;
        code = runInWorker(engine::Target::ModelCheck, folder, QByteArray(), QString(),
                           base::ConvertOptions(), nullptr, &languages);
        if (code == base::Success) {
            SdkLog::detail(QStringLiteral("document AI model loaded: ") + languages.join(QLatin1Char(' ')));
            std::lock_guard<std::mutex> lock(state().mutex);
            state().modelFolder = QFileInfo(folder).absoluteFilePath();
        } else if (code != base::FileNotFound) {
            // Anything that kept the helper from judging the model means it is not usable.
            code = base::OcrFailed;
        }
    } catch (...) {
        code = base::OcrFailed;
    }
    release();
    return code;
}

void ConversionRunner::setOcrLanguage(int language)
{
    std::lock_guard<std::mutex> lock(state().mutex);
    state().ocrLanguage = language;
}

void ConversionRunner::cancel()
{
    std::lock_guard<std::mutex> lock(state().mutex);
    if (!state().running || state().finishing)
        return;
    state().cancelled = true;
    if (state().pid > 0)
        ::kill(state().pid, SIGKILL);
}

} // namespace pdfconv

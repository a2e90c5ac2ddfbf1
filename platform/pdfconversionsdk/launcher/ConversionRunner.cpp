#include "ConversionRunner.h"

#include "OutputStaging.h"
#include "SdkLog.h"
#include "WorkerProcess.h"
#include "worker/WorkerProtocol.h"

#include <pdfconv/base/ResultCode.h>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <mutex>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pdfconv {

namespace {

// How long a conversion may go without reading, recognising or writing a page, and how long
// it may take in all: a start and a share for every page. Far beyond what any real document
// needs, even on a slow machine under load.
constexpr int kStallSeconds = 300;
constexpr int kStartSeconds = 120;
constexpr int kPageSeconds = 60;
constexpr int kRecognisedPageSeconds = 180;

// Half of the machine's memory, within bounds that leave room for the rest of the desktop on
// a small machine and that no real document comes near on a large one.
qint64 machineMemoryLimit()
{
    qint64 const gib = qint64(1) << 30;
    long const pages = sysconf(_SC_PHYS_PAGES);
    long const pageSize = sysconf(_SC_PAGESIZE);
    qint64 const total = pages > 0 && pageSize > 0 ? qint64(pages) * pageSize : 4 * gib;
    return std::clamp(total / 2, 2 * gib, 16 * gib);
}

// The one conversion of the process. Cancel may come from any thread; it acts only while a
// conversion runs, so a late or early Cancel never reaches the next conversion.
struct State
{
    std::mutex mutex;
    bool running = false;
    bool cancellable = false; // a model check is no conversion: a Cancel must not fail it
    bool cancelled = false;
    bool finishing = false; // the output is being moved into place; too late to cancel
    pid_t pid = -1;
    QString modelFolder; // text recognition: loaded and usable, or empty
    int ocrLanguage = base::OCRLanguageEnglish;
    qint64 memoryLimit = machineMemoryLimit();
    int stallSeconds = kStallSeconds;
    int pageSeconds = 0; // 0: kPageSeconds, or kRecognisedPageSeconds with recognition
};

State& state()
{
    static State s;
    return s;
}

// Page images and CSV files go into a folder; every other output is one file.
bool writesFolder(engine::Target target, base::ConvertOptions const& options)
{
    return target == engine::Target::Image || (target == engine::Target::Excel && options.csvOutput);
}

// Makes the running helper the one that Cancel stops, for as long as this object lives.
class CancelTarget
{
public:
    explicit CancelTarget(pid_t pid)
    {
        std::lock_guard<std::mutex> lock(state().mutex);
        state().pid = pid;
        if (state().cancelled)
            ::kill(pid, SIGKILL);
    }
    ~CancelTarget() { forget(); }
    CancelTarget(CancelTarget const&) = delete;
    CancelTarget& operator=(CancelTarget const&) = delete;

    void forget()
    {
        std::lock_guard<std::mutex> lock(state().mutex);
        state().pid = -1;
    }
};

// One run of the helper: its result code and the files it reported.
struct HelperRun
{
    int code = base::OutputError;
    QStringList files;
    bool slowText = false; // stopped: a page's text took too long to read
};

// What a conversion may take, over every run of the helper it needs.
struct Limits
{
    qint64 memory = 0; // bytes resident
    qint64 stallMs = 0;
    qint64 startMs = 0;
    qint64 pageMs = 0;
    int pages = 0; // known once the helper opened the document
    QElapsedTimer since;

    qint64 totalMs() const { return startMs + pageMs * std::max(1, pages); }
};

// The helper's resident and reserved memory in bytes; 0 when it is gone.
void memoryOf(pid_t pid, qint64& resident, qint64& reserved)
{
    resident = reserved = 0;
    QFile statm(QStringLiteral("/proc/%1/statm").arg(pid));
    if (!statm.open(QIODevice::ReadOnly))
        return;
    QList<QByteArray> const fields = statm.readAll().split(' ');
    qint64 const page = sysconf(_SC_PAGESIZE);
    reserved = fields.value(0).toLongLong() * page;
    resident = fields.value(1).toLongLong() * page;
}

// The address space the helper limited itself to, in bytes; 0 while it has none (sanitizer
// builds never set one).
qint64 addressLimitOf(pid_t pid)
{
    QFile limits(QStringLiteral("/proc/%1/limits").arg(pid));
    if (!limits.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray const& line : limits.readAll().split('\n'))
        if (line.startsWith("Max address space"))
            return line.mid(17).simplified().split(' ').value(0).toLongLong();
    return 0;
}

HelperRun runHelper(worker::Request const& request, conversion::ProgressCallback progress, Limits& limits)
{
    HelperRun run;
    QString const executable = WorkerProcess::executablePath();
    WorkerProcess worker;
    QString error;
    if (executable.isEmpty() || !worker.start(executable, error)) {
        SdkLog::failure(QStringLiteral("cannot start the conversion helper: ") +
                        (executable.isEmpty() ? QStringLiteral("pdfconvworker not found") : error));
        return run;
    }
    CancelTarget cancelTarget(worker.pid());
    worker.sendAndClose(worker::encode(request)); // a helper that died early shows below

    QByteArray buffer;
    bool opened = false, haveResult = false, corrupt = false;
    bool ranOut = false, stoppedForMemory = false, stoppedForTime = false;
    qint64 peakReserved = 0, addressLimit = 0;
    int result = base::OutputError;
    QElapsedTimer quiet;
    quiet.start();
    while (!corrupt && worker.read(buffer, 100)) {
        worker::Reply reply;
        while (worker::take(buffer, reply, corrupt)) {
            switch (reply.type) {
            case worker::ReplyType::Log:
                reply.number ? SdkLog::detail(reply.text) : SdkLog::failure(reply.text);
                break;
            case worker::ReplyType::Opened:
                opened = true;
                limits.pages = reply.number;
                quiet.restart();
                break;
            case worker::ReplyType::Working:
                quiet.restart();
                break;
            case worker::ReplyType::MemoryLimit:
                ranOut = true;
                break;
            case worker::ReplyType::Progress:
                quiet.restart();
                if (progress) {
                    QByteArray const text =
                        QStringLiteral("page %1 of %2").arg(reply.number).arg(reply.second).toUtf8();
                    if (!progress(text.constData(), false))
                        ConversionRunner::cancel();
                }
                break;
            case worker::ReplyType::File:
                quiet.restart();
                run.files << reply.text;
                break;
            case worker::ReplyType::SlowText:
                if (!request.carefulText && !run.slowText) {
                    SdkLog::detail(
                        QStringLiteral("the text of page %1 takes long to read: reading again with care")
                            .arg(reply.number + 1));
                    run.slowText = true;
                    ::kill(worker.pid(), SIGKILL);
                }
                break;
            case worker::ReplyType::Result:
                haveResult = true;
                result = reply.number;
                break;
            }
        }
        // Watched from here, where a helper that is stuck or swamped cannot prevent it.
        if (stoppedForMemory || stoppedForTime || haveResult)
            continue;
        qint64 resident = 0, reserved = 0;
        memoryOf(worker.pid(), resident, reserved);
        peakReserved = std::max(peakReserved, reserved);
        if (addressLimit == 0)
            addressLimit = addressLimitOf(worker.pid());
        if (resident > limits.memory) {
            SdkLog::failure(
                QStringLiteral("the conversion helper was stopped: it took %1 MB, more than the %2 MB "
                               "a conversion may take, reading %3")
                    .arg(resident >> 20)
                    .arg(limits.memory >> 20)
                    .arg(request.input));
            stoppedForMemory = true;
        } else if (quiet.elapsed() > limits.stallMs) {
            SdkLog::failure(QStringLiteral("the conversion helper was stopped: no page was done for %1 s "
                                           "reading %2")
                                .arg(quiet.elapsed() / 1000)
                                .arg(request.input));
            stoppedForTime = true;
        } else if (limits.since.elapsed() > limits.totalMs()) {
            SdkLog::failure(QStringLiteral("the conversion helper was stopped: %1 s for %2 page(s) "
                                           "reading %3")
                                .arg(limits.since.elapsed() / 1000)
                                .arg(limits.pages)
                                .arg(request.input));
            stoppedForTime = true;
        }
        if (stoppedForMemory || stoppedForTime)
            ::kill(worker.pid(), SIGKILL);
    }

    bool cancelled = false;
    {
        std::lock_guard<std::mutex> lock(state().mutex);
        if (corrupt)
            ::kill(worker.pid(), SIGKILL);
        cancelled = state().cancelled;
        state().finishing = !cancelled && !run.slowText;
    }
    cancelTarget.forget();
    int const status = worker.wait();

    // An allocation that failed at the helper's address-space limit ends it one way or another.
    bool const atAddressLimit = WIFSIGNALED(status) && WTERMSIG(status) != SIGKILL && addressLimit > 0 &&
                                peakReserved > addressLimit - (qint64(1) << 30);
    if (cancelled) {
        run.code = base::Cancelled;
        run.slowText = false;
    } else if (stoppedForMemory || ((ranOut || atAddressLimit) && !(haveResult && result == base::Success))) {
        run.code = base::MemoryLimit;
        run.slowText = false;
    } else if (stoppedForTime) {
        run.code = base::TimeLimit;
        run.slowText = false;
    } else if (run.slowText) {
        run.code = base::OutputError; // run again
    } else if (haveResult && !corrupt) {
        run.code = result;
    } else {
        bool const killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        SdkLog::failure(QStringLiteral("the conversion helper ended without a result (%1 %2) reading %3")
                            .arg(WIFSIGNALED(status) ? QStringLiteral("signal") : QStringLiteral("exit"))
                            .arg(WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status))
                            .arg(request.input));
        // A crash inside the PDF library means the file is damaged: in its structure before
        // it opened, in a page after. An unasked-for kill is most likely the memory limit.
        run.code = killed ? base::OutOfMemory : opened ? base::PageError : base::NotPdf;
    }
    return run;
}

int runInWorker(engine::Target target, QString const& input, QByteArray const& password,
                QString const& output, base::ConvertOptions const& options,
                conversion::ProgressCallback progress, QStringList* reported = nullptr)
{
    // Outlives every helper run: whatever ends this function, the helper is gone before its
    // staging folder is removed.
    OutputStaging staging;
    bool const check = target == engine::Target::ModelCheck;
    int code = check ? int(base::Success) : staging.prepare(writesFolder(target, options), input, output);
    if (code != base::Success)
        return code;

    worker::Request request;
    request.target = qint32(target);
    request.input = input;
    request.password = password;
    request.staging = check ? QString() : staging.workPath();
    request.baseName = OutputStaging::baseNameFor(input);
    request.options = QByteArray(reinterpret_cast<char const*>(&options), int(sizeof options));
    request.verbose = SdkLog::verbose();
    Limits limits;
    {
        std::lock_guard<std::mutex> lock(state().mutex);
        request.modelFolder = state().modelFolder;
        request.ocrLanguage = state().ocrLanguage;
        limits.memory = state().memoryLimit;
        limits.stallMs = qint64(state().stallSeconds) * 1000;
        bool const recognition = options.ocrEnabled || target == engine::Target::SearchablePdf ||
                                 target == engine::Target::ModelCheck;
        limits.pageMs = qint64(state().pageSeconds > 0 ? state().pageSeconds
                               : recognition           ? kRecognisedPageSeconds
                                                       : kPageSeconds) *
                        1000;
        limits.startMs = qint64(state().pageSeconds > 0 ? 2 * state().pageSeconds : kStartSeconds) * 1000;
    }
    request.memoryLimit = limits.memory;
    limits.since.start();
    HelperRun run = runHelper(request, progress, limits);
    // A page whose text keeps the helper reading for long: once more, counting every page's
    // words first so that such a page is read plainly. Ordinary files never pay for that.
    if (run.slowText) {
        staging.clear();
        request.carefulText = true;
        run = runHelper(request, progress, limits);
    }
    if (check) {
        if (reported)
            *reported = run.files;
        return run.code;
    }
    if (run.code == base::Success)
        run.code = staging.publish(output, run.files);
    return run.code;
}

// Claims the one slot of the process; false when a conversion holds it.
bool claim(bool cancellable)
{
    std::lock_guard<std::mutex> lock(state().mutex);
    if (state().running)
        return false;
    state().running = true;
    state().cancellable = cancellable;
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
    if (!claim(true))
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
    // A Cancel meant for the first conversion of a run would otherwise leave the process
    // without text recognition for good.
    if (!claim(false))
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

qint64 ConversionRunner::memoryLimit()
{
    std::lock_guard<std::mutex> lock(state().mutex);
    return state().memoryLimit;
}

void ConversionRunner::setLimits(qint64 memoryBytes, int stallSeconds, int pageSeconds)
{
    std::lock_guard<std::mutex> lock(state().mutex);
    state().memoryLimit = memoryBytes > 0 ? memoryBytes : machineMemoryLimit();
    state().stallSeconds = stallSeconds > 0 ? stallSeconds : kStallSeconds;
    state().pageSeconds = std::max(0, pageSeconds);
}

void ConversionRunner::setOcrLanguage(int language)
{
    std::lock_guard<std::mutex> lock(state().mutex);
    state().ocrLanguage = language;
}

void ConversionRunner::cancel()
{
    std::lock_guard<std::mutex> lock(state().mutex);
    if (!state().running || !state().cancellable || state().finishing)
        return;
    state().cancelled = true;
    if (state().pid > 0)
        ::kill(state().pid, SIGKILL);
}

} // namespace pdfconv

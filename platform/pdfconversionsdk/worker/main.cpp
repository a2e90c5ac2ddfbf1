// The helper process that runs one conversion for the library, so that a PDF that makes
// the PDF library crash ends this process and not the application.

#include "WorkerProtocol.h"
#include "engine/Job.h"
#include "engine/JobSink.h"
#include "engine/PdfDocument.h"

#include <pdfconv/base/ResultCode.h>

#include <QFileInfo>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace pdfconv;

class ChannelSink : public engine::JobSink
{
public:
    ChannelSink(int fd, bool verbose)
        : m_fd(fd), m_verbose(verbose),
          m_memoryLimit(worker::encode({worker::ReplyType::MemoryLimit, 0, 0, {}}))
    {
    }

    void log(bool detail, QString const& text) override
    {
        if (!detail || m_verbose)
            send({worker::ReplyType::Log, detail ? 1 : 0, 0, text});
    }
    void opened(int pageCount) override { send({worker::ReplyType::Opened, pageCount, 0, {}}); }
    void pageDone(int done, int total) override { send({worker::ReplyType::Progress, done, total, {}}); }
    void fileWritten(QString const& name) override { send({worker::ReplyType::File, 0, 0, name}); }
    void readingTooLong(int page) override { send({worker::ReplyType::SlowText, page, 0, {}}); }
    void pageRead(int page) override
    {
        // A few a second tell the library enough; a page of thousands would only flood it.
        qint64 const now = std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now().time_since_epoch())
                               .count();
        qint64 last = m_lastRead.load();
        if (now - last >= 200 && m_lastRead.compare_exchange_strong(last, now))
            send({worker::ReplyType::Working, page, 0, {}});
    }

    void send(worker::Reply const& reply) { sendBytes(worker::encode(reply)); }
    void sendPrepared() { sendBytes(m_memoryLimit); }

private:
    void sendBytes(QByteArray const& bytes)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        qint64 sent = 0;
        while (sent < bytes.size()) {
            ssize_t const n =
                ::send(m_fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                _exit(3); // the library is gone; nobody waits for the result
            sent += n;
        }
    }

    int m_fd;
    bool m_verbose;
    QByteArray const m_memoryLimit;
    std::mutex m_mutex;
    std::atomic<qint64> m_lastRead{0};
};

// The address space the helper may reserve: the library watches what it really uses and
// stops it at its limit; this only catches a burst between two looks. Reserved but unused
// space (thread stacks, allocator arenas, mapped libraries) comes on top of what is used.
void limitAddressSpace(qint64 memoryLimit)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // The sanitizers reserve terabytes of shadow memory up front: the library's watch alone
    // bounds these builds.
    Q_UNUSED(memoryLimit)
#else
    if (memoryLimit <= 0)
        return;
    rlim_t const bytes = rlim_t(memoryLimit) + (rlim_t(4) << 30);
    rlimit const limit{bytes, bytes};
    setrlimit(RLIMIT_AS, &limit);
#endif
}

ChannelSink* g_sink = nullptr;

// Tells the library that memory ran out here, then lets the allocation fail as usual. The
// message is made beforehand: nothing may be allocated now.
void memoryRanOut()
{
    std::set_new_handler(nullptr);
    if (g_sink)
        g_sink->sendPrepared();
    throw std::bad_alloc();
}

} // namespace

int main()
{
    // The password and the document live in this process, and a crash is how it fails on a
    // damaged file: it must never leave them in a core file.
    rlimit const noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    prctl(PR_SET_DUMPABLE, 0);
    // Die with the thread that started us, and do not outlive a parent that already died.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() == 1)
        return 2;

    // The socket comes as standard input and output; keep it apart so that nothing a
    // library prints can break the replies.
    int const channel = fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 3);
    int const devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (channel < 0 || devNull < 0)
        return 2;
    dup2(devNull, STDIN_FILENO);
    dup2(STDERR_FILENO, STDOUT_FILENO);

    QByteArray buffer;
    char chunk[16384];
    worker::Request request;
    bool corrupt = false;
    for (;;) {
        ssize_t const n = read(channel, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        buffer.append(chunk, int(n));
        if (buffer.size() > worker::kMaxFrame + 4)
            return 2;
    }
    if (!worker::take(buffer, request, corrupt) ||
        request.options.size() != int(sizeof(base::ConvertOptions)))
        return 2;

    limitAddressSpace(request.memoryLimit);
    ChannelSink sink(channel, request.verbose);
    g_sink = &sink;
    std::set_new_handler(memoryRanOut);
    engine::Job job;
    job.target = engine::Target(request.target);
    job.input = request.input;
    job.password = request.password.toStdString();
    job.staging = request.staging;
    job.baseName = request.baseName;
    std::memcpy(&job.options, request.options.constData(), sizeof job.options);
    job.threads = request.threads;
    job.modelFolder = request.modelFolder;
    job.ocrLanguage = request.ocrLanguage;
    job.carefulText = request.carefulText;

    // Test seam: a helper that opens its one page and then hangs, as one stuck in a damaged
    // file would.
    if (qEnvironmentVariableIsSet("DOCQUILL_WORKER_HANG_FOR_TESTING")) {
        sink.opened(1);
        for (;;)
            pause();
    }

    engine::PdfDocument::routeMessages(&sink);
    int const code = engine::runJob(job, sink);
    engine::PdfDocument::routeMessages(nullptr);
    sink.send({worker::ReplyType::Result, code, 0, {}});
    // Everything the job wrote is closed and the result is sent; the library waits for this
    // process to end, and tearing down what some sixty libraries set up would only delay it.
    std::fflush(nullptr);
    _exit(0);
}

#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace pdfconv {

// The helper process "pdfconvworker" and the socket to it. It is started with
// posix_spawn, never a bare fork: the caller is a multi-threaded Qt program whose other
// threads may hold locks that a forked copy would wait for forever.
class WorkerProcess
{
public:
    WorkerProcess() = default;
    ~WorkerProcess();
    WorkerProcess(WorkerProcess const&) = delete;
    WorkerProcess& operator=(WorkerProcess const&) = delete;

    // The helper beside this library, or in ../MacOS, or beside the executable.
    static QString executablePath();

    bool start(QString const& executable, QString& error);
    pid_t pid() const { return m_pid; }
    // Sends everything, then closes the writing side so the helper sees the end.
    bool sendAndClose(QByteArray const& bytes);
    // Appends what arrives within @p timeoutMs; false at end of stream.
    bool read(QByteArray& buffer, int timeoutMs);
    // Reaps the process; returns its wait status.
    int wait();

private:
    pid_t m_pid = -1;
    int m_fd = -1;
};

} // namespace pdfconv

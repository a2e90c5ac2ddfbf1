#include "WorkerProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <dlfcn.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace pdfconv {

namespace {
char const kWorkerName[] = "pdfconvworker";
} // namespace

WorkerProcess::~WorkerProcess()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        wait();
    }
}

QString WorkerProcess::executablePath()
{
    QStringList folders;
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&WorkerProcess::executablePath), &info) && info.dli_fname) {
        QString const libraryDir = QFileInfo(QFile::decodeName(info.dli_fname)).canonicalPath();
        folders << libraryDir << libraryDir + QStringLiteral("/../MacOS");
    }
    folders << QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    for (auto const& folder : folders) {
        QFileInfo const candidate(QDir(folder).filePath(QLatin1String(kWorkerName)));
        if (candidate.isFile() && candidate.isExecutable())
            return candidate.canonicalFilePath();
    }
    return QString();
}

bool WorkerProcess::start(QString const& executable, QString& error)
{
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) {
        error = QString::fromLocal8Bit(strerror(errno));
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    // Descriptors the application opened without close-on-exec stay out of the helper.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);

    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGCHLD})
        sigaddset(&defaults, sig);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    QByteArray const path = QFile::encodeName(executable);
    char* argv[] = {const_cast<char*>(kWorkerName), nullptr};
    pid_t pid = -1;
    int const rc = posix_spawn(&pid, path.constData(), &actions, &attr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        error = QString::fromLocal8Bit(strerror(rc));
        return false;
    }
    m_pid = pid;
    m_fd = fds[0];
    return true;
}

bool WorkerProcess::sendAndClose(QByteArray const& bytes)
{
    qint64 sent = 0;
    while (sent < bytes.size()) {
        ssize_t const n = ::send(m_fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return ::shutdown(m_fd, SHUT_WR) == 0;
}

bool WorkerProcess::read(QByteArray& buffer, int timeoutMs)
{
    pollfd p{m_fd, POLLIN, 0};
    int const ready = ::poll(&p, 1, timeoutMs);
    if (ready < 0)
        return errno == EINTR;
    if (ready == 0)
        return true;
    char chunk[65536];
    ssize_t const n = ::recv(m_fd, chunk, sizeof chunk, 0);
    if (n < 0)
        return errno == EINTR || errno == EAGAIN;
    if (n == 0)
        return false;
    buffer.append(chunk, int(n));
    return true;
}

int WorkerProcess::wait()
{
    int status = 0;
    if (m_pid > 0) {
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
    }
    return status;
}

} // namespace pdfconv

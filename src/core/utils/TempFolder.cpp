#include "utils/TempFolder.h"

#include "common/ProductConstants.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QtDebug>

#include <chrono>
#include <memory>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

QString const s_lockSuffix = QStringLiteral(".lock");

// A copy on another machine that shares the home folder cannot be asked whether it still
// runs; its lock counts as abandoned once it has not been renewed for this long.
constexpr qint64 kForeignLockAgeMs = 24 * 60 * 60 * 1000;
// A running copy renews its lock's time at most this often, well within that age.
constexpr std::chrono::minutes kRenewEvery{60};

QString tempRoot()
{
    return QDir::homePath() + g_tempDirPath;
}

// The folder and its lock live as long as the process; the folder goes when it ends.
struct OwnFolder
{
    QString root;
    QString path;
    std::unique_ptr<QLockFile> lock;
    std::chrono::steady_clock::time_point renewed;

    QString lockPath() const { return path.chopped(1) + s_lockSuffix; }

    ~OwnFolder()
    {
        if (!lock)
            return;
        QDir(path).removeRecursively();
        // A home folder removed before the end (a test's) took the lock file with it.
        if (!QFileInfo::exists(lockPath()))
            lock.release();
    }
};

std::mutex s_mutex;
OwnFolder s_own;

bool makeOwnFolder(OwnFolder& own, QString const& root)
{
    if (!QDir().mkpath(root)) {
        qWarning() << "TempFolder" << __LINE__ << "the Temp folder cannot be made:" << root;
        return false;
    }
    for (int attempt = 0; attempt < 10; ++attempt) {
        QString const name = QStringLiteral("%1-%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QRandomGenerator::global()->generate(), 0, 36);
        // The lock first: a folder whose lock is missing belongs to no one.
        auto lock = std::make_unique<QLockFile>(root + name + s_lockSuffix);
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0))
            continue;
        QDir folder(root);
        if (!folder.mkdir(name)) {
            lock->unlock();
            continue;
        }
        QFile::setPermissions(root + name, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        own.root = root;
        own.path = root + name + QLatin1Char('/');
        own.lock = std::move(lock);
        own.renewed = std::chrono::steady_clock::now();
        return true;
    }
    qWarning() << "TempFolder" << __LINE__ << "the Temp folder cannot be written:" << root;
    return false;
}

// Removes an entry of the Temp folder; a link goes as a link, never what it points to.
void removeEntry(QString const& path)
{
    QFileInfo const info(path);
    if (info.isDir() && !info.isSymLink())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

// A lock that no copy on this machine holds, written on another machine (or unreadable), and
// not renewed for a day.
bool abandonedElsewhere(QLockFile const& lock, QString const& path)
{
    qint64 pid = 0;
    QString host, application;
    bool const readable = lock.getLockInfo(&pid, &host, &application);
    if (readable && (host.isEmpty() || host == QSysInfo::machineHostName()))
        return false;
    QDateTime const written = QFileInfo(path).lastModified();
    return written.isValid() && written.msecsTo(QDateTime::currentDateTime()) > kForeignLockAgeMs;
}

} // namespace

QString TempFolder::path()
{
    std::lock_guard<std::mutex> guard(s_mutex);
    QString const root = tempRoot();
    if (s_own.lock && s_own.root == root) {
        // Another machine's copy removes this folder once its lock is a day old.
        QByteArray const lockFile = QFile::encodeName(s_own.lockPath());
        if (QFileInfo::exists(s_own.path) && QFileInfo::exists(s_own.lockPath())) {
            auto const now = std::chrono::steady_clock::now();
            if (now - s_own.renewed >= kRenewEvery &&
                utimensat(AT_FDCWD, lockFile.constData(), nullptr, 0) == 0)
                s_own.renewed = now;
            return s_own.path;
        }
        qWarning() << "TempFolder" << __LINE__ << "the working folder was removed:" << s_own.path;
    }
    OwnFolder fresh;
    // Without a folder of its own the copy works in Temp itself, as a lone copy may.
    if (!makeOwnFolder(fresh, root))
        return root;
    std::swap(s_own.root, fresh.root);
    std::swap(s_own.path, fresh.path);
    std::swap(s_own.lock, fresh.lock);
    std::swap(s_own.renewed, fresh.renewed);
    return s_own.path;
}

void TempFolder::removeAbandoned()
{
    QString const root = tempRoot();
    QString const own = path();
    // Not knowing which folder is its own, a copy leaves every one alone.
    if (own == root)
        return;
    QDir const folder(root);
    QStringList const entries =
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (QString const& name : entries) {
        QString const entry = root + name;
        // Qt's own lock while it takes over a stale lock.
        if (name.endsWith(QLatin1String(".rmlock")))
            continue;
        if (name.endsWith(s_lockSuffix)) {
            QString const owned = entry.chopped(s_lockSuffix.size());
            if (owned + QLatin1Char('/') == own)
                continue;
            QLockFile lock(entry);
            lock.setStaleLockTime(0);
            // Taken only when its copy is gone.
            if (!lock.tryLock(0)) {
                if (!abandonedElsewhere(lock, entry) || !lock.removeStaleLockFile() || !lock.tryLock(0))
                    continue;
                qWarning() << "TempFolder" << __LINE__ << "removing the folder of an old lock:" << entry;
            }
            removeEntry(owned);
            lock.unlock();
            continue;
        }
        if (entry + QLatin1Char('/') == own || QFile::exists(entry + s_lockSuffix))
            continue;
        removeEntry(entry);
    }
}

#include "utils/TempFolder.h"

#include "common/ProductConstants.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QtDebug>

#include <memory>
#include <mutex>

namespace {

QString const s_lockSuffix = QStringLiteral(".lock");

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

    ~OwnFolder()
    {
        if (!lock)
            return;
        QDir(path).removeRecursively();
        // A home folder removed before the end (a test's) took the lock file with it.
        if (!QFileInfo::exists(path.chopped(1) + s_lockSuffix))
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
        return true;
    }
    qWarning() << "TempFolder" << __LINE__ << "the Temp folder cannot be written:" << root;
    return false;
}

} // namespace

QString TempFolder::path()
{
    std::lock_guard<std::mutex> guard(s_mutex);
    QString const root = tempRoot();
    if (s_own.lock && s_own.root == root)
        return s_own.path;
    OwnFolder fresh;
    // Without a folder of its own the copy works in Temp itself, as a lone copy may.
    if (!makeOwnFolder(fresh, root))
        return root;
    std::swap(s_own.root, fresh.root);
    std::swap(s_own.path, fresh.path);
    std::swap(s_own.lock, fresh.lock);
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
            if (!lock.tryLock(0))
                continue;
            QDir(owned).removeRecursively();
            QFile::remove(owned);
            lock.unlock();
            continue;
        }
        if (entry + QLatin1Char('/') == own || QFile::exists(entry + s_lockSuffix))
            continue;
        if (QFileInfo(entry).isDir() && !QFileInfo(entry).isSymLink())
            QDir(entry).removeRecursively();
        else
            QFile::remove(entry);
    }
}

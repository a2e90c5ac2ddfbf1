#include "internal/OutputFile.h"

#include "internal/XmlText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <DiskFull.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ooxml::internal {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

WriteResult cannotWrite(QString const& what, QString const& path, int error)
{
    return WriteResult::failure(diskfull::isFull(error) ? WriteError::DiskFull : WriteError::CannotWrite,
                                QStringLiteral("%1 \"%2\": %3").arg(what, path, systemError(error)));
}

// rename() that refuses to replace an existing target, on file systems with or without
// renameat2(); a hard link is atomic too.
int renameNoReplace(QByteArray const& from, QByteArray const& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return 0;
    }
    if (errno == EEXIST)
        return errno;
    // No hard links either (some FUSE and FAT mounts): check, then rename.
    if (::access(to.constData(), F_OK) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

} // namespace

WriteResult checkTarget(QString const& target, ExistingFile existing)
{
    QFileInfo const info(target);
    if (target.isEmpty() || info.fileName().isEmpty())
        return WriteResult::failure(WriteError::CannotWrite, QStringLiteral("no output file name"));
    QFileInfo const folder(info.absolutePath());
    if (!folder.isDir())
        return cannotWrite(QStringLiteral("cannot write into"), folder.filePath(), ENOENT);
    if (info.isDir())
        return cannotWrite(QStringLiteral("cannot replace folder"), target, EISDIR);
    // A device, pipe or socket at the path is never replaced by a document.
    struct stat status;
    if (::lstat(QFile::encodeName(target).constData(), &status) == 0 && !S_ISREG(status.st_mode) &&
        !S_ISLNK(status.st_mode))
        return WriteResult::failure(WriteError::CannotWrite,
                                    QStringLiteral("\"%1\" is not a regular file").arg(target));
    if (existing == ExistingFile::Fail && (info.exists() || info.isSymLink()))
        return WriteResult::failure(WriteError::TargetExists,
                                    QStringLiteral("\"%1\" already exists").arg(target));
    return WriteResult::success();
}

QString temporaryPathFor(QString const& target)
{
    QFileInfo const info(target);
    QString const stem = truncated(info.fileName(), 40);
    QString const random = QString::number(QRandomGenerator::global()->generate64(), 16);
    return info.absoluteDir().filePath(QStringLiteral(".%1.%2.part").arg(stem, random));
}

WriteResult commitTemporary(QString const& temporary, QString const& target, ExistingFile existing)
{
    QByteArray const from = QFile::encodeName(temporary);
    QByteArray const to = QFile::encodeName(target);
    // Durable before it takes the target's name: a late allocation failure shows here.
    int error = diskfull::syncFile(from);
    if (error != 0) {
        ::unlink(from.constData());
        return cannotWrite(QStringLiteral("cannot write"), temporary, error);
    }
    if (existing == ExistingFile::Replace)
        error = ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
    else
        error = renameNoReplace(from, to);
    if (error == 0)
        return WriteResult::success();
    ::unlink(from.constData());
    if (error == EEXIST)
        return WriteResult::failure(WriteError::TargetExists,
                                    QStringLiteral("\"%1\" already exists").arg(target));
    return cannotWrite(QStringLiteral("cannot create"), target, error);
}

} // namespace ooxml::internal

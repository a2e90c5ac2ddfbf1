#include "module/InstallModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtDebug>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

InstallModule* InstallModule::m_instance = nullptr;

namespace {

QString const s_staging = QStringLiteral(".staging-");
QString const s_replaced = QStringLiteral(".replaced-");

// Gives to the new folder what the package does not replace: files as hard links (a copy where
// a link cannot be made), links as links, folders made anew.
bool carry(QString const& from, QString const& to)
{
    QFileInfo const info(from);
    QByteArray const source = QFile::encodeName(from);
    QByteArray const copy = QFile::encodeName(to);
    if (info.isSymLink()) {
        char target[4096];
        ssize_t const length = ::readlink(source.constData(), target, sizeof target - 1);
        if (length < 0)
            return false;
        target[length] = '\0';
        return ::symlink(target, copy.constData()) == 0;
    }
    if (!info.isDir())
        return ::link(source.constData(), copy.constData()) == 0 || QFile::copy(from, to);
    if (!QDir().mkdir(to))
        return false;
    QStringList const entries =
        QDir(from).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (QString const& name : entries)
        if (!carry(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name))
            return false;
    return true;
}

// What an install cut short leaves beside a destination folder named name, or inside it (as
// installs did before).
bool isLeftover(QString const& entry, QString const& name)
{
    return entry.startsWith(s_staging + name + QLatin1Char('-')) ||
           entry.startsWith(s_replaced + name + QLatin1Char('-'));
}

bool isLeftoverInside(QString const& entry)
{
    return entry.startsWith(s_staging) || entry.startsWith(s_replaced);
}

void removeEntry(QString const& path)
{
    QFileInfo const info(path);
    if (info.isDir() && !info.isSymLink())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

} // namespace

QString InstallModule::unwritable(QString const& folder)
{
    return tr("The folder %1 cannot be written.").arg(QDir::toNativeSeparators(QDir::cleanPath(folder)));
}

InstallModule* InstallModule::instance()
{
    if (!m_instance)
        m_instance = new InstallModule;
    return m_instance;
}

bool InstallModule::install(QString const& package, QString const& destination)
{
    m_error.clear();
    // Unpacked beside the destination and moved in only when whole: an unpack that fails or
    // is cut short leaves the installed module as it was, never a mix of old and new files.
    // A destination that is a link is installed where it leads.
    QString const canonical = QFileInfo(destination).canonicalFilePath();
    QFileInfo const info(canonical.isEmpty() ? QDir::cleanPath(QDir(destination).absolutePath()) : canonical);
    QString const target = info.absoluteFilePath();
    QString const parent = info.absolutePath();
    QString const name = info.fileName();
    bool const made = !name.isEmpty() && QDir().mkpath(parent);
    QTemporaryDir staging(parent + QLatin1Char('/') + s_staging + name + QStringLiteral("-XXXXXX"));
    if (!made || !staging.isValid()) {
        qWarning() << "install" << __LINE__ << "cannot unpack into" << destination;
        m_error = unwritable(destination);
        return false;
    }
    QProcess process;
    process.start(QStringLiteral("unzip"),
                  {QStringLiteral("-o"), package, QStringLiteral("-d"), staging.path()},
                  QIODevice::ReadWrite);
    qDebug() << "install" << __LINE__ << "packgePath:" << package;
    if (!process.waitForStarted(3000)) {
        qWarning() << "install" << __LINE__ << "Failed to start the process.";
        qWarning() << "install" << __LINE__ << "Error output:" << process.readAllStandardError();
        m_error = tr("The unzip tool could not be started.");
        return false;
    }
    // unzip is never answered anything.
    process.closeWriteChannel();
    if (!process.waitForFinished(30000)) {
        qWarning() << "install" << __LINE__ << "Process failed to finish within the timeout period.";
        qWarning() << "install" << __LINE__ << "Error output:" << process.readAllStandardError();
        process.kill();
        process.waitForFinished(1000);
        m_error = tr("Unpacking the package took too long.");
        return false;
    }
    // A killed unzip has no exit code of its own; it must not read as 0.
    int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    qDebug() << "install" << __LINE__ << "Install exit code:" << code;
    if (code != 0) {
        qWarning() << "install" << __LINE__ << "Process exited with error code:" << code;
        qWarning() << "install" << __LINE__ << "Error output:" << process.readAllStandardError();
        m_error = tr("The package is damaged and could not be unpacked.");
        return false;
    }

    // The new folder holds what the old one held beside the package's entries; one swap then
    // puts it in place, so the destination is at every moment wholly old or wholly new.
    bool const hadOld = QFileInfo(target).isDir();
    // Readable as the folder it replaces, not only by its owner as a temporary folder is.
    QFile::setPermissions(staging.path(),
                          hadOld ? QFileInfo(target).permissions()
                                 : QFileDevice::Permissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                            QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                            QFileDevice::ExeOther));
    if (hadOld) {
        QStringList const kept =
            QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (QString const& entry : kept) {
            QString const to = staging.path() + QLatin1Char('/') + entry;
            if (isLeftoverInside(entry) || QFileInfo::exists(to) || QFileInfo(to).isSymLink())
                continue;
            if (!carry(target + QLatin1Char('/') + entry, to)) {
                qWarning() << "install" << __LINE__ << "cannot keep" << entry << "of" << target;
                m_error = unwritable(destination);
                return false;
            }
        }
    }
    QByteArray const from = QFile::encodeName(staging.path());
    QByteArray const to = QFile::encodeName(target);
    if (!hadOld) {
        if (::rename(from.constData(), to.constData()) != 0) {
            qWarning() << "install" << __LINE__ << "cannot move the model into" << target << strerror(errno);
            m_error = unwritable(destination);
            return false;
        }
        staging.setAutoRemove(false);
        return true;
    }
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) == 0)
        return true; // the staging folder now holds the old model and goes with it
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        qWarning() << "install" << __LINE__ << "cannot swap the model into" << target << strerror(errno);
        m_error = unwritable(destination);
        return false;
    }
    // A file system without an exchange: two renames, and the old folder back on failure. A
    // start after a crash between them puts the old one back.
    QTemporaryDir aside(parent + QLatin1Char('/') + s_replaced + name + QStringLiteral("-XXXXXX"));
    QByteArray const old = QFile::encodeName(aside.path());
    if (!aside.isValid() || !QDir().rmdir(aside.path()) || ::rename(to.constData(), old.constData()) != 0) {
        m_error = unwritable(destination);
        return false;
    }
    if (::rename(from.constData(), to.constData()) != 0) {
        qWarning() << "install" << __LINE__ << "cannot move the model into" << target << strerror(errno);
        if (::rename(old.constData(), to.constData()) != 0)
            aside.setAutoRemove(false);
        m_error = unwritable(destination);
        return false;
    }
    staging.setAutoRemove(false);
    return true;
}

void InstallModule::removeLeftovers(QString const& destination)
{
    QFileInfo const info(QDir::cleanPath(QDir(destination).absolutePath()));
    QString const target = info.absoluteFilePath();
    QString const parent = info.absolutePath();
    QString const name = info.fileName();
    QStringList const beside =
        QDir(parent).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (QString const& entry : beside) {
        if (!isLeftover(entry, name))
            continue;
        QString const path = parent + QLatin1Char('/') + entry;
        // Cut short between its two renames: the old model comes back.
        if (entry.startsWith(s_replaced) && !QFileInfo::exists(target) && !QFileInfo(target).isSymLink() &&
            QDir().rename(path, target)) {
            qWarning() << "removeLeftovers" << __LINE__ << "the model from before an install came back";
            continue;
        }
        qWarning() << "removeLeftovers" << __LINE__ << "removing" << path;
        removeEntry(path);
    }
    if (info.isDir() && !info.isSymLink()) {
        QStringList const inside =
            QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (QString const& entry : inside)
            if (isLeftoverInside(entry))
                removeEntry(target + QLatin1Char('/') + entry);
    }
}

void InstallModule::removeOCRLeftovers()
{
    removeLeftovers(ocrDestination());
}

QString InstallModule::ocrDestination()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../Resources/resource/models");
}

bool InstallModule::installOCRModule(QString const& package)
{
    return install(package, ocrDestination());
}

bool InstallModule::installCADModule(QString const& package)
{
    return install(package, QCoreApplication::applicationDirPath() + QStringLiteral("/Lib/"));
}

bool InstallModule::installHtml2pdf(QString const& package)
{
    return install(package, QCoreApplication::applicationDirPath() + QStringLiteral("/Lib/"));
}

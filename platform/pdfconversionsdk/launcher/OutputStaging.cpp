#include "OutputStaging.h"

#include "SdkLog.h"

#include <pdfconv/base/ResultCode.h>

#include <DiskFull.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pdfconv {

namespace {

// Room a page number or sheet number, a suffix and a counter for a taken name need beside a
// base name: "_0001_12.tiff".
constexpr int kNameRoom = 24;
// Taken names tried before a folder output gives up.
constexpr int kMaxCounter = 10000;

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// rename() that never replaces what is at the target, also where the file system has no
// renameat2(): a hard link is as safe, and a check before the rename is the last resort.
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
    if (::access(to.constData(), F_OK) == 0)
        return EEXIST;
    if (errno != ENOENT)
        return errno;
    return std::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

// name_<counter> before the suffix; a name whose only dot leads it has no suffix.
QString numberedName(QString const& name, int counter)
{
    int const dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return QStringLiteral("%1_%2").arg(name).arg(counter);
    return QStringLiteral("%1_%2%3").arg(name.left(dot)).arg(counter).arg(name.mid(dot));
}

// A name the helper reported must be a plain file of the staging folder.
bool isPlainFile(QString const& folder, QString const& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QChar(0)))
        return false;
    struct stat status;
    return ::lstat(QFile::encodeName(QDir(folder).filePath(name)).constData(), &status) == 0 &&
           S_ISREG(status.st_mode);
}

} // namespace

OutputStaging::~OutputStaging()
{
    discard();
}

QString OutputStaging::baseNameFor(QString const& input)
{
    QFileInfo const info(input);
    QString base = info.completeBaseName();
    if (base.isEmpty())
        base = info.fileName();
    while (QFile::encodeName(base).size() > NAME_MAX - kNameRoom)
        base.chop(base.size() >= 2 && base.at(base.size() - 1).isLowSurrogate() ? 2 : 1);
    return base;
}

int OutputStaging::prepare(bool folderOutput, QString const& input, QString const& output)
{
    m_folderOutput = folderOutput;
    if (output.isEmpty()) {
        SdkLog::failure(QStringLiteral("no output path"));
        return base::OutputError;
    }
    QFileInfo const out(output);
    QString parent;
    if (folderOutput) {
        m_outputFolder = out.absoluteFilePath();
        if (out.exists() && !out.isDir()) {
            SdkLog::failure(QStringLiteral("the output folder is a file: ") + output);
            return base::OutputError;
        }
        // Made one by one from the outermost, so that a failure can take back exactly these.
        QStringList missing;
        for (QString folder = QDir::cleanPath(m_outputFolder); !QFileInfo::exists(folder);
             folder = QFileInfo(folder).absolutePath()) {
            missing.prepend(folder);
            if (QFileInfo(folder).isRoot())
                break;
        }
        for (auto const& folder : missing) {
            if (::mkdir(QFile::encodeName(folder).constData(), 0777) != 0) {
                SdkLog::failure(
                    QStringLiteral("cannot create the output folder %1: %2").arg(folder, systemError(errno)));
                discard();
                return base::OutputError;
            }
            m_createdFolders << folder;
        }
        parent = m_outputFolder;
    } else {
        QFileInfo const in(input);
        if (out.isDir()) {
            SdkLog::failure(QStringLiteral("the output is a folder: ") + output);
            return base::OutputError;
        }
        if (out.exists() && in.exists() && out.canonicalFilePath() == in.canonicalFilePath()) {
            SdkLog::failure(QStringLiteral("the output would replace the input: ") + output);
            return base::OutputError;
        }
        // Beside the output, so that moving it into place is one rename on one file system.
        parent = out.absolutePath();
    }
    int error = 0;
    for (int attempt = 0; attempt < 20; ++attempt) {
        QString const candidate = QDir(parent).filePath(
            QStringLiteral(".pdfconv-") + QString::number(QRandomGenerator::global()->generate64(), 36));
        if (::mkdir(QFile::encodeName(candidate).constData(), 0700) == 0) {
            m_folder = candidate;
            return base::Success;
        }
        error = errno;
        if (error != EEXIST)
            break;
    }
    SdkLog::failure(QStringLiteral("cannot write into %1: %2").arg(parent, systemError(error)));
    discard();
    return diskfull::isFull(error) ? base::DiskFull : base::OutputError;
}

QString OutputStaging::workPath() const
{
    return m_folderOutput ? m_folder : QDir(m_folder).filePath(QStringLiteral("output"));
}

int OutputStaging::publish(QString const& output, QStringList const& files)
{
    // Durable before anything takes a name of the caller's: a file system that allocates late
    // reports a full disk only now.
    QStringList const staged = m_folderOutput ? files : QStringList{QStringLiteral("output")};
    for (auto const& name : staged) {
        int const error = isPlainFile(m_folder, name)
                              ? diskfull::syncFile(QFile::encodeName(QDir(m_folder).filePath(name)))
                              : 0;
        if (error != 0) {
            SdkLog::failure(QStringLiteral("cannot write the output %1: %2").arg(output, systemError(error)));
            return diskfull::isFull(error) ? base::DiskFull : base::OutputError;
        }
    }
    if (!m_folderOutput) {
        // The one file the caller named: it replaces what stands there, as documented.
        if (std::rename(QFile::encodeName(workPath()).constData(), QFile::encodeName(output).constData()) !=
            0) {
            SdkLog::failure(QStringLiteral("cannot write the output %1: %2").arg(output, systemError(errno)));
            return base::OutputError;
        }
        m_published = true;
        return base::Success;
    }
    QDir const from(m_folder), to(m_outputFolder);
    QStringList placed; // paths of ours in the output folder
    auto fail = [&](QString const& message) {
        SdkLog::failure(message);
        for (auto const& path : placed)
            QFile::remove(path);
        return int(base::OutputError);
    };
    for (auto const& name : files) {
        if (!isPlainFile(m_folder, name))
            return fail(QStringLiteral("the conversion reported a file it did not write: ") + name);
        QByteArray const source = QFile::encodeName(from.filePath(name));
        int error = EEXIST;
        QString target;
        for (int counter = 0; counter <= kMaxCounter && error == EEXIST; ++counter) {
            target = to.filePath(counter == 0 ? name : numberedName(name, counter));
            error = renameNoReplace(source, QFile::encodeName(target));
        }
        if (error != 0)
            return fail(
                QStringLiteral("cannot write the output file %1: %2").arg(target, systemError(error)));
        placed << target;
    }
    m_published = true;
    return base::Success;
}

void OutputStaging::clear()
{
    if (m_folder.isEmpty())
        return;
    QDir const folder(m_folder);
    for (QFileInfo const& entry :
         folder.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
}

void OutputStaging::discard()
{
    if (!m_folder.isEmpty()) {
        QDir(m_folder).removeRecursively();
        m_folder.clear();
    }
    // Innermost first, and only while empty: nothing that someone else put there goes.
    if (!m_published)
        for (int i = m_createdFolders.size() - 1; i >= 0; --i)
            ::rmdir(QFile::encodeName(m_createdFolders.at(i)).constData());
    m_createdFolders.clear();
}

} // namespace pdfconv

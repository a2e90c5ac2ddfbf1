#include "module/ModuleDigest.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSet>

namespace {
// Empty when a file stops reading halfway: a digest of part of it proves nothing.
QString folderMd5(QString const& folder, QSet<QString>& enclosing)
{
    QCryptographicHash hash(QCryptographicHash::Md5);
    for (QFileInfo const& entry : digestEntries(folder)) {
        if (entry.isDir()) {
            QString canonical = entry.canonicalFilePath();
            // A link back to an enclosing folder would recurse without end.
            if (enclosing.contains(canonical))
                continue;
            enclosing.insert(canonical);
            QString digest = folderMd5(entry.filePath(), enclosing);
            enclosing.remove(canonical);
            if (digest.isEmpty())
                return QString();
            hash.addData(digest.toUtf8());
            continue;
        }
        QFile file(entry.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        if (!hash.addData(&file))
            return QString();
    }
    return QString::fromLatin1(hash.result().toHex());
}
} // namespace

QFileInfoList digestEntries(QString const& folder)
{
    return QDir(folder).entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot,
                                      QDir::DirsFirst | QDir::Name);
}

QString getMd5(QString const& path)
{
    QFileInfo info(path);
    if (info.isDir()) {
        QSet<QString> enclosing{info.canonicalFilePath()};
        return folderMd5(path, enclosing);
    }
    if (!info.isFile())
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!hash.addData(&file))
        return QString();
    return QString::fromLatin1(hash.result().toHex());
}

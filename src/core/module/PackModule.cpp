// Build tool: packs a module folder into its download package and, given a template,
// writes the source file that carries the folder's and the package's digests.
//
//   docquill_packmodule <folder> <package.zip> [<digests template> <digests source>]
//
// The package holds the folder under its own name, with exactly the entries its digest
// covers, in that order, under one fixed time stamp and fixed permissions, so the same
// files always give the same bytes whatever their dates, owners or modes on disk.

#include "module/ModuleDigest.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSet>

#include <cstdio>
#include <zip.h>

namespace {
// 1980-01-01 00:00:00, the first moment a zip time stamp can hold.
constexpr zip_uint16_t s_dosDate = (0 << 9) | (1 << 5) | 1;
constexpr zip_uint16_t s_dosTime = 0;
constexpr zip_uint32_t s_folderMode = 040755;
constexpr zip_uint32_t s_fileMode = 0100644;
// libzip deflates at its slowest level unless told; the model data gains nothing from it.
constexpr zip_uint32_t s_deflateLevel = 6;

bool fail(QString const& text)
{
    std::fprintf(stderr, "docquill_packmodule: %s\n", qPrintable(text));
    return false;
}

bool normalise(zip_t* zip, zip_int64_t index, zip_uint32_t mode)
{
    return zip_file_set_dostime(zip, zip_uint64_t(index), s_dosTime, s_dosDate, 0) == 0 &&
           zip_file_set_external_attributes(zip, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, mode << 16) == 0;
}

bool addFolder(zip_t* zip, QString const& folder, QString const& name, QSet<QString>& enclosing)
{
    zip_int64_t index = zip_dir_add(zip, name.toUtf8().constData(), ZIP_FL_ENC_UTF_8);
    if (index < 0 || !normalise(zip, index, s_folderMode))
        return fail(QStringLiteral("cannot add %1: %2").arg(name, zip_strerror(zip)));
    for (QFileInfo const& entry : digestEntries(folder)) {
        QString entryName = name + '/' + entry.fileName();
        if (entry.isDir()) {
            QString canonical = entry.canonicalFilePath();
            if (enclosing.contains(canonical))
                continue;
            enclosing.insert(canonical);
            bool added = addFolder(zip, entry.filePath(), entryName, enclosing);
            enclosing.remove(canonical);
            if (!added)
                return false;
            continue;
        }
        zip_source_t* source = zip_source_file(zip, QFile::encodeName(entry.filePath()).constData(), 0, 0);
        if (!source)
            return fail(QStringLiteral("cannot read %1: %2").arg(entry.filePath(), zip_strerror(zip)));
        index = zip_file_add(zip, entryName.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            return fail(QStringLiteral("cannot add %1: %2").arg(entryName, zip_strerror(zip)));
        }
        if (!normalise(zip, index, s_fileMode) ||
            zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, s_deflateLevel) != 0)
            return fail(QStringLiteral("cannot set the attributes of %1").arg(entryName));
    }
    return true;
}

bool pack(QString const& folder, QString const& package)
{
    if (!QFileInfo(folder).isDir())
        return fail(QStringLiteral("no folder at %1").arg(folder));
    QDir().mkpath(QFileInfo(package).absolutePath());
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(package).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        return fail(
            QStringLiteral("cannot create %1 (libzip error %2)").arg(package, QString::number(error)));
    QSet<QString> enclosing{QFileInfo(folder).canonicalFilePath()};
    if (!addFolder(zip, folder, QDir(QDir::cleanPath(folder)).dirName(), enclosing)) {
        zip_discard(zip);
        return false;
    }
    // libzip writes into a temporary file and renames it only when everything was written.
    if (zip_close(zip) != 0) {
        fail(QStringLiteral("cannot write %1: %2").arg(package, zip_strerror(zip)));
        zip_discard(zip);
        return false;
    }
    return true;
}

bool writeDigests(QString const& folder, QString const& package, QString const& templatePath,
                  QString const& output)
{
    QString folderMd5 = getMd5(folder);
    QString packageMd5 = getMd5(package);
    if (folderMd5.isEmpty() || packageMd5.isEmpty())
        return fail(QStringLiteral("cannot compute the digests of %1 and %2").arg(folder, package));
    QFile in(templatePath);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(templatePath));
    QByteArray text = in.readAll();
    text.replace("@DOCQUILL_OCR_MODEL_MD5@", folderMd5.toLatin1());
    text.replace("@DOCQUILL_OCR_PACKAGE_MD5@", packageMd5.toLatin1());
    QSaveFile out(output);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
        return fail(QStringLiteral("cannot write %1").arg(output));
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: %s <folder> <package.zip> [<digests template> <digests source>]\n",
                     argv[0]);
        return 2;
    }
    QString folder = QFile::decodeName(argv[1]);
    QString package = QFile::decodeName(argv[2]);
    if (!pack(folder, package))
        return 1;
    if (argc == 5 && !writeDigests(folder, package, QFile::decodeName(argv[3]), QFile::decodeName(argv[4])))
        return 1;
    return 0;
}

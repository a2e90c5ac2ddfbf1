#include "internal/PackageWriter.h"

#include "internal/OutputFile.h"
#include "internal/XmlText.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <zip.h>

#include <algorithm>
#include <cerrno>

#include <DiskFull.h>
#include <cstdio>

namespace ooxml::internal {

namespace {

constexpr char const* relationshipsType = "application/vnd.openxmlformats-package.relationships+xml";

WriteResult zipFailure(zip_error_t* error, QString const& what)
{
    WriteError kind = WriteError::Archive;
    switch (zip_error_code_zip(error)) {
    case ZIP_ER_MEMORY:
        kind = WriteError::OutOfMemory;
        break;
    case ZIP_ER_OPEN:
    case ZIP_ER_WRITE:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_CLOSE:
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_RENAME:
    case ZIP_ER_REMOVE:
    case ZIP_ER_EXISTS:
        kind = WriteError::CannotWrite;
        break;
    default:
        break;
    }
    if (kind == WriteError::CannotWrite && zip_error_system_type(error) == ZIP_ET_SYS &&
        diskfull::isFull(zip_error_code_system(error)))
        kind = WriteError::DiskFull;
    return WriteResult::failure(
        kind, QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(zip_error_strerror(error))));
}

QString relationshipsName(QString const& sourcePart)
{
    if (sourcePart.isEmpty())
        return QStringLiteral("_rels/.rels");
    int const slash = sourcePart.lastIndexOf(QLatin1Char('/'));
    return sourcePart.left(slash + 1) + QStringLiteral("_rels/") + sourcePart.mid(slash + 1) +
           QStringLiteral(".rels");
}

// Bytes deflated already, read from their file and described to libzip as compressed, so
// that it copies them instead of compressing them again.
struct DeflatedSource
{
    QByteArray path;
    qint64 length = 0;
    qint64 plainSize = 0;
    quint32 crc = 0;
    FILE* file = nullptr;
    qint64 left = 0;
    zip_error_t error;
};

zip_int64_t readDeflated(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto* source = static_cast<DeflatedSource*>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        source->file = std::fopen(source->path.constData(), "rbe");
        if (!source->file) {
            zip_error_set(&source->error, ZIP_ER_OPEN, errno);
            return -1;
        }
        source->left = source->length;
        return 0;
    case ZIP_SOURCE_READ: {
        size_t const want = size_t(std::min<zip_uint64_t>(length, zip_uint64_t(source->left)));
        size_t const got = want ? std::fread(data, 1, want, source->file) : 0;
        if (got < want && std::ferror(source->file)) {
            zip_error_set(&source->error, ZIP_ER_READ, errno);
            return -1;
        }
        source->left -= qint64(got);
        return zip_int64_t(got);
    }
    case ZIP_SOURCE_CLOSE:
        if (source->file)
            std::fclose(source->file);
        source->file = nullptr;
        return 0;
    case ZIP_SOURCE_STAT: {
        auto* stat = static_cast<zip_stat_t*>(data);
        zip_stat_init(stat);
        stat->size = zip_uint64_t(source->plainSize);
        stat->comp_size = zip_uint64_t(source->length);
        stat->crc = source->crc;
        stat->comp_method = ZIP_CM_DEFLATE;
        stat->encryption_method = ZIP_EM_NONE;
        stat->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC | ZIP_STAT_COMP_METHOD |
                      ZIP_STAT_ENCRYPTION_METHOD;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&source->error, data, length);
    case ZIP_SOURCE_FREE:
        if (source->file)
            std::fclose(source->file);
        zip_error_fini(&source->error);
        delete source;
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
        zip_error_set(&source->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

zip_source_t* deflatedSource(zip_t* archive, QString const& path, qint64 length, qint64 plainSize,
                             quint32 crc)
{
    auto* state = new DeflatedSource;
    state->path = QFile::encodeName(path);
    state->length = length;
    state->plainSize = plainSize;
    state->crc = crc;
    zip_error_init(&state->error);
    zip_source_t* const source = zip_source_function(archive, readDeflated, state);
    if (!source) {
        zip_error_fini(&state->error);
        delete state;
    }
    return source;
}

QString w3cNow()
{
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
}

} // namespace

QString Relationships::add(QString const& type, QString const& target)
{
    m_entries.append({type, target});
    return QStringLiteral("rId%1").arg(m_entries.size());
}

QByteArray Relationships::xml() const
{
    XmlWriter xml;
    xml.start("Relationships");
    xml.attr("xmlns", "http://schemas.openxmlformats.org/package/2006/relationships");
    for (int i = 0; i < m_entries.size(); ++i) {
        xml.empty("Relationship");
        xml.attr("Id", QStringLiteral("rId%1").arg(i + 1));
        xml.attr("Type", m_entries[i].type);
        xml.attr("Target", m_entries[i].target);
    }
    xml.end();
    return xml.finish();
}

void PackageWriter::addXml(QString const& name, QByteArray const& xml, QString const& contentType)
{
    m_parts.append({name, xml, contentType, false, QString(), 0, 0});
}

void PackageWriter::addMedia(QString const& name, QByteArray const& data, QString const& contentType)
{
    m_parts.append({name, data, contentType, true, QString(), 0, 0});
}

void PackageWriter::addSpooled(QString const& name, QString const& file, qint64 offset, qint64 length,
                               QString const& contentType, bool media)
{
    m_parts.append({name, QByteArray(), contentType, media, file, offset, length});
}

void PackageWriter::addDeflated(QString const& name, QString const& file, qint64 length, qint64 plainSize,
                                quint32 crc, QString const& contentType)
{
    Part part{name, QByteArray(), contentType, false, file, 0, length};
    part.deflated = true;
    part.plainSize = plainSize;
    part.crc = crc;
    m_parts.append(part);
}

void PackageWriter::addRelationships(QString const& sourcePart, Relationships const& relationships)
{
    addXml(relationshipsName(sourcePart), relationships.xml(), QString());
}

void PackageWriter::addPackageParts(QString const& mainPart, DocumentInfo const& info)
{
    QString const now = w3cNow();
    XmlWriter core;
    core.start("cp:coreProperties");
    core.attr("xmlns:cp", "http://schemas.openxmlformats.org/package/2006/metadata/core-properties");
    core.attr("xmlns:dc", "http://purl.org/dc/elements/1.1/");
    core.attr("xmlns:dcterms", "http://purl.org/dc/terms/");
    core.attr("xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance");
    if (!info.title.isEmpty())
        core.textElement("dc:title", info.title);
    if (!info.author.isEmpty())
        core.textElement("dc:creator", info.author);
    for (char const* stamp : {"dcterms:created", "dcterms:modified"}) {
        core.start(stamp);
        core.attr("xsi:type", "dcterms:W3CDTF");
        core.text(now);
        core.end();
    }
    core.end();
    addXml(QStringLiteral("docProps/core.xml"), core.finish(),
           QStringLiteral("application/vnd.openxmlformats-package.core-properties+xml"));

    XmlWriter app;
    app.start("Properties");
    app.attr("xmlns", "http://schemas.openxmlformats.org/officeDocument/2006/extended-properties");
    app.textElement("Application", QStringLiteral("Docquill"));
    app.end();
    addXml(QStringLiteral("docProps/app.xml"), app.finish(),
           QStringLiteral("application/vnd.openxmlformats-officedocument.extended-properties+xml"));

    Relationships root;
    root.add(rel::officeDocument, mainPart);
    root.add("http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties",
             QStringLiteral("docProps/core.xml"));
    root.add("http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties",
             QStringLiteral("docProps/app.xml"));
    addRelationships(QString(), root);
}

QByteArray PackageWriter::contentTypes() const
{
    XmlWriter xml;
    xml.start("Types");
    xml.attr("xmlns", "http://schemas.openxmlformats.org/package/2006/content-types");
    xml.empty("Default");
    xml.attr("Extension", "rels");
    xml.attr("ContentType", relationshipsType);
    xml.empty("Default");
    xml.attr("Extension", "xml");
    xml.attr("ContentType", "application/xml");
    QSet<QString> extensions;
    for (Part const& part : m_parts) {
        if (!part.media)
            continue;
        QString const extension = QFileInfo(part.name).suffix().toLower();
        if (extensions.contains(extension))
            continue;
        extensions.insert(extension);
        xml.empty("Default");
        xml.attr("Extension", extension);
        xml.attr("ContentType", part.contentType);
    }
    for (Part const& part : m_parts) {
        if (part.media || part.contentType.isEmpty())
            continue;
        xml.empty("Override");
        xml.attr("PartName", QLatin1Char('/') + part.name);
        xml.attr("ContentType", part.contentType);
    }
    xml.end();
    return xml.finish();
}

WriteResult PackageWriter::write(QString const& path, ExistingFile existing) const
{
    WriteResult const check = checkTarget(path, existing);
    if (!check.ok())
        return check;

    QString const temporary = temporaryPathFor(path);
    int openError = 0;
    zip_t* archive = zip_open(QFile::encodeName(temporary).constData(), ZIP_CREATE | ZIP_EXCL, &openError);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, openError);
        WriteResult const result = zipFailure(&error, QStringLiteral("cannot create \"%1\"").arg(temporary));
        zip_error_fini(&error);
        return result;
    }

    // libzip reads the buffers only in zip_close(), so they must outlive it: they are ours.
    QByteArray const types = contentTypes();
    auto add = [archive](QString const& name, Part const& part, bool compress) {
        // libzip takes a length of 0 for "to the end of the file": an empty part is a buffer.
        zip_source_t* source =
            part.deflated ? deflatedSource(archive, part.file, part.length, part.plainSize, part.crc)
            : part.file.isEmpty() || part.length == 0
                ? zip_source_buffer(archive, part.data.constData(), zip_uint64_t(part.data.size()), 0)
                : zip_source_file(archive, QFile::encodeName(part.file).constData(),
                                  zip_uint64_t(part.offset), zip_int64_t(part.length));
        if (!source)
            return false;
        zip_int64_t const index = zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            return false;
        }
        return zip_set_file_compression(archive, zip_uint64_t(index),
                                        compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) == 0;
    };
    Part typesPart;
    typesPart.data = types;
    bool added = add(QStringLiteral("[Content_Types].xml"), typesPart, true);
    for (int i = 0; added && i < m_parts.size(); ++i)
        added = add(m_parts[i].name, m_parts[i], !m_parts[i].media);
    if (!added) {
        WriteResult const result = zipFailure(zip_get_error(archive), QStringLiteral("cannot add part"));
        zip_discard(archive);
        return result;
    }
    if (zip_close(archive) != 0) {
        // libzip removes its own temporary file; the named one was never created.
        WriteResult const result =
            zipFailure(zip_get_error(archive), QStringLiteral("cannot write \"%1\"").arg(path));
        zip_discard(archive);
        return result;
    }
    return commitTemporary(temporary, path, existing);
}

} // namespace ooxml::internal

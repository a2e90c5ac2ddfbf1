#pragma once

#include "ooxml/DocumentInfo.h"
#include "ooxml/WriteResult.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// Collects the parts of an Open Packaging zip and writes it; not part of the public API.
namespace ooxml::internal {

namespace rel {
constexpr char const* officeDocument =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
constexpr char const* styles = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
constexpr char const* settings =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings";
constexpr char const* image = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
constexpr char const* theme = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/theme";
} // namespace rel

// The relationships of one part: ids "rId1", "rId2"... in order of adding.
class Relationships
{
public:
    // Returns the new relationship's id. `target` is relative to the source part's folder.
    QString add(QString const& type, QString const& target);
    QByteArray xml() const;
    int size() const { return m_entries.size(); }

private:
    struct Entry
    {
        QString type;
        QString target;
    };
    QVector<Entry> m_entries;
};

class PackageWriter
{
public:
    // Adds an XML part (name without leading '/') with its own content type.
    void addXml(QString const& name, QByteArray const& xml, QString const& contentType);
    // Adds a picture, stored uncompressed; its content type is declared for its extension.
    void addMedia(QString const& name, QByteArray const& data, QString const& contentType);
    // Adds a part whose `length` bytes wait in `file` from `offset` until the package is
    // written; the file must stay as it is until then.
    void addSpooled(QString const& name, QString const& file, qint64 offset, qint64 length,
                    QString const& contentType, bool media);
    // The same for an XML part whose bytes wait deflated (raw, as a zip entry holds them):
    // they go into the package as they are.
    void addDeflated(QString const& name, QString const& file, qint64 length, qint64 plainSize, quint32 crc,
                     QString const& contentType);
    // Adds the relationships part of `sourcePart` ("" for the package itself).
    void addRelationships(QString const& sourcePart, Relationships const& relationships);
    // Adds docProps/core.xml, docProps/app.xml and the package relationships that point at
    // them and at the main part.
    void addPackageParts(QString const& mainPart, DocumentInfo const& info);

    // Zips the parts, [Content_Types].xml first, into a temporary file beside `path` and
    // renames it into place.
    WriteResult write(QString const& path, ExistingFile existing) const;

private:
    struct Part
    {
        QString name;
        QByteArray data;
        QString contentType;
        bool media = false;
        QString file; // the bytes wait there when set
        qint64 offset = 0;
        qint64 length = 0;
        bool deflated = false; // the bytes in file are compressed already
        qint64 plainSize = 0;
        quint32 crc = 0;
    };
    QByteArray contentTypes() const;

    QVector<Part> m_parts;
};

} // namespace ooxml::internal

#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QXmlStreamAttributes>

// Reads a written zip package back on its own, without the writer's code.
class PackageReader
{
public:
    explicit PackageReader(QString const& path);

    bool isOpen() const { return m_open; }
    bool contains(QString const& name) const { return m_parts.contains(name); }
    QByteArray part(QString const& name) const { return m_parts.value(name); }
    // The content type [Content_Types].xml gives a part ("word/document.xml"), or empty.
    QString contentType(QString const& name) const;
    // Everything wrong with the package as a whole: an XML part that does not parse, a part
    // without a content type, a relationship to a missing part, a failed `unzip -t`.
    QStringList problems() const;
    // Targets (resolved to part names) of the relationships of `source` ("" for the package).
    QHash<QString, QString> relationshipTargets(QString const& source) const;

private:
    bool m_open = false;
    QString m_path;
    QHash<QString, QByteArray> m_parts;
};

namespace xmlread {
struct Element
{
    QXmlStreamAttributes attributes;
    QString text; // all text inside, child elements included
};
// Parse error of `xml`, or empty when well-formed.
QString error(QByteArray const& xml);
// Every element with this qualified name, in document order; texts or attributes only.
QVector<Element> elements(QByteArray const& xml, QString const& qualifiedName);
QStringList texts(QByteArray const& xml, QString const& qualifiedName);
QVector<QXmlStreamAttributes> attributes(QByteArray const& xml, QString const& qualifiedName);
inline int count(QByteArray const& xml, QString const& qualifiedName)
{
    return elements(xml, qualifiedName).size();
}
} // namespace xmlread

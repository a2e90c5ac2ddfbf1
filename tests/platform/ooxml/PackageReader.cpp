#include "PackageReader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <zip.h>

PackageReader::PackageReader(QString const& path) : m_path(path)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive)
        return;
    zip_int64_t const count = zip_get_num_entries(archive, 0);
    bool ok = true;
    for (zip_int64_t i = 0; i < count && ok; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        ok = zip_stat_index(archive, zip_uint64_t(i), 0, &stat) == 0;
        zip_file_t* file = ok ? zip_fopen_index(archive, zip_uint64_t(i), 0) : nullptr;
        ok = file != nullptr;
        if (!ok)
            break;
        QByteArray data(int(stat.size), Qt::Uninitialized);
        ok = zip_fread(file, data.data(), stat.size) == zip_int64_t(stat.size);
        zip_fclose(file);
        m_parts.insert(QString::fromUtf8(stat.name), data);
    }
    zip_close(archive);
    m_open = ok;
}

QString PackageReader::contentType(QString const& name) const
{
    QByteArray const types = part(QStringLiteral("[Content_Types].xml"));
    QString fallback;
    QXmlStreamReader xml(types);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        QXmlStreamAttributes const a = xml.attributes();
        if (xml.name() == QLatin1String("Override") &&
            a.value(QLatin1String("PartName")) == QLatin1Char('/') + name)
            return a.value(QLatin1String("ContentType")).toString();
        if (xml.name() == QLatin1String("Default") &&
            name.endsWith(QLatin1Char('.') + a.value(QLatin1String("Extension")).toString(),
                          Qt::CaseInsensitive))
            fallback = a.value(QLatin1String("ContentType")).toString();
    }
    return fallback;
}

QHash<QString, QString> PackageReader::relationshipTargets(QString const& source) const
{
    int const slash = source.lastIndexOf(QLatin1Char('/'));
    QString const folder = source.left(slash + 1);
    QString const relsName = source.isEmpty() ? QStringLiteral("_rels/.rels")
                                              : folder + QStringLiteral("_rels/") + source.mid(slash + 1) +
                                                    QStringLiteral(".rels");
    QHash<QString, QString> targets;
    for (QXmlStreamAttributes const& a :
         xmlread::attributes(part(relsName), QStringLiteral("Relationship"))) {
        if (a.value(QLatin1String("TargetMode")) == QLatin1String("External"))
            continue;
        QString const target = a.value(QLatin1String("Target")).toString();
        QString const resolved =
            target.startsWith(QLatin1Char('/')) ? target.mid(1) : QDir::cleanPath(folder + target);
        targets.insert(a.value(QLatin1String("Id")).toString(), resolved);
    }
    return targets;
}

QStringList PackageReader::problems() const
{
    if (!m_open)
        return {QStringLiteral("cannot open %1 as a zip archive").arg(m_path)};
    QStringList problems;
    if (!contains(QStringLiteral("[Content_Types].xml")))
        problems << QStringLiteral("no [Content_Types].xml");
    for (QString const& name : m_parts.keys()) {
        bool const xml = name.endsWith(QLatin1String(".xml")) || name.endsWith(QLatin1String(".rels"));
        if (xml) {
            QString const error = xmlread::error(part(name));
            if (!error.isEmpty())
                problems << name + QStringLiteral(": ") + error;
        }
        if (name == QLatin1String("[Content_Types].xml"))
            continue;
        if (contentType(name).isEmpty())
            problems << name + QStringLiteral(": no content type");
        if (name.endsWith(QLatin1String(".rels"))) {
            // "a/_rels/b.xml.rels" describes "a/b.xml".
            QString source = name;
            source.remove(QStringLiteral("_rels/"));
            source.chop(5);
            if (!source.isEmpty() && !contains(source))
                problems << name + QStringLiteral(": describes a missing part");
            for (QString const& target : relationshipTargets(source))
                if (!contains(target))
                    problems << name + QStringLiteral(": target %1 is missing").arg(target);
        }
    }
    for (QXmlStreamAttributes const& a :
         xmlread::attributes(part(QStringLiteral("[Content_Types].xml")), QStringLiteral("Override"))) {
        if (!contains(a.value(QLatin1String("PartName")).toString().mid(1)))
            problems << QStringLiteral("content type for missing part ") +
                            a.value(QLatin1String("PartName")).toString();
    }
    QString const unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    if (!unzip.isEmpty()) {
        QProcess process;
        process.start(unzip, {QStringLiteral("-tqq"), m_path});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            problems << QStringLiteral("unzip -t: ") + QString::fromLocal8Bit(process.readAll());
    }
    return problems;
}

namespace xmlread {

QString error(QByteArray const& xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        reader.readNext();
    return reader.hasError()
               ? QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString())
               : QString();
}

QVector<Element> elements(QByteArray const& xml, QString const& qualifiedName)
{
    QVector<Element> out;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.qualifiedName() != qualifiedName)
            continue;
        QXmlStreamAttributes const attributes = reader.attributes();
        out.append({attributes, reader.readElementText(QXmlStreamReader::IncludeChildElements)});
    }
    return out;
}

QStringList texts(QByteArray const& xml, QString const& qualifiedName)
{
    QStringList out;
    for (Element const& e : elements(xml, qualifiedName))
        out << e.text;
    return out;
}

QVector<QXmlStreamAttributes> attributes(QByteArray const& xml, QString const& qualifiedName)
{
    QVector<QXmlStreamAttributes> out;
    for (Element const& e : elements(xml, qualifiedName))
        out << e.attributes;
    return out;
}

} // namespace xmlread

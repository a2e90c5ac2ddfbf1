#include "EpubBook.h"

#include "ChapterBuilder.h"
#include "PagedTextWriter.h"
#include "ResourceTextDocument.h"
#include "TextDecoder.h"
#include "ZipArchive.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QXmlStreamReader>

namespace docrender {

namespace {

RenderResult failure(RenderError error, QString const& message)
{
    RenderResult r;
    r.error = error;
    r.message = message;
    return r;
}

// Zip member names carry no leading slash; resolved paths do.
QString memberName(QString const& path)
{
    return path.startsWith('/') ? path.mid(1) : path;
}

QString rootFilePath(ZipArchive const& zip)
{
    QByteArray const container = zip.read(QStringLiteral("META-INF/container.xml"));
    QXmlStreamReader xml(container);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("rootfile")) {
            QString const path = xml.attributes().value("full-path").toString();
            if (!path.isEmpty())
                return '/' + path;
        }
    }
    // Some books lack the container; take the first package document.
    for (QString const& name : zip.names()) {
        if (name.endsWith(".opf", Qt::CaseInsensitive))
            return '/' + name;
    }
    return QString();
}

struct Package
{
    QString title;
    QStringList spine; // resolved paths of the reading order
    bool valid = false;
};

Package readPackage(QByteArray const& opf, QString const& opfPath)
{
    Package package;
    QHash<QString, QString> manifest;
    QHash<QString, QString> mediaTypes;
    QStringList idrefs;
    QXmlStreamReader xml(opf);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("package")) {
            package.valid = true;
        } else if (xml.name() == QLatin1String("item")) {
            QString const id = xml.attributes().value("id").toString();
            QString const href = xml.attributes().value("href").toString();
            manifest.insert(id, ResourceTextDocument::resolve(opfPath, href));
            mediaTypes.insert(id, xml.attributes().value("media-type").toString());
        } else if (xml.name() == QLatin1String("itemref")) {
            idrefs.append(xml.attributes().value("idref").toString());
        } else if (xml.name() == QLatin1String("title") && package.title.isEmpty()) {
            package.title = xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
        }
    }
    for (QString const& id : idrefs) {
        QString const path = manifest.value(id);
        QString const type = mediaTypes.value(id);
        bool const html = type.contains("html") || path.endsWith(".html", Qt::CaseInsensitive) ||
                          path.endsWith(".xhtml", Qt::CaseInsensitive) ||
                          path.endsWith(".htm", Qt::CaseInsensitive);
        if (!path.isEmpty() && html)
            package.spine.append(path);
    }
    return package;
}

// Members encrypted with a key (not the font obfuscation every reader undoes) cannot be read.
QSet<QString> encryptedMembers(ZipArchive const& zip)
{
    QSet<QString> result;
    QByteArray const data = zip.read(QStringLiteral("META-INF/encryption.xml"));
    if (data.isEmpty())
        return result;
    QXmlStreamReader xml(data);
    QString algorithm;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("EncryptionMethod")) {
            algorithm = xml.attributes().value("Algorithm").toString();
        } else if (xml.name() == QLatin1String("CipherReference")) {
            bool const fontObfuscation = algorithm == QLatin1String("http://www.idpf.org/2008/embedding") ||
                                         algorithm == QLatin1String("http://ns.adobe.com/pdf/enc#RC");
            if (!fontObfuscation)
                result.insert(ResourceTextDocument::resolve(QStringLiteral("/"),
                                                            xml.attributes().value("URI").toString()));
        }
    }
    return result;
}

} // namespace

RenderResult EpubBook::render(QString const& source, QString const& pdfPath)
{
    ZipArchive zip;
    QString error;
    if (!zip.open(source, &error))
        return failure(RenderError::CannotOpen, "the file is not a readable EPUB book: " + error);
    QString const opfPath = rootFilePath(zip);
    ZipArchive::ReadStatus status = ZipArchive::ReadStatus::Missing;
    QByteArray const opf = opfPath.isEmpty() ? QByteArray() : zip.read(memberName(opfPath), &status);
    Package const package = readPackage(opf, opfPath);
    if (!package.valid)
        return failure(RenderError::CannotOpen, "the EPUB book has no readable package document");

    QSet<QString> const encrypted = encryptedMembers(zip);
    ResourceTextDocument document([&zip](QString const& path) { return zip.read(memberName(path)); });
    document.setDefaultFont(PagedTextWriter::documentFont());
    ChapterBuilder builder(document);
    for (QString const& path : package.spine) {
        if (encrypted.contains(path))
            return failure(RenderError::PasswordProtected, "the EPUB book is encrypted (DRM)");
        QByteArray const data = zip.read(memberName(path), &status);
        if (status == ZipArchive::ReadStatus::Encrypted)
            return failure(RenderError::PasswordProtected, "the EPUB book is protected by a password");
        if (status == ZipArchive::ReadStatus::TooLarge)
            return failure(RenderError::CannotOpen, "a page of the EPUB book is too large: " + path);
        if (data.isNull())
            continue; // a spine entry without its file: readers skip it too
        if (!builder.addChapter(path, TextDecoder::decodeHtml(data)))
            return failure(RenderError::CannotOpen, "the EPUB book is too large to lay out");
    }
    if (builder.chapterCount() == 0)
        return failure(RenderError::CannotOpen, "the EPUB book has no readable pages");
    QString const title = package.title.isEmpty() ? QFileInfo(source).completeBaseName() : package.title;
    return PagedTextWriter::write(document, pdfPath, title);
}

} // namespace docrender

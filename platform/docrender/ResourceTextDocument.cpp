#include "ResourceTextDocument.h"

#include "ImageObjectHandler.h"

#include <QImage>
#include <QRegularExpression>
#include <QUrl>

namespace docrender {

namespace {

constexpr char kScheme[] = "docres";

QUrl schemeUrl(QString const& path)
{
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(path.startsWith('/') ? path : '/' + path);
    return url;
}

QString unescapeAttribute(QString value)
{
    return value.replace("&amp;", "&").replace("&quot;", "\"").replace("&apos;", "'").replace("&#39;", "'");
}

} // namespace

ResourceTextDocument::ResourceTextDocument(Loader loader, QObject* parent)
    : QTextDocument(parent), m_loader(std::move(loader))
{
    // Before any content: Qt's own handler would lay the images out once and, for those not
    // loaded, look for files named like their addresses in the working folder.
    ImageObjectHandler::install(*this);
}

QString ResourceTextDocument::resolve(QString const& basePath, QString const& reference)
{
    QUrl const target = schemeUrl(basePath).resolved(QUrl(reference));
    if (target.scheme() != kScheme)
        return QString();
    return target.path(QUrl::FullyDecoded);
}

QString ResourceTextDocument::rewriteReferences(QString const& html, QString const& basePath)
{
    static QRegularExpression const reference(
        R"re((<(?:img|link)\b[^>]*?\s(?:src|href)\s*=\s*)(?:"([^"]*)"|'([^']*)'|([^\s>"']+)))re",
        QRegularExpression::CaseInsensitiveOption);
    QString result;
    result.reserve(html.size());
    int last = 0;
    auto it = reference.globalMatch(html);
    while (it.hasNext()) {
        QRegularExpressionMatch const m = it.next();
        QString value = m.captured(2);
        if (m.capturedStart(3) >= 0)
            value = m.captured(3);
        else if (m.capturedStart(4) >= 0)
            value = m.captured(4);
        value = unescapeAttribute(value);
        QString const path = value.isEmpty() || value.startsWith('#') ? QString() : resolve(basePath, value);
        result += html.midRef(last, m.capturedStart(0) - last);
        if (path.isEmpty()) {
            result += m.capturedRef(0);
        } else {
            QUrl url;
            url.setScheme(kScheme);
            url.setPath(path);
            QString prefix = m.captured(1);
            // Qt imports a linked style sheet only when the link says type="text/css", which
            // HTML5 pages leave out.
            int const tagEnd = html.indexOf('>', m.capturedEnd(0));
            QStringRef const tag =
                html.midRef(m.capturedStart(0), tagEnd < 0 ? -1 : tagEnd - m.capturedStart(0));
            if (prefix.startsWith("<link", Qt::CaseInsensitive) &&
                !tag.contains("type=", Qt::CaseInsensitive) &&
                tag.contains("stylesheet", Qt::CaseInsensitive))
                prefix.insert(5, " type=\"text/css\"");
            result += prefix + '"' + url.toString(QUrl::FullyEncoded).toHtmlEscaped() + '"';
        }
        last = m.capturedEnd(0);
    }
    result += html.midRef(last);
    return result;
}

QVariant ResourceTextDocument::loadResource(int type, QUrl const& name)
{
    if (type == ImageResource) {
        // Qt keeps what loaded; what did not would be read and decoded again at every layout.
        if (m_unloadableImages.contains(name))
            return QVariant();
        QImage const image = loadImage(name);
        if (image.isNull()) {
            m_unloadableImages.insert(name);
            return QVariant();
        }
        return image;
    }
    if (type == StyleSheetResource && name.scheme() == kScheme && m_loader) {
        QByteArray const data = m_loader(name.path(QUrl::FullyDecoded));
        if (!data.isNull())
            return QString::fromUtf8(data);
    }
    return QVariant();
}

QImage ResourceTextDocument::loadImage(QUrl const& name) const
{
    if (name.scheme() == "data") {
        // data:image/png;base64,....
        QString const text = name.path(QUrl::FullyDecoded);
        int const comma = text.indexOf(',');
        if (comma < 0 || !text.leftRef(comma).endsWith(";base64"))
            return QImage();
        return ImageObjectHandler::decode(QByteArray::fromBase64(text.mid(comma + 1).toLatin1()));
    }
    if (name.scheme() != kScheme || !m_loader)
        return QImage();
    QByteArray const data = m_loader(name.path(QUrl::FullyDecoded));
    return data.isNull() ? QImage() : ImageObjectHandler::decode(data);
}

} // namespace docrender

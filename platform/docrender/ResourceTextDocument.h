#pragma once

#include <QImage>
#include <QSet>
#include <QTextDocument>
#include <QUrl>

#include <functional>

namespace docrender {

// A text document whose images and style sheets come from a loader: files beside an HTML file,
// or members of an EPUB or CHM archive. Nothing is fetched from the network.
class ResourceTextDocument : public QTextDocument
{
    Q_OBJECT
    Q_DISABLE_COPY(ResourceTextDocument)

public:
    // Returns the bytes stored under an absolute path of the source's own namespace, or a null
    // array when there is none.
    using Loader = std::function<QByteArray(QString const& path)>;

    explicit ResourceTextDocument(Loader loader, QObject* parent = nullptr);

    // Points the image and style sheet references of @p html, relative to @p basePath, at the
    // loader. References to other schemes (data:, http:) stay as they are.
    static QString rewriteReferences(QString const& html, QString const& basePath);
    // An absolute path of the source's namespace resolved from a reference and its base.
    static QString resolve(QString const& basePath, QString const& reference);

protected:
    QVariant loadResource(int type, QUrl const& name) override;

private:
    QImage loadImage(QUrl const& name) const;

    Loader m_loader;
    QSet<QUrl> m_unloadableImages;
};

} // namespace docrender

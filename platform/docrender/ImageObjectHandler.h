#pragma once

#include <QImage>
#include <QObject>
#include <QTextObjectInterface>

class QTextDocument;
class QTextImageFormat;

namespace docrender {

// Lays out and draws the images of a text document. An image that the document's resources
// give is handed to Qt's own handler, so it is placed exactly as Qt places it. An image that
// cannot be loaded (remote, missing, damaged, too large) is never drawn: it keeps the box of
// its declared width and height, or takes no room. Qt would draw a placeholder icon instead
// whenever Qt Widgets happens to be loaded (an image format plugin may pull it in), so the
// output would depend on the installed plugins.
class ImageObjectHandler : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
    Q_DISABLE_COPY(ImageObjectHandler)

public:
    // Takes over the image objects of @p document's current layout, which owns the handler.
    static void install(QTextDocument& document);
    // The image @p format refers to, or a null image when it cannot be loaded. Only the
    // document's resources are asked, never the file system or the network.
    static QImage loadedImage(QTextDocument& document, QTextImageFormat const& format);
    // Decodes image bytes, turned as their orientation tag says if @p applyOrientation; null for
    // damaged data and for images too large to place in a text document.
    static QImage decode(QByteArray data, bool applyOrientation = true);
    // The resolution Qt's text layout assumes for image pixels (qt_defaultDpiY, which is private).
    static qreal layoutDpi();

    QSizeF intrinsicSize(QTextDocument* document, int position, QTextFormat const& format) override;
    void drawObject(QPainter* painter, QRectF const& rect, QTextDocument* document, int position,
                    QTextFormat const& format) override;

private:
    ImageObjectHandler(QTextObjectInterface* qtHandler, QObject* parent);

    QTextObjectInterface* m_qtHandler;
};

} // namespace docrender

#include "ImageObjectHandler.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>
#include <QPaintDevice>
#include <QPixmap>
#include <QScreen>
#include <QTextDocument>
#include <QTextFormat>
#include <QUrl>

namespace docrender {

namespace {

constexpr qint64 kMaxImagePixels = qint64(1) << 26; // 64 megapixels inside a text document

// The address Qt's handler asks the document for.
QUrl resourceUrl(QTextImageFormat const& format)
{
    QString name = format.name();
    if (name.startsWith(QLatin1String(":/")))
        name.prepend(QLatin1String("qrc"));
    return QUrl(name);
}

} // namespace

ImageObjectHandler::ImageObjectHandler(QTextObjectInterface* qtHandler, QObject* parent)
    : QObject(parent), m_qtHandler(qtHandler)
{
}

void ImageObjectHandler::install(QTextDocument& document)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    QTextObjectInterface* current = layout->handlerForObject(QTextFormat::ImageObject);
    if (!current || dynamic_cast<ImageObjectHandler*>(current))
        return;
    layout->registerHandler(QTextFormat::ImageObject, new ImageObjectHandler(current, layout));
}

QImage ImageObjectHandler::loadedImage(QTextDocument& document, QTextImageFormat const& format)
{
    QUrl const url = resourceUrl(format);
    QVariant const value = document.resource(QTextDocument::ImageResource, url);
    if (value.userType() == QMetaType::QImage)
        return value.value<QImage>();
    QImage image;
    if (value.userType() == QMetaType::QPixmap)
        image = value.value<QPixmap>().toImage();
    else if (value.userType() == QMetaType::QByteArray)
        image = decode(value.toByteArray());
    // Stored as an image, which Qt's handler takes in any thread, and never decodes unchecked.
    if (!image.isNull())
        document.addResource(QTextDocument::ImageResource, url, image);
    return image;
}

QImage ImageObjectHandler::decode(QByteArray data, bool applyOrientation)
{
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(applyOrientation);
    QSize const size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxImagePixels)
        return QImage();
    return reader.read();
}

qreal ImageObjectHandler::layoutDpi()
{
    if (QCoreApplication::testAttribute(Qt::AA_Use96Dpi))
        return 96;
    if (QScreen const* screen = QGuiApplication::primaryScreen())
        return qRound(screen->logicalDotsPerInchY());
    return 100;
}

QSizeF ImageObjectHandler::intrinsicSize(QTextDocument* document, int position, QTextFormat const& format)
{
    QTextImageFormat const image = format.toImageFormat();
    if (!loadedImage(*document, image).isNull())
        return m_qtHandler->intrinsicSize(document, position, format);
    if (!image.hasProperty(QTextFormat::ImageWidth) || !image.hasProperty(QTextFormat::ImageHeight))
        return QSizeF();
    // The box a loaded image of that declared size gets, so the text around it stays in place.
    QSize size(qRound(image.width()), qRound(image.height()));
    if (QPaintDevice const* device = document->documentLayout()->paintDevice())
        size *= device->logicalDpiY() / layoutDpi();
    return size.expandedTo(QSize(0, 0));
}

void ImageObjectHandler::drawObject(QPainter* painter, QRectF const& rect, QTextDocument* document,
                                    int position, QTextFormat const& format)
{
    if (!loadedImage(*document, format.toImageFormat()).isNull())
        m_qtHandler->drawObject(painter, rect, document, position, format);
}

} // namespace docrender

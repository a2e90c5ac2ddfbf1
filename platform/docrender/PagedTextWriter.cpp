#include "PagedTextWriter.h"

#include "ImageObjectHandler.h"
#include "LayoutLimits.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include <algorithm>
#include <vector>

namespace docrender {

namespace {

constexpr int kResolution = 600;
constexpr qreal kMarginMm = 20.0;

// Splits the block at the cursor; the part after it keeps the paragraph's look but not its
// page break, which belongs to the paragraph's start.
void splitBlock(QTextCursor& cursor)
{
    QTextBlockFormat format = cursor.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
    cursor.insertBlock(format);
}

struct Placed
{
    int position;
    int length;
    QTextImageFormat format;
};

// What a browser shows for an image it cannot load: its alt text as ordinary text. Without
// one the image stays, and ImageObjectHandler neither draws it nor lets it take more room
// than its declared size.
void showAltText(QTextDocument& document, Placed const& placed)
{
    QString const alt = placed.format.property(QTextFormat::ImageAltText).toString().simplified();
    if (alt.isEmpty())
        return;
    QTextCharFormat text = placed.format;
    for (int property : {QTextFormat::ObjectIndex, QTextFormat::ObjectType, QTextFormat::ImageName,
                         QTextFormat::ImageTitle, QTextFormat::ImageAltText, QTextFormat::ImageWidth,
                         QTextFormat::ImageHeight, QTextFormat::ImageQuality})
        text.clearProperty(property);
    QTextCursor cursor(&document);
    cursor.setPosition(placed.position);
    cursor.setPosition(placed.position + placed.length, QTextCursor::KeepAnchor);
    cursor.insertText(alt.repeated(placed.length), text); // a fragment may hold equal images side by side
}

// Qt draws images at their natural size even when they are larger than the page; shrink those
// so that they fit the text area (in the layout's image units). A wide image that shares its
// paragraph with text gets a line of its own: Qt's line breaking otherwise gives the text line
// before it the image's height, leaving a gap of that size. Images that cannot be loaded give
// way to their alt text.
void fitImages(QTextDocument& document, QSizeF const& area)
{
    std::vector<Placed> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment const fragment = it.fragment();
            if (fragment.charFormat().isImageFormat())
                images.push_back(
                    {fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
        }
    }
    for (auto it = images.rbegin(); it != images.rend(); ++it) { // from the end: splits move what follows
        Placed& placed = *it;
        QTextImageFormat& format = placed.format;
        QImage const image = ImageObjectHandler::loadedImage(document, format);
        if (image.isNull()) {
            showAltText(document, placed);
            continue;
        }
        qreal w = image.width();
        qreal h = image.height();
        bool const hasW = format.hasProperty(QTextFormat::ImageWidth);
        bool const hasH = format.hasProperty(QTextFormat::ImageHeight);
        if (hasW && hasH) {
            w = format.width();
            h = format.height();
        } else if (hasW) {
            h = format.width() * h / w;
            w = format.width();
        } else if (hasH) {
            w = format.height() * w / h;
            h = format.height();
        }
        QTextCursor cursor(&document);
        if (w > area.width() || h > area.height()) {
            qreal const scale = std::min(area.width() / w, area.height() / h);
            w *= scale;
            format.setWidth(w);
            format.setHeight(h * scale);
            cursor.setPosition(placed.position);
            cursor.setPosition(placed.position + placed.length, QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
        if (w > area.width() / 2) {
            cursor.setPosition(placed.position + placed.length);
            if (!cursor.atBlockEnd())
                splitBlock(cursor);
            cursor.setPosition(placed.position);
            if (!cursor.atBlockStart())
                splitBlock(cursor);
        }
    }
}

} // namespace

QFont PagedTextWriter::documentFont()
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(11);
    return font;
}

QFont PagedTextWriter::plainTextFont()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(10);
    return font;
}

RenderResult PagedTextWriter::write(QTextDocument& document, QString const& pdfPath, QString const& title)
{
    RenderResult result;
    if (!LayoutLimits::fitParagraphs(document)) {
        result.error = RenderError::CannotOpen;
        result.message =
            QString("the document has %1 paragraphs, more than can be laid out").arg(document.blockCount());
        return result;
    }
    QPdfWriter writer(pdfPath);
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("Docquill"));
    writer.setTitle(title);

    QRectF const page = writer.pageLayout().paintRectPixels(kResolution);
    qreal const toLayout = ImageObjectHandler::layoutDpi() / kResolution;
    ImageObjectHandler::install(document);
    fitImages(document, page.size() * toLayout);

    document.documentLayout()->setPaintDevice(&writer);
    document.setDocumentMargin(0);
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(QFontMetricsF(document.defaultFont(), &writer).horizontalAdvance(' ') * 8);
    document.setDefaultTextOption(option);
    document.setPageSize(page.size());

    QPainter painter;
    if (!painter.begin(&writer)) {
        result.error = RenderError::Failure;
        result.message = "cannot write the PDF file " + pdfPath;
        return result;
    }
    int const pages = std::max(1, document.pageCount());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        context.clip = QRectF(0, i * page.height(), page.width(), page.height());
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    if (!painter.end()) {
        result.error = RenderError::Failure;
        result.message = "cannot finish the PDF file " + pdfPath;
        return result;
    }
    result.error = RenderError::None;
    return result;
}

} // namespace docrender

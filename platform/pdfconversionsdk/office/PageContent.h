#pragma once

#include "engine/PdfGraphics.h"
#include "layout/PageLayout.h"

#include <ooxml/Picture.h>
#include <ooxml/TextRun.h>

#include <QRectF>
#include <QVector>

namespace pdfconv {
namespace office {

// One page as the office outputs see it: its text, what it draws besides text, and a
// picture of the page where the output needs one.
struct PageContent
{
    layout::PageLayout layout;
    engine::PageGraphics graphics;
    // The text stands over a picture of itself: recognised from the page's image, or an
    // invisible text layer over a scan.
    bool recognized = false;
    QVector<QRectF> ocrWords; // where those words stand, in points
    ooxml::Picture picture;   // empty when the output needs none
    bool hasPicture() const { return !picture.data.isEmpty(); }
};

// One item of a page in reading order: a block or a table.
struct PageItem
{
    layout::Block const* block = nullptr;
    layout::Table const* table = nullptr;
};
QVector<PageItem> readingOrder(layout::PageLayout const& page);

// The words of a block as runs of one style each. Lines are joined as running text, or kept
// apart by line breaks.
QVector<ooxml::TextRun> blockRuns(layout::Block const& block, bool lineBreaks);

// The box that holds all text of the page; empty without text.
QRectF contentBox(layout::PageLayout const& page);

} // namespace office
} // namespace pdfconv

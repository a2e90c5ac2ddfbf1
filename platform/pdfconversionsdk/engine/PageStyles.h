#pragma once

#include "PdfGraphics.h"
#include "layout/PageLayout.h"

#include <QRectF>
#include <QVector>

namespace pdfconv {
namespace engine {

// Reads the look of a page's text and tables from what the page paints: the colour of each
// glyph run, boxes filled behind words (highlights), behind blocks and in table cells
// (shading), and rules under or through words. What is left over (shapes, charts, pictures,
// rules of their own) is gathered into figures.
class PageStyles
{
public:
    explicit PageStyles(PageGraphics const& graphics);

    // Before the layout is read: colours, baselines, highlights, underlines and strikes.
    void styleWords(QVector<layout::Word>& words);
    // After it: shading of table cells and of whole blocks.
    void styleLayout(layout::PageLayout& page);
    // Boxes around what the page draws besides text, tables, highlights and shading, nearby
    // things joined into one box.
    QVector<QRectF> figures(layout::PageLayout const& page) const;
    // What the page paints in @p box besides text, when that is only filled boxes and solid
    // rules (given as thin boxes), in the order to paint them; empty when anything else
    // shows there: a curve, a picture, a dashed rule, a shading.
    QVector<FilledBox> plainShapes(QRectF const& box) const;

private:
    PageGraphics const& m_graphics;
    QVector<bool> m_usedRulings;
    QVector<bool> m_usedFills;
};

} // namespace engine
} // namespace pdfconv

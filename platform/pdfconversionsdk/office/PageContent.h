#pragma once

#include "engine/PdfGraphics.h"
#include "layout/Footnotes.h"
#include "layout/PageLayout.h"

#include <ooxml/Picture.h>
#include <ooxml/TextRun.h>

#include <QRectF>
#include <QVector>

namespace pdfconv {
namespace office {

// Something the page draws besides text and tables (a chart, a shape, a photograph), kept
// as a picture of its part of the page.
struct Figure
{
    QRectF box;             // points
    ooxml::Picture picture; // made just before the page is written
    // Drawn with the words inside it, which then leave the text: the labels of a chart.
    bool withText = false;
    QVector<int> labels; // those words' blocks
    // Other text stands in its box: the picture is drawn from the page without its text.
    bool overText = false;
    // All it shows when that is only filled boxes and solid rules: painted here, not
    // rendered by the PDF library.
    QVector<engine::FilledBox> shapes;
    int beforeBlock = 0; // its place in reading order, as for tables
    QString description; // what it shows in words: a display equation's text
};

// One page as the office outputs see it: its text, what it draws besides text, and a
// picture of the page where the output needs one.
struct PageContent
{
    layout::PageLayout layout;
    engine::PageGraphics graphics;
    QVector<Figure> figures;
    // The text stands over a picture of itself: recognised from the page's image, or an
    // invisible text layer over a scan.
    bool recognized = false;
    QVector<QRectF> ocrWords; // where those words stand, in points
    ooxml::Picture picture;   // empty when the output needs none
    // A colour filling the whole page behind everything else (a slide's); invalid: none.
    QColor background;
    // Running heads and feet, out of the layout's blocks; the number the page shows, or 0.
    QVector<layout::Block> header;
    QVector<layout::Block> footer;
    int pageNumber = 0;
    // Footnotes, out of the layout's blocks, anchored at their marks in the blocks that remain.
    QVector<layout::Footnote> footnotes;
    bool hasPicture() const { return !picture.data.isEmpty(); }
    // Where that picture stands: where a scan's own image is, else over the whole page.
    QRectF pictureBox() const
    {
        return graphics.imageObject != 0 ? graphics.imageBox : QRectF(QPointF(0, 0), layout.size);
    }
};

// The colour of a filled box behind the whole page, unless white; invalid: none.
QColor pageBackground(QVector<engine::FilledBox> const& fills, QSizeF const& size);

// Takes the running heads and feet (layout::RunningHeads) out of the pages' text; tables and
// figures keep their places among the blocks that remain.
void takeRunningHeads(QVector<PageContent>& pages);

// Takes the footnotes (layout::Footnotes) out of the pages' text; a page of more than
// kMaxPageNotes keeps them as text.
constexpr int kMaxPageNotes = 32;
void takeFootnotes(QVector<PageContent>& pages);

// Makes the hyphens soft where the pages' line ends cut a word of the document
// (layout::HyphenJoins): Word reads the word whole and breaks the line there.
void joinHyphenatedWords(QVector<PageContent>& pages);

// One item of a page in reading order: a block, a table or a figure.
struct PageItem
{
    layout::Block const* block = nullptr;
    layout::Table const* table = nullptr;
    Figure const* figure = nullptr;
};
QVector<PageItem> readingOrder(layout::PageLayout const& page, QVector<Figure> const& figures = {});

// The words of a block as runs of one style each, with the font family mapped to an
// installed one. Lines are joined as running text, or kept apart by line breaks. From
// @p firstWord on in the first line (list markers stay out).
QVector<ooxml::TextRun> blockRuns(layout::Block const& block, bool lineBreaks, int firstWord = 0);
// The baseline that most of the line's text stands on.
double lineBaseline(layout::Line const& line);

// The box that holds all text of the page; empty without text.
QRectF contentBox(layout::PageLayout const& page);

} // namespace office
} // namespace pdfconv

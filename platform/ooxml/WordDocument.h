#pragma once

#include "ooxml/DocumentInfo.h"
#include "ooxml/Picture.h"
#include "ooxml/TextRun.h"

#include <QColor>
#include <QMarginsF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QVector>

#include <memory>
#include <optional>
#include <variant>

namespace ooxml {

/// A picture inside a Word paragraph.
struct WordPicture
{
    Picture picture;
    /// false: the picture sits in the line like a large character. true: it is placed at
    /// `position` on the page of its paragraph, behind the text, without moving the text.
    bool anchored = false;
    QPointF position; ///< Points from the page's top-left corner; read only when anchored.
    /// With `anchored`: position.y() measures from the top of its paragraph instead, so the
    /// picture moves with the text around it.
    bool fromParagraph = false;
    /// What the picture shows in words (its alternative text); empty: none.
    QString description = QString();
};

/// A footnote: its mark stands here, raised, and its text at the foot of the page.
struct WordNote
{
    QVector<TextRun> text; ///< A '\n' in it starts a new line of the note.
    /// The mark in the text and in front of the note; empty: Word numbers the notes itself.
    QString mark;
    TextRun format; ///< The mark's face and size; its text is not used.
};

/// One element of a paragraph: text, a picture or a footnote.
using WordInline = std::variant<TextRun, WordPicture, WordNote>;

/// The label of a list item, drawn by Word in front of the paragraph's first line.
///
/// Items that share `list` (above 0) count on from one another; every list number starts a
/// numbering of its own at `start`. The label stands at the paragraph's left indent plus its
/// first-line indent (negative: hanging), the text at the left indent.
struct WordListLabel
{
    enum class Kind
    {
        None,
        Bullet,
        Decimal,
        LowerLetter,
        UpperLetter,
        LowerRoman,
        UpperRoman
    };

    Kind kind = Kind::None;
    int list = 0;
    int start = 1;
    QString bullet = QStringLiteral("\u2022"); ///< The bullet's text.
    QString suffix = QStringLiteral(".");      ///< After a number: ".", ")" or nothing.
};

/// Where text after a tab starts, is centred or ends.
struct WordTabStop
{
    enum class Alignment
    {
        Left,
        Center,
        Right
    };
    double position = 0; ///< Points from the text area's left edge.
    Alignment alignment = Alignment::Left;
};

/// A paragraph of runs and pictures.
struct WordParagraph
{
    enum class Alignment
    {
        Left,
        Center,
        Right,
        Justify
    };

    QVector<WordInline> content;
    Alignment alignment = Alignment::Left;
    double spaceBefore = 0.0;     ///< Points.
    double spaceAfter = 0.0;      ///< Points.
    double indentLeft = 0.0;      ///< Points from the text area's (or frame's) left edge.
    double indentRight = 0.0;     ///< Points from its right edge.
    double firstLineIndent = 0.0; ///< Points from the left indent; negative hangs.
    /// Baseline to baseline, in points, exactly; 0 leaves the fonts' own line height.
    double lineSpacing = 0.0;
    QColor shading; ///< The paragraph's background; invalid: none.
    WordListLabel label;
    bool columnBreakBefore = false; ///< Starts in the next newspaper column.
    /// Reads from right to left: its lines start at the right, where a first-line indent
    /// then stands. Indents and alignment still say left for the page's left side.
    bool rightToLeft = false;
    QVector<WordTabStop> tabs;      ///< Besides Word's default stops every half inch.
    /// Set: the paragraph stands in a frame at this rectangle of its page (points from the
    /// page's top-left corner) instead of in the flow of the text. A height of 0 lets the
    /// frame grow with its text. Paragraphs one after another with the same rectangle share
    /// one frame.
    std::optional<QRectF> frame;
};

/// One edge of a table cell.
struct WordBorder
{
    enum class Style
    {
        Inherit, ///< As the table's borders say.
        None,
        Single,
        Dashed,
        Dotted,
        Double
    };

    Style style = Style::Inherit;
    double width = 0.5; ///< Points.
    QColor colour;      ///< Invalid: black.
};

/// A table cell; it may be empty, Word gets an empty paragraph then. A cell merged into the
/// one above shows no text: its paragraphs only give its empty lines their size.
struct WordTableCell
{
    enum class Merge
    {
        None,
        Start,   ///< The first of cells merged downwards.
        Continue ///< Merged into the cell above: its own content is not shown.
    };

    QVector<WordParagraph> paragraphs;
    QColor shading; ///< Invalid: none.
    WordBorder top, left, bottom, right;
    int columnSpan = 1; ///< Grid columns this cell covers; the row then has fewer cells.
    Merge verticalMerge = Merge::None;
    /// Where the text stands between the cell's top and bottom; for cells merged downwards
    /// the first cell's tells.
    enum class VerticalAlignment
    {
        Top,
        Center,
        Bottom
    };
    VerticalAlignment verticalAlignment = VerticalAlignment::Top;
};

/// A table row; rows shorter than the longest one are filled with empty cells.
struct WordTableRow
{
    QVector<WordTableCell> cells;
    double height = 0.0; ///< At least this many points; 0: as the content needs.
};

/// A table with a fixed column grid.
struct WordTable
{
    QVector<WordTableRow> rows;
    /// Points per column. Columns without a width share what is left of the text width.
    QVector<double> columnWidths;
    bool borders = true; ///< Single thin lines around and between all cells.
    /// Set: the table floats with its top-left corner here (points from the page's top-left
    /// corner) instead of standing in the flow of the text.
    std::optional<QPointF> position;
    /// In the flow of the text: points from the text area's left edge to the table's left
    /// edge. Unset: where Word puts it.
    std::optional<double> indent;
    /// Points between a cell's edge and its text, left and right; below 0: Word's default.
    double cellPadding = -1.0;
};

/// Starts the next paragraph or table on a new page. A page break that nothing follows in
/// its section is dropped: a section boundary already starts a new page.
struct PageBreak
{
};

/// One element of a section.
using WordBlock = std::variant<WordParagraph, WordTable, PageBreak>;

/// The text above and below the text area of a section's pages. Pictures and notes in it
/// are left out.
struct WordHeaderFooter
{
    QVector<WordParagraph> header;
    QVector<WordParagraph> footer;
};

/// Page size and margins of a section.
///
/// Word accepts pages from 0.1 to 22 inches a side: sizes are clamped to that range, and
/// margins shrink so that at least 0.1 inch of text width and height remain.
struct WordPageSetup
{
    QSizeF size{595.0, 842.0};                 ///< Points; A4 by default.
    QMarginsF margins{72.0, 72.0, 72.0, 72.0}; ///< Points: left, top, right, bottom.
    int columns = 1;                           ///< Newspaper columns of equal width, 1 to 10.
    double columnGap = 36.0;                   ///< Points between two columns.
    /// The section goes on on the page where the previous one ends (a change of columns
    /// within a page); its page size is then the previous section's.
    bool continuous = false;
    /// Running heads and feet on every page, or the odd ones when `evenPages` is set. Null:
    /// the previous section's, none for the first.
    std::shared_ptr<WordHeaderFooter const> pages;
    std::shared_ptr<WordHeaderFooter const> evenPages; ///< Shown once any section has them.
    std::shared_ptr<WordHeaderFooter const> firstPage; ///< The section's first page.
    int firstPageNumber = 0;                           ///< Above 0: the section's pages count on from it.
    /// Points from the page's top edge to the header, and from its bottom edge to the footer;
    /// below 0: half an inch, or the margin when that is smaller.
    double headerDistance = -1;
    double footerDistance = -1;
    /// Word numbers the lines in the left margin, this many points from the text; 0: none.
    double lineNumberDistance = 0;
    /// The line numbers start again at 1 on every page rather than count on.
    bool lineNumbersEachPage = false;
};

/// A run of pages with one page setup; every section but a continuous one starts on a new
/// page.
struct WordSection
{
    WordPageSetup page;
    QVector<WordBlock> blocks;
};

/// A Word document. A document without sections is written as one empty A4 page.
struct WordDocument
{
    DocumentInfo info;
    QVector<WordSection> sections;
};

} // namespace ooxml

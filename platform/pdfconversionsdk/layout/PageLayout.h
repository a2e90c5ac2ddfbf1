#pragma once

#include <QColor>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>

// The text of one page as an editable document sees it: words with their boxes and fonts,
// grouped into lines, lines into blocks (paragraphs and headings), blocks into columns, all
// in reading order. Every output format (text, RTF, HTML, and the office formats and text
// recognition that build on them) is written from this model, never from the PDF directly.
//
// Coordinates are PDF points (1/72 inch) with the origin at the top-left corner of the
// page's crop box, y growing downwards, as the page is seen upright. Words set at a quarter
// turn keep their upright page box and their rotation.
namespace pdfconv {
namespace layout {

struct Word
{
    QString text;
    QRectF box;
    QString fontName;    // the PDF font name without a subset prefix ("Arial-BoldMT")
    QString fontFamily;  // the family part of that name ("Arial")
    double fontSize = 0; // in points
    bool bold = false;
    bool italic = false;
    bool monospace = false;
    bool serif = false;
    bool spaceAfter = false; // the PDF puts a space (or a gap as wide as one) after the word
    int rotation = 0;        // quarter turns clockwise: 0 upright, 1, 2, 3
    // How the page paints the word (PageStyles), where it can tell.
    QColor colour;           // invalid: not known, black
    QColor highlight;        // a filled box just around the word; invalid: none
    bool underline = false;  // a rule under the word
    bool strike = false;     // a rule through it
    double baseline = 0;     // y of the baseline, 0: not known
    bool pageNumber = false; // the number of its page, in a running head or foot
    // Its letters came in the order they stand on the page (layout::ScriptOrder): a number
    // among right-to-left words reads with its punctuation at the other end.
    bool drawnOrder = false;
};

struct Line
{
    QVector<Word> words; // in reading order (right to left for right-to-left script)
    QRectF box;
    double fontSize = 0; // the size that covers most characters
    bool rightToLeft = false;

    // What stands between word i and word i + 1: one space where the PDF shows one.
    QString separatorAfter(int i) const;
    // The words joined with their separators.
    QString text() const;
};

enum class BlockKind
{
    Paragraph,
    Heading,
    Equation // a display equation, its lines as the page sets them
};

struct Block
{
    BlockKind kind = BlockKind::Paragraph;
    int headingLevel = 0; // 1 (largest) to 3 for headings, 0 for paragraphs
    QVector<Line> lines;
    QRectF box;
    double fontSize = 0; // the size that covers most characters
    bool bold = false;   // most characters are bold
    bool italic = false; // most characters are italic
    int column = 0;      // index into PageLayout::columns
    QColor shading;      // a filled box behind the whole block; invalid: none

    // What joins line i to line i + 1 in running text: nothing after a hyphen (which stays
    // as written) or between two ideographs, otherwise one space.
    QString separatorAfter(int i) const;
    // The lines joined into running text with their separators.
    QString text() const;
};

// A rectangle of the page read as one column. Columns are listed in reading order: the
// horizontal bands of the page from the top, and within a band from left to right.
struct Column
{
    QRectF box;
    int band = 0; // bands count from the top; columns of one band sit side by side
};

// A drawn edge of a table cell.
struct Rule
{
    bool present = false;
    double width = 0.5; // points
    QColor colour;      // invalid: black
    int dash = 0;       // 0 solid, 1 dashed, 2 dotted
};

// One cell of a table: its text laid out as blocks of its own. A cell that spans several
// grid cells stands at the top-left one; the others are covered and stay empty.
struct TableCell
{
    QVector<Block> blocks;
    int columnSpan = 1;
    int rowSpan = 1;
    bool covered = false;
    QColor shading; // invalid: none
    Rule top, left, bottom, right;

    bool isEmpty() const { return blocks.isEmpty(); }
    // The blocks' running text, one line per block.
    QString text() const;
};

// A table found from the page's geometry: a grid of rows and columns.
struct Table
{
    QRectF box;
    QVector<double> columnEdges;      // left to right, one more than there are columns
    QVector<double> rowEdges;         // top to bottom, one more than there are rows
    QVector<QVector<TableCell>> rows; // rows[r][c]
    bool ruled = false;               // drawn as a grid of lines, not only aligned text
    // Where the table stands in reading order: before this index into PageLayout::blocks
    // (the block count when it comes last).
    int beforeBlock = 0;

    int rowCount() const { return rows.size(); }
    int columnCount() const { return columnEdges.size() - 1; }
};

struct PageLayout
{
    int pageIndex = 0; // from 0
    QSizeF size;       // of the crop box, in points
    QVector<Column> columns;
    QVector<Block> blocks;   // in reading order
    QVector<Table> tables;   // in reading order, each placed among the blocks by beforeBlock
    double bodyFontSize = 0; // the size of most text on the page, 0 without text
    // Numbers set in the margin beside the lines (layout::LineNumbers), out of the text.
    QVector<Word> lineNumbers;

    bool hasText() const { return !blocks.isEmpty() || !tables.isEmpty(); }
    // A letter or a digit anywhere: what a scan's stray marks in a text layer never are alone.
    bool hasReadableText() const;
};

} // namespace layout
} // namespace pdfconv

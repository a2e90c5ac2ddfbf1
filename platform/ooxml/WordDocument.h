#pragma once

#include "ooxml/DocumentInfo.h"
#include "ooxml/Picture.h"
#include "ooxml/TextRun.h"

#include <QMarginsF>
#include <QPointF>
#include <QSizeF>
#include <QVector>

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
};

/// One element of a paragraph: text or a picture.
using WordInline = std::variant<TextRun, WordPicture>;

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
    double spaceBefore = 0.0; ///< Points.
    double spaceAfter = 0.0;  ///< Points.
};

/// A table cell; it may be empty, Word gets an empty paragraph then.
struct WordTableCell
{
    QVector<WordParagraph> paragraphs;
};

/// A table row; rows shorter than the longest one are filled with empty cells.
struct WordTableRow
{
    QVector<WordTableCell> cells;
};

/// A table with a fixed column grid.
struct WordTable
{
    QVector<WordTableRow> rows;
    /// Points per column. Columns without a width share what is left of the text width.
    QVector<double> columnWidths;
    bool borders = true; ///< Single thin lines around and between all cells.
};

/// Starts the next paragraph or table on a new page. A page break that nothing follows in
/// its section is dropped: a section boundary already starts a new page.
struct PageBreak
{
};

/// One element of a section.
using WordBlock = std::variant<WordParagraph, WordTable, PageBreak>;

/// Page size and margins of a section.
///
/// Word accepts pages from 0.1 to 22 inches a side: sizes are clamped to that range, and
/// margins shrink so that at least 0.1 inch of text width and height remain.
struct WordPageSetup
{
    QSizeF size{595.0, 842.0};                 ///< Points; A4 by default.
    QMarginsF margins{72.0, 72.0, 72.0, 72.0}; ///< Points: left, top, right, bottom.
};

/// A run of pages with one page setup; every section starts on a new page.
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

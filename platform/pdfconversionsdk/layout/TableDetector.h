#pragma once

#include "PageLayout.h"

#include <QLineF>
#include <QVector>

namespace pdfconv {
namespace layout {

// Finds tables on a page from its geometry, before the words are read as running text.
//
// Ruled tables: horizontal and vertical strokes that cross each other form a grid; every
// grid of at least two columns with text inside is a table, its cells the grid's cells.
// Unruled tables: rows of upright text that split at wide gaps into fragments, none of them
// reaching over the gaps of the rows under the first, for at least three rows (two with three
// columns or more); a group's label on a row of its own in the first column, with rows of
// cells under it, stays in the table. Their columns come from the text edges of all rows
// together, the first row (the header) aside, whose headings go to the column they stand over
// or precede.
// Aligned text counts as a table only when its cells are short or mostly numbers: two
// columns of running text line up as well, with long lines of words.
class TableDetector
{
public:
    struct Result
    {
        QVector<Table> tables; // top to bottom; beforeBlock not set yet
        QVector<Word> rest;    // the words outside every table
    };

    // @p styles, when given, holds how each of the rulings is drawn: ruled cells then get
    // their edges. Two grid cells between which no stroke runs are one merged cell.
    static Result detect(QVector<Word> const& words, QVector<QLineF> const& rulings, QSizeF const& pageSize,
                         QVector<Rule> const& styles = {});

    // A cell text that is a plain number: "1234", "-12.5", "1,234,567.89". Codes with a
    // leading zero ("0042") and digit strings longer than a double holds stay text.
    static bool parseNumber(QString const& text, double* value = nullptr);
};

} // namespace layout
} // namespace pdfconv

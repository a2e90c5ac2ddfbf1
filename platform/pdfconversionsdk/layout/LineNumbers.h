#pragma once

#include "PageLayout.h"

namespace pdfconv {
namespace layout {

// Numbers a manuscript sets in the margin beside its lines: a column of counting numbers,
// each on a line of text, left of all the page's text (or right of it), lined up at their
// inner edge. They are no part of the text, and read as text they make every line a row of
// a two-column table.
class LineNumbers
{
public:
    // Takes the margin's line numbers out of @p words and returns them, top to bottom (the
    // left margin's, then the right one's).
    static QVector<Word> take(QVector<Word>& words);
};

} // namespace layout
} // namespace pdfconv

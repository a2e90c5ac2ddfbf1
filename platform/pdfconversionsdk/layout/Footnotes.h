#pragma once

#include "PageLayout.h"

namespace pdfconv {
namespace layout {

// A footnote: small text at the foot of a page, after a mark (a number or a symbol) that
// stands raised in the page's text.
struct Footnote
{
    QString mark;
    Block text; // its lines, the mark left out
    // Where its mark stands in the text: block, line and word.
    int block = 0;
    int line = 0;
    int word = 0;
    // A note without a mark (set apart by the rule above it alone) follows that word.
    bool after = false;
};

class Footnotes
{
public:
    struct Found
    {
        QVector<Footnote> notes;
        QVector<int> blocks; // the blocks that hold nothing but notes
        QVector<int> tables; // the tables that do: marks in one column, the notes beside them
    };
    // @p bodySize: the size of the document's body text, which notes are set smaller than;
    // @p rulings: the page's strokes, among them the short rule over notes without marks.
    static Found find(PageLayout const& page, double bodySize, QVector<QLineF> const& rulings = {});
    // A number of one to three digits, or one to three of the symbols notes are marked with.
    static bool isMark(QString const& text);
};

} // namespace layout
} // namespace pdfconv

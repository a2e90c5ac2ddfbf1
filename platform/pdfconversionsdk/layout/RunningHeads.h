#pragma once

#include "PageLayout.h"

namespace pdfconv {
namespace layout {

// Running heads and feet: a line at the top or foot of a page, outside its text, that stands
// at the same place with the same words (numbers aside) on other pages too, or at a place
// where other pages' running heads stand.
class RunningHeads
{
public:
    // The running heads and feet of one page, top to bottom; the words that show the page's
    // number are marked as such.
    struct Page
    {
        QVector<Block> header;
        QVector<Block> footer;
        QVector<int> blocks; // the page's blocks they are
        // Some stand in the first or last row of a table that aligned text made: the page
        // needs laying out again without them.
        bool inTable = false;
        int number = 0; // the number the page shows as its own; 0: none
    };

    static QVector<Page> find(QVector<PageLayout const*> const& pages);
    // The signature that repeats: the text, lower case, each number a '#'.
    static QString signature(QString const& text);
};

} // namespace layout
} // namespace pdfconv

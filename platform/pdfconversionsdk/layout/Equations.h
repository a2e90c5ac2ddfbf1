#pragma once

#include "PageLayout.h"

namespace pdfconv {
namespace layout {

// Display equations: lines set apart from the running text that hold mathematics (faces of
// mathematics, operators, variables of one letter) and next to no words of text, with the
// number at their right. A fraction's lines and the number beside them make one equation.
class Equations
{
public:
    // A word set in a face of mathematics, or made of mathematical signs.
    static bool isMath(Word const& word);
    // Whether the words of one line are mathematics with next to no text.
    static bool isMathLine(QVector<Word const*> const& words);
    // Makes the page's display equations blocks of their own (BlockKind::Equation).
    static void mark(PageLayout& page);
};

} // namespace layout
} // namespace pdfconv

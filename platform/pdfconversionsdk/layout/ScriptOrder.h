#pragma once

#include "PageLayout.h"

namespace pdfconv {
namespace layout {

// Text in the order it is read, whatever order the PDF draws it in.
//
// A PDF draws shaped right-to-left text and Burmese syllables in the order the glyphs stand on
// the page; the text a word is read from then comes out reversed, or with a vowel sign before
// its consonant. Other producers (a text layer over a scan) keep the reading order. Which of
// the two a page holds shows in letters that only end a word (Hebrew final forms, the Arabic
// teh marbuta) or never start one (the Burmese vowel sign e).
class ScriptOrder
{
public:
    // Puts the letters of each word of a page in reading order, where the page shows them in
    // the order they stand.
    static void toLogical(QVector<Word>& words);
    // Whether a page's right-to-left words hold their letters in the order they are drawn.
    static bool drawnRightToLeft(QVector<Word> const& words);
    // @p words: a line's words from left to right. Reorders them as they are read: right to
    // left in a right-to-left line, but numbers and left-to-right phrases within it from left
    // to right, and a right-to-left phrase within a left-to-right line from right to left. The
    // space after each word is the one that follows it in that order.
    static void orderLine(QVector<Word>& words, bool rightToLeft);
    // Whether a line, its words from left to right, reads from right to left: its first and
    // last words are right-to-left, or where they differ, most of its letters.
    static bool rightToLeft(QVector<Word> const& words);

    // The letters of a right-to-left word as they stand on the page, in reading order: the
    // right-to-left letters reversed, numbers and Latin letters within it as they are.
    static QString reverseVisual(QString const& text);
    // A Burmese word whose vowel signs e and medial ra stand before their consonant, as drawn,
    // in reading order.
    static QString myanmarLogical(QString const& text);
};

} // namespace layout
} // namespace pdfconv

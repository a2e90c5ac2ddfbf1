#pragma once

#include "PageLayout.h"

#include <QSet>

namespace pdfconv {
namespace layout {

// Words a line end cuts at a hyphen ("proceed-" and "ing"), made whole again where the whole
// word is a word of the document's language: it stands whole elsewhere in the document, or
// its parts are no words of it. A hyphen that joins two words of the document ("long-term"),
// or that the document writes within a line, stays.
class HyphenJoins
{
public:
    // Takes the words of a page into the document's vocabulary.
    void learn(PageLayout const& page);
    // Whether "head-" at a line end and "tail" at the next line's start are one word.
    bool joins(QString const& head, QString const& tail) const;
    // Makes the hyphens of the page's cut words soft (U+00AD), in its blocks: the lines keep
    // their words, and the text reads each word whole where no line breaks it. Returns how many.
    int join(PageLayout& page) const;

private:
    QSet<QString> m_words;     // lower case, whole words only
    QSet<QString> m_compounds; // "long-term", as written within lines
};

} // namespace layout
} // namespace pdfconv

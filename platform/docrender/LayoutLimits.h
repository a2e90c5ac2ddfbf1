#pragma once

#include <QString>

class QTextDocument;

namespace docrender {

// Bounds the work a document gives Qt's text layout before it gets it. Qt lays a paragraph out
// in time that grows with the square of its length, nests tables at a cost that multiplies
// with their depth, and holds every paragraph in memory: a few megabytes of hostile text would
// take it minutes and gigabytes. What is bounded here reads the same on paper.
class LayoutLimits
{
public:
    // A paragraph of more characters becomes several, parted at a blank where there is one:
    // a hundred lines of text or more, each part starting on a line of its own.
    static constexpr int kMaxParagraph = 8000;
    // More paragraphs (or lines of plain text, or HTML elements) than a document may have:
    // some tens of thousands of pages, far more than anyone prints.
    static constexpr int kMaxParagraphs = 500000;
    // Elements nested deeper than this, and tables within tables deeper than kMaxTableDepth,
    // lose their tags; their text stays, in the element around them.
    static constexpr int kMaxDepth = 200;
    static constexpr int kMaxTableDepth = 8;

    // Plain text with its overlong lines parted; @p lines receives how many it has.
    static QString plainText(QString const& text, int* lines);
    // HTML nested within the limits; @p elements receives how many elements it opens.
    static QString html(QString const& html, int* elements);
    // Parts the document's overlong paragraphs (read from any source); false when it has more
    // paragraphs than it may.
    static bool fitParagraphs(QTextDocument& document);
};

} // namespace docrender

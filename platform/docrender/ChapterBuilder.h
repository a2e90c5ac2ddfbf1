#pragma once

#include <QString>

namespace docrender {

class ResourceTextDocument;

// Joins the HTML pages of a book (EPUB spine documents, CHM topics) into one text document,
// each page after the first starting on a new sheet.
class ChapterBuilder
{
public:
    explicit ChapterBuilder(ResourceTextDocument& document);

    // @p path is the page's own path in the book, against which its references resolve.
    // False, and nothing added, once the book holds more than can be laid out
    // (LayoutLimits::kMaxParagraphs elements).
    bool addChapter(QString const& path, QString const& html);
    int chapterCount() const { return m_count; }

private:
    ResourceTextDocument& m_document;
    int m_count = 0;
    int m_elements = 0;
};

} // namespace docrender

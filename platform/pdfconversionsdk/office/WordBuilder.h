#pragma once

#include "PageContent.h"

#include <ooxml/DocxStreamWriter.h>
#include <ooxml/WordDocument.h>

#include <optional>

namespace pdfconv {
namespace office {

// Rebuilds the pages as a Word document.
//
// Flowing text: lines joined into paragraphs that Word wraps anew, sections only where the
// page size changes, and a page break where a PDF page ends a paragraph; a paragraph that
// runs on to the next page stays one paragraph. Page layout: every PDF page is a section of
// its size, lines keep their breaks, columns stand side by side in a table without borders,
// and vertical gaps become paragraph spacing.
class WordBuilder
{
public:
    // @p pages holds every page's layout (flowing text fits a section's margins to all its
    // pages); a page's picture is read only when the page is added, and a page may be let go
    // after that. The builder keeps the reference, so the vector must outlive it.
    WordBuilder(QVector<PageContent> const& pages, bool flowing, ooxml::DocxStreamWriter& writer);
    // Adds the pages in order, each once; what a page makes goes to the writer at once but
    // its last block, which the next page may still change.
    void addPage(int index);
    // Hands over that last block.
    void finish();

private:
    void beginSection(ooxml::WordPageSetup const& page);
    void push(ooxml::WordBlock const& block);
    void pushTable(ooxml::WordTable const& table);
    ooxml::WordParagraph* lastParagraph();
    void addFlowing(PageContent const& page, int index);
    void addLaidOut(PageContent const& page);

    QVector<PageContent> const& m_pages;
    bool m_flowing;
    ooxml::DocxStreamWriter& m_writer;
    QVector<int> m_sectionOf;               // flowing text: each page's section
    QVector<ooxml::WordPageSetup> m_setups; // flowing text: each section's page
    ooxml::WordPageSetup m_page;            // the section being written
    int m_sections = 0;
    int m_sectionBlocks = 0;
    std::optional<ooxml::WordBlock> m_last;
    bool m_openParagraph = false; // flowing text: the last paragraph may go on on the next page
};

} // namespace office
} // namespace pdfconv

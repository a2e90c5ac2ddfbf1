#pragma once

#include "PageContent.h"

#include <ooxml/WordDocument.h>

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
    static ooxml::WordDocument build(QVector<PageContent> const& pages, bool flowing, QString const& title);
};

} // namespace office
} // namespace pdfconv

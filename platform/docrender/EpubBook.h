#pragma once

#include "DocRender.h"

namespace docrender {

// Lays out an EPUB book: the spine's documents in order, with their images and style sheets,
// each starting on a new page.
class EpubBook
{
public:
    static RenderResult render(QString const& source, QString const& pdfPath);
};

} // namespace docrender

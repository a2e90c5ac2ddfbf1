#pragma once

#include "DocRender.h"

namespace docrender {

// Lays out a compiled HTML help file through chmlib: its topics in the order of the table of
// contents (all HTML pages by name when it has none), each starting on a new page.
class ChmBook
{
public:
    static RenderResult render(QString const& source, QString const& pdfPath);
};

} // namespace docrender

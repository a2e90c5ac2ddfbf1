#pragma once

#include "DocRender.h"

namespace docrender {

// Opens a PDF with qpdf to tell whether it is readable, locked or damaged, and counts its pages.
class PdfInspector
{
public:
    struct Report
    {
        RenderError error = RenderError::None;
        QString message;
        int pages = 0;
    };

    static Report inspect(QString const& path);
};

} // namespace docrender

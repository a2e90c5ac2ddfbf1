#pragma once

#include "DocRender.h"

namespace docrender {

// Writes image files as PDF pages directly with qpdf: JPEG data goes in untouched (DCTDecode),
// everything else as Flate-compressed pixels. Each page has the image's size at its resolution.
class ImageRenderer
{
public:
    static RenderResult render(QString const& source, QString const& pdfPath);
};

} // namespace docrender

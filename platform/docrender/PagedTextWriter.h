#pragma once

#include "DocRender.h"

#include <QFont>

class QTextDocument;

namespace docrender {

// Lays a text document out on A4 pages with 20 mm margins and writes it with Qt's PDF writer.
class PagedTextWriter
{
public:
    static QFont documentFont();
    static QFont plainTextFont();
    // An empty document still gives one (blank) page, as printing it would.
    static RenderResult write(QTextDocument& document, QString const& pdfPath, QString const& title);
};

} // namespace docrender

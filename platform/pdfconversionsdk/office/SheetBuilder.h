#pragma once

#include "PageContent.h"

#include <ooxml/Workbook.h>

namespace pdfconv {
namespace office {

// Puts the tables of the pages into sheets, cells holding numbers as numbers.
//
// One sheet per table ("Table 1", ...) or one per page ("Page 1", ...). With all content,
// the text around the tables goes into rows too, a line a row: under the table it follows,
// or above the first table; without tables each page becomes a sheet of its text. With
// tables only, pages without tables get no sheet, and a file without tables gets none.
class SheetBuilder
{
public:
    static ooxml::Workbook build(QVector<PageContent> const& pages, bool allContent, bool sheetPerTable,
                                 QString const& title);
};

} // namespace office
} // namespace pdfconv

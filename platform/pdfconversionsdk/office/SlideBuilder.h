#pragma once

#include "PageContent.h"

#include <ooxml/Presentation.h>

namespace pdfconv {
namespace office {

// A slide per page, of the page's shape: the page's picture without its text behind, the
// text in editable boxes at the places and sizes it has on the page, a box per block and per
// table cell.
class SlideBuilder
{
public:
    static ooxml::Presentation build(QVector<PageContent> const& pages, QString const& title);
};

} // namespace office
} // namespace pdfconv

#include "SlideBuilder.h"

#include <algorithm>

namespace pdfconv {
namespace office {

namespace {

ooxml::SlideTextBox textBox(layout::Block const& block)
{
    ooxml::SlideTextBox box;
    // The text does not wrap; a little room keeps a wider substitute font on its line.
    box.frame = block.box.adjusted(0, 0, std::max(4.0, 0.1 * block.box.width()), 0);
    box.runs = blockRuns(block, true);
    return box;
}

} // namespace

ooxml::Presentation SlideBuilder::build(QVector<PageContent> const& pages, QString const& title)
{
    ooxml::Presentation presentation;
    presentation.info.title = title;
    if (!pages.isEmpty() && !pages.first().layout.size.isEmpty())
        presentation.slideSize = pages.first().layout.size;
    for (auto const& page : pages) {
        ooxml::Slide slide;
        slide.size = page.layout.size;
        if (page.hasPicture())
            slide.pictures.push_back({page.picture, page.pictureBox().topLeft()});
        for (auto const& block : page.layout.blocks)
            slide.textBoxes.push_back(textBox(block));
        for (auto const& table : page.layout.tables)
            for (auto const& row : table.rows)
                for (auto const& cell : row)
                    for (auto const& block : cell.blocks)
                        slide.textBoxes.push_back(textBox(block));
        presentation.slides.push_back(slide);
    }
    return presentation;
}

} // namespace office
} // namespace pdfconv

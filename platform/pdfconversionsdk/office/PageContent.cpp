#include "PageContent.h"

#include <cmath>

namespace pdfconv {
namespace office {

QVector<PageItem> readingOrder(layout::PageLayout const& page)
{
    QVector<PageItem> items;
    int t = 0;
    for (int b = 0; b <= page.blocks.size(); ++b) {
        while (t < page.tables.size() && page.tables.at(t).beforeBlock <= b)
            items.push_back({nullptr, &page.tables.at(t++)});
        if (b < page.blocks.size())
            items.push_back({&page.blocks.at(b), nullptr});
    }
    while (t < page.tables.size())
        items.push_back({nullptr, &page.tables.at(t++)});
    return items;
}

QVector<ooxml::TextRun> blockRuns(layout::Block const& block, bool lineBreaks)
{
    QVector<ooxml::TextRun> runs;
    for (int l = 0; l < block.lines.size(); ++l) {
        layout::Line const& line = block.lines.at(l);
        for (int w = 0; w < line.words.size(); ++w) {
            layout::Word const& word = line.words.at(w);
            ooxml::TextRun run;
            // Half points, as the office formats store sizes.
            run.fontSize = word.fontSize > 0 ? std::max(1.0, std::round(word.fontSize * 2) / 2) : 11.0;
            run.bold = word.bold;
            run.italic = word.italic;
            run.text = word.text;
            if (w + 1 < line.words.size())
                run.text += line.separatorAfter(w);
            else if (l + 1 < block.lines.size())
                run.text += lineBreaks ? QStringLiteral("\n") : block.separatorAfter(l);
            if (!runs.isEmpty() && runs.last().fontSize == run.fontSize && runs.last().bold == run.bold &&
                runs.last().italic == run.italic)
                runs.last().text += run.text;
            else
                runs.push_back(run);
        }
    }
    return runs;
}

QRectF contentBox(layout::PageLayout const& page)
{
    QRectF box;
    for (auto const& b : page.blocks)
        box = box.isNull() ? b.box : box.united(b.box);
    for (auto const& t : page.tables)
        box = box.isNull() ? t.box : box.united(t.box);
    return box;
}

} // namespace office
} // namespace pdfconv

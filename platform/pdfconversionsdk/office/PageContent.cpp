#include "PageContent.h"

#include "FontMatcher.h"

#include <algorithm>

#include <cmath>

namespace pdfconv {
namespace office {

QVector<PageItem> readingOrder(layout::PageLayout const& page, QVector<Figure> const& figures)
{
    QVector<PageItem> items;
    int t = 0, f = 0;
    for (int b = 0; b <= page.blocks.size(); ++b) {
        for (bool more = true; more;) {
            more = false;
            bool const table = t < page.tables.size() && page.tables.at(t).beforeBlock <= b;
            bool const figure = f < figures.size() && figures.at(f).beforeBlock <= b;
            // Tables and figures before the same block go top down.
            if (table && (!figure || page.tables.at(t).box.top() <= figures.at(f).box.top())) {
                items.push_back({nullptr, &page.tables.at(t++), nullptr});
                more = true;
            } else if (figure) {
                items.push_back({nullptr, nullptr, &figures.at(f++)});
                more = true;
            }
        }
        if (b < page.blocks.size())
            items.push_back({&page.blocks.at(b), nullptr, nullptr});
    }
    return items;
}

double lineBaseline(layout::Line const& line)
{
    QVector<double> baselines;
    for (auto const& w : line.words)
        if (w.fontSize >= 0.85 * line.fontSize)
            baselines << (w.baseline != 0 ? w.baseline : w.box.bottom() - 0.2 * w.fontSize);
    if (baselines.isEmpty())
        return line.box.bottom() - 0.2 * line.fontSize;
    std::sort(baselines.begin(), baselines.end());
    return baselines.at(baselines.size() / 2);
}

namespace {

ooxml::TextRun runOf(layout::Word const& word, layout::Line const& line, double baseline)
{
    ooxml::TextRun run;
    run.text = word.text;
    // Half points, as the office formats store sizes.
    run.fontSize = word.fontSize > 0 ? std::max(1.0, std::round(word.fontSize * 2) / 2) : 11.0;
    run.bold = word.bold;
    run.italic = word.italic;
    run.fontFamily = FontMatcher::family(word);
    run.colour = word.colour;
    run.highlight = word.highlight;
    run.underline = word.underline;
    run.strike = word.strike;
    double const size = line.fontSize > 0 ? line.fontSize : run.fontSize;
    if (word.fontSize > 0 && word.fontSize < 0.8 * size && word.rotation == 0) {
        double const own = word.baseline != 0 ? word.baseline : word.box.bottom() - 0.2 * word.fontSize;
        if (own < baseline - 0.12 * size)
            run.script = ooxml::TextRun::Script::Superscript;
        else if (own > baseline + 0.06 * size)
            run.script = ooxml::TextRun::Script::Subscript;
        // Word sets raised and lowered text smaller by itself.
        if (run.script != ooxml::TextRun::Script::Normal)
            run.fontSize = std::max(1.0, std::round(size * 2) / 2);
    }
    return run;
}

void append(QVector<ooxml::TextRun>& runs, ooxml::TextRun const& run)
{
    if (!runs.isEmpty() && runs.last().sameFormat(run))
        runs.last().text += run.text;
    else if (!run.text.isEmpty())
        runs.push_back(run);
}

} // namespace

QVector<ooxml::TextRun> blockRuns(layout::Block const& block, bool lineBreaks, int firstWord)
{
    QVector<ooxml::TextRun> runs;
    // Every word's run, made once: the space after a word looks at the next one's too.
    QVector<QVector<ooxml::TextRun>> lines(block.lines.size());
    for (int l = 0; l < block.lines.size(); ++l) {
        layout::Line const& line = block.lines.at(l);
        double const baseline = lineBaseline(line);
        lines[l].reserve(line.words.size());
        for (auto const& word : line.words)
            lines[l].push_back(runOf(word, line, baseline));
    }
    for (int l = 0; l < block.lines.size(); ++l) {
        layout::Line const& line = block.lines.at(l);
        for (int w = l == 0 ? std::max(0, firstWord) : 0; w < line.words.size(); ++w) {
            ooxml::TextRun const& run = lines.at(l).at(w);
            append(runs, run);
            QString separator;
            ooxml::TextRun const* next = &run;
            if (w + 1 < line.words.size()) {
                separator = line.separatorAfter(w);
                next = &lines.at(l).at(w + 1);
            } else if (l + 1 < block.lines.size()) {
                separator = lineBreaks ? QStringLiteral("\n") : block.separatorAfter(l);
                if (!lines.at(l + 1).isEmpty())
                    next = &lines.at(l + 1).first();
            }
            if (separator.isEmpty())
                continue;
            bool const sameNext = run.sameFormat(*next);
            if (sameNext && !run.text.isEmpty()) {
                runs.last().text += separator; // the run just appended, in the same format
                continue;
            }
            // A space between two differently marked words belongs to neither marking.
            ooxml::TextRun space = run;
            space.text = separator;
            if (!sameNext) {
                space.underline = space.strike = false;
                space.highlight = QColor();
                space.script = ooxml::TextRun::Script::Normal;
            }
            append(runs, space);
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

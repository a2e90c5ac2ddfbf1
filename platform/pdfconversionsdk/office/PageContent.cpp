#include "PageContent.h"

#include "FontMatcher.h"
#include "layout/HyphenJoins.h"
#include "layout/LayoutAnalyzer.h"
#include "layout/RunningHeads.h"

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

namespace {

bool sameWord(layout::Word const& a, layout::Word const& b)
{
    return a.text == b.text && a.box == b.box;
}

// Lays the page out again without the words of its running heads, which the table finder
// took for a row of a table; figures keep their places and labels by where they stand.
void layOutWithout(PageContent& page, QVector<layout::Block> const& heads)
{
    layout::PageLayout const& old = page.layout;
    QVector<layout::Word> words;
    auto const keep = [&](layout::Word const& word) {
        for (auto const& head : heads)
            for (auto const& line : head.lines)
                for (auto const& w : line.words)
                    if (sameWord(w, word))
                        return;
        words << word;
    };
    auto const blockWords = [&](layout::Block const& block) {
        for (auto const& line : block.lines)
            for (auto const& word : line.words)
                keep(word);
    };
    for (auto const& block : old.blocks)
        blockWords(block);
    for (auto const& table : old.tables)
        for (auto const& row : table.rows)
            for (auto const& cell : row)
                for (auto const& block : cell.blocks)
                    blockWords(block);
    QVector<QRectF> labels;
    for (auto const& figure : page.figures)
        for (int b : figure.labels)
            labels << old.blocks.value(b).box;
    words += old.lineNumbers;
    page.layout = layout::LayoutAnalyzer::analyzeWithTables(
        words, old.size, old.pageIndex, page.graphics.rulings, page.graphics.rulingStyles);
    layout::PageLayout const& now = page.layout;
    for (auto& figure : page.figures) {
        figure.labels.clear();
        figure.beforeBlock = now.blocks.size();
        for (int b = 0; b < now.blocks.size(); ++b) {
            bool const label = std::any_of(labels.begin(), labels.end(), [&](QRectF const& box) {
                return box.intersects(now.blocks.at(b).box) && figure.box.intersects(box);
            });
            if (label && figure.withText)
                figure.labels << b;
            else if (figure.beforeBlock == now.blocks.size() &&
                     now.blocks.at(b).box.top() >= figure.box.top() - 1)
                figure.beforeBlock = b;
        }
    }
}

// Takes blocks out of the page's layout; tables and figures keep their places among the rest.
void removeBlocks(PageContent& page, QVector<int> taken)
{
    QVector<int> moved(page.layout.blocks.size() + 1);
    for (int b = 0, gone = 0; b <= page.layout.blocks.size(); ++b) {
        moved[b] = b - gone;
        gone += taken.contains(b) ? 1 : 0;
    }
    auto const at = [&](int b) { return moved.at(std::clamp(b, 0, int(moved.size()) - 1)); };
    for (auto& table : page.layout.tables)
        table.beforeBlock = at(table.beforeBlock);
    for (auto& figure : page.figures) {
        figure.beforeBlock = at(figure.beforeBlock);
        for (int& label : figure.labels)
            label = at(label);
    }
    for (auto& note : page.footnotes)
        note.block = at(note.block);
    std::sort(taken.begin(), taken.end());
    for (int k = taken.size() - 1; k >= 0; --k)
        page.layout.blocks.removeAt(taken.at(k));
}

} // namespace

QColor pageBackground(QVector<engine::FilledBox> const& fills, QSizeF const& size)
{
    // The last one painted shows.
    QRectF const page(QPointF(0, 0), size);
    double const area = size.width() * size.height();
    QColor colour;
    for (auto const& fill : fills) {
        QRectF const common = fill.box.intersected(page);
        if (area > 0 && common.width() * common.height() >= 0.9 * area)
            colour = fill.colour;
    }
    return colour.isValid() && colour.lightness() < 250 ? colour : QColor();
}

void takeFootnotes(QVector<PageContent>& pages)
{
    layout::BodySizeTracker body;
    for (auto const& page : pages)
        body.add(page.layout);
    for (auto& page : pages) {
        layout::Footnotes::Found const found =
            layout::Footnotes::find(page.layout, body.bodyFontSize(), page.graphics.rulings);
        bool label = false; // drawn with a figure
        for (auto const& figure : page.figures)
            for (int b : found.blocks)
                label = label || figure.labels.contains(b);
        if (found.notes.isEmpty() || found.notes.size() > kMaxPageNotes || label)
            continue;
        page.footnotes = found.notes;
        // The rule above the notes: Word draws its own.
        double top = page.layout.size.height();
        for (int b : found.blocks)
            top = std::min(top, page.layout.blocks.at(b).box.top());
        for (int t : found.tables)
            top = std::min(top, page.layout.tables.at(t).box.top());
        for (int f = page.figures.size() - 1; f >= 0; --f) {
            QRectF const& box = page.figures.at(f).box;
            if (box.height() <= 5 && box.width() < 0.6 * page.layout.size.width() &&
                box.bottom() <= top + 2 && box.top() >= top - 24)
                page.figures.removeAt(f);
        }
        removeBlocks(page, found.blocks);
        QVector<int> tables = found.tables;
        std::sort(tables.begin(), tables.end());
        for (int k = tables.size() - 1; k >= 0; --k)
            page.layout.tables.removeAt(tables.at(k));
    }
}

void joinHyphenatedWords(QVector<PageContent>& pages)
{
    layout::HyphenJoins joins;
    for (auto const& page : pages)
        joins.learn(page.layout);
    for (auto& page : pages)
        joins.join(page.layout);
}

void takeRunningHeads(QVector<PageContent>& pages)
{
    QVector<layout::PageLayout const*> layouts;
    for (auto const& page : pages)
        layouts << &page.layout;
    QVector<layout::RunningHeads::Page> const found = layout::RunningHeads::find(layouts);
    for (int p = 0; p < pages.size(); ++p) {
        PageContent& page = pages[p];
        layout::RunningHeads::Page const& heads = found.at(p);
        if (heads.header.isEmpty() && heads.footer.isEmpty())
            continue;
        QVector<int> taken = heads.blocks;
        for (auto const& figure : page.figures)
            for (int label : figure.labels)
                if (taken.contains(label))
                    taken.clear(); // drawn with a figure: the page keeps its text as it is
        // A page of a picture and its running head stays as it is: a picture of its text would
        // show the head again.
        if ((taken.isEmpty() && !heads.inTable) ||
            (taken.size() == page.layout.blocks.size() && page.layout.tables.isEmpty() &&
             page.graphics.hasGraphics()))
            continue;
        page.header = heads.header;
        page.footer = heads.footer;
        page.pageNumber = heads.number;
        if (heads.inTable) {
            layOutWithout(page, heads.header + heads.footer);
            continue;
        }
        removeBlocks(page, taken);
    }
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
    if (word.pageNumber)
        run.field = ooxml::TextRun::Field::Page;
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
                // A word cut at a soft hyphen stays whole: the line breaks there by itself.
                bool const soft = !line.words.isEmpty() && line.words.constLast().text.endsWith(QChar(0x00AD));
                separator = lineBreaks && !soft ? QStringLiteral("\n") : block.separatorAfter(l);
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

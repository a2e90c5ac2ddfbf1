#include "Footnotes.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace pdfconv {
namespace layout {

namespace {

double baselineOf(Word const& word)
{
    return word.baseline != 0 ? word.baseline : word.box.bottom() - 0.2 * word.fontSize;
}

// Set smaller than its line and above the line's baseline.
bool raised(Line const& line, int w)
{
    Word const& word = line.words.at(w);
    double const size = line.fontSize > 0 ? line.fontSize : word.fontSize;
    if (word.fontSize <= 0 || word.fontSize > 0.85 * size)
        return false;
    QVector<double> baselines;
    for (auto const& other : line.words)
        if (other.fontSize > 0.85 * size)
            baselines << baselineOf(other);
    if (baselines.isEmpty())
        return true; // a line of small type: the mark starts it
    std::sort(baselines.begin(), baselines.end());
    return baselineOf(word) < baselines.at(baselines.size() / 2) - 0.12 * size;
}

// A number raised against the word it starts ("1The"), read as one word with it: before a
// capital, or a letter of a script without case.
QString gluedMark(Line const& line)
{
    static QRegularExpression const glued(QStringLiteral("^(\\d{1,3})[\\p{Lu}\\p{Lo}]"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    if (line.words.isEmpty())
        return QString();
    return glued.match(line.words.first().text).captured(1);
}

// A line that starts a note: its mark, raised or set apart from the text after it.
bool startsNote(Line const& line)
{
    if (!gluedMark(line).isEmpty())
        return true;
    if (line.words.size() < 2 || !Footnotes::isMark(line.words.first().text))
        return false;
    double const size = line.fontSize > 0 ? line.fontSize : 8;
    // A symbol in small type at the foot of a page marks a note whatever its place. A
    // right-to-left note's text stands to the left of its mark.
    QRectF const& mark = line.words.first().box;
    QRectF const& next = line.words.at(1).box;
    double const gap = line.rightToLeft ? mark.left() - next.right() : next.left() - mark.right();
    return raised(line, 0) || gap > 0.25 * size ||
           !line.words.first().spaceAfter || !line.words.first().text.at(0).isDigit();
}

} // namespace

bool Footnotes::isMark(QString const& text)
{
    static QRegularExpression const mark(
        QStringLiteral("^(\\d{1,3}|[*\\x{2020}\\x{2021}\\x{00A7}\\x{00B6}\\x{2016}#\\x{2217}\\x{22C6}]{1,3})$"),
        QRegularExpression::UseUnicodePropertiesOption);
    return mark.match(text.trimmed()).hasMatch();
}

Footnotes::Found Footnotes::find(PageLayout const& page, double bodySize, QVector<QLineF> const& rulings)
{
    Found found;
    if (bodySize <= 0 || page.blocks.isEmpty())
        return found;
    double const height = page.size.height();
    auto const smallType = [&](double size) { return size > 0 && size <= 0.92 * bodySize; };
    // Lines of small type in the page's lower half with nothing of body size below them: in
    // blocks, or in rows of a table that the marks' column made of them.
    struct Item
    {
        int block = -1, table = -1;
        QRectF box;
        QVector<Line> lines; // a table's rows as lines, each its mark and its text
    };
    QVector<Item> items;
    for (int b = 0; b < page.blocks.size(); ++b) {
        Block const& block = page.blocks.at(b);
        if (smallType(block.fontSize) && block.box.top() > 0.5 * height && block.kind == BlockKind::Paragraph)
            items.push_back({b, -1, block.box, block.lines});
    }
    for (int t = 0; t < page.tables.size(); ++t) {
        Table const& table = page.tables.at(t);
        if (table.ruled || table.columnCount() < 2 || table.box.top() <= 0.5 * height)
            continue;
        Item item{-1, t, table.box, {}};
        for (auto const& row : table.rows) {
            Line line;
            bool fits = true;
            for (int c = 0; c < row.size(); ++c)
                for (auto const& block : row.at(c).blocks) {
                    fits = fits && smallType(block.fontSize) &&
                           (c > 0 || (block.lines.size() == 1 && isMark(block.text())));
                    for (auto const& l : block.lines) {
                        line.words += l.words;
                        line.box = line.box.isNull() ? l.box : line.box.united(l.box);
                        line.fontSize = std::max(line.fontSize, l.fontSize);
                    }
                }
            if (!fits || line.words.size() < 2) {
                item.lines.clear();
                break;
            }
            item.lines << line;
        }
        if (!item.lines.isEmpty())
            items << item;
    }
    for (int i = items.size() - 1; i >= 0; --i) {
        QRectF const& box = items.at(i).box;
        bool below = false;
        for (int o = 0; o < page.blocks.size() && !below; ++o) {
            QRectF const& other = page.blocks.at(o).box;
            below = !smallType(page.blocks.at(o).fontSize) && other.top() >= box.bottom() - 1 &&
                    other.left() < box.right() && other.right() > box.left();
        }
        for (int t = 0; t < page.tables.size() && !below; ++t)
            below = t != items.at(i).table && page.tables.at(t).box.top() >= box.bottom() - 1 &&
                    page.tables.at(t).box.left() < box.right() && page.tables.at(t).box.right() > box.left();
        if (below)
            items.removeAt(i);
    }
    if (items.isEmpty())
        return found;
    // Their lines, a mark alone joined to the text beside it: a column of marks beside the
    // notes' text may have been read as a column of its own. Each column's notes on their own.
    struct FootLine
    {
        Line line;
        QVector<int> items;
        double column = 0; // the left edge of its column
    };
    QVector<FootLine> lines;
    for (int i = 0; i < items.size(); ++i) {
        double const column = items.at(i).block >= 0
                                  ? page.columns.value(page.blocks.at(items.at(i).block).column).box.left()
                                  : items.at(i).box.left();
        for (auto const& line : items.at(i).lines)
            lines.push_back({line, {i}, column});
    }
    auto const markOnly = [](Line const& line) {
        return line.words.size() == 1 && isMark(line.words.first().text);
    };
    for (int m = lines.size() - 1; m >= 0; --m) {
        if (!markOnly(lines.at(m).line))
            continue;
        Line const& mark = lines.at(m).line;
        double const size = mark.fontSize > 0 ? mark.fontSize : 8;
        for (int t = 0; t < lines.size(); ++t) {
            Line& text = lines[t].line;
            double const common =
                std::min(text.box.bottom(), mark.box.bottom()) - std::max(text.box.top(), mark.box.top());
            if (t == m || markOnly(text) || common < 0.5 * mark.box.height() ||
                text.box.left() < mark.box.right() || text.box.left() - mark.box.right() > 4 * size)
                continue;
            text.words.prepend(mark.words.first());
            text.box = text.box.united(mark.box);
            if (!lines.at(t).items.contains(lines.at(m).items.first()))
                lines[t].items << lines.at(m).items.first();
            lines.removeAt(m);
            break;
        }
    }
    std::stable_sort(lines.begin(), lines.end(), [](FootLine const& a, FootLine const& b) {
        return a.column < b.column - 1 ||
               (std::abs(a.column - b.column) <= 1 && a.line.box.top() < b.line.box.top());
    });

    // The raised marks in the text, in reading order.
    struct Anchor
    {
        int block, line, word;
        bool used = false;
    };
    QVector<Anchor> anchors;
    for (int b = 0; b < page.blocks.size(); ++b) {
        if (std::any_of(items.begin(), items.end(), [&](Item const& item) { return item.block == b; }))
            continue;
        Block const& block = page.blocks.at(b);
        for (int l = 0; l < block.lines.size(); ++l)
            for (int w = 0; w < block.lines.at(l).words.size(); ++w)
                if (isMark(block.lines.at(l).words.at(w).text) &&
                    (raised(block.lines.at(l), w) ||
                     (block.lines.at(l).words.size() == 1 && block.lines.at(l).fontSize <= 0.8 * bodySize)))
                    anchors.push_back({b, l, w});
    }
    // From the first line that starts a note whose mark stands in the text, each line starts
    // one or goes on with the one above; what stands above it (code in small type) is no note.
    QVector<int> used(items.size(), 0), seen(items.size(), 0);
    for (auto const& foot : lines)
        for (int i : foot.items)
            ++seen[i];
    double lastBottom = -1, lastColumn = -1;
    bool started = false, stopped = false;
    for (auto const& foot : qAsConst(lines)) {
        Line const& line = foot.line;
        double const size = line.fontSize > 0 ? line.fontSize : 8;
        if (std::abs(foot.column - lastColumn) > 1) {
            // A note may go on at the foot of the next column.
            bool const carried = started && !stopped;
            lastColumn = foot.column;
            started = stopped = false;
            if (carried && !startsNote(line)) {
                found.notes.last().text.lines << line;
                lastBottom = line.box.bottom();
                started = true;
                for (int i : foot.items)
                    ++used[i];
                continue;
            }
        }
        if (stopped)
            continue;
        bool taken = false;
        if (startsNote(line)) {
            QString const glued = gluedMark(line);
            QString const mark = glued.isEmpty() ? line.words.first().text.trimmed() : glued;
            auto const anchor = std::find_if(anchors.begin(), anchors.end(), [&](Anchor const& a) {
                return !a.used &&
                       page.blocks.at(a.block).lines.at(a.line).words.at(a.word).text.trimmed() == mark;
            });
            if (anchor != anchors.end()) {
                anchor->used = true;
                Footnote note;
                note.mark = mark;
                note.block = anchor->block;
                note.line = anchor->line;
                note.word = anchor->word;
                Line text = line;
                if (glued.isEmpty())
                    text.words.removeFirst();
                else
                    text.words.first().text.remove(0, glued.size());
                note.text.lines << text;
                note.text.fontSize = line.fontSize;
                found.notes << note;
                taken = true;
            }
        } else if (started && line.box.top() - lastBottom < 1.5 * size) {
            found.notes.last().text.lines << line;
            taken = true;
        }
        stopped = started && !taken;
        started = started || taken;
        if (taken) {
            lastBottom = line.box.bottom();
            for (int i : foot.items)
                ++used[i];
        }
    }
    // Notes without marks, under the short rule that sets them apart: each follows the end of
    // the text above the rule.
    if (found.notes.isEmpty()) {
        std::stable_sort(items.begin(), items.end(),
                         [](Item const& a, Item const& b) { return a.box.top() < b.box.top(); });
        QRectF const first = items.first().box;
        auto const rule = std::find_if(rulings.begin(), rulings.end(), [&](QLineF const& r) {
            double const left = std::min(r.x1(), r.x2()), right = std::max(r.x1(), r.x2());
            return std::abs(r.y1() - r.y2()) < 0.5 && right - left >= 20 &&
                   right - left < 0.45 * page.size.width() && r.y1() < first.top() &&
                   r.y1() > first.top() - 16 && left < first.right() && right > first.left();
        });
        if (rule == rulings.end())
            return found;
        int anchor = -1;
        for (int b = 0; b < page.blocks.size(); ++b) {
            QRectF const& box = page.blocks.at(b).box;
            if (box.bottom() <= rule->y1() + 1 && box.left() < first.right() && box.right() > first.left() &&
                !page.blocks.at(b).lines.isEmpty() && !page.blocks.at(b).lines.last().words.isEmpty() &&
                (anchor < 0 || box.bottom() > page.blocks.at(anchor).box.bottom()))
                anchor = b;
        }
        for (auto const& item : qAsConst(items))
            if (item.block < 0 || item.box.top() < rule->y1())
                return found;
        for (auto const& item : qAsConst(items)) {
            if (anchor < 0)
                break;
            Footnote note;
            note.block = anchor;
            note.line = page.blocks.at(anchor).lines.size() - 1;
            note.word = page.blocks.at(anchor).lines.last().words.size() - 1;
            note.after = true;
            note.text.lines = item.lines;
            note.text.fontSize = page.blocks.at(item.block).fontSize;
            note.text.box = item.box;
            found.notes << note;
            found.blocks << item.block;
        }
        return found;
    }
    // A block or table of which only some lines are notes would show them twice.
    for (int i = 0; i < items.size(); ++i)
        if (used.at(i) > 0 && used.at(i) < seen.at(i))
            return Found();
    for (int i = 0; i < items.size(); ++i)
        if (used.at(i) > 0) {
            if (items.at(i).block >= 0)
                found.blocks << items.at(i).block;
            else
                found.tables << items.at(i).table;
        }
    for (auto& note : found.notes)
        for (auto const& line : note.text.lines)
            note.text.box = note.text.box.isNull() ? line.box : note.text.box.united(line.box);
    return found;
}

} // namespace layout
} // namespace pdfconv

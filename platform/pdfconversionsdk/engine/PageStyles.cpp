#include "PageStyles.h"

#include <algorithm>
#include <cmath>

namespace pdfconv {
namespace engine {

namespace {

bool nearWhite(QColor const& c)
{
    return c.red() > 245 && c.green() > 245 && c.blue() > 245;
}

bool isBlack(QColor const& c)
{
    return c.red() < 8 && c.green() < 8 && c.blue() < 8;
}

double area(QRectF const& r)
{
    return r.isValid() ? r.width() * r.height() : 0.0;
}

double wordSize(layout::Word const& w)
{
    return w.fontSize > 0.5 ? w.fontSize : std::max(1.0, w.box.height());
}

double baselineOf(layout::Word const& w)
{
    return w.baseline != 0 ? w.baseline : w.box.bottom() - 0.2 * wordSize(w);
}

} // namespace

PageStyles::PageStyles(PageGraphics const& graphics)
    : m_graphics(graphics), m_usedRulings(graphics.rulings.size(), false),
      m_usedFills(graphics.fills.size(), false)
{
}

void PageStyles::styleWords(QVector<layout::Word>& words)
{
    // Glyph runs by their top, to find those beside a word quickly.
    QVector<int> spans;
    for (int i = 0; i < m_graphics.textSpans.size(); ++i)
        if (!m_graphics.textSpans.at(i).invisible)
            spans << i;
    auto const& all = m_graphics.textSpans;
    std::sort(spans.begin(), spans.end(),
              [&](int a, int b) { return all.at(a).box.top() < all.at(b).box.top(); });
    double tallest = 0;
    for (int i : spans)
        tallest = std::max(tallest, all.at(i).box.height());

    for (auto& word : words) {
        QRectF const box = word.box;
        if (!box.isValid())
            continue;
        auto it = std::lower_bound(spans.cbegin(), spans.cend(), box.top() - tallest,
                                   [&](int i, double top) { return all.at(i).box.top() < top; });
        double best = 0.3 * area(box);
        TextSpan const* found = nullptr;
        for (; it != spans.cend() && all.at(*it).box.top() <= box.bottom(); ++it) {
            double const common = area(all.at(*it).box.intersected(box));
            if (common > best) {
                best = common;
                found = &all.at(*it);
            }
        }
        if (found) {
            if (!isBlack(found->colour))
                word.colour = found->colour;
            if (word.rotation == 0)
                word.baseline = found->baseline;
        }
        // A filled box just around the word, not much taller than it, is a highlight; some
        // producers pad it by a few points all round.
        double smallest = 0;
        for (int f = 0; f < m_graphics.fills.size(); ++f) {
            FilledBox const& fill = m_graphics.fills.at(f);
            if (nearWhite(fill.colour) ||
                fill.box.height() > std::max(1.3 * box.height(), box.height() + 8) + 0.5 ||
                !fill.box.contains(box.center()) || fill.box.top() > box.top() + 0.3 * box.height() ||
                fill.box.bottom() < box.bottom() - 0.3 * box.height())
                continue;
            if (smallest == 0 || area(fill.box) < smallest) {
                smallest = area(fill.box);
                word.highlight = fill.colour;
                m_usedFills[f] = true;
            }
        }
    }

    // A thin rule along the words above it, no longer than they are, underlines them; one
    // at the height of their small letters strikes them through.
    for (int r = 0; r < m_graphics.rulings.size(); ++r) {
        QLineF const& l = m_graphics.rulings.at(r);
        if (std::abs(l.dy()) > 1.0 || std::abs(l.dx()) < 2.0)
            continue;
        double const y = (l.y1() + l.y2()) / 2, x0 = std::min(l.x1(), l.x2()), x1 = std::max(l.x1(), l.x2());
        double const thickness =
            r < m_graphics.rulingStyles.size() ? m_graphics.rulingStyles.at(r).width : 0.5;
        QVector<int> under, through;
        double left = 1e300, right = -1e300, size = 0;
        for (int i = 0; i < words.size(); ++i) {
            layout::Word const& w = words.at(i);
            if (w.rotation != 0 || !w.box.isValid())
                continue;
            double const common = std::min(x1, w.box.right()) - std::max(x0, w.box.left());
            if (common < 0.5 * w.box.width())
                continue;
            double const s = wordSize(w);
            if (thickness > 0.15 * s + 0.6)
                continue;
            double const below = y - baselineOf(w);
            if (below >= -0.05 * s && below <= 0.3 * s)
                under << i;
            else if (below <= -0.18 * s && below >= -0.45 * s)
                through << i;
            else
                continue;
            left = std::min(left, w.box.left());
            right = std::max(right, w.box.right());
            size = std::max(size, s);
        }
        if (under.isEmpty() && through.isEmpty())
            continue;
        if (x0 < left - 0.6 * size || x1 > right + 0.6 * size)
            continue; // a rule of the page that happens to pass under some words
        for (int i : under)
            words[i].underline = true;
        for (int i : through)
            words[i].strike = true;
        m_usedRulings[r] = true;
    }
}

void PageStyles::styleLayout(layout::PageLayout& page)
{
    auto const& fills = m_graphics.fills;
    for (auto& table : page.tables) {
        QRectF const around = table.box.adjusted(-2, -2, 2, 2);
        for (int r = 0; r < table.rowCount(); ++r)
            for (int c = 0; c < table.columnCount() && c < table.rows.at(r).size(); ++c) {
                layout::TableCell& cell = table.rows[r][c];
                if (cell.covered)
                    continue;
                int const right = std::min(c + cell.columnSpan, table.columnCount());
                int const bottom = std::min(r + cell.rowSpan, table.rowCount());
                QRectF const rect(QPointF(table.columnEdges.at(c), table.rowEdges.at(r)),
                                  QPointF(table.columnEdges.at(right), table.rowEdges.at(bottom)));
                double smallest = 0;
                for (int f = 0; f < fills.size(); ++f) {
                    double const common = area(fills.at(f).box.intersected(rect));
                    if (common < 0.75 * area(rect) || area(fills.at(f).box) > 4 * area(table.box))
                        continue;
                    if (smallest == 0 || area(fills.at(f).box) < smallest) {
                        smallest = area(fills.at(f).box);
                        cell.shading = nearWhite(fills.at(f).colour) ? QColor() : fills.at(f).colour;
                    }
                }
                // The cell's own colour is no highlight of its words.
                for (auto& block : cell.blocks)
                    for (auto& line : block.lines)
                        for (auto& word : line.words)
                            if (word.highlight == cell.shading || !cell.shading.isValid())
                                word.highlight = QColor();
            }
        for (int f = 0; f < fills.size(); ++f)
            if (around.contains(fills.at(f).box))
                m_usedFills[f] = true;
        for (int i = 0; i < m_graphics.rulings.size(); ++i) {
            QLineF const& l = m_graphics.rulings.at(i);
            if (table.ruled && around.contains(l.p1()) && around.contains(l.p2()))
                m_usedRulings[i] = true;
        }
    }
    // A coloured box around whole blocks shades them.
    for (int f = 0; f < fills.size(); ++f) {
        if (m_usedFills.at(f) || nearWhite(fills.at(f).colour))
            continue;
        QRectF const box = fills.at(f).box.adjusted(-1, -1, 1, 1);
        bool holdsTable = false;
        for (auto const& table : page.tables)
            holdsTable = holdsTable || box.intersects(table.box);
        if (holdsTable)
            continue;
        QVector<int> inside;
        for (int b = 0; b < page.blocks.size(); ++b) {
            if (box.contains(page.blocks.at(b).box))
                inside << b;
            else if (box.intersects(page.blocks.at(b).box)) {
                inside.clear(); // a shape that text runs across: a figure
                break;
            }
        }
        if (inside.isEmpty())
            continue;
        for (int b : inside) {
            page.blocks[b].shading = fills.at(f).colour;
            for (auto& line : page.blocks[b].lines)
                for (auto& word : line.words)
                    if (word.highlight == fills.at(f).colour)
                        word.highlight = QColor();
        }
        m_usedFills[f] = true;
    }
}

QVector<FilledBox> PageStyles::plainShapes(QRectF const& box) const
{
    auto const meets = [&](QRectF const& r) {
        return r.left() < box.right() && r.right() > box.left() && r.top() < box.bottom() &&
               r.bottom() > box.top();
    };
    if (m_graphics.shapesCut)
        return {};
    for (auto const& d : m_graphics.drawings)
        if (meets(d))
            return {};
    for (auto const& image : m_graphics.images)
        if (meets(image))
            return {};
    QVector<FilledBox> shapes;
    for (auto const& fill : m_graphics.fills)
        if (meets(fill.box))
            shapes << fill;
    for (int r = 0; r < m_graphics.rulings.size(); ++r) {
        QLineF const& l = m_graphics.rulings.at(r);
        layout::Rule const style =
            r < m_graphics.rulingStyles.size() ? m_graphics.rulingStyles.at(r) : layout::Rule();
        double const half = std::max(0.05, style.width / 2);
        QRectF const line = std::abs(l.dy()) <= std::abs(l.dx())
                                ? QRectF(QPointF(std::min(l.x1(), l.x2()), (l.y1() + l.y2()) / 2 - half),
                                         QPointF(std::max(l.x1(), l.x2()), (l.y1() + l.y2()) / 2 + half))
                                : QRectF(QPointF((l.x1() + l.x2()) / 2 - half, std::min(l.y1(), l.y2())),
                                         QPointF((l.x1() + l.x2()) / 2 + half, std::max(l.y1(), l.y2())));
        if (!meets(line))
            continue;
        if (style.dash != 0)
            return {};
        shapes << FilledBox{line, style.colour.isValid() ? style.colour : QColor(Qt::black)};
    }
    return shapes;
}

QVector<QRectF> PageStyles::figures(layout::PageLayout const& page) const
{
    QVector<QRectF> boxes;
    QRectF const pageBox(QPointF(0, 0), page.size);
    boxes << m_graphics.images;
    int const shapes = boxes.size(); // pictures first, then drawn shapes
    boxes << m_graphics.drawings;
    int const lines = boxes.size(); // then fills and rules
    for (int f = 0; f < m_graphics.fills.size(); ++f) {
        FilledBox const& fill = m_graphics.fills.at(f);
        // White boxes only cover; a box over most of the page is its background.
        if (!m_usedFills.at(f) && !nearWhite(fill.colour) && area(fill.box) < 0.8 * area(pageBox))
            boxes << fill.box;
    }
    for (int r = 0; r < m_graphics.rulings.size(); ++r) {
        if (m_usedRulings.at(r))
            continue;
        QLineF const& l = m_graphics.rulings.at(r);
        double const half =
            r < m_graphics.rulingStyles.size() ? std::max(0.5, m_graphics.rulingStyles.at(r).width / 2) : 0.5;
        boxes << QRectF(l.p1(), l.p2()).normalized().adjusted(-half, -half, half, half);
    }
    // Strokes and fills of a ruled table that the table did not take (its outer frame drawn
    // twice, or one with rounded corners); pictures and symbols in its cells stay.
    QVector<bool> gone(boxes.size(), false);
    for (auto const& table : page.tables) {
        QRectF const around = table.box.adjusted(-3, -3, 3, 3);
        for (int i = shapes; i < boxes.size() && table.ruled; ++i) {
            QRectF const& b = boxes.at(i);
            bool const symbol =
                i < lines && std::min(b.width(), b.height()) > 3 && area(b) < 0.25 * area(table.box);
            gone[i] = gone.at(i) || (around.contains(b) && !symbol);
        }
    }
    for (int i = boxes.size() - 1; i >= 0; --i)
        if (gone.at(i))
            boxes.removeAt(i);
    // Things closer than a few points belong to one figure.
    QVector<QRectF> merged;
    for (QRectF box : boxes) {
        box = box.adjusted(-0.5, -0.5, 0.5, 0.5).intersected(pageBox);
        if (box.isEmpty())
            continue;
        bool grown = true;
        while (grown) {
            grown = false;
            for (int i = 0; i < merged.size(); ++i)
                if (merged.at(i).adjusted(-4, -4, 4, 4).intersects(box)) {
                    box = box.united(merged.takeAt(i));
                    grown = true;
                    break;
                }
        }
        merged << box;
    }
    QVector<QRectF> out;
    for (auto const& box : merged)
        if (box.width() >= 2 || box.height() >= 2)
            out << box.adjusted(-1, -1, 1, 1).intersected(pageBox);
    std::sort(out.begin(), out.end(), [](QRectF const& a, QRectF const& b) { return a.top() < b.top(); });
    return out;
}

} // namespace engine
} // namespace pdfconv

#include "TableDetector.h"

#include "Equations.h"
#include "LayoutAnalyzer.h"

#include <QRect>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace pdfconv {
namespace layout {

namespace {

// A stroke along one axis: at `pos` across it, from `a` to `b` along it.
struct Segment
{
    double pos, a, b;
    int style = -1; // index into the rulings' styles, -1 without
};

// Strokes this close count as one line; ends this close meet.
constexpr double kSameLine = 1.5;
constexpr double kMeet = 2.5;

QVector<Segment> mergeCollinear(QVector<Segment> segs)
{
    std::sort(segs.begin(), segs.end(), [](Segment const& x, Segment const& y) {
        return x.pos < y.pos - kSameLine || (std::abs(x.pos - y.pos) <= kSameLine && x.a < y.a);
    });
    QVector<Segment> out;
    for (auto const& s : segs) {
        if (!out.isEmpty() && std::abs(out.last().pos - s.pos) <= kSameLine && s.a <= out.last().b + kMeet) {
            // The longer piece tells how the line is drawn.
            if (out.last().style < 0 || (s.style >= 0 && s.b - s.a > out.last().b - out.last().a))
                out.last().style = s.style;
            out.last().b = std::max(out.last().b, s.b);
            continue;
        }
        out.push_back(s);
    }
    return out;
}

// Positions closer than `tolerance` merged into their mean, ascending.
QVector<double> cluster(QVector<double> values, double tolerance)
{
    std::sort(values.begin(), values.end());
    QVector<double> out;
    double sum = 0;
    int count = 0;
    for (double v : values) {
        if (count > 0 && v - sum / count > tolerance) {
            out.push_back(sum / count);
            sum = 0;
            count = 0;
        }
        sum += v;
        ++count;
    }
    if (count > 0)
        out.push_back(sum / count);
    return out;
}

int findRoot(QVector<int>& parent, int i)
{
    while (parent[i] != i)
        i = parent[i] = parent[parent[i]];
    return i;
}

// The interval of `edges` that holds `v`, or -1.
int slot(QVector<double> const& edges, double v)
{
    for (int i = 0; i + 1 < edges.size(); ++i)
        if (v >= edges.at(i) && v < edges.at(i + 1))
            return i;
    return -1;
}

double wordSize(Word const& w)
{
    return w.fontSize > 0.5 ? w.fontSize : w.box.height();
}

// Fills the cells of a table from the words assigned to them.
void fillCells(Table& table, QVector<QVector<QVector<Word>>> const& cellWords, QSizeF const& pageSize)
{
    table.rows.resize(cellWords.size());
    for (int r = 0; r < cellWords.size(); ++r) {
        table.rows[r].resize(table.columnCount());
        for (int c = 0; c < cellWords.at(r).size(); ++c)
            if (!cellWords.at(r).at(c).isEmpty())
                table.rows[r][c].blocks = LayoutAnalyzer::analyze(cellWords.at(r).at(c), pageSize, 0).blocks;
    }
}

// The stroke that draws most of [a, b] at `pos`, or nullptr when strokes cover less than
// two thirds of it.
Segment const* covering(QVector<Segment> const& segs, double pos, double a, double b)
{
    double covered = 0, best = 0;
    Segment const* found = nullptr;
    for (auto const& s : segs) {
        if (std::abs(s.pos - pos) > kSameLine)
            continue;
        double const common = std::min(b, s.b) - std::max(a, s.a);
        if (common <= 0)
            continue;
        covered += common;
        if (common > best) {
            best = common;
            found = &s;
        }
    }
    return covered >= (b - a) * 2 / 3 ? found : nullptr;
}

Rule ruleOf(Segment const* s, QVector<Rule> const& styles)
{
    Rule rule;
    if (!s)
        return rule;
    if (s->style >= 0 && s->style < styles.size())
        rule = styles.at(s->style);
    rule.present = true;
    return rule;
}

// Grid cells without a stroke between them are one cell, as long as the merged cells form a
// rectangle. Returns, for each grid cell, the index of the grid cell it belongs to.
QVector<int> mergedCells(QVector<double> const& xs, QVector<double> const& ys, QVector<Segment> const& hs,
                         QVector<Segment> const& vs)
{
    int const columns = xs.size() - 1, rows = ys.size() - 1;
    QVector<int> parent(rows * columns);
    std::iota(parent.begin(), parent.end(), 0);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            int const i = r * columns + c;
            if (c + 1 < columns && !covering(vs, xs.at(c + 1), ys.at(r), ys.at(r + 1)))
                parent[findRoot(parent, i + 1)] = findRoot(parent, i);
            if (r + 1 < rows && !covering(hs, ys.at(r + 1), xs.at(c), xs.at(c + 1)))
                parent[findRoot(parent, i + columns)] = findRoot(parent, i);
        }
    QVector<int> anchor(rows * columns, -1);
    QVector<int> members(rows * columns, 0);
    QVector<QRect> extent(rows * columns);
    for (int i = 0; i < rows * columns; ++i) {
        int const root = findRoot(parent, i);
        ++members[root];
        extent[root] = extent[root].isNull() ? QRect(i % columns, i / columns, 1, 1)
                                             : extent[root].united(QRect(i % columns, i / columns, 1, 1));
    }
    for (int i = 0; i < rows * columns; ++i) {
        int const root = findRoot(parent, i);
        QRect const e = extent.at(root);
        bool const rectangle = members.at(root) == e.width() * e.height();
        anchor[i] = rectangle ? e.top() * columns + e.left() : i;
    }
    return anchor;
}

QVector<Table> ruledTables(QVector<Word> const& words, QVector<bool>& used, QVector<QLineF> const& rulings,
                           QSizeF const& pageSize, QVector<Rule> const& styles)
{
    QVector<Segment> hs, vs;
    for (int i = 0; i < rulings.size(); ++i) {
        QLineF const& l = rulings.at(i);
        double const dx = std::abs(l.dx()), dy = std::abs(l.dy());
        int const style = i < styles.size() ? i : -1;
        if (dy <= 1.0 && dx >= 4)
            hs.push_back({(l.y1() + l.y2()) / 2, std::min(l.x1(), l.x2()), std::max(l.x1(), l.x2()), style});
        else if (dx <= 1.0 && dy >= 4)
            vs.push_back({(l.x1() + l.x2()) / 2, std::min(l.y1(), l.y2()), std::max(l.y1(), l.y2()), style});
    }
    // A page of hatching is a drawing, not a table; leave it alone rather than spend time on it.
    if (hs.isEmpty() || vs.isEmpty() || hs.size() + vs.size() > 4000)
        return {};
    hs = mergeCollinear(hs);
    vs = mergeCollinear(vs);

    int const n = hs.size() + vs.size();
    QVector<int> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    for (int i = 0; i < hs.size(); ++i)
        for (int j = 0; j < vs.size(); ++j) {
            Segment const& h = hs.at(i);
            Segment const& v = vs.at(j);
            if (v.pos >= h.a - kMeet && v.pos <= h.b + kMeet && h.pos >= v.a - kMeet && h.pos <= v.b + kMeet)
                parent[findRoot(parent, i)] = findRoot(parent, hs.size() + j);
        }

    QVector<Table> tables;
    QVector<bool> done(n, false);
    for (int start = 0; start < n; ++start) {
        int const root = findRoot(parent, start);
        if (done[root])
            continue;
        done[root] = true;
        QVector<double> ys, xs;
        for (int i = 0; i < n; ++i) {
            if (findRoot(parent, i) != root)
                continue;
            if (i < hs.size())
                ys << hs.at(i).pos;
            else
                xs << vs.at(i - hs.size()).pos;
        }
        ys = cluster(ys, 2.0);
        xs = cluster(xs, 2.0);
        if (ys.size() < 2 || xs.size() < 3)
            continue;
        QRectF const box(QPointF(xs.first(), ys.first()), QPointF(xs.last(), ys.last()));
        int const columns = xs.size() - 1;
        QVector<int> const anchor = mergedCells(xs, ys, hs, vs);
        QVector<QVector<QVector<Word>>> cells(ys.size() - 1, QVector<QVector<Word>>(columns));
        QVector<int> inside;
        for (int w = 0; w < words.size(); ++w) {
            if (used.at(w))
                continue;
            QPointF const c = words.at(w).box.center();
            int const r = slot(ys, c.y()), col = slot(xs, c.x());
            if (r < 0 || col < 0)
                continue;
            int const a = anchor.at(r * columns + col);
            cells[a / columns][a % columns].push_back(words.at(w));
            inside << w;
        }
        // A grid without text is a drawing.
        if (inside.isEmpty())
            continue;
        for (int w : inside)
            used[w] = true;
        Table table;
        table.box = box;
        table.columnEdges = xs;
        table.rowEdges = ys;
        table.ruled = true;
        fillCells(table, cells, pageSize);
        for (int i = 0; i < anchor.size(); ++i) {
            int const r = i / columns, c = i % columns;
            TableCell& cell = table.rows[r][c];
            if (anchor.at(i) != i) {
                cell.covered = true;
                TableCell& first = table.rows[anchor.at(i) / columns][anchor.at(i) % columns];
                first.columnSpan = std::max(first.columnSpan, c - anchor.at(i) % columns + 1);
                first.rowSpan = std::max(first.rowSpan, r - anchor.at(i) / columns + 1);
            }
        }
        for (int r = 0; r < table.rowCount(); ++r)
            for (int c = 0; c < columns; ++c) {
                TableCell& cell = table.rows[r][c];
                if (cell.covered)
                    continue;
                double const left = xs.at(c), right = xs.at(c + cell.columnSpan);
                double const top = ys.at(r), bottom = ys.at(r + cell.rowSpan);
                cell.top = ruleOf(covering(hs, top, left, right), styles);
                cell.bottom = ruleOf(covering(hs, bottom, left, right), styles);
                cell.left = ruleOf(covering(vs, left, top, bottom), styles);
                cell.right = ruleOf(covering(vs, right, top, bottom), styles);
            }
        tables.push_back(table);
    }
    return tables;
}

struct TextRow
{
    QVector<int> words; // by x
    QRectF box;
    double coreTop = 0, coreBottom = 0;
    double size = 0;
    QVector<QVector<int>> fragments;
    QVector<QRectF> fragmentBoxes;
};

using Interval = std::pair<double, double>;

// The horizontal extents that words cover, merged: what stays free between them are the
// gutters of a table's columns.
class Coverage
{
public:
    void add(double a, double b)
    {
        int i = int(std::lower_bound(m_spans.begin(), m_spans.end(), Interval{a, b}) - m_spans.begin());
        if (i > 0 && m_spans.at(i - 1).second >= a) {
            --i;
            m_spans[i].second = std::max(m_spans.at(i).second, b);
        } else {
            m_spans.insert(i, Interval{a, b});
        }
        while (i + 1 < m_spans.size() && m_spans.at(i + 1).first <= m_spans.at(i).second) {
            m_spans[i].second = std::max(m_spans.at(i).second, m_spans.at(i + 1).second);
            m_spans.remove(i + 1);
        }
    }
    // The free stretches between the spans at least minWidth wide.
    QVector<Interval> gaps(double minWidth) const
    {
        QVector<Interval> out;
        for (int i = 0; i + 1 < m_spans.size(); ++i)
            if (m_spans.at(i + 1).first - m_spans.at(i).second >= minWidth)
                out.push_back({m_spans.at(i).second, m_spans.at(i + 1).first});
        return out;
    }
    bool isEmpty() const { return m_spans.isEmpty(); }

private:
    QVector<Interval> m_spans;
};

// Whether a fragment of the row reaches over a gutter as wide as its type: a title or a line
// of text across the columns, not a row of the table.
bool crosses(TextRow const& row, Coverage const& body)
{
    QVector<Interval> const gutters = body.gaps(row.size);
    for (auto const& f : row.fragmentBoxes)
        for (auto const& g : gutters)
            if (f.left() < g.first && f.right() > g.second)
                return true;
    return false;
}

// Whether the cells' right (or left) edges line up: three or more, all but one in ten within a
// point of the outermost, as a column set right (or left) prints them; ragged text meets that
// by chance only, and two lines of words of one length often.
bool flush(QVector<double> const& edges, bool right)
{
    if (edges.size() < 3)
        return false;
    double const edge =
        right ? *std::max_element(edges.begin(), edges.end()) : *std::min_element(edges.begin(), edges.end());
    int aligned = 0;
    for (double e : edges)
        aligned += std::abs(e - edge) <= 1.0 ? 1 : 0;
    return aligned * 10 >= edges.size() * 9;
}

struct TextColumns
{
    QVector<double> edges;                // one more than there are columns
    QVector<QVector<QVector<int>>> cells; // [row - first][column]: word indices, by x
    int count() const { return edges.size() - 1; }
};

// Columns of rows first..last from the text edges of the whole table rather than row by row:
// a gutter is a stretch that no row's words cover, however narrow, so a sparse column stays
// apart from its neighbour even where one row's gap is short. The first row of a table of
// three rows or more (its header) has no say: a heading set left over numbers set right stands
// in the gutter before them and belongs to the column after it, whatever the alignment.
TextColumns textColumns(QVector<Word> const& words, QVector<TextRow> const& rows, int first, int last)
{
    constexpr double kMinGutter = 0.3;
    int const header = last - first >= 2 ? first : -1;
    int const bodyFirst = header >= 0 ? first + 1 : first;

    Coverage body;
    QVector<double> sizes;
    for (int r = bodyFirst; r <= last; ++r) {
        sizes << rows.at(r).size;
        for (int w : rows.at(r).words)
            body.add(words.at(w).box.left(), words.at(w).box.right());
    }
    std::sort(sizes.begin(), sizes.end());
    double const em = sizes.at(sizes.size() / 2);
    // Column extents: the covered stretches between gutters.
    QVector<Interval> extents;
    {
        QVector<Interval> const gutters = body.gaps(kMinGutter);
        double left = words.at(rows.at(bodyFirst).words.first()).box.left();
        for (int r = bodyFirst; r <= last; ++r)
            left = std::min(left, words.at(rows.at(r).words.first()).box.left());
        for (auto const& g : gutters) {
            extents.push_back({left, g.first});
            left = g.second;
        }
        double right = left;
        for (int r = bodyFirst; r <= last; ++r)
            for (int w : rows.at(r).words)
                right = std::max(right, words.at(w).box.right());
        extents.push_back({left, right});
    }
    int const n = extents.size();
    auto columnAt = [&](double x) {
        int c = 0;
        while (c + 1 < n && x > extents.at(c).second)
            ++c;
        return c;
    };

    // Words per row and column; a heading goes to the column that most of it stands over,
    // else to the column after the gutter its middle stands in, beyond the last column to a
    // column of its own.
    int const rowCount = last - first + 1;
    QVector<QVector<QVector<int>>> grid(rowCount, QVector<QVector<int>>(n + 1));
    bool beyond = false;
    for (int r = first; r <= last; ++r)
        for (int w : rows.at(r).words) {
            QRectF const& box = words.at(w).box;
            int column = columnAt(box.center().x());
            if (r == header) {
                double best = 0;
                column = -1;
                for (int c = 0; c < n; ++c) {
                    double const common = std::min(box.right(), extents.at(c).second) -
                                          std::max(box.left(), extents.at(c).first);
                    if (common > best) {
                        best = common;
                        column = c;
                    }
                }
                if (best * 2 < box.width()) {
                    column = 0;
                    while (column < n && extents.at(column).second < box.center().x())
                        ++column;
                    beyond = beyond || column == n;
                }
            }
            grid[r - first][column] << w;
        }

    auto cellText = [&](QVector<int> const& cell) {
        QStringList parts;
        for (int w : cell)
            parts << words.at(w).text;
        return parts.join(QLatin1Char(' '));
    };
    // A gutter narrower than the type may be no more than word spaces that line up: "27 Mar
    // 2024" down a column, or the last word of the longest line of ragged text. One side the
    // same text on every row, or a heading over one side only, makes it one column; otherwise
    // it parts columns where the text tells a cell ends or starts there: numbers set right
    // against it, text set left from it on several rows, or a heading over each side.
    QVector<int> group(n + 1); // column -> merged column
    int groups = 0;
    QVector<QVector<int>> merged(rowCount); // the cells of the last merged column, by row
    for (int c = 0; c < n; ++c) {
        bool join = false;
        if (c > 0 && extents.at(c).first - extents.at(c - 1).second < em) {
            bool always = true;
            int both = 0;
            QSet<QString> lefts, rights;
            QVector<double> leftEnds, rightStarts;
            for (int r = bodyFirst; r <= last; ++r) {
                QVector<int> const& left = merged.at(r - first);
                QVector<int> const& right = grid.at(r - first).at(c);
                always = always && left.isEmpty() == right.isEmpty();
                if (!left.isEmpty()) {
                    double end = -1e300;
                    for (int w : left)
                        end = std::max(end, words.at(w).box.right());
                    leftEnds << end;
                    lefts << cellText(left);
                }
                if (!right.isEmpty()) {
                    rightStarts << words.at(right.first()).box.left();
                    rights << cellText(right);
                }
                both += !left.isEmpty() && !right.isEmpty() ? 1 : 0;
            }
            bool const headLeft = header >= 0 && !merged.at(0).isEmpty();
            bool const headRight = header >= 0 && !grid.at(0).at(c).isEmpty();
            bool const oneCell =
                always && both >= 2 && (lefts.size() == 1 || rights.size() == 1 || headLeft != headRight);
            bool const parts = flush(leftEnds, true) || (flush(rightStarts, false) && rights.size() >= 2) ||
                               (headLeft && headRight);
            join = oneCell || !parts;
        }
        if (!join) {
            ++groups;
            for (auto& cell : merged)
                cell.clear();
        }
        group[c] = groups - 1;
        for (int r = 0; r < rowCount; ++r)
            merged[r] += grid.at(r).at(c);
    }
    group[n] = groups;
    int const columns = groups + (beyond ? 1 : 0);

    TextColumns out;
    out.cells.fill(QVector<QVector<int>>(columns), rowCount);
    for (int r = 0; r < rowCount; ++r)
        for (int c = 0; c <= n; ++c)
            for (int w : grid.at(r).at(c))
                out.cells[r][group.at(c)] << w;
    for (auto& row : out.cells)
        for (auto& cell : row)
            std::stable_sort(cell.begin(), cell.end(),
                             [&](int a, int b) { return words.at(a).box.left() < words.at(b).box.left(); });

    // Edges: in each gutter next to a column flush with it (numbers set right end where their
    // cells end), else halfway; never through a heading.
    QVector<Interval> bodySpan(columns, {1e300, -1e300}), head(columns, {1e300, -1e300});
    QVector<QVector<double>> starts(columns), ends(columns);
    for (int r = 0; r < rowCount; ++r)
        for (int c = 0; c < columns; ++c) {
            QVector<int> const& cell = out.cells.at(r).at(c);
            if (cell.isEmpty())
                continue;
            Interval const span{words.at(cell.first()).box.left(), words.at(cell.last()).box.right()};
            Interval& into = first + r == header ? head[c] : bodySpan[c];
            into = {std::min(into.first, span.first), std::max(into.second, span.second)};
            if (first + r != header) {
                starts[c] << span.first;
                ends[c] << span.second;
            }
        }
    auto leftOf = [&](int c) { return std::min(bodySpan.at(c).first, head.at(c).first); };
    auto rightOf = [&](int c) { return std::max(bodySpan.at(c).second, head.at(c).second); };
    out.edges << leftOf(0) - 2;
    for (int c = 0; c + 1 < columns; ++c) {
        double const a = bodySpan.at(c).second, b = bodySpan.at(c + 1).first;
        double cut = (a + b) / 2;
        if (starts.at(c + 1).isEmpty()) // a heading over no cells
            cut = (rightOf(c) + leftOf(c + 1)) / 2;
        else if (b > a && flush(ends.at(c), true))
            cut = a + std::min(2.0, (b - a) / 2);
        else if (b > a && flush(starts.at(c + 1), false))
            cut = b - std::min(2.0, (b - a) / 2);
        double const low = rightOf(c), high = leftOf(c + 1);
        if (low <= high)
            cut = std::min(std::max(cut, low), high);
        out.edges << cut;
    }
    out.edges << rightOf(columns - 1) + 2;
    return out;
}

// Columns of running text at a side of the cells, whose lines go on above or below them at the
// same left edge (the page's next column of text, its word spaces lined up by chance), are no
// columns of the table; nor is a heading there when its column's lines go on both above and
// below it. The boxes of the rows without them go to @p rowBoxes.
TextColumns withoutTextBeside(TextColumns columns, QVector<Word> const& words, QVector<TextRow> const& rows,
                              int first, int last, QVector<QRectF>* rowBoxes)
{
    int const n = columns.count();
    // Whether columns from..to hold the lines of a column of text that runs on beyond them.
    auto const running = [&](int from, int to) {
        int lines = 0, count = 0, runs = 0;
        QRectF box;
        double size = 0;
        double rest = 1e300; // where the table's other columns begin, right of a group at the left
        for (auto const& row : columns.cells) {
            int k = 0;
            bool split = false;
            QRectF previous;
            for (int c = 0; c < n; ++c)
                for (int w : row.at(c)) {
                    QRectF const& b = words.at(w).box;
                    if (c < from || c > to) {
                        if (c > to)
                            rest = std::min(rest, b.left());
                        continue;
                    }
                    double const s = wordSize(words.at(w));
                    // A gap wider than the type parts cells; a line of text has none.
                    split = split || (k > 0 && b.left() - previous.right() > s);
                    ++k;
                    previous = b;
                    box = box.isNull() ? b : box.united(b);
                    size = std::max(size, s);
                }
            lines += k > 0 ? 1 : 0;
            runs += k > 0 && !split ? 1 : 0;
            count += k;
        }
        // Most lines one run of words, as text is.
        if (lines == 0 || 4 * runs < 3 * lines)
            return false;
        // Lines of the page next to the group, as wide as it from its left edge and clear of
        // the table's other columns: a title over a table at its left edge is narrower. The
        // page's other columns interleave their rows with the table's, so the rows nearby are
        // searched, not only the next ones.
        bool above = false, below = false;
        auto const look = [&](TextRow const& near) {
            double const reach = 2 * std::max(near.size, size);
            for (auto const& f : near.fragmentBoxes) {
                if (std::abs(f.left() - box.left()) >= 3 || f.right() >= rest ||
                    f.right() < box.left() + 0.8 * box.width())
                    continue;
                if (f.bottom() <= box.top() + size / 2 && box.top() - f.bottom() <= reach)
                    above = true;
                else if (f.top() >= box.bottom() - size / 2 && f.top() - box.bottom() <= reach)
                    below = true;
            }
        };
        for (int r = first - 1; r >= 0 && rows.at(r).box.top() >= box.top() - 8 * size; --r)
            look(rows.at(r));
        for (int r = last + 1; r < rows.size() && rows.at(r).box.top() <= box.bottom() + 4 * size; ++r)
            look(rows.at(r));
        return (count >= 4 * lines && (above || below)) || (lines == 1 && above && below);
    };
    // The narrowest group first: a column of text split at its word spaces is whole only with
    // all its pieces, and a wider group would take the table's own columns with it.
    int from = 0, to = n - 1;
    for (int k = n - 1; k >= 1; --k)
        if (running(k, n - 1)) {
            to = k - 1;
            break;
        }
    for (int k = 0; k < to; ++k)
        if (running(0, k)) {
            from = k + 1;
            break;
        }
    int skipped = 0;
    if (from > 0 || to < n - 1) {
        columns.edges = columns.edges.mid(from, to - from + 2);
        for (auto& row : columns.cells)
            row = row.mid(from, to - from + 1);
        // Rows that only the text beside had are no rows of the table.
        auto const empty = [](QVector<QVector<int>> const& row) {
            return std::all_of(row.begin(), row.end(), [](QVector<int> const& cell) { return cell.isEmpty(); });
        };
        while (!columns.cells.isEmpty() && empty(columns.cells.constLast()))
            columns.cells.removeLast();
        while (!columns.cells.isEmpty() && empty(columns.cells.constFirst())) {
            columns.cells.removeFirst();
            ++skipped;
        }
        if (columns.cells.isEmpty())
            columns.edges.clear();
    }
    for (int r = 0; r < columns.cells.size(); ++r) {
        QRectF box;
        for (auto const& cell : columns.cells.at(r))
            for (int w : cell)
                box = box.isNull() ? words.at(w).box : box.united(words.at(w).box);
        rowBoxes->push_back(box.isNull() ? rows.at(first + skipped + r).box : box);
    }
    return columns;
}

QVector<Table> alignedTables(QVector<Word> const& words, QVector<bool>& used, QSizeF const& pageSize)
{
    QVector<int> order;
    for (int i = 0; i < words.size(); ++i)
        if (!used.at(i) && words.at(i).rotation == 0 && words.at(i).box.isValid() &&
            !words.at(i).text.trimmed().isEmpty())
            order << i;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return words.at(a).box.center().y() < words.at(b).box.center().y();
    });

    QVector<TextRow> rows;
    for (int i : order) {
        QRectF const& box = words.at(i).box;
        int best = -1;
        for (int r = rows.size() - 1; r >= 0 && r >= rows.size() - 8; --r) {
            double const h = std::min(rows.at(r).coreBottom - rows.at(r).coreTop, box.height());
            double const common =
                std::min(rows.at(r).coreBottom, box.bottom()) - std::max(rows.at(r).coreTop, box.top());
            if (h > 0 && common / h >= 0.5) {
                best = r;
                break;
            }
        }
        if (best < 0) {
            TextRow row;
            row.coreTop = box.top();
            row.coreBottom = box.bottom();
            rows.push_back(row);
            best = rows.size() - 1;
        }
        rows[best].words << i;
        rows[best].box = rows[best].box.isNull() ? box : rows[best].box.united(box);
    }
    for (auto& row : rows) {
        std::stable_sort(row.words.begin(), row.words.end(),
                         [&](int a, int b) { return words.at(a).box.left() < words.at(b).box.left(); });
        for (int i : row.words) {
            Word const& w = words.at(i);
            row.size = std::max(row.size, wordSize(w));
            if (!row.fragments.isEmpty()) {
                Word const& prev = words.at(row.fragments.last().last());
                if (w.box.left() - row.fragmentBoxes.last().right() <=
                    1.0 * std::max(wordSize(prev), wordSize(w))) {
                    row.fragments.last() << i;
                    row.fragmentBoxes.last() = row.fragmentBoxes.last().united(w.box);
                    continue;
                }
            }
            row.fragments.push_back({i});
            row.fragmentBoxes.push_back(w.box);
        }
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](TextRow const& a, TextRow const& b) { return a.box.top() < b.box.top(); });

    auto fragmentText = [&](QVector<int> const& frag) {
        QStringList parts;
        for (int i : frag)
            parts << words.at(i).text;
        return parts.join(QLatin1Char(' '));
    };
    // Short cells or numbers make a table; long runs of words side by side are text columns.
    auto looksLikeTable = [&](int first, int last, int columns) {
        int const rowCount = last - first + 1;
        if (rowCount < 3 && !(rowCount == 2 && columns >= 3))
            return false;
        int cells = 0, numbers = 0, wordCount = 0;
        for (int r = first; r <= last; ++r)
            for (auto const& frag : rows.at(r).fragments) {
                ++cells;
                wordCount += frag.size();
                numbers += TableDetector::parseNumber(fragmentText(frag)) ? 1 : 0;
            }
        return cells > 0 && (numbers * 10 >= cells * 4 || wordCount <= cells * 3);
    };

    // The lines of a display equation (its fraction's parts, its number) line up as cells do.
    QVector<bool> math(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        QVector<Word const*> rowWords;
        for (int w : rows.at(r).words)
            rowWords << &words.at(w);
        math[r] = Equations::isMathLine(rowWords);
    }
    QVector<Table> tables;
    int i = 0;
    while (i < rows.size()) {
        if (rows.at(i).fragments.size() < 2 || math.at(i)) {
            ++i;
            continue;
        }
        // The rows under the first one: a row that reaches over their gutters ends the table.
        Coverage body;
        int last = i;
        auto continues = [&](int r) {
            TextRow const& prev = rows.at(r - 1);
            TextRow const& next = rows.at(r);
            return next.box.top() - prev.box.bottom() <= 2.0 * std::max(prev.size, next.size) &&
                   (body.isEmpty() || !crosses(next, body));
        };
        while (last + 1 < rows.size() && !math.at(last + 1)) {
            if (rows.at(last + 1).fragments.size() >= 2) {
                if (!continues(last + 1))
                    break;
                for (int w : rows.at(last + 1).words)
                    body.add(words.at(w).box.left(), words.at(w).box.right());
                ++last;
                continue;
            }
            // A group's label on a row of its own, in the first column ("Education" over its
            // services), belongs to the table when rows of cells go on under it.
            int next = last + 1;
            while (next < rows.size() && next - last <= 2 && rows.at(next).fragments.size() == 1 &&
                   continues(next)) {
                QRectF const& label = rows.at(next).fragmentBoxes.first();
                double left = 1e300;
                bool inFirst = true;
                for (int r = i; r <= last && inFirst; ++r) {
                    left = std::min(left, rows.at(r).box.left());
                    inFirst = rows.at(r).fragments.size() < 2 ||
                              label.right() < rows.at(r).fragmentBoxes.at(1).left();
                }
                inFirst = inFirst && label.left() >= left - rows.at(next).size;
                if (!inFirst)
                    break;
                ++next;
            }
            if (next == last + 1 || next >= rows.size() || rows.at(next).fragments.size() < 2 ||
                !continues(next))
                break;
            last = next - 1; // the cells' row is taken on the next turn
        }
        // A first row across the columns is a title over the table, not its header.
        if (last > i && crosses(rows.at(i), body)) {
            ++i;
            continue;
        }
        TextColumns columns = textColumns(words, rows, i, last);
        QVector<QRectF> rowBoxes;
        if (columns.count() >= 2)
            columns = withoutTextBeside(columns, words, rows, i, last, &rowBoxes);
        if (columns.count() < 2 || !looksLikeTable(i, last, columns.count())) {
            ++i;
            continue;
        }
        // What stays of rows of a display equation beside a column of text is the equation.
        int mathRows = 0;
        for (int r = 0; r < columns.cells.size(); ++r) {
            QVector<Word const*> kept;
            for (auto const& cell : columns.cells.at(r))
                for (int w : cell)
                    kept << &words.at(w);
            mathRows += !kept.isEmpty() && Equations::isMathLine(kept) ? 1 : 0;
        }
        if (2 * mathRows >= columns.cells.size()) {
            ++i;
            continue;
        }
        Table table;
        table.columnEdges = columns.edges;
        table.rowEdges << rowBoxes.first().top() - 2;
        for (int r = 0; r + 1 < rowBoxes.size(); ++r)
            table.rowEdges << (rowBoxes.at(r).bottom() + rowBoxes.at(r + 1).top()) / 2;
        table.rowEdges << rowBoxes.last().bottom() + 2;
        table.box = QRectF(QPointF(table.columnEdges.first(), table.rowEdges.first()),
                           QPointF(table.columnEdges.last(), table.rowEdges.last()));
        QVector<QVector<QVector<Word>>> cells(columns.cells.size(), QVector<QVector<Word>>(columns.count()));
        for (int r = 0; r < columns.cells.size(); ++r)
            for (int c = 0; c < columns.count(); ++c)
                for (int w : columns.cells.at(r).at(c)) {
                    cells[r][c].push_back(words.at(w));
                    used[w] = true;
                }
        fillCells(table, cells, pageSize);
        tables.push_back(table);
        i = last + 1;
    }
    return tables;
}

} // namespace

TableDetector::Result TableDetector::detect(QVector<Word> const& words, QVector<QLineF> const& rulings,
                                            QSizeF const& pageSize, QVector<Rule> const& styles)
{
    QVector<bool> used(words.size(), false);
    Result result;
    result.tables = ruledTables(words, used, rulings, pageSize, styles);
    result.tables += alignedTables(words, used, pageSize);
    std::stable_sort(result.tables.begin(), result.tables.end(),
                     [](Table const& a, Table const& b) { return a.box.top() < b.box.top(); });
    for (int i = 0; i < words.size(); ++i)
        if (!used.at(i))
            result.rest.push_back(words.at(i));
    return result;
}

bool TableDetector::parseNumber(QString const& text, double* value)
{
    QString t = text.trimmed();
    t.replace(QChar(0x2212), QLatin1Char('-'));
    static QRegularExpression const pattern(
        QStringLiteral("^([+-]?)(\\d{1,3}(?:,\\d{3})+|\\d+)?(\\.\\d+)?$"));
    QRegularExpressionMatch const m = pattern.match(t);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return false;
    QString integer = m.captured(2);
    if (integer.size() > 1 && integer.startsWith(QLatin1Char('0')))
        return false;
    integer.remove(QLatin1Char(','));
    if (integer.size() + std::max(0, m.captured(3).size() - 1) > 15)
        return false;
    bool ok = false;
    double const v =
        (m.captured(1) + (integer.isEmpty() ? QStringLiteral("0") : integer) + m.captured(3)).toDouble(&ok);
    if (ok && value)
        *value = v;
    return ok;
}

} // namespace layout
} // namespace pdfconv

#include "LayoutAnalyzer.h"

#include "Equations.h"
#include "LineNumbers.h"
#include "ScriptOrder.h"
#include "TableDetector.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <utility>

namespace pdfconv {
namespace layout {

namespace {

// Analysis runs in a frame where the text reads left to right and lines advance downwards:
// u along the reading direction, v across it.
QRectF toFrame(QRectF const& r, int rot)
{
    switch (rot & 3) {
    case 1:
        return QRectF(QPointF(r.top(), -r.right()), QPointF(r.bottom(), -r.left()));
    case 2:
        return QRectF(QPointF(-r.right(), -r.bottom()), QPointF(-r.left(), -r.top()));
    case 3:
        return QRectF(QPointF(-r.bottom(), r.left()), QPointF(-r.top(), r.right()));
    default:
        return r;
    }
}

QRectF fromFrame(QRectF const& f, int rot)
{
    switch (rot & 3) {
    case 1:
        return QRectF(QPointF(-f.bottom(), f.left()), QPointF(-f.top(), f.right()));
    case 2:
        return QRectF(QPointF(-f.right(), -f.bottom()), QPointF(-f.left(), -f.top()));
    case 3:
        return QRectF(QPointF(f.top(), -f.right()), QPointF(f.bottom(), -f.left()));
    default:
        return f;
    }
}

struct FWord
{
    Word const* word;
    QRectF f; // box in the frame
    double size;
};

struct Fragment
{
    QVector<int> words; // indices into the group's FWords, by u
    QRectF f;
    int row = 0;
};

struct Row
{
    double coreTop, coreBottom; // the largest word's extent: what later words must overlap
    QVector<int> words;
    QVector<int> fragments;
    QRectF f;
    double coreSize = 0;
};

using Interval = std::pair<double, double>;

struct Band
{
    QVector<int> rows;
    QVector<Interval> gutters;
    QVector<Interval> spans; // u-extents of every fragment in the band
    QVector<bool> large;     // per span: set larger than the body (a heading)
    int strips = 1;
};

double overlap(double a0, double a1, double b0, double b1)
{
    return std::min(a1, b1) - std::max(a0, b0);
}

QRectF unite(QRectF const& a, QRectF const& b)
{
    return a.isNull() ? b : a.united(b);
}

// Gaps at least minWidth wide between the merged intervals.
QVector<Interval> gapsBetween(QVector<Interval> spans, double minWidth)
{
    std::sort(spans.begin(), spans.end());
    QVector<Interval> gaps;
    double end = -1e300;
    bool first = true;
    for (auto const& s : spans) {
        if (!first && s.first - end >= minWidth)
            gaps.push_back({end, s.first});
        end = first ? s.second : std::max(end, s.second);
        first = false;
    }
    return gaps;
}

// Narrows each gutter by the spans beside it; false when a span crosses it (a heading across
// the columns) or leaves it too narrow. A heading set larger than the body
// (@p large, per span) may reach across the middle from the column it stands in, as long as a
// space stays: it leaves the gutter as the columns' text has it.
bool narrowGutters(QVector<Interval>& gutters, QVector<Interval> const& spans, double minWidth,
                   QVector<bool> const& large = {})
{
    for (auto& g : gutters) {
        for (int k = 0; k < spans.size(); ++k) {
            Interval const& s = spans.at(k);
            if (large.value(k) || s.second <= g.first || s.first >= g.second)
                continue;
            // From the column it reaches in from; one within the gutter by the side of its
            // middle that it keeps to.
            double const middle = (g.first + g.second) / 2;
            if (s.first <= g.first && s.second >= g.second)
                return false;
            if (s.first <= g.first)
                g.first = s.second;
            else if (s.second >= g.second)
                g.second = s.first;
            else if (s.first < middle && s.second > middle)
                return false;
            else if (s.second <= middle)
                g.first = s.second;
            else
                g.second = s.first;
        }
        if (g.second - g.first < minWidth)
            return false;
        for (int k = 0; k < spans.size(); ++k) {
            Interval const& s = spans.at(k);
            if (!large.value(k) || s.second <= g.first || s.first >= g.second)
                continue;
            // Mostly in its column, with a space before the next.
            bool const fromLeft = s.first < g.first && g.first - s.first > s.second - g.first &&
                                  g.second - s.second >= 0.25 * minWidth;
            bool const fromRight = s.second > g.second && s.second - g.second > g.second - s.first &&
                                   s.first - g.first >= 0.25 * minWidth;
            if (!fromLeft && !fromRight)
                return false;
        }
    }
    return true;
}

template <typename Weight>
double dominantSize(QVector<FWord> const& fw, QVector<int> const& idx, Weight weight)
{
    QMap<int, double> bySize;
    for (int i : idx)
        bySize[int(std::lround(fw.at(i).size * 2))] += weight(fw.at(i));
    double best = 0;
    int key = 0;
    for (auto it = bySize.cbegin(); it != bySize.cend(); ++it)
        if (it.value() > best) {
            best = it.value();
            key = it.key();
        }
    return key / 2.0;
}

double chars(FWord const& w)
{
    return std::max(1, w.word->text.size());
}

struct FLine
{
    QVector<int> words;
    QRectF f;
    double size = 0;
};

class GroupAnalyzer
{
public:
    GroupAnalyzer(QVector<FWord> words, int rotation, PageLayout& page)
        : m_fw(std::move(words)), m_rot(rotation), m_page(page)
    {
    }

    void run()
    {
        if (m_fw.isEmpty())
            return;
        QVector<int> all(m_fw.size());
        for (int i = 0; i < all.size(); ++i)
            all[i] = i;
        m_body = dominantSize(m_fw, all, chars);
        if (m_body <= 0)
            m_body = 10;
        buildRows();
        buildFragments();
        buildBands();
    }

private:
    void buildRows()
    {
        QVector<int> order(m_fw.size());
        for (int i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
            return m_fw.at(a).f.center().y() < m_fw.at(b).f.center().y();
        });
        for (int i : order) {
            QRectF const& f = m_fw.at(i).f;
            int best = -1;
            double bestRatio = 0.5;
            // Rows of side-by-side columns need not share baselines, so a few recent rows
            // stay open at once.
            for (int r = m_rows.size() - 1; r >= 0 && r >= m_rows.size() - 12; --r) {
                Row const& row = m_rows.at(r);
                double const h = std::min(row.coreBottom - row.coreTop, f.height());
                if (h <= 0)
                    continue;
                double const ratio = overlap(row.coreTop, row.coreBottom, f.top(), f.bottom()) / h;
                if (ratio >= bestRatio) {
                    bestRatio = ratio;
                    best = r;
                }
            }
            if (best < 0) {
                m_rows.push_back(Row{f.top(), f.bottom(), {}, {}, QRectF(), m_fw.at(i).size});
                best = m_rows.size() - 1;
            }
            Row& row = m_rows[best];
            row.words.push_back(i);
            row.f = unite(row.f, f);
            // A row begun by a raised index takes its line's own extent once a word of the
            // line's size joins, so that a lowered index below that line still joins it.
            if (m_fw.at(i).size > 1.15 * row.coreSize) {
                row.coreTop = f.top();
                row.coreBottom = f.bottom();
                row.coreSize = m_fw.at(i).size;
            }
        }
    }

    void buildFragments()
    {
        for (int r = 0; r < m_rows.size(); ++r) {
            Row& row = m_rows[r];
            std::stable_sort(row.words.begin(), row.words.end(),
                             [this](int a, int b) { return m_fw.at(a).f.left() < m_fw.at(b).f.left(); });
            int current = -1;
            for (int k = 0; k < row.words.size(); ++k) {
                int const i = row.words.at(k);
                FWord const& w = m_fw.at(i);
                if (current >= 0) {
                    Fragment& frag = m_frags[current];
                    FWord const& prev = m_fw.at(frag.words.constLast());
                    double const gap = w.f.left() - frag.f.right();
                    if (gap <= 1.2 * std::max(prev.size, w.size) && !otherText(row.words, k)) {
                        frag.words.push_back(i);
                        frag.f = frag.f.united(w.f);
                        continue;
                    }
                }
                m_frags.push_back(Fragment{{i}, w.f, r});
                current = m_frags.size() - 1;
                row.fragments.push_back(current);
            }
        }
    }

    // Whether the words of a row from @p at on are set in a size of their own and so are
    // those before it, a word or more each: a heading beside a column's line, which only
    // shares its row, not a superscript or a larger letter within a line.
    bool otherText(QVector<int> const& words, int at) const
    {
        double const before = m_fw.at(words.at(at - 1)).size, after = m_fw.at(words.at(at)).size;
        if (std::max(before, after) < 1.25 * std::min(before, after))
            return false;
        int count = 0;
        auto const run = [&](int from, int step, double size) {
            int letters = 0;
            for (int k = from; k >= 0 && k < words.size(); k += step) {
                if (std::abs(m_fw.at(words.at(k)).size - size) > 0.1 * size)
                    break;
                ++count;
                letters += m_fw.at(words.at(k)).word->text.size();
            }
            return letters >= 4;
        };
        return run(at - 1, -1, before) && run(at, 1, after) && count >= 3;
    }

    void buildBands()
    {
        // Strips: rows whose extents (less a tenth of their height at each side) overlap, so
        // that lines of neighbouring columns with shifted baselines still meet in one strip.
        QVector<int> rowOrder(m_rows.size());
        for (int i = 0; i < rowOrder.size(); ++i)
            rowOrder[i] = i;
        std::stable_sort(rowOrder.begin(), rowOrder.end(),
                         [this](int a, int b) { return m_rows.at(a).f.top() < m_rows.at(b).f.top(); });
        QVector<QVector<int>> strips;
        double stripBottom = -1e300;
        for (int r : rowOrder) {
            Row const& row = m_rows.at(r);
            double const inset = 0.1 * row.f.height();
            if (strips.isEmpty() || row.f.top() + inset >= stripBottom) {
                strips.push_back({});
                stripBottom = row.f.bottom() - inset;
            } else {
                stripBottom = std::max(stripBottom, row.f.bottom() - inset);
            }
            strips.last().push_back(r);
        }

        double const minGutter = 0.8 * m_body;
        QVector<Band> bands;
        for (auto const& strip : strips) {
            QVector<Interval> spans;
            QVector<bool> large;
            for (int r : strip)
                for (int fi : m_rows.at(r).fragments) {
                    spans.push_back({m_frags.at(fi).f.left(), m_frags.at(fi).f.right()});
                    large.push_back(dominantSize(m_fw, m_frags.at(fi).words, chars) > 1.15 * m_body);
                }
            QVector<Interval> const own = gapsBetween(spans, minGutter);
            if (!bands.isEmpty()) {
                Band& band = bands.last();
                bool join = false;
                if (!band.gutters.isEmpty()) {
                    QVector<Interval> gutters = band.gutters;
                    join = narrowGutters(gutters, spans, minGutter, large);
                    // Short first lines (headings over columns) leave a gutter wider than the
                    // columns do: the strip's own narrower gutters may still suit the band.
                    if (!join && own.size() == band.gutters.size()) {
                        gutters = own;
                        join = narrowGutters(gutters, band.spans, minGutter, band.large);
                    }
                    // A band of one strip whose wide word spaces (a heading set justified
                    // beside a column) looked like gutters keeps those the next strip has too.
                    if (!join && band.strips == 1 && !own.isEmpty() && own.size() < band.gutters.size()) {
                        gutters.clear();
                        for (auto const& o : own)
                            for (auto const& g : band.gutters)
                                if (std::min(o.second, g.second) - std::max(o.first, g.first) >= minGutter)
                                    gutters.push_back(
                                        {std::max(o.first, g.first), std::min(o.second, g.second)});
                        join = gutters.size() == own.size() &&
                               narrowGutters(gutters, band.spans, minGutter, band.large) &&
                               narrowGutters(gutters, spans, minGutter, large);
                    }
                    if (join)
                        band.gutters = gutters;
                } else if (own.isEmpty()) {
                    join = true;
                } else {
                    // The band joins the strip's gutters when nothing in it crosses them:
                    // the first lines of a column that starts higher than its neighbour.
                    QVector<Interval> gutters = own;
                    join = narrowGutters(gutters, band.spans, minGutter, band.large);
                    if (join)
                        band.gutters = gutters;
                }
                if (join) {
                    band.rows += strip;
                    band.spans += spans;
                    band.large += large;
                    ++band.strips;
                    continue;
                }
            }
            bands.push_back(Band{strip, own, spans, large, 1});
        }

        for (auto const& band : bands)
            emitBand(band);
    }

    void emitBand(Band const& band)
    {
        QVector<double> cuts;
        for (auto const& g : band.gutters)
            cuts.push_back((g.first + g.second) / 2);
        std::sort(cuts.begin(), cuts.end());
        int const columnCount = cuts.size() + 1;
        QVector<QVector<int>> fragsByColumn(columnCount);
        for (int r : band.rows)
            for (int fi : m_rows.at(r).fragments) {
                double const c = m_frags.at(fi).f.center().x();
                int col = 0;
                while (col < cuts.size() && c > cuts.at(col))
                    ++col;
                fragsByColumn[col].push_back(fi);
            }
        // A column of list markers belongs to the text beside it.
        for (int c = 0; c + 1 < fragsByColumn.size(); ++c) {
            bool markers = !fragsByColumn.at(c).isEmpty();
            for (int fi : fragsByColumn.at(c))
                markers = markers && m_frags.at(fi).words.size() == 1 &&
                          LayoutAnalyzer::isListMarker(m_fw.at(m_frags.at(fi).words.first()).word->text);
            if (markers) {
                fragsByColumn[c + 1] += fragsByColumn.at(c);
                fragsByColumn[c].clear();
            }
        }
        // Side by side fragments that are not columns (a label and its value) stay one line, and
        // so do those of code or a log in a face of fixed pitch, aligned with spaces.
        int populated = 0;
        for (auto const& col : fragsByColumn)
            if (col.size() >= 2)
                ++populated;
        qint64 fixed = 0, all = 0;
        for (int r : band.rows)
            for (int i : m_rows.at(r).words) {
                all += m_fw.at(i).word->text.size();
                fixed += m_fw.at(i).word->monospace ? m_fw.at(i).word->text.size() : 0;
            }
        if (columnCount > 1 && (populated < 2 || 10 * fixed >= 8 * all)) {
            QVector<int> merged;
            for (auto const& col : fragsByColumn)
                merged += col;
            fragsByColumn = {merged};
        }
        int const bandIndex = m_page.columns.isEmpty() ? 0 : m_page.columns.constLast().band + 1;
        for (auto const& col : fragsByColumn) {
            if (col.isEmpty())
                continue;
            emitColumn(col, bandIndex);
        }
    }

    void emitColumn(QVector<int> const& frags, int band)
    {
        // Fragments of one row within a column form one line.
        QMap<int, FLine> byRow;
        for (int fi : frags) {
            Fragment const& frag = m_frags.at(fi);
            FLine& line = byRow[frag.row];
            line.words += frag.words;
            line.f = unite(line.f, frag.f);
        }
        QVector<FLine> lines;
        for (auto& line : byRow) {
            std::stable_sort(line.words.begin(), line.words.end(),
                             [this](int a, int b) { return m_fw.at(a).f.left() < m_fw.at(b).f.left(); });
            line.size = dominantSize(m_fw, line.words, chars);
            lines.push_back(line);
        }
        std::stable_sort(lines.begin(), lines.end(), [](FLine const& a, FLine const& b) {
            return a.f.bottom() < b.f.bottom() || (a.f.bottom() == b.f.bottom() && a.f.left() < b.f.left());
        });

        QRectF colBox;
        for (auto const& l : lines)
            colBox = unite(colBox, l.f);
        int const columnIndex = m_page.columns.size();
        m_page.columns.push_back(Column{fromFrame(colBox, m_rot), band});

        // Line pitch inside paragraphs: the median baseline distance, capped so that a
        // column of one-line paragraphs does not pass its paragraph spacing for leading.
        QVector<double> pitches;
        for (int i = 1; i < lines.size(); ++i)
            pitches.push_back(lines.at(i).f.bottom() - lines.at(i - 1).f.bottom());
        std::sort(pitches.begin(), pitches.end());

        QVector<FLine> current;
        for (int i = 0; i < lines.size(); ++i) {
            if (!current.isEmpty() && startsBlock(current.constLast(), lines.at(i), colBox, pitches))
                emitBlock(current, columnIndex);
            current.push_back(lines.at(i));
        }
        if (!current.isEmpty())
            emitBlock(current, columnIndex);
    }

    bool isBold(FLine const& l) const
    {
        int bold = 0, all = 0;
        for (int i : l.words) {
            int const n = m_fw.at(i).word->text.size();
            all += n;
            if (m_fw.at(i).word->bold)
                bold += n;
        }
        return all > 0 && bold * 2 > all;
    }

    bool isFixedPitch(FLine const& l) const
    {
        int fixed = 0, all = 0;
        for (int i : l.words) {
            int const n = m_fw.at(i).word->text.size();
            all += n;
            if (m_fw.at(i).word->monospace)
                fixed += n;
        }
        return all > 0 && fixed * 2 > all;
    }

    bool startsBlock(FLine const& prev, FLine const& line, QRectF const& col,
                     QVector<double> const& pitches) const
    {
        double const size = std::max(prev.size, line.size);
        if (std::abs(prev.size - line.size) > 0.15 * size)
            return true;
        // Code set in a face of fixed pitch is a block of its own, even in the body's size.
        if (isBold(prev) != isBold(line) || isFixedPitch(prev) != isFixedPitch(line))
            return true;
        double const pitch = line.f.bottom() - prev.f.bottom();
        double typical = pitches.isEmpty() ? 1.2 * size : pitches.at(pitches.size() / 2);
        typical = std::min(std::max(typical, 0.8 * size), 1.6 * size);
        if (pitch > typical * 1.25 + 0.5 || pitch < -0.5 * size)
            return true;
        // List items: each marker starts one, and the item's text runs on under its first word.
        auto const startsWithMarker = [this](FLine const& l) {
            return l.words.size() >= 2 && LayoutAnalyzer::isListMarker(m_fw.at(l.words.first()).word->text);
        };
        if (startsWithMarker(line))
            return true;
        if (startsWithMarker(prev) &&
            std::abs(line.f.left() - m_fw.at(prev.words.at(1)).f.left()) < 0.5 * size)
            return false;
        // A first-line indent under a line that starts at the column's edge.
        if (line.f.left() > col.left() + 1.0 * size && prev.f.left() < col.left() + 0.5 * size)
            return true;
        // A short line that ends a sentence ends its paragraph.
        QString const& last = m_fw.at(prev.words.constLast()).word->text;
        if (!last.isEmpty() && QStringLiteral(".!?:").contains(last.at(last.size() - 1)) &&
            prev.f.right() < col.right() - std::max(4 * size, 0.34 * col.width()))
            return true;
        return false;
    }

    void emitBlock(QVector<FLine>& lines, int columnIndex)
    {
        Block block;
        block.column = columnIndex;
        QVector<int> allWords;
        int boldChars = 0, italicChars = 0, allChars = 0;
        for (auto const& fl : lines) {
            Line line;
            for (int i : fl.words) {
                Word const& w = *m_fw.at(i).word;
                int const n = w.text.size();
                allChars += n;
                boldChars += w.bold ? n : 0;
                italicChars += w.italic ? n : 0;
                line.words.push_back(w);
            }
            line.rightToLeft = ScriptOrder::rightToLeft(line.words);
            ScriptOrder::orderLine(line.words, line.rightToLeft);
            line.box = fromFrame(fl.f, m_rot);
            line.fontSize = fl.size;
            block.box = unite(block.box, line.box);
            block.lines.push_back(line);
            allWords += fl.words;
        }
        block.fontSize = dominantSize(m_fw, allWords, chars);
        block.bold = allChars > 0 && boldChars * 2 > allChars;
        block.italic = allChars > 0 && italicChars * 2 > allChars;
        m_page.blocks.push_back(block);
        lines.clear();
    }

    QVector<FWord> m_fw;
    int m_rot;
    PageLayout& m_page;
    double m_body = 10;
    QVector<Row> m_rows;
    QVector<Fragment> m_frags;
};

} // namespace

PageLayout LayoutAnalyzer::analyze(QVector<Word> const& words, QSizeF const& pageSize, int pageIndex)
{
    PageLayout page;
    page.pageIndex = pageIndex;
    page.size = pageSize;
    for (int rot = 0; rot < 4; ++rot) {
        QVector<FWord> group;
        for (auto const& w : words) {
            if ((w.rotation & 3) != rot || w.text.trimmed().isEmpty() || !w.box.isValid())
                continue;
            double const size = w.fontSize > 0.5 ? w.fontSize : toFrame(w.box, rot).height();
            group.push_back(FWord{&w, toFrame(w.box, rot), size});
        }
        GroupAnalyzer(group, rot, page).run();
    }
    BodySizeTracker own;
    own.add(page);
    page.bodyFontSize = own.bodyFontSize();
    return page;
}

PageLayout LayoutAnalyzer::analyzeWithTables(QVector<Word> const& words, QSizeF const& pageSize,
                                             int pageIndex, QVector<QLineF> const& rulings,
                                             QVector<Rule> const& styles)
{
    QVector<Word> text = words;
    QVector<Word> numbers = LineNumbers::take(text);
    TableDetector::Result found = TableDetector::detect(text, rulings, pageSize, styles);
    // Numbers that count down the rows of a table, in its grid or just before its first column
    // (entries of a journal), are its first column, not the lines' numbers.
    for (auto const& table : found.tables) {
        if (numbers.isEmpty())
            break;
        int beside = 0;
        for (auto const& number : numbers) {
            double const size = number.fontSize > 0.5 ? number.fontSize : number.box.height();
            double const y = number.box.center().y();
            double const gap = table.box.left() - number.box.right();
            if (y > table.box.top() && y < table.box.bottom() && gap < 4 * size &&
                number.box.left() < table.box.right())
                ++beside;
        }
        if (4 * beside >= 3 * numbers.size()) {
            text = words;
            numbers.clear();
            found = TableDetector::detect(text, rulings, pageSize, styles);
            break;
        }
    }
    // Columns of code or a log in a face of fixed pitch, aligned with spaces, are lines.
    for (int t = found.tables.size() - 1; t >= 0; --t) {
        Table const& table = found.tables.at(t);
        QVector<Word> inside;
        qint64 fixed = 0, all = 0;
        for (auto const& row : table.rows)
            for (auto const& cell : row)
                for (auto const& block : cell.blocks)
                    for (auto const& line : block.lines)
                        for (auto const& word : line.words) {
                            inside << word;
                            all += word.text.size();
                            fixed += word.monospace ? word.text.size() : 0;
                        }
        if (!table.ruled && all > 0 && 10 * fixed >= 8 * all) {
            found.rest += inside;
            found.tables.removeAt(t);
        }
    }
    PageLayout page = analyze(found.rest, pageSize, pageIndex);
    Equations::mark(page);
    for (auto& table : found.tables) {
        // The first block below the table's top that shares its width, else the first below it.
        int before = -1;
        for (int b = 0; b < page.blocks.size() && before < 0; ++b) {
            QRectF const& box = page.blocks.at(b).box;
            if (box.top() >= table.box.top() - 1 && box.right() > table.box.left() &&
                box.left() < table.box.right())
                before = b;
        }
        for (int b = 0; b < page.blocks.size() && before < 0; ++b)
            if (page.blocks.at(b).box.top() >= table.box.bottom())
                before = b;
        table.beforeBlock = before < 0 ? page.blocks.size() : before;
    }
    std::stable_sort(found.tables.begin(), found.tables.end(),
                     [](Table const& a, Table const& b) { return a.beforeBlock < b.beforeBlock; });
    page.tables = found.tables;
    page.lineNumbers = std::move(numbers);
    return page;
}

bool LayoutAnalyzer::isListMarker(QString const& text)
{
    static QString const bullets =
        QStringLiteral("\u2022\u25E6\u25AA\u25A0\u25A1\u25CF\u25CB\u2023\u2013-*\u00B7"
                       "\u25BA\u27A2\u2713\uF0B7\uF0A7");
    static QRegularExpression const numbered(QStringLiteral("^(\\d{1,3}|[a-zA-Z]|[ivxlcIVXLC]{2,6})[.)]$"));
    QString const t = text.trimmed();
    return (t.size() == 1 && bullets.contains(t.at(0))) || numbered.match(t).hasMatch();
}

PageLayout LayoutAnalyzer::plainText(QStringList const& lines, QSizeF const& pageSize, int pageIndex)
{
    PageLayout page;
    page.pageIndex = pageIndex;
    page.size = pageSize;
    double const margin = std::min(36.0, 0.1 * std::min(pageSize.width(), pageSize.height()));
    QRectF const area(margin, margin, std::max(1.0, pageSize.width() - 2 * margin),
                      std::max(1.0, pageSize.height() - 2 * margin));
    Block block;
    for (auto const& text : lines) {
        QStringList const words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (!words.isEmpty()) {
            Line line;
            line.words.reserve(words.size());
            for (auto const& w : words) {
                Word word;
                word.text = w;
                word.spaceAfter = true;
                line.words.push_back(word);
            }
            line.words.last().spaceAfter = false;
            block.lines.push_back(line);
        }
    }
    if (block.lines.isEmpty())
        return page;
    // Boxes only so that every output has somewhere to put the text: the reading order is
    // what counts here.
    double const pitch = std::min(14.0, area.height() / block.lines.size());
    double const size = std::max(1.0, std::min(11.0, pitch / 1.2));
    for (int i = 0; i < block.lines.size(); ++i) {
        Line& line = block.lines[i];
        double const top = area.top() + i * pitch;
        double const step = area.width() / line.words.size();
        for (int k = 0; k < line.words.size(); ++k) {
            Word& word = line.words[k];
            word.fontSize = size;
            word.box = QRectF(area.left() + k * step, top, std::max(0.01, 0.9 * step), size);
        }
        line.box = QRectF(area.left(), top, area.width(), size);
        line.fontSize = size;
        block.box = unite(block.box, line.box);
    }
    block.fontSize = size;
    page.columns.push_back(Column{block.box, 0});
    page.blocks.push_back(block);
    page.bodyFontSize = size;
    return page;
}

void LayoutAnalyzer::markHeadings(PageLayout& page, double bodyFontSize)
{
    if (bodyFontSize <= 0)
        return;
    for (auto& block : page.blocks) {
        if (block.kind == BlockKind::Equation)
            continue;
        double const ratio = block.fontSize / bodyFontSize;
        if (block.lines.size() > 3 || ratio < 1.15) {
            block.kind = BlockKind::Paragraph;
            block.headingLevel = 0;
            continue;
        }
        block.kind = BlockKind::Heading;
        block.headingLevel = ratio >= 1.6 ? 1 : ratio >= 1.3 ? 2 : 3;
    }
}

void BodySizeTracker::add(PageLayout const& page)
{
    for (auto const& block : page.blocks)
        for (auto const& line : block.lines)
            for (auto const& word : line.words)
                m_charsByHalfPoint[int(std::lround(word.fontSize * 2))] += word.text.size();
}

double BodySizeTracker::bodyFontSize() const
{
    qint64 best = 0;
    int key = 0;
    for (auto it = m_charsByHalfPoint.cbegin(); it != m_charsByHalfPoint.cend(); ++it)
        if (it.value() > best) {
            best = it.value();
            key = it.key();
        }
    return key / 2.0;
}

} // namespace layout
} // namespace pdfconv

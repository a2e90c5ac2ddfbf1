#include "WordBuilder.h"

#include "FontMatcher.h"
#include "TextWidths.h"
#include "engine/PngWriter.h"
#include "layout/LayoutAnalyzer.h"
#include "layout/RunningHeads.h"

#include <QHash>

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace pdfconv {
namespace office {

namespace {

using ooxml::WordParagraph;
using Alignment = WordParagraph::Alignment;

// Word's smallest sensible margin, and how far a page's text may shift the margins.
constexpr double kMinMargin = 18;
constexpr double kMaxMargin = 108;
// A line set at an exact pitch keeps this share of the font size below its baseline; the
// rest of the pitch lies above it.
constexpr double kDescent = 0.22;
// The pitch of a single line: about what Word gives the usual faces.
constexpr double kSingleLine = 1.15;

double clampMargin(double v)
{
    return std::max(kMinMargin, std::min(kMaxMargin, v));
}

double areaOf(QRectF const& r)
{
    return r.isValid() ? r.width() * r.height() : 0.0;
}

// Whether @p under lies beneath most of @p box.
bool covers(QRectF const& under, QRectF const& box)
{
    return areaOf(under.intersected(box)) > 0.5 * areaOf(box);
}

// Whether pictures fill most of the figure's box.
bool mostlyPictures(QRectF const& figure, QVector<QRectF> const& pictures)
{
    double filled = 0;
    for (auto const& picture : pictures)
        filled += areaOf(picture.intersected(figure));
    return filled > 0.6 * areaOf(figure);
}

// A list item's marker: a bullet, or a number or letter with its punctuation, set apart from
// the text that follows.
struct Marker
{
    ooxml::WordListLabel::Kind kind = ooxml::WordListLabel::Kind::None;
    int number = 1;
    QString text;
    QString suffix;
    double left = 0;     // where the marker stands
    double textLeft = 0; // where the text after it starts
};

int romanValue(QString const& roman)
{
    static QString const digits = QStringLiteral("ivxlcdm");
    static int const values[] = {1, 5, 10, 50, 100, 500, 1000};
    int total = 0;
    QString const lower = roman.toLower();
    for (int i = 0; i < lower.size(); ++i) {
        int const v = values[digits.indexOf(lower.at(i))];
        int const next = i + 1 < lower.size() ? values[digits.indexOf(lower.at(i + 1))] : 0;
        total += v < next ? -v : v;
    }
    return total;
}

Marker markerOf(layout::Block const& block)
{
    Marker m;
    if (block.lines.isEmpty() || block.lines.first().words.size() < 2 ||
        block.kind == layout::BlockKind::Heading)
        return m;
    layout::Line const& line = block.lines.first();
    layout::Word const& first = line.words.at(0);
    layout::Word const& second = line.words.at(1);
    double const size = line.fontSize > 0 ? line.fontSize : 10;
    // The text after a marker stands apart from it, as a tab puts it.
    if (first.rotation != 0 || second.box.left() - first.box.right() < 0.4 * size)
        return m;
    // Later lines of the item stand under its text, not under the marker.
    for (int l = 1; l < block.lines.size(); ++l)
        if (std::abs(block.lines.at(l).box.left() - second.box.left()) > 0.4 * size)
            return m;
    static QRegularExpression const numbered(QStringLiteral("^(\\d{1,3}|[a-zA-Z]|[ivxlcIVXLC]{2,6})([.)])$"));
    QString const text = first.text.trimmed();
    if (!layout::LayoutAnalyzer::isListMarker(text))
        return m;
    if (text.size() == 1 && !text.at(0).isLetterOrNumber()) {
        m.kind = ooxml::WordListLabel::Kind::Bullet;
    } else {
        QRegularExpressionMatch const match = numbered.match(text);
        if (!match.hasMatch())
            return m;
        QString const value = match.captured(1);
        m.suffix = match.captured(2);
        if (value.at(0).isDigit()) {
            m.kind = ooxml::WordListLabel::Kind::Decimal;
            m.number = value.toInt();
        } else if (value.size() > 1) {
            m.kind = value.at(0).isLower() ? ooxml::WordListLabel::Kind::LowerRoman
                                           : ooxml::WordListLabel::Kind::UpperRoman;
            m.number = romanValue(value);
        } else {
            m.kind = value.at(0).isLower() ? ooxml::WordListLabel::Kind::LowerLetter
                                           : ooxml::WordListLabel::Kind::UpperLetter;
            m.number = value.at(0).toLower().unicode() - 'a' + 1;
        }
    }
    m.text = text;
    m.left = first.box.left();
    m.textLeft = second.box.left();
    return m;
}

// How a block sits in its area.
struct Shape
{
    Alignment alignment = Alignment::Left;
    double firstLeft = 0; // the first line's text
    double restLeft = 0;  // the other lines' (the first line's in a block of one)
    double left = 0;      // the leftmost ink, a list marker included
    double right = 0;
    double pitch = 0;         // baseline to baseline
    double firstBaseline = 0; // of the first line
    double lastBaseline = 0;
    double size = 11;
    Marker marker;
    bool rightToLeft = false; // most lines read from right to left
};

bool readsRightToLeft(layout::Block const& block)
{
    int rtl = 0;
    for (auto const& line : block.lines)
        rtl += line.rightToLeft ? 1 : 0;
    return 2 * rtl > block.lines.size();
}

Shape shapeOf(layout::Block const& block, QRectF const& area)
{
    Shape s;
    s.size = block.fontSize > 0 ? block.fontSize : 11;
    s.marker = markerOf(block);
    s.rightToLeft = readsRightToLeft(block);
    if (block.lines.isEmpty())
        return s;
    bool const listed = s.marker.kind != ooxml::WordListLabel::Kind::None;
    s.firstLeft = listed ? s.marker.textLeft : block.lines.first().box.left();
    s.restLeft = s.firstLeft;
    s.left = block.lines.first().box.left();
    s.right = block.box.right();
    for (int l = 1; l < block.lines.size(); ++l) {
        double const left = block.lines.at(l).box.left();
        s.restLeft = l == 1 ? left : std::min(s.restLeft, left);
        s.left = std::min(s.left, left);
    }
    QVector<double> baselines;
    for (auto const& line : block.lines)
        baselines << lineBaseline(line);
    s.firstBaseline = baselines.first();
    s.lastBaseline = baselines.last();
    QVector<double> steps;
    for (int i = 1; i < baselines.size(); ++i)
        steps << baselines.at(i) - baselines.at(i - 1);
    std::sort(steps.begin(), steps.end());
    s.pitch = steps.isEmpty() ? kSingleLine * s.size
                              : std::clamp(steps.at(steps.size() / 2), 0.8 * s.size, 3.0 * s.size);
    if (listed || area.width() <= 0)
        return s;

    double const width = area.width();
    bool centred = true, right = true;
    for (auto const& line : block.lines) {
        double const leftGap = line.box.left() - area.left();
        double const rightGap = area.right() - line.box.right();
        centred = centred && leftGap > 0.08 * width && std::abs(leftGap - rightGap) < 0.03 * width + 2;
        right = right && rightGap < 3 && leftGap > 0.25 * width;
    }
    // Justified: every line but the last ends at the same place, near the area's edge.
    bool justified = block.lines.size() >= 2 && s.right > area.right() - 0.06 * width;
    for (int l = 0; justified && l + 1 < block.lines.size(); ++l)
        justified = block.lines.at(l).box.right() > s.right - 1.5 && block.lines.at(l).words.size() >= 2;
    if (s.rightToLeft) {
        // Right-to-left lines start at the right: a ragged paragraph ends its lines at the left
        // where they fall, a justified one at the area's left edge.
        for (int l = 0; justified && l + 1 < block.lines.size(); ++l)
            justified = block.lines.at(l).box.left() < s.left + 1.5 && s.left < area.left() + 0.06 * width;
        bool flush = true;
        for (auto const& line : block.lines)
            flush = flush && area.right() - line.box.right() < 0.03 * width + 3;
        right = right || (!justified && flush && !centred);
    }
    s.alignment = centred     ? Alignment::Center
                  : right     ? Alignment::Right
                  : justified ? Alignment::Justify
                              : Alignment::Left;
    return s;
}

// Numbers stand at the right of their cells, headings often in the middle.
Alignment cellAlignment(layout::Block const& block, double left, double right)
{
    double const width = right - left;
    double const leftGap = block.box.left() - left, rightGap = right - block.box.right();
    if (width <= 0)
        return Alignment::Left;
    if (leftGap > 0.2 * width && rightGap < 0.5 * leftGap - 0.1 * width)
        return Alignment::Right;
    if (leftGap > 0.1 * width && std::abs(leftGap - rightGap) < 0.1 * width)
        return Alignment::Center;
    return Alignment::Left;
}

ooxml::WordBorder borderOf(layout::Rule const& rule)
{
    ooxml::WordBorder border;
    if (!rule.present) {
        border.style = ooxml::WordBorder::Style::None;
        return border;
    }
    border.style = rule.dash == 2   ? ooxml::WordBorder::Style::Dotted
                   : rule.dash == 1 ? ooxml::WordBorder::Style::Dashed
                                    : ooxml::WordBorder::Style::Single;
    border.width = rule.width;
    border.colour = rule.colour;
    return border;
}

// The grid cell that covers (r, c), found above or to the left of it.
QPoint anchorOf(layout::Table const& table, int r, int c)
{
    for (int ar = r; ar >= 0; --ar)
        for (int ac = c; ac >= 0; --ac) {
            layout::TableCell const& cell = table.rows.at(ar).at(ac);
            if (!cell.covered && ar + cell.rowSpan > r && ac + cell.columnSpan > c)
                return QPoint(ac, ar);
        }
    return QPoint(c, r);
}

// The lines of a paragraph's runs, measured in the faces that will draw them.
QVector<double> lineWidths(WordParagraph const& p)
{
    QVector<ooxml::TextRun> runs;
    for (auto const& item : p.content)
        if (auto const* run = std::get_if<ooxml::TextRun>(&item))
            runs << *run;
    return TextWidths::lineWidths(runs);
}

// Text of a script whose shaping (stacked and reordered signs) our measure of widths knows
// only roughly: Indic, Burmese, Thai, Lao, Khmer, Tibetan.
bool shapedScript(WordParagraph const& p)
{
    for (auto const& item : p.content)
        if (auto const* run = std::get_if<ooxml::TextRun>(&item))
            for (QChar c : run->text) {
                ushort const u = c.unicode();
                if ((u >= 0x0900 && u <= 0x0DFF) || (u >= 0x0E00 && u <= 0x0FFF) ||
                    (u >= 0x1000 && u <= 0x109F) || (u >= 0x1780 && u <= 0x17FF))
                    return true;
            }
    return false;
}

void scaleRuns(WordParagraph& p, int percent)
{
    for (auto& item : p.content)
        if (auto* run = std::get_if<ooxml::TextRun>(&item))
            run->widthScale = percent;
}

// Running text set in a face narrower or wider than the PDF's breaks its lines elsewhere, and
// the page below it shifts: its glyphs are set as wide as the PDF's, judged by the line
// that has the least room to spare, so that the paragraph breaks where the PDF's does.
int pdfWidthScale(layout::Block const& block, bool listed)
{
    bool same = true;
    for (auto const& line : block.lines)
        same = same && (line.words.isEmpty() || FontMatcher::sameWidths(line.words.first()));
    if (same)
        return 100;
    QVector<double> const measured = TextWidths::lineWidths(blockRuns(block, true, listed ? 1 : 0));
    double const widest = measured.isEmpty() ? 0.0 : *std::max_element(measured.begin(), measured.end());
    double ratio = 0;
    // Short lines say little: kerning alone may make them a few per cent shorter.
    for (int l = listed ? 1 : 0; l < block.lines.size() && l < measured.size(); ++l)
        if (measured.at(l) > 0.3 * widest) {
            double const r = block.lines.at(l).box.width() / measured.at(l);
            ratio = ratio == 0 ? r : std::min(ratio, r);
        }
    if (ratio == 0 || std::abs(ratio - 1) < 0.03)
        return 100;
    return std::clamp(int(std::floor(100 * ratio)), 80, 125);
}

// An empty line of a table cell, as high as the table's text needs and no higher than the
// row leaves inside its rules.
WordParagraph emptyCellLine(double size, double rowHeight)
{
    WordParagraph p;
    ooxml::TextRun mark;
    mark.fontSize = size;
    p.content.push_back(mark);
    p.lineSpacing = std::max(1.0, std::min(kSingleLine * size, rowHeight - 1));
    return p;
}

// A cell's text as paragraphs whose lines break where the PDF's do, each indented to stand
// where the PDF shows it, and the width the widest line needs with its indents.
struct CellText
{
    QVector<WordParagraph> paragraphs;
    double need = 0; // without the cell's padding
    double text = 0; // the widest line alone
    ooxml::WordTableCell::VerticalAlignment vertical = ooxml::WordTableCell::VerticalAlignment::Top;
};

CellText cellText(layout::TableCell const& cell, double left, double right, double top, double bottom,
                  double padding)
{
    CellText out;
    QRectF ink;
    for (auto const& block : cell.blocks)
        ink = ink.isNull() ? block.box : ink.united(block.box);
    // Labels that span rows often stand in their middle, or at their foot.
    bool const tall = cell.rowSpan > 1 && !cell.blocks.isEmpty();
    if (tall) {
        double const above = ink.top() - top, below = bottom - ink.bottom();
        if (above > 2 && std::abs(above - below) < 0.15 * (bottom - top) + 2)
            out.vertical = ooxml::WordTableCell::VerticalAlignment::Center;
        else if (above > 2 && below < above / 3)
            out.vertical = ooxml::WordTableCell::VerticalAlignment::Bottom;
    }
    // The text's lines at their baselines. Word and LibreOffice count a cell's rules into its
    // height: text taller than what the rules leave makes the row taller than the PDF's, so
    // single lines give up the leading they have beyond their size first.
    double const ruleTop = cell.top.present ? cell.top.width : 0;
    double const inner = bottom - top - ruleTop - (cell.bottom.present ? cell.bottom.width : 0);
    double lastBottom = -1, used = 0;
    for (auto const& block : cell.blocks) {
        Shape const shape = shapeOf(block, QRectF());
        WordParagraph p;
        for (auto const& run : blockRuns(block, true))
            p.content.push_back(run);
        p.alignment = cellAlignment(block, left, right);
        p.shading = block.shading;
        if (p.alignment == Alignment::Left)
            p.indentLeft = std::max(0.0, block.box.left() - left - padding);
        else if (p.alignment == Alignment::Right)
            p.indentRight = std::max(0.0, right - block.box.right() - padding);
        double pitch = shape.pitch;
        double space = 0;
        if (lastBottom >= 0)
            space = shape.firstBaseline - (pitch - kDescent * shape.size) - lastBottom;
        else if (out.vertical == ooxml::WordTableCell::VerticalAlignment::Top)
            space = shape.firstBaseline - top - ruleTop - (pitch - kDescent * shape.size);
        if (space < 0 && block.lines.size() == 1)
            pitch = std::max(0.85 * shape.size, pitch + space);
        p.lineSpacing = pitch;
        p.spaceBefore = std::clamp(space, 0.0, 200.0);
        used += p.spaceBefore + pitch * block.lines.size();
        lastBottom = shape.lastBaseline + kDescent * shape.size;
        for (double w : lineWidths(p)) {
            out.text = std::max(out.text, w);
            out.need = std::max(out.need, w + p.indentLeft + p.indentRight);
        }
        out.paragraphs.push_back(p);
    }
    if (cell.rowSpan == 1)
        for (int k = 0; used > inner + 0.05 && k < out.paragraphs.size(); ++k) {
            WordParagraph& p = out.paragraphs[k];
            if (cell.blocks.at(k).lines.size() == 1) {
                double const give = std::min(used - inner, p.lineSpacing - 0.85 * cell.blocks.at(k).fontSize);
                if (give > 0) {
                    p.lineSpacing -= give;
                    used -= give;
                }
            }
            double const give = std::min(used - inner, p.spaceBefore);
            p.spaceBefore -= give;
            used -= give;
        }
    return out;
}

// Columns as wide as the PDF draws them; a column whose text the substituted face makes
// wider takes the room it needs from columns with room to spare, so that the table keeps its
// width, and text that still does not fit is set narrower rather than broken.
QVector<double> fitColumns(QVector<double> widths, QVector<double> const& need)
{
    double deficit = 0, spare = 0;
    for (int c = 0; c < widths.size(); ++c) {
        deficit += std::max(0.0, need.at(c) - widths.at(c));
        spare += std::max(0.0, widths.at(c) - need.at(c));
    }
    if (deficit <= 0 || spare <= 0)
        return widths;
    double const share = std::min(1.0, deficit / spare);
    for (int c = 0; c < widths.size(); ++c)
        widths[c] = need.at(c) > widths.at(c)
                        ? widths.at(c) + (need.at(c) - widths.at(c)) * std::min(1.0, spare / deficit)
                        : widths.at(c) - (widths.at(c) - need.at(c)) * share;
    return widths;
}

ooxml::WordTable tableOf(layout::Table const& table)
{
    int const columns = table.columnCount();
    ooxml::WordTable word;
    word.borders = false; // ruled cells carry their own edges
    // The padding of the cells: the narrowest inset the text keeps from its cell's edge;
    // each paragraph is indented to where its text stands.
    QVector<double> insets;
    QHash<int, qint64> sizes;
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.rows.at(r).size() && c < columns; ++c) {
            layout::TableCell const& cell = table.rows.at(r).at(c);
            double const left = table.columnEdges.at(c);
            double const right = table.columnEdges.at(std::min(c + cell.columnSpan, columns));
            for (auto const& block : cell.blocks) {
                Alignment const alignment = cellAlignment(block, left, right);
                if (alignment == Alignment::Left)
                    insets << block.box.left() - left;
                else if (alignment == Alignment::Right)
                    insets << right - block.box.right();
                sizes[int(std::lround(block.fontSize * 2))] += block.text().size();
            }
        }
    std::sort(insets.begin(), insets.end());
    auto const firstInset = std::lower_bound(insets.begin(), insets.end(), 0.0);
    int const positive = int(insets.end() - firstInset);
    double const padding = positive == 0 ? 2.0 : std::clamp(*(firstInset + positive / 5), 0.5, 5.0);
    word.cellPadding = padding;
    int sizeKey = 20;
    for (auto it = sizes.cbegin(); it != sizes.cend(); ++it)
        if (it.value() > sizes.value(sizeKey))
            sizeKey = it.key();
    double const textSize = sizeKey / 2.0;

    // Every cell's text first: the columns' widths depend on it.
    QVector<QVector<CellText>> texts(table.rowCount());
    QVector<double> widths, need(columns, 0);
    for (int c = 0; c < columns; ++c)
        widths << std::max(4.0, table.columnEdges.at(c + 1) - table.columnEdges.at(c));
    for (int r = 0; r < table.rowCount(); ++r) {
        texts[r].resize(columns);
        for (int c = 0; c < columns && c < table.rows.at(r).size(); ++c) {
            layout::TableCell const& cell = table.rows.at(r).at(c);
            if (cell.covered)
                continue;
            int const last = std::min(c + cell.columnSpan, columns);
            texts[r][c] =
                cellText(cell, table.columnEdges.at(c), table.columnEdges.at(last), table.rowEdges.at(r),
                         table.rowEdges.at(std::min(r + cell.rowSpan, table.rowCount())), padding);
            if (last == c + 1)
                need[c] = std::max(need.at(c), texts.at(r).at(c).need + 2 * padding + 0.5);
        }
    }
    word.columnWidths = fitColumns(widths, need);

    for (int r = 0; r < table.rowCount(); ++r) {
        ooxml::WordTableRow row;
        row.height = table.rowEdges.at(r + 1) - table.rowEdges.at(r);
        for (int c = 0; c < columns && c < table.rows.at(r).size(); ++c) {
            layout::TableCell const& cell = table.rows.at(r).at(c);
            ooxml::WordTableCell out;
            if (cell.covered) {
                QPoint const anchor = anchorOf(table, r, c);
                if (anchor.y() == r || anchor.x() != c)
                    continue; // inside a cell that spans columns: the span covers it
                layout::TableCell const& first = table.rows.at(anchor.y()).at(anchor.x());
                out.verticalMerge = ooxml::WordTableCell::Merge::Continue;
                out.columnSpan = first.columnSpan;
                out.shading = first.shading;
                out.paragraphs << emptyCellLine(textSize, row.height);
                if (table.ruled) {
                    out.left = borderOf(first.left);
                    out.right = borderOf(first.right);
                    out.bottom = borderOf(first.bottom);
                    out.top.style = ooxml::WordBorder::Style::None;
                }
                row.cells.push_back(out);
                continue;
            }
            int const last = std::min(c + cell.columnSpan, columns);
            CellText text = texts.at(r).at(c);
            // What the columns leave for the text: a line that does not fit is set narrower.
            double room = -2 * padding - 0.5;
            for (int k = c; k < last; ++k)
                room += word.columnWidths.at(k);
            if (text.need > room && text.text > 0) {
                int const percent =
                    std::clamp(int(100 * (room - (text.need - text.text)) / text.text), 40, 100);
                for (auto& p : text.paragraphs)
                    scaleRuns(p, percent);
            }
            out.paragraphs = text.paragraphs;
            out.verticalAlignment = text.vertical;
            if (out.paragraphs.isEmpty())
                out.paragraphs << emptyCellLine(textSize, row.height);
            out.columnSpan = last - c;
            out.verticalMerge =
                cell.rowSpan > 1 ? ooxml::WordTableCell::Merge::Start : ooxml::WordTableCell::Merge::None;
            out.shading = cell.shading;
            if (table.ruled) {
                out.top = borderOf(cell.top);
                out.left = borderOf(cell.left);
                out.bottom = borderOf(cell.bottom);
                out.right = borderOf(cell.right);
            }
            row.cells.push_back(out);
        }
        word.rows.push_back(row);
    }
    return word;
}

// Where Word's table begins: the PDF's rules are centred on the grid's edges, Word's borders
// lie inside its cells.
QPointF tableCorner(layout::Table const& table)
{
    QPointF corner = table.box.topLeft();
    if (table.ruled && !table.rows.isEmpty() && !table.rows.first().isEmpty()) {
        layout::TableCell const& first = table.rows.first().first();
        corner -= QPointF(first.left.present ? first.left.width / 2 : 0,
                          first.top.present ? first.top.width / 2 : 0);
    }
    return corner;
}

// The blocks standing over a figure that is drawn without them: text over a photograph.
QVector<int> blocksOver(layout::PageLayout const& layout, Figure const& figure)
{
    QVector<int> out;
    for (int b = 0; b < layout.blocks.size() && !figure.withText; ++b)
        if (covers(figure.box, layout.blocks.at(b).box))
            out << b;
    return out;
}

// The table whose cells hold the figure, or -1.
int tableHolding(layout::PageLayout const& layout, Figure const& figure)
{
    for (int t = 0; t < layout.tables.size(); ++t)
        if (covers(layout.tables.at(t).box, figure.box))
            return t;
    return -1;
}

int edgeIndex(QVector<double> const& edges, double x)
{
    int const i = int(std::upper_bound(edges.begin(), edges.end(), x) - edges.begin()) - 1;
    return std::clamp(i, 0, std::max(0, int(edges.size()) - 2));
}

// Puts a figure's picture into the cell it stands in, in a paragraph of its own among the
// cell's text, on the side of the cell where it stands.
void placeInCell(ooxml::WordTable& out, layout::Table const& table, Figure const& figure)
{
    if (table.columnCount() == 0 || table.rowCount() == 0)
        return;
    QPoint const at = anchorOf(table, edgeIndex(table.rowEdges, figure.box.center().y()),
                               edgeIndex(table.columnEdges, figure.box.center().x()));
    if (at.y() >= out.rows.size())
        return;
    layout::TableCell const& cell = table.rows.at(at.y()).at(at.x());
    int const last = std::min(at.x() + cell.columnSpan, table.columnCount());
    double const left = table.columnEdges.at(at.x()), right = table.columnEdges.at(last);
    int grid = 0;
    for (auto& target : out.rows[at.y()].cells) {
        if (grid + target.columnSpan <= at.x()) {
            grid += target.columnSpan;
            continue;
        }
        ooxml::WordPicture picture;
        picture.picture = figure.picture;
        QSizeF size = figure.box.size();
        double const room = std::max(4.0, right - left - 2 * std::max(0.0, out.cellPadding));
        if (size.width() > room)
            size.scale(QSizeF(room, 1e6), Qt::KeepAspectRatio);
        picture.picture.size = size;
        WordParagraph p;
        p.content.push_back(picture);
        layout::Block shape;
        shape.box = figure.box;
        p.alignment = cellAlignment(shape, left, right);
        int before = 0;
        for (auto const& block : cell.blocks)
            before += block.box.top() < figure.box.top() ? 1 : 0;
        target.paragraphs.insert(std::min(before, int(target.paragraphs.size())), p);
        return;
    }
}

// A picture of a whole page (a scan), over the page as the PDF shows it.
WordParagraph pagePicture(PageContent const& page)
{
    ooxml::WordPicture picture;
    picture.picture = page.picture;
    picture.picture.size = page.pictureBox().size();
    picture.position = page.pictureBox().topLeft();
    picture.anchored = true;
    WordParagraph p;
    p.content.push_back(picture);
    return p;
}

bool endsParagraph(layout::Block const& block)
{
    QString const text = block.text().trimmed();
    if (text.isEmpty() || block.kind == layout::BlockKind::Heading)
        return true;
    static QRegularExpression const end(QStringLiteral("[.!?:;\\x{2026}\"\\x{201D}\\x{2019})\\]]$"));
    return end.match(text).hasMatch();
}

bool continuesParagraph(layout::Block const& block)
{
    QString const text = block.text().trimmed();
    return block.kind == layout::BlockKind::Paragraph && !text.isEmpty() && text.at(0).isLower();
}

QRectF textArea(ooxml::WordPageSetup const& page)
{
    return QRectF(
        QPointF(page.margins.left(), page.margins.top()),
        QPointF(page.size.width() - page.margins.right(), page.size.height() - page.margins.bottom()));
}

bool sameSize(QSizeF const& a, QSizeF const& b)
{
    return std::abs(a.width() - b.width()) < 2 && std::abs(a.height() - b.height()) < 2;
}

QRectF pageContent(PageContent const& page)
{
    QRectF box = contentBox(page.layout);
    for (auto const& figure : page.figures)
        box = box.isNull() ? figure.box : box.united(figure.box);
    return box;
}

// The columns of a band that hold running text, not a label beside its value.
QVector<int> textColumns(layout::PageLayout const& layout, int band, QVector<int> const& hidden = {})
{
    QVector<int> columns;
    for (int c = 0; c < layout.columns.size(); ++c) {
        if (layout.columns.at(c).band != band)
            continue;
        int lines = 0;
        for (int b = 0; b < layout.blocks.size(); ++b)
            if (layout.blocks.at(b).column == c && !hidden.contains(b))
                lines += layout.blocks.at(b).lines.size();
        if (lines > 0)
            columns << c;
        else if (columns.isEmpty() && c + 1 == layout.columns.size())
            columns << c;
    }
    if (columns.size() < 2)
        return columns.isEmpty() ? QVector<int>() : columns;
    for (int c : columns) {
        int lines = 0;
        for (int b = 0; b < layout.blocks.size(); ++b)
            if (layout.blocks.at(b).column == c && !hidden.contains(b))
                lines += layout.blocks.at(b).lines.size();
        if (lines < 3)
            return {columns.first()};
    }
    return columns;
}

// The gap between Word's equal columns that starts each where the PDF's column starts.
double columnGap(layout::PageLayout const& layout, QVector<int> const& columns, QRectF const& text)
{
    int const n = columns.size();
    if (n < 2)
        return 36;
    double const stride =
        (layout.columns.value(columns.last()).box.left() - layout.columns.value(columns.first()).box.left()) /
        (n - 1);
    double const width = text.width() - (n - 1) * stride;
    double const gap = stride - width;
    return gap >= 6 && width >= 36 ? gap : 36;
}

// The lines of running heads or feet, those on one baseline joined, top to bottom.
QVector<layout::Line> marginalLines(QVector<layout::Block> const& blocks)
{
    QVector<layout::Line> lines;
    for (auto const& block : blocks)
        for (auto const& line : block.lines) {
            if (line.words.isEmpty())
                continue;
            double const size = line.fontSize > 0 ? line.fontSize : 10;
            auto same = std::find_if(lines.begin(), lines.end(), [&](layout::Line const& other) {
                return std::abs(lineBaseline(other) - lineBaseline(line)) < 0.3 * size;
            });
            if (same == lines.end()) {
                lines << line;
                continue;
            }
            same->words += line.words;
            std::stable_sort(
                same->words.begin(), same->words.end(),
                [](layout::Word const& a, layout::Word const& b) { return a.box.left() < b.box.left(); });
            same->box = same->box.united(line.box);
        }
    std::sort(lines.begin(), lines.end(),
              [](layout::Line const& a, layout::Line const& b) { return lineBaseline(a) < lineBaseline(b); });
    return lines;
}

// A running head's lines, each a paragraph measured from @p text. Pieces of a line far apart
// (a title at the left, the page's number at the right) are set apart by tabs, at stops where
// the pieces stand. @p top and @p bottom tell where the first line begins and the last ends.
QVector<WordParagraph> marginalParagraphs(QVector<layout::Block> const& blocks, QRectF const& text,
                                          double* top = nullptr, double* bottom = nullptr)
{
    QVector<WordParagraph> out;
    double lastBottom = -1;
    double const width = std::max(1.0, text.width());
    for (auto const& line : marginalLines(blocks)) {
        double const size = line.fontSize > 0 ? line.fontSize : 10;
        QVector<layout::Line> pieces;
        for (int w = 0; w < line.words.size(); ++w) {
            layout::Word const& word = line.words.at(w);
            if (w == 0 || word.box.left() - line.words.at(w - 1).box.right() > 2 * size) {
                layout::Line piece;
                piece.fontSize = line.fontSize;
                piece.box = word.box;
                pieces << piece;
            }
            pieces.last().words << word;
            pieces.last().box = pieces.last().box.united(word.box);
        }
        WordParagraph p;
        p.lineSpacing = kSingleLine * size;
        double const lineTop = std::max(0.0, lineBaseline(line) - (p.lineSpacing - kDescent * size));
        if (lastBottom < 0 && top)
            *top = lineTop;
        if (lastBottom >= 0)
            p.spaceBefore = std::clamp(lineTop - lastBottom, 0.0, 200.0);
        lastBottom = lineTop + p.lineSpacing;
        auto const place = [&](QRectF const& box) {
            if (std::abs(box.center().x() - text.center().x()) < 0.04 * width + 2)
                return ooxml::WordTabStop::Alignment::Center;
            if (std::abs(box.right() - text.right()) < 0.02 * width + 3)
                return ooxml::WordTabStop::Alignment::Right;
            return ooxml::WordTabStop::Alignment::Left;
        };
        for (int k = 0; k < pieces.size(); ++k) {
            layout::Block piece;
            piece.lines << pieces.at(k);
            QVector<ooxml::TextRun> const runs = blockRuns(piece, false);
            QRectF const& box = pieces.at(k).box;
            if (k == 0) {
                auto const alignment = pieces.size() > 1 ? ooxml::WordTabStop::Alignment::Left : place(box);
                p.alignment = alignment == ooxml::WordTabStop::Alignment::Center  ? Alignment::Center
                              : alignment == ooxml::WordTabStop::Alignment::Right ? Alignment::Right
                                                                                  : Alignment::Left;
                if (p.alignment == Alignment::Left)
                    p.indentLeft = std::max(-text.left(), box.left() - text.left());
                else if (p.alignment == Alignment::Right)
                    p.indentRight = text.right() - box.right();
            } else {
                ooxml::TextRun tab = runs.value(0);
                tab.text = QStringLiteral("\t");
                tab.field = ooxml::TextRun::Field::None;
                p.content.push_back(tab);
                ooxml::WordTabStop stop;
                stop.alignment = place(box);
                stop.position = stop.alignment == ooxml::WordTabStop::Alignment::Right    ? box.right()
                                : stop.alignment == ooxml::WordTabStop::Alignment::Center ? box.center().x()
                                                                                          : box.left();
                stop.position = std::max(0.0, stop.position - text.left());
                p.tabs << stop;
            }
            for (auto const& run : runs)
                p.content.push_back(run);
        }
        // A line that reaches into the margin (a number at the page's edge) keeps its room
        // there rather than breaking.
        if (pieces.size() > 1 && pieces.last().box.right() > text.right())
            p.indentRight = text.right() - pieces.last().box.right() - 1;
        out << p;
    }
    if (bottom)
        *bottom = lastBottom;
    return out;
}

// The page's background colour as a picture over the whole page, behind everything.
ooxml::WordPicture backgroundPicture(PageContent const& page)
{
    QColor const c = page.background;
    unsigned char const pixels[12] = {uchar(c.red()),   uchar(c.green()), uchar(c.blue()),  uchar(c.red()),
                                      uchar(c.green()), uchar(c.blue()),  uchar(c.red()),   uchar(c.green()),
                                      uchar(c.blue()),  uchar(c.red()),   uchar(c.green()), uchar(c.blue())};
    ooxml::WordPicture picture;
    engine::writePng(&picture.picture.data, pixels, 2, 2, 6, engine::PngPixels::Rgb8);
    picture.picture.size = page.layout.size;
    picture.anchored = true;
    return picture;
}

// Code: lines mostly in a face of fixed pitch, which keep their breaks and indents.
bool isCode(layout::Block const& block)
{
    qint64 fixed = 0, all = 0;
    for (auto const& line : block.lines)
        for (auto const& word : line.words) {
            all += word.text.size();
            fixed += word.monospace ? word.text.size() : 0;
        }
    return all > 0 && 10 * fixed >= 6 * all;
}

// A code block's lines indented, and their columns set apart, by spaces as wide as the face's
// characters.
layout::Block indented(layout::Block block)
{
    double left = 1e9, pitch = 0;
    for (auto const& line : block.lines)
        for (auto const& word : line.words) {
            left = std::min(left, line.box.left());
            if (word.box.width() > 0 && !word.text.isEmpty())
                pitch = std::max(pitch, word.box.width() / word.text.size());
        }
    if (pitch <= 0)
        return block;
    for (auto& line : block.lines) {
        int const spaces = std::clamp(int(std::lround((line.box.left() - left) / pitch)), 0, 80);
        // Columns aligned with spaces keep them: the separator gives one.
        for (int w = line.words.size() - 1; w > 0; --w) {
            double const gap = line.words.at(w).box.left() - line.words.at(w - 1).box.right();
            int const more = std::clamp(int(std::lround(gap / pitch)) - 1, 0, 80);
            if (more > 0 && gap > 1.5 * pitch)
                line.words[w - 1].text.append(QString(more, QLatin1Char(' ')));
        }
        if (spaces > 0 && !line.words.isEmpty())
            line.words.first().text.prepend(QString(spaces, QLatin1Char(' ')));
    }
    return block;
}

// Footnotes' marks stand in the text as characters of their own until their notes take
// their places: noncharacters, which text has no use for and loses here.
constexpr ushort kNoteMark = 0xFDD0;
static_assert(kMaxPageNotes <= 32, "the noncharacters U+FDD0 to U+FDEF mark the notes");

layout::Block withNoteMarks(layout::Block block, int index, QVector<layout::Footnote> const& notes)
{
    if (notes.isEmpty())
        return block;
    static QRegularExpression const marks(QStringLiteral("[\\x{FDD0}-\\x{FDEF}]"));
    for (auto& line : block.lines)
        for (auto& word : line.words)
            if (word.text.contains(marks))
                word.text.remove(marks);
    for (int n = 0; n < notes.size() && n < kMaxPageNotes; ++n) {
        layout::Footnote const& note = notes.at(n);
        if (note.block != index || note.line >= block.lines.size() ||
            note.word >= block.lines.at(note.line).words.size())
            continue;
        QString& text = block.lines[note.line].words[note.word].text;
        text = (note.after ? text : QString()) + QChar(ushort(kNoteMark + n));
    }
    return block;
}

} // namespace

namespace {

// Code in a box stays text: it is no label of the box.
bool isLabel(layout::Block const& block, double bodySize)
{
    if (block.lines.size() > 3 || block.kind == layout::BlockKind::Heading || isCode(block) ||
        (bodySize > 0 && block.fontSize > 1.1 * bodySize))
        return false;
    for (auto const& line : block.lines)
        if (line.words.size() > 6)
            return false;
    return true;
}

// Joins boxes that share most of their height: drawings side by side.
void joinSideBySide(QVector<QRectF>& boxes)
{
    for (bool joined = true; joined;) {
        joined = false;
        for (int i = 0; i < boxes.size() && !joined; ++i)
            for (int k = i + 1; k < boxes.size() && !joined; ++k) {
                QRectF const& a = boxes.at(i);
                QRectF const& b = boxes.at(k);
                double const common = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
                if (common >= 0.5 * std::min(a.height(), b.height()) || a.intersects(b)) {
                    boxes[i] = a.united(b);
                    boxes.removeAt(k);
                    joined = true;
                }
            }
    }
}

} // namespace

QVector<Figure> WordBuilder::figures(layout::PageLayout const& page, QVector<QRectF> boxes, bool flowing,
                                     QVector<QRectF> const& pictures)
{
    joinSideBySide(boxes);
    QVector<QVector<int>> labels(boxes.size());
    if (flowing) {
        QVector<bool> taken(page.blocks.size(), false);
        // Text over a photograph is no label of it.
        for (int b = 0; b < page.blocks.size(); ++b)
            for (auto const& picture : pictures)
                taken[b] = taken.at(b) || covers(picture, page.blocks.at(b).box);
        for (bool grown = true; grown;) {
            grown = false;
            for (int f = 0; f < boxes.size(); ++f)
                for (int b = 0; b < page.blocks.size(); ++b) {
                    layout::Block const& block = page.blocks.at(b);
                    double const reach = 1.5 * (block.fontSize > 0 ? block.fontSize : 10);
                    if (taken.at(b) ||
                        !boxes.at(f).adjusted(-reach, -reach, reach, reach).intersects(block.box))
                        continue;
                    // Running text and headings beside a drawing stay text; a rule has no
                    // labels, and a photograph's caption stays text.
                    if (!isLabel(block, page.bodyFontSize) || boxes.at(f).width() < 20 ||
                        boxes.at(f).height() < 20 || mostlyPictures(boxes.at(f), pictures))
                        continue;
                    taken[b] = true;
                    labels[f] << b;
                    boxes[f] = boxes.at(f).united(block.box.adjusted(-1, -1, 1, 1));
                    grown = true;
                }
            if (grown) {
                // Grown figures may now stand side by side or overlap.
                QVector<QRectF> const before = boxes;
                joinSideBySide(boxes);
                if (boxes.size() != before.size()) {
                    QVector<QVector<int>> moved(boxes.size());
                    for (int f = 0; f < before.size(); ++f)
                        for (int g = 0; g < boxes.size(); ++g)
                            if (boxes.at(g).contains(before.at(f))) {
                                moved[g] += labels.at(f);
                                break;
                            }
                    labels = moved;
                }
            }
        }
    }
    QVector<Figure> out;
    for (int f = 0; f < boxes.size(); ++f) {
        Figure figure;
        figure.box = boxes.at(f).intersected(QRectF(QPointF(0, 0), page.size));
        figure.labels = labels.at(f);
        figure.withText = !figure.labels.isEmpty();
        out << figure;
    }
    std::sort(out.begin(), out.end(),
              [](Figure const& a, Figure const& b) { return a.box.top() < b.box.top(); });
    // Its place in reading order: before the first block under it that is not its own.
    for (auto& figure : out) {
        figure.beforeBlock = page.blocks.size();
        for (int b = 0; b < page.blocks.size(); ++b) {
            if (figure.labels.contains(b))
                continue;
            QRectF const& r = page.blocks.at(b).box;
            if (r.top() >= figure.box.top() - 1 && r.right() > figure.box.left() &&
                r.left() < figure.box.right()) {
                figure.beforeBlock = b;
                break;
            }
        }
        // At the foot of a column, before what spans the page under all the columns: after
        // the last of its column's blocks. Its column is the one it stands under, within
        // the band of columns.
        QPointF const centre = figure.box.center();
        int home = -1;
        for (int c = 0; c < page.columns.size() && home < 0; ++c) {
            QRectF const& box = page.columns.at(c).box;
            if (centre.x() < box.left() || centre.x() > box.right())
                continue;
            QRectF band;
            for (auto const& column : page.columns)
                if (column.band == page.columns.at(c).band)
                    band = band.isNull() ? column.box : band.united(column.box);
            if (centre.y() >= band.top() && centre.y() <= band.bottom())
                home = c;
        }
        if (home >= 0 &&
            (figure.beforeBlock == page.blocks.size() || page.blocks.at(figure.beforeBlock).column != home)) {
            for (int b = page.blocks.size() - 1; b >= 0; --b)
                if (!figure.labels.contains(b) && page.blocks.at(b).column == home &&
                    page.blocks.at(b).box.top() < figure.box.top()) {
                    figure.beforeBlock = b + 1;
                    break;
                }
        }
        if (figure.beforeBlock == page.blocks.size())
            for (int b = 0; b < page.blocks.size(); ++b)
                if (!figure.labels.contains(b) && page.blocks.at(b).box.top() >= figure.box.bottom()) {
                    figure.beforeBlock = b;
                    break;
                }
    }
    // Reading order takes them in this order.
    std::stable_sort(out.begin(), out.end(),
                     [](Figure const& a, Figure const& b) { return a.beforeBlock < b.beforeBlock; });
    return out;
}

void WordBuilder::addEquations(layout::PageLayout const& page, QVector<Figure>& figures)
{
    bool any = false;
    for (int b = 0; b < page.blocks.size(); ++b) {
        layout::Block const& block = page.blocks.at(b);
        if (block.kind != layout::BlockKind::Equation)
            continue;
        Figure figure;
        double const pad = 0.2 * (block.fontSize > 0 ? block.fontSize : 10);
        figure.box = block.box.adjusted(-pad, -pad, pad, pad);
        // Fraction bars and the strokes of roots are drawn inside it, a little beyond its glyphs.
        for (int f = figures.size() - 1; f >= 0; --f) {
            QRectF const& other = figures.at(f).box;
            if (figures.at(f).withText || !figure.box.adjusted(-pad, -pad, pad, pad).contains(other))
                continue;
            figure.box = figure.box.united(other);
            figures.removeAt(f);
        }
        figure.box = figure.box.intersected(QRectF(QPointF(0, 0), page.size));
        figure.withText = true;
        figure.labels = {b};
        figure.beforeBlock = b;
        QStringList lines;
        for (auto const& line : block.lines)
            lines << line.text();
        figure.description = lines.join(QLatin1Char(' '));
        figures << figure;
        any = true;
    }
    if (any)
        std::stable_sort(figures.begin(), figures.end(),
                         [](Figure const& a, Figure const& c) { return a.beforeBlock < c.beforeBlock; });
}

WordBuilder::WordBuilder(QVector<PageContent> const& pages, bool flowing, ooxml::DocxStreamWriter& writer)
    : m_pages(pages), m_flowing(flowing), m_writer(writer)
{
    // The face and size of most text become the document's defaults, which runs then need
    // not repeat.
    QHash<QString, qint64> faces;
    QHash<int, qint64> sizes;
    for (auto const& page : pages)
        for (auto const& block : page.layout.blocks)
            for (auto const& line : block.lines)
                for (auto const& word : line.words) {
                    faces[FontMatcher::family(word)] += word.text.size();
                    sizes[int(std::lround(word.fontSize * 2))] += word.text.size();
                }
    auto most = [](auto const& counts, auto fallback) {
        auto best = fallback;
        qint64 count = 0;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            if (it.value() > count) {
                count = it.value();
                best = it.key();
            }
        return best;
    };
    double const bodySize = most(sizes, 22) / 2.0;
    if (!faces.isEmpty())
        writer.setDefaultFont(most(faces, QString()), bodySize);
    for (auto const& page : pages)
        m_hasMarginals = m_hasMarginals || !page.header.isEmpty() || !page.footer.isEmpty();
    if (!flowing)
        return;
    // Odd and even pages alternate their running heads when a page looks like the one two
    // before it, and unlike the one before it.
    int alike = 0, unlike = 0;
    for (int i = 2; i < pages.size() && m_hasMarginals; ++i) {
        QString const key = marginalKey(i);
        if (key != marginalKey(i - 1) && key == marginalKey(i - 2))
            ++alike;
        else if (key == marginalKey(i - 1))
            ++unlike;
    }
    m_alternate = alike > unlike;
    // Sections by page size, each with margins that fit the text of all its pages.
    m_sectionOf.resize(pages.size());
    QVector<QRectF> sectionText;
    for (int i = 0; i < pages.size(); ++i) {
        QSizeF const size = pages.at(i).layout.size;
        if (m_setups.isEmpty() || !sameSize(m_setups.last().size, size)) {
            ooxml::WordPageSetup setup;
            setup.size = size;
            m_setups.push_back(setup);
            sectionText.push_back(QRectF());
        }
        m_sectionOf[i] = m_setups.size() - 1;
        QRectF box = pageContent(pages.at(i));
        // A first line set at its pitch reaches higher than its ink: the margin leaves it room,
        // or the page's text starts lower than the PDF's.
        for (auto const& block : pages.at(i).layout.blocks)
            if (!block.lines.isEmpty() && block.box.top() < box.top() + 24) {
                Shape const shape = shapeOf(block, QRectF());
                box.setTop(std::min(
                    box.top(), std::max(0.0, shape.firstBaseline - (shape.pitch - kDescent * shape.size))));
            }
        if (!box.isNull())
            sectionText.last() = sectionText.last().isNull() ? box : sectionText.last().united(box);
    }
    for (int s = 0; s < m_setups.size(); ++s) {
        QSizeF const size = m_setups.at(s).size;
        QRectF const text = sectionText.at(s);
        // A line of room below the lowest text: set a little lower than in the PDF, the last
        // line of a full page would start a page of its own.
        m_setups[s].margins =
            text.isNull() ? QMarginsF(kMinMargin, kMinMargin, kMinMargin, kMinMargin)
                          : QMarginsF(clampMargin(text.left()), clampMargin(text.top()),
                                      clampMargin(size.width() - text.right()),
                                      clampMargin(size.height() - text.bottom() - kSingleLine * bodySize));
    }
    // A manuscript's line numbers: Word numbers the lines itself, as far from the text as the
    // PDF sets them, counting on or starting again with each page as the PDF does.
    QVector<double> distances(m_setups.size());
    QVector<int> numbered(m_setups.size()), restarted(m_setups.size());
    for (int i = 0; i < pages.size(); ++i) {
        QVector<layout::Word> const& numbers = pages.at(i).layout.lineNumbers;
        int const s = m_sectionOf.at(i);
        double const left = m_setups.at(s).margins.left();
        if (numbers.isEmpty() || numbers.first().box.right() >= left)
            continue;
        distances[s] += left - numbers.first().box.right();
        restarted[s] += numbers.first().text == QLatin1String("1") ? 1 : 0;
        ++numbered[s];
    }
    for (int s = 0; s < m_setups.size(); ++s)
        if (numbered.at(s) > 0) {
            m_setups[s].lineNumberDistance = std::max(1.0, distances.at(s) / numbered.at(s));
            m_setups[s].lineNumbersEachPage = numbered.at(s) > 1 && restarted.at(s) == numbered.at(s);
        }
    findBreaks();
}

// The look of a page's running heads and feet: their words (numbers aside) and where they
// stand across the page.
QString WordBuilder::marginalKey(int index) const
{
    PageContent const& page = m_pages.at(index);
    QString key;
    for (auto const* blocks : {&page.header, &page.footer}) {
        for (auto const& block : *blocks) {
            double const width = page.layout.size.width();
            char const side = block.box.left() < 0.3 * width && block.box.right() < 0.7 * width   ? 'L'
                              : block.box.right() > 0.7 * width && block.box.left() > 0.3 * width ? 'R'
                                                                                                  : 'C';
            key += layout::RunningHeads::signature(block.text()) + QLatin1Char(side);
        }
        key += QLatin1Char('/');
    }
    return key;
}

// Page @p index's running heads and feet go into @p setup: for page layout as they are; for
// flowing text those of the pages that follow too, for odd and even pages where they
// alternate and an empty first page where the section's first page has none.
void WordBuilder::setMarginals(ooxml::WordPageSetup& setup, int index)
{
    if (!m_hasMarginals)
        return;
    QRectF const text = textArea(setup);
    auto const parts = [&](int i, ooxml::WordPageSetup* distances) {
        auto out = std::make_shared<ooxml::WordHeaderFooter>();
        PageContent const& page = m_pages.at(i);
        double top = -1, bottom = -1;
        out->header = marginalParagraphs(page.header, text, &top);
        double first = -1;
        out->footer = marginalParagraphs(page.footer, text, &first, &bottom);
        if (distances && !out->header.isEmpty())
            distances->headerDistance = top;
        if (distances && !out->footer.isEmpty())
            distances->footerDistance = std::max(0.0, page.layout.size.height() - bottom);
        return out;
    };
    auto const has = [&](int i) {
        return !m_pages.at(i).header.isEmpty() || !m_pages.at(i).footer.isEmpty();
    };
    if (!m_flowing) {
        setup.pages = parts(index, &setup);
        setup.firstPageNumber = m_pages.at(index).pageNumber;
        return;
    }
    // The section's first page may look like none of the pages after it (a chapter's first
    // page, with its number at the foot only); the others show those of the pages that follow.
    int const section = m_sectionOf.at(index);
    auto const inSection = [&](int i) { return i < m_pages.size() && m_sectionOf.at(i) == section; };
    QString const own = marginalKey(index);
    bool const ownFirst = inSection(index + 1) && has(index + 1) && own != marginalKey(index + 1) &&
                          (!m_alternate || !inSection(index + 2) || own != marginalKey(index + 2));
    m_sectionKeys = QStringList{own};
    int odd = -1, even = -1;
    for (int i = ownFirst ? index + 1 : index; inSection(i) && i < index + 6; ++i) {
        if (!has(i))
            continue;
        // Word counts odd pages from its first; the source's own number tells where it can.
        int const number = m_pages.at(i).pageNumber > 0 ? m_pages.at(i).pageNumber : i + 1;
        int& slot = m_alternate && number % 2 == 0 ? even : odd;
        if (slot < 0)
            slot = i;
        if (odd >= 0 && (even >= 0 || !m_alternate))
            break;
    }
    if (odd < 0 && even < 0) {
        setup.pages = std::make_shared<ooxml::WordHeaderFooter>();
        return;
    }
    setup.pages = parts(odd >= 0 ? odd : even, &setup);
    m_sectionKeys << marginalKey(odd >= 0 ? odd : even);
    if (m_alternate) {
        setup.evenPages = parts(even >= 0 ? even : odd, &setup);
        m_sectionKeys << marginalKey(even >= 0 ? even : odd);
    }
    if (ownFirst || !has(index))
        setup.firstPage = parts(index, nullptr);
    if (index == 0)
        for (int i = 0; i < m_pages.size(); ++i)
            if (m_pages.at(i).pageNumber > 0) {
                setup.firstPageNumber = std::max(0, m_pages.at(i).pageNumber - i);
                break;
            }
}

// Flowing text breaks its pages only where the source starts something new: after a page that
// ends well above its foot, where what comes next is a heading, a table or a figure, or
// always when it ends near its middle, unless its last paragraph runs on; before and after a
// page of its own (a picture of a page, a figure filling much of it, a title page).
void WordBuilder::findBreaks()
{
    int const count = m_pages.size();
    QVector<double> fill(count, 0);
    QVector<bool> own(count, false), anew(count, false), open(count, false), goesOn(count, false);
    for (int i = 0; i < count; ++i) {
        PageContent const& page = m_pages.at(i);
        layout::PageLayout const& layout = page.layout;
        QRectF const text = textArea(m_setups.at(m_sectionOf.at(i)));
        // Footnotes that went to Word's own took the foot of the page: the text ends above them.
        QRectF const content = pageContent(page);
        double foot = text.bottom();
        for (auto const& note : page.footnotes)
            foot = std::min(foot, note.text.box.top());
        if (!content.isNull() && foot - text.top() > 1)
            fill[i] = (content.bottom() - text.top()) / (foot - text.top());
        qint64 chars = 0;
        bool title = false;
        for (auto const& block : layout.blocks) {
            title = title || block.headingLevel == 1;
            for (auto const& line : block.lines)
                for (auto const& word : line.words)
                    chars += word.text.size();
        }
        double const area = layout.size.width() * layout.size.height();
        bool bigFigure = false;
        for (auto const& figure : page.figures)
            bigFigure = bigFigure || areaOf(figure.box) > 0.3 * area;
        own[i] = (!layout.hasText() && page.graphics.hasGraphics()) || (bigFigure && chars < 1200) ||
                 page.background.isValid() || (i == 0 && title && chars < 1000);
        QVector<PageItem> const items = readingOrder(layout, page.figures);
        if (!items.isEmpty()) {
            anew[i] = items.first().table || items.first().figure ||
                      items.first().block->kind == layout::BlockKind::Heading;
            goesOn[i] = items.first().block && continuesParagraph(*items.first().block);
            open[i] = items.last().block && !endsParagraph(*items.last().block);
        }
    }
    m_breakBefore.fill(false, count);
    for (int i = 0; i < count; ++i)
        m_breakBefore[i] = i == 0 || own.at(i) || own.at(i - 1) ||
                           (!(open.at(i - 1) && goesOn.at(i)) &&
                            (fill.at(i - 1) < 0.6 || (fill.at(i - 1) < 0.8 && anew.at(i))));
}

// The footnotes whose marks stand in the paragraph, in their places: numbered by Word while
// the source numbers them one after another from 1, else with their own marks.
void WordBuilder::placeNotes(WordParagraph& p, QVector<layout::Footnote> const& notes)
{
    if (notes.isEmpty())
        return;
    QVector<ooxml::WordInline> out;
    for (auto const& item : qAsConst(p.content)) {
        auto const* run = std::get_if<ooxml::TextRun>(&item);
        if (!run) {
            out << item;
            continue;
        }
        ooxml::TextRun text = *run;
        text.text.clear();
        for (QChar c : run->text) {
            int const n = c.unicode() - kNoteMark;
            if (n < 0 || n >= notes.size()) {
                text.text += c;
                continue;
            }
            // The mark follows its word without a space.
            while (text.text.endsWith(QLatin1Char(' ')))
                text.text.chop(1);
            if (!text.text.isEmpty())
                out << text;
            else if (!out.isEmpty() && std::holds_alternative<ooxml::TextRun>(out.last())) {
                QString& before = std::get<ooxml::TextRun>(out.last()).text;
                while (before.endsWith(QLatin1Char(' ')))
                    before.chop(1);
            }
            text.text.clear();
            ooxml::WordNote note;
            for (auto const& r : blockRuns(notes.at(n).text, false))
                note.text << r;
            note.format = *run;
            note.format.script = ooxml::TextRun::Script::Normal;
            // A note without a mark of its own gets Word's number.
            if (notes.at(n).mark.isEmpty() || notes.at(n).mark == QString::number(m_numberedNotes + 1))
                ++m_numberedNotes;
            else
                note.mark = notes.at(n).mark;
            out << note;
        }
        if (!text.text.isEmpty())
            out << text;
    }
    p.content = out;
}

void WordBuilder::addPage(int index)
{
    if (m_flowing)
        addFlowing(m_pages.at(index), index);
    else
        addLaidOut(m_pages.at(index), index);
}

void WordBuilder::finish()
{
    if (m_last)
        m_writer.add(std::move(*m_last));
    m_last.reset();
}

void WordBuilder::beginSection(ooxml::WordPageSetup const& page)
{
    finish();
    m_writer.beginSection(page);
    m_page = page;
    ++m_sections;
    m_sectionBlocks = 0;
}

void WordBuilder::push(ooxml::WordBlock const& block)
{
    // LibreOffice drops the page break of a section that starts with a table; a tiny empty
    // paragraph in front keeps it.
    if (m_sectionBlocks == 0 && m_sections > 1 && std::holds_alternative<ooxml::WordTable>(block)) {
        WordParagraph lead;
        ooxml::TextRun tiny;
        tiny.fontSize = 1;
        lead.content.push_back(tiny);
        m_writer.add(lead);
    }
    if (m_last)
        m_writer.add(std::move(*m_last));
    m_last = block;
    ++m_sectionBlocks;
}

// Word joins tables that touch into one; a paragraph keeps them apart.
void WordBuilder::pushTable(ooxml::WordTable const& table)
{
    if (m_sectionBlocks > 0 && m_last && std::holds_alternative<ooxml::WordTable>(*m_last)) {
        WordParagraph gap;
        ooxml::TextRun tiny;
        tiny.fontSize = 2;
        gap.content.push_back(tiny);
        push(gap);
    }
    push(table);
}

WordParagraph* WordBuilder::lastParagraph()
{
    return m_sectionBlocks > 0 && m_last ? std::get_if<WordParagraph>(&*m_last) : nullptr;
}

WordParagraph WordBuilder::paragraph(layout::Block const& block, QRectF const& area, bool lineBreaks,
                                     std::optional<Alignment> alignment)
{
    Shape shape = shapeOf(block, area);
    if (alignment && shape.marker.kind == ooxml::WordListLabel::Kind::None)
        shape.alignment = *alignment;
    bool const listed = shape.marker.kind != ooxml::WordListLabel::Kind::None;
    WordParagraph p;
    for (auto const& run : blockRuns(block, lineBreaks, listed ? 1 : 0))
        p.content.push_back(run);
    p.alignment = shape.alignment;
    p.lineSpacing = shape.pitch;
    p.shading = block.shading;
    if (listed) {
        Marker const& m = shape.marker;
        // Items count on in one list while their markers stand in one place.
        bool const same = int(m.kind) == m_listKind && std::abs(m.left - m_listMarker) < 3 &&
                          (m.kind == ooxml::WordListLabel::Kind::Bullet || m.number == m_listNext);
        if (!same)
            ++m_lists;
        m_listKind = int(m.kind);
        m_listMarker = m.left;
        m_listNext = m.number + 1;
        p.label.kind = m.kind;
        p.label.list = m_lists;
        p.label.start = m.number;
        p.label.suffix = m.suffix;
        if (m.kind == ooxml::WordListLabel::Kind::Bullet)
            p.label.bullet = m.text;
        p.indentLeft = std::max(0.0, m.textLeft - area.left());
        p.firstLineIndent = -std::min(p.indentLeft, m.textLeft - m.left);
        return p;
    }
    m_listKind = -1;
    p.rightToLeft = shape.rightToLeft;
    if (shape.rightToLeft && shape.alignment == Alignment::Left) {
        // Set at the left, the lines' end: no room taken at the right, where they start.
        p.indentLeft = std::max(0.0, shape.left - area.left());
        return p;
    }
    if (shape.rightToLeft && shape.alignment != Alignment::Center) {
        // The first line's indent stands at the right, where the lines start.
        double firstRight = block.lines.first().box.right(), restRight = firstRight;
        for (int l = 1; l < block.lines.size(); ++l)
            restRight = l == 1 ? block.lines.at(l).box.right() : std::max(restRight, block.lines.at(l).box.right());
        p.indentRight = std::max(0.0, area.right() - restRight);
        p.firstLineIndent = area.right() - firstRight - p.indentRight;
        if (shape.alignment == Alignment::Justify && shape.left - area.left() > 3 && block.lines.size() > 1)
            p.indentLeft = std::max(0.0, shape.left - area.left());
        return p;
    }
    switch (shape.alignment) {
    case Alignment::Center:
        break;
    case Alignment::Right:
        p.indentRight = std::max(0.0, area.right() - shape.right);
        break;
    default:
        p.indentLeft = std::max(0.0, shape.restLeft - area.left());
        p.firstLineIndent = shape.firstLeft - area.left() - p.indentLeft;
        if (area.right() - shape.right > 3 && block.lines.size() > 1)
            p.indentRight =
                std::max(0.0, area.right() - shape.right - (shape.alignment == Alignment::Left ? 6 : 0));
        break;
    }
    return p;
}

void WordBuilder::addFlowing(PageContent const& page, int index)
{
    layout::PageLayout const& layout = page.layout;
    QVector<PageItem> const items = readingOrder(layout, page.figures);
    bool const newSection = index == 0 || m_sectionOf.at(index) != m_sectionOf.at(index - 1);
    ooxml::WordPageSetup const setup = m_setups.at(m_sectionOf.at(index));
    // A page with columns of running text: a section per band of the page, side by side in
    // Word's columns.
    QVector<int> hidden; // figure labels, drawn by their figure
    for (auto const& figure : page.figures)
        if (figure.withText)
            hidden += figure.labels;
    bool columned = false;
    for (int c = 0; c < layout.columns.size() && !columned; ++c)
        columned = textColumns(layout, layout.columns.at(c).band, hidden).size() > 1;
    // A blank page adds nothing to the flow.
    if (!newSection && items.isEmpty() && !page.hasPicture())
        return;
    ooxml::WordPageSetup first = setup;
    if (columned && !items.isEmpty() && items.first().block) {
        QVector<int> const columns =
            textColumns(layout, layout.columns.value(items.first().block->column).band, hidden);
        first.columns = columns.size();
        first.columnGap = columnGap(layout, columns, textArea(setup));
    }
    // The text flows on from the page before unless this page starts something new; a new
    // chapter whose running heads differ starts a section of its own.
    bool const breakHere = newSection || m_breakBefore.value(index);
    auto const known = [&](int i) {
        return i >= m_pages.size() || m_sectionOf.at(i) != m_sectionOf.at(index) ||
               m_sectionKeys.contains(marginalKey(i));
    };
    bool const headsChange = m_hasMarginals && breakHere && (!known(index) || !known(index + 1));
    bool merge = false;
    if (newSection || headsChange) {
        setMarginals(first, index);
        beginSection(first);
    } else if (first.columns != m_page.columns ||
               (first.columns > 1 && std::abs(first.columnGap - m_page.columnGap) > 2)) {
        first.continuous = !breakHere;
        beginSection(first);
    } else if (breakHere) {
        push(ooxml::PageBreak());
    } else {
        merge = m_openParagraph && !items.isEmpty() && items.first().block &&
                continuesParagraph(*items.first().block);
    }
    m_openParagraph = false;
    QRectF const text = textArea(setup);
    if (page.background.isValid()) {
        WordParagraph holder;
        ooxml::TextRun tiny;
        tiny.fontSize = 1;
        holder.content << tiny << backgroundPicture(page);
        holder.lineSpacing = 1;
        push(holder);
    }
    if (items.isEmpty() && page.hasPicture())
        push(pagePicture(page));

    int band = -1, bandColumns = 0, lastBand = 0;
    for (auto const& column : layout.columns)
        lastBand = std::max(lastBand, column.band);
    // Where the lines of what stands above end, in this column: the paragraph's last baseline
    // and the descent its exact pitch leaves below it.
    double lastBottom = text.top();
    int lastColumn = -1;
    double bandBottom = lastBottom; // the lowest line of the band so far
    double under = 0;               // the bottom of a picture the text stands over
    for (int k = 0; k < items.size(); ++k) {
        PageItem const& item = items.at(k);
        bandBottom = std::max(bandBottom, lastBottom);
        if (item.block && hidden.contains(int(item.block - layout.blocks.constData())))
            continue;
        if (item.figure && tableHolding(layout, *item.figure) >= 0)
            continue; // in its cell
        // Past a picture that text stood over, the text goes on below it.
        double const top = item.block   ? item.block->box.top()
                           : item.table ? item.table->box.top()
                                        : item.figure->box.top();
        if (under > 0 && top >= under - 1) {
            WordParagraph gap;
            ooxml::TextRun tiny;
            tiny.fontSize = 1;
            gap.content.push_back(tiny);
            gap.lineSpacing = 1;
            // The gap's own line counts too, or all below stands a point low.
            gap.spaceBefore =
                std::max(0.0, std::min(under, text.bottom() - 2) - lastBottom - gap.lineSpacing);
            push(gap);
            lastBottom = std::max(lastBottom + gap.lineSpacing, under);
            under = 0;
        }
        if (item.table) {
            // A hairline paragraph holds the room above the table.
            WordParagraph gap;
            gap.spaceBefore = std::clamp(tableCorner(*item.table).y() - lastBottom - 1, 0.0, 200.0);
            if (gap.spaceBefore > 0.5 || (k > 0 && items.at(k - 1).table)) {
                ooxml::TextRun tiny;
                tiny.fontSize = 1;
                gap.content.push_back(tiny);
                gap.lineSpacing = 1;
                push(gap);
            }
            ooxml::WordTable table = tableOf(*item.table);
            if (!columned)
                table.indent = tableCorner(*item.table).x() - text.left();
            int const t = int(item.table - layout.tables.constData());
            for (auto const& figure : page.figures)
                if (!figure.picture.data.isEmpty() && tableHolding(layout, figure) == t)
                    placeInCell(table, *item.table, figure);
            pushTable(table);
            lastBottom = item.table->box.bottom();
            continue;
        }
        if (item.figure) {
            if (item.figure->picture.data.isEmpty())
                continue;
            if (!blocksOver(layout, *item.figure).isEmpty()) {
                // Behind the text that stands over it, from where that text begins.
                ooxml::WordPicture picture;
                picture.picture = item.figure->picture;
                picture.description = item.figure->description;
                picture.picture.size = item.figure->box.size();
                picture.anchored = true;
                picture.fromParagraph = true;
                picture.position = QPointF(item.figure->box.left(), item.figure->box.top() - lastBottom);
                WordParagraph holder;
                ooxml::TextRun tiny;
                tiny.fontSize = 1;
                holder.content << tiny << picture;
                holder.lineSpacing = 1;
                push(holder);
                lastBottom += holder.lineSpacing;
                under = std::max(under, item.figure->box.bottom());
                continue;
            }
            WordParagraph p;
            ooxml::WordPicture picture;
            picture.picture = item.figure->picture;
            picture.description = item.figure->description;
            QSizeF size = item.figure->box.size();
            if (size.width() > text.width())
                size.scale(QSizeF(text.width(), 1e6), Qt::KeepAspectRatio);
            picture.picture.size = size;
            p.content.push_back(picture);
            // A picture lower than a line of text (a rule) would stand in a line of text's
            // height and push what follows down.
            if (size.height() < 14)
                p.lineSpacing = std::max(1.0, size.height());
            p.spaceBefore = std::clamp(item.figure->box.top() - lastBottom, 0.0, 200.0);
            double const left = item.figure->box.left() - text.left();
            double const right = text.right() - item.figure->box.right();
            if (std::abs(left - right) < 0.05 * text.width() + 4)
                p.alignment = Alignment::Center;
            else
                p.indentLeft = std::max(0.0, std::min(left, text.width() - size.width()));
            push(p);
            lastBottom = item.figure->box.bottom();
            continue;
        }
        layout::Block const& block = *item.block;
        int const blockBand = layout.columns.value(block.column).band;
        QVector<int> const columns =
            columned ? textColumns(layout, blockBand, hidden) : QVector<int>{block.column};
        bool columnBreak = false;
        bool footUnderColumns = false;
        if (columned && blockBand != band) {
            footUnderColumns = band >= 0 && bandColumns > 1 && blockBand == lastBand;
            bandColumns = columns.size();
            if (band >= 0) {
                ooxml::WordPageSetup next = setup;
                next.continuous = true;
                next.columns = columns.size();
                next.columnGap = columnGap(layout, columns, text);
                beginSection(next);
                // The band goes on under the tallest column of the one above.
                lastBottom = bandBottom;
            }
            band = blockBand;
            lastColumn = block.column;
        } else if (columned && columns.size() > 1 && block.column != lastColumn) {
            columnBreak = lastColumn >= 0;
            lastColumn = block.column;
            lastBottom = layout.columns.value(block.column).box.top();
        }
        // The area the paragraph's indents measure from: the Word column or the text area.
        QRectF area = text;
        if (columns.size() > 1) {
            int const at = columns.indexOf(block.column);
            double const gap = columnGap(layout, columns, text);
            double const width = (text.width() - (columns.size() - 1) * gap) / columns.size();
            area = QRectF(text.left() + at * (width + gap), text.top(), width, text.height());
        }
        bool const code = isCode(block);
        WordParagraph p =
            paragraph(withNoteMarks(code ? indented(block) : block,
                                    int(item.block - layout.blocks.constData()), page.footnotes),
                      area, code);
        placeNotes(p, page.footnotes);
        if (code) {
            p.alignment = Alignment::Left;
            p.firstLineIndent = 0;
        }
        Shape const shape = shapeOf(block, area);
        bool const listed = p.label.kind != ooxml::WordListLabel::Kind::None;
        int scale = pdfWidthScale(block, listed);
        // A line the PDF sets on into the gutter (a large heading) would wrap in Word's column
        // and take a line more: it is set a little narrower instead.
        if (columns.size() > 1 && block.lines.size() == 1 && !code && !listed) {
            double const room =
                area.width() - p.indentLeft - p.indentRight - std::max(0.0, p.firstLineIndent) - 1;
            double const need = TextWidths::lineWidths(blockRuns(block, true)).value(0) * scale / 100;
            if (room > 0 && need > room && need * 0.8 <= room)
                scale = int(std::floor(scale * room / need));
        }
        if (scale != 100)
            scaleRuns(p, scale);
        p.columnBreakBefore = columnBreak;
        p.spaceBefore =
            std::clamp(shape.firstBaseline - (shape.pitch - kDescent * shape.size) - lastBottom, 0.0, 200.0);
        // Word breaks and balances the columns' lines its own way, so they may end lower than
        // the PDF's: the room a page leaves above its foot (a banner) shrinks to a few lines,
        // or the foot goes on to a page of its own.
        if (footUnderColumns)
            p.spaceBefore = std::min(p.spaceBefore, 2 * p.lineSpacing);
        WordParagraph* previous = k == 0 && merge && code == m_openCode ? lastParagraph() : nullptr;
        // Where Word ends the paragraph: lines of one pitch, which the PDF's need not all have
        // (a line holding a taller face), and what follows measures from there.
        lastBottom = previous ? shape.lastBaseline + kDescent * shape.size
                              : lastBottom + p.spaceBefore + p.lineSpacing * block.lines.size();
        if (previous) {
            QChar const join = code ? QLatin1Char('\n') : QLatin1Char(' ');
            if (!previous->content.isEmpty() &&
                std::holds_alternative<ooxml::TextRun>(previous->content.last())) {
                std::get<ooxml::TextRun>(previous->content.last()).text += join;
            } else if (!previous->content.isEmpty()) {
                // After a footnote's mark: a run of its own.
                ooxml::TextRun space;
                if (!p.content.isEmpty() && std::holds_alternative<ooxml::TextRun>(p.content.first()))
                    space = std::get<ooxml::TextRun>(p.content.first());
                space.text = join;
                previous->content.push_back(space);
            }
            previous->content += p.content;
        } else {
            push(p);
        }
        m_openParagraph = k + 1 == items.size() && (code || !endsParagraph(block));
        m_openCode = code;
    }
}

namespace {

// How much wider than in the PDF a line's words measure where they keep the PDF's face: the
// PDF's kerning, which the office application applies as well.
double kerning(layout::Line const& line)
{
    double more = 0;
    for (auto const& word : line.words)
        if (word.fontSize > 0 && word.rotation == 0 && FontMatcher::sameWidths(word))
            more += TextWidths::width(word.text, FontMatcher::family(word), word.fontSize, word.bold,
                                      word.italic) -
                    word.box.width();
    return std::max(0.0, more);
}

} // namespace

// Page layout: every block, table and figure at its place on the page.
void WordBuilder::addLaidOut(PageContent const& page, int index)
{
    layout::PageLayout const& layout = page.layout;
    QSizeF const size = layout.size;
    QRectF const text = pageContent(page);
    ooxml::WordPageSetup setup;
    setup.size = size;
    setup.margins = text.isNull() ? QMarginsF(kMinMargin, kMinMargin, kMinMargin, kMinMargin)
                                  : QMarginsF(clampMargin(text.left()), clampMargin(text.top()),
                                              clampMargin(size.width() - text.right()),
                                              clampMargin(size.height() - text.bottom()));
    setMarginals(setup, index);
    beginSection(setup);
    if (text.isNull()) {
        if (page.hasPicture())
            push(pagePicture(page));
        return;
    }

    // Figures hang at their places from an empty paragraph at the top of the page, over the
    // page's background; the text a figure shows leaves the frames.
    WordParagraph holder;
    QVector<int> drawn;
    if (page.background.isValid())
        holder.content.push_back(backgroundPicture(page));
    for (auto const& figure : page.figures) {
        if (figure.picture.data.isEmpty())
            continue;
        ooxml::WordPicture picture;
        picture.picture = figure.picture;
        picture.picture.size = figure.box.size();
        picture.anchored = true;
        picture.position = figure.box.topLeft();
        picture.description = figure.description;
        holder.content.push_back(picture);
        if (figure.withText)
            drawn += figure.labels;
    }
    if (!holder.content.isEmpty()) {
        holder.lineSpacing = 1;
        push(holder);
    }

    // Every block a frame holding its lines as they break in the PDF: first where the PDF
    // shows them, then as wide as its lines come out in the faces that will draw them.
    struct Framed
    {
        WordParagraph paragraph;
        QRectF box;
        Alignment alignment = Alignment::Left;
        double size = 0;
        bool single = false;   // one line: its pitch is ours, not the PDF's
        QVector<double> lines; // the lines' widths in the PDF
        layout::Block const* block = nullptr;
    };
    QVector<PageItem> const items = readingOrder(layout);
    QVector<Framed> frames;
    QVector<int> frameOf(items.size(), -1);
    QVector<QRectF> tables;
    for (int k = 0; k < items.size(); ++k) {
        if (items.at(k).table) {
            tables << items.at(k).table->box;
            continue;
        }
        layout::Block const& block = *items.at(k).block;
        if (drawn.contains(int(items.at(k).block - layout.blocks.constData())))
            continue;
        int const band = layout.columns.value(block.column).band;
        QVector<int> const columns = textColumns(layout, band);
        QRectF const area = columns.size() > 1
                                ? layout.columns.value(block.column).box
                                : QRectF(text.left(), block.box.top(), text.width(), block.box.height());
        Shape const shape = shapeOf(block, area);
        double const y = std::max(0.0, shape.firstBaseline - (shape.pitch - kDescent * shape.size));
        QRectF const box(shape.left, y, std::max(4.0, shape.right - shape.left),
                         shape.pitch * block.lines.size());
        Framed f;
        f.paragraph = paragraph(block, QRectF(box.left(), y, box.width(), 1), true, shape.alignment);
        f.paragraph.indentRight = 0;
        f.box = box;
        f.alignment = shape.alignment;
        f.size = shape.size;
        f.single = block.lines.size() == 1;
        for (auto const& line : block.lines)
            f.lines << line.box.width();
        f.block = &block;
        frameOf[k] = frames.size();
        frames << f;
    }
    // A manuscript's line numbers stay where they stand, each a frame that ends its number
    // at the side nearer the text.
    int const numbersFrom = frames.size();
    for (auto const& number : layout.lineNumbers) {
        layout::Line line;
        line.words = {number};
        line.box = number.box;
        line.fontSize = number.fontSize;
        layout::Block block;
        block.lines = {line};
        block.box = number.box;
        block.fontSize = number.fontSize;
        Shape const shape = shapeOf(block, QRectF());
        bool const left = number.box.center().x() < text.left();
        double const y = std::max(0.0, shape.firstBaseline - (shape.pitch - kDescent * shape.size));
        Framed f;
        f.alignment = left ? Alignment::Right : Alignment::Left;
        f.box = QRectF(number.box.left(), y, std::max(4.0, number.box.width()), shape.pitch);
        f.paragraph = paragraph(block, QRectF(f.box.left(), y, f.box.width(), 1), true, f.alignment);
        f.paragraph.indentRight = 0;
        f.size = shape.size;
        f.single = true;
        f.lines << number.box.width();
        frames << f;
    }
    // Widths: lines that come out wider than the PDF's are set narrower, down to the PDF's
    // width; a frame then takes what rounding and hinting may add from the free room beside
    // it. A justified frame keeps the PDF's width, which its lines stretch to.
    auto const room = [&](int self, QRectF const& box, bool right) {
        double free = right ? size.width() - box.right() : box.left();
        auto const limit = [&](QRectF const& other) {
            if (std::min(other.bottom(), box.bottom()) - std::max(other.top(), box.top()) <= 0.5)
                return;
            if (right && other.left() >= box.right() - 0.5)
                free = std::min(free, other.left() - box.right() - 1);
            else if (!right && other.right() <= box.left() + 0.5)
                free = std::min(free, box.left() - other.right() - 1);
        };
        for (int i = 0; i < frames.size(); ++i)
            if (i != self)
                limit(frames.at(i).box);
        for (auto const& table : tables)
            limit(table);
        return std::max(0.0, free);
    };
    for (int i = 0; i < frames.size(); ++i) {
        Framed& f = frames[i];
        WordParagraph& p = f.paragraph;
        bool const listed = p.label.kind != ooxml::WordListLabel::Kind::None;
        auto const offset = [&](int line) {
            return p.alignment == Alignment::Center
                       ? 0.0
                       : p.indentLeft + (line == 0 && !listed ? p.firstLineIndent : 0.0);
        };
        QVector<double> const widths = lineWidths(p);
        double need = 0;
        for (int l = 0; l < widths.size(); ++l)
            need = std::max(need, offset(l) + widths.at(l));
        double const left = room(i, f.box, false), right = room(i, f.box, true);
        double const grow = f.alignment == Alignment::Justify  ? 0.0
                            : f.alignment == Alignment::Right  ? left
                            : f.alignment == Alignment::Center ? 2 * std::min(left, right)
                                                               : right;
        double const slack = std::min(grow, 1.5 + (shapedScript(p) ? 0.1 : 0.01) * need);
        double const most = f.box.width() + grow - slack;
        // The room up to the edges of the page's text the frame stands within.
        double const leftIn =
            f.box.left() >= text.left() - 0.5 ? std::max(0.0, f.box.left() - text.left()) : left;
        double const rightIn =
            f.box.right() <= text.right() + 0.5 ? std::max(0.0, text.right() - f.box.right()) : right;
        double const growIn = f.alignment == Alignment::Justify ? 0.0
                              : f.alignment == Alignment::Right ? std::min(left, leftIn)
                              : f.alignment == Alignment::Center
                                  ? 2 * std::min({left, right, leftIn, rightIn})
                                  : std::min(right, rightIn);
        double const within = std::min(most, f.box.width() + growIn);
        // Kerning makes the PDF's lines a little shorter than their advances add up to: a
        // face the same as the PDF's stays as it is.
        double fits = 1;
        for (int l = 0; l < widths.size() && l < f.lines.size(); ++l)
            if (widths.at(l) > 1.02 * f.lines.at(l) + 0.5)
                fits = std::min(fits, (f.lines.at(l) + 0.5) / widths.at(l));
        for (int l = 0; l < widths.size(); ++l)
            if (offset(l) + widths.at(l) * fits > most && widths.at(l) > 0)
                fits = std::min(fits, (most - offset(l)) / widths.at(l));
        // A line whose spaces the PDF set tighter than its face's own comes out wider than in
        // the PDF by more than kerning: one that then reaches past the edge of the page's
        // text by more than a hair gives the difference up from its glyphs.
        if (within < most && f.block)
            for (int l = 0; l < widths.size() && l < f.block->lines.size(); ++l) {
                double const shown = widths.at(l) - kerning(f.block->lines.at(l));
                if (offset(l) + shown * fits > within + 0.5 && shown > 0)
                    fits = std::min(fits, (within - offset(l)) / shown);
            }
        if (fits < 1) {
            int const percent = std::clamp(int(std::floor(100 * fits)), 50, 99);
            scaleRuns(p, percent);
            need = 0;
            for (int l = 0; l < widths.size(); ++l)
                need = std::max(need, offset(l) + widths.at(l) * percent / 100);
        }
        double const width = f.alignment == Alignment::Justify
                                 ? f.box.width()
                                 : std::clamp(need + slack, f.box.width(), most + slack);
        double const extra = width - f.box.width();
        double const x = f.box.left() - (f.alignment == Alignment::Right    ? extra
                                         : f.alignment == Alignment::Center ? extra / 2
                                                                            : 0.0);
        f.box = QRectF(std::max(0.0, x), f.box.top(), width, f.box.height());
    }
    // A single line's pitch is ours: a line that would reach into the frame above it gets a
    // tighter one, which keeps its baseline where it is.
    for (int i = 0; i < frames.size(); ++i)
        for (int k = 0; k < frames.size(); ++k) {
            Framed& lower = frames[k];
            QRectF const& upper = frames.at(i).box;
            if (i == k || !lower.single || upper.top() >= lower.box.top() ||
                std::min(upper.right(), lower.box.right()) - std::max(upper.left(), lower.box.left()) <= 0.5)
                continue;
            double const into = upper.bottom() - lower.box.top();
            double const tighter =
                std::max(0.85 * lower.size, lower.paragraph.lineSpacing - std::max(0.0, into));
            if (into <= 0 || tighter >= lower.paragraph.lineSpacing)
                continue;
            lower.box.setTop(lower.box.top() + lower.paragraph.lineSpacing - tighter);
            lower.paragraph.lineSpacing = tighter;
        }

    for (int k = 0; k < items.size(); ++k) {
        if (items.at(k).table) {
            ooxml::WordTable table = tableOf(*items.at(k).table);
            table.position = tableCorner(*items.at(k).table);
            pushTable(table);
            continue;
        }
        if (frameOf.at(k) < 0)
            continue;
        Framed& f = frames[frameOf.at(k)];
        // A height of 0: the frame grows with its lines.
        f.paragraph.frame = QRectF(f.box.topLeft(), QSizeF(f.box.width(), 0));
        push(f.paragraph);
    }
    for (int i = numbersFrom; i < frames.size(); ++i) {
        Framed& f = frames[i];
        f.paragraph.frame = QRectF(f.box.topLeft(), QSizeF(f.box.width(), 0));
        push(f.paragraph);
    }
}

} // namespace office
} // namespace pdfconv

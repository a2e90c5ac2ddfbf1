#include "WordBuilder.h"

#include "FontMatcher.h"
#include "layout/LayoutAnalyzer.h"

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
};

Shape shapeOf(layout::Block const& block, QRectF const& area)
{
    Shape s;
    s.size = block.fontSize > 0 ? block.fontSize : 11;
    s.marker = markerOf(block);
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

ooxml::WordTable tableOf(layout::Table const& table)
{
    ooxml::WordTable out;
    out.borders = false; // ruled cells carry their own edges
    for (int c = 0; c < table.columnCount(); ++c)
        out.columnWidths << std::max(12.0, table.columnEdges.at(c + 1) - table.columnEdges.at(c));
    // The inset of the text in its cells, as most left-aligned cells show it.
    QVector<double> insets;
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.rows.at(r).size() && c < table.columnCount(); ++c)
            for (auto const& block : table.rows.at(r).at(c).blocks)
                if (cellAlignment(block, table.columnEdges.at(c), table.columnEdges.at(c + 1)) ==
                    Alignment::Left)
                    insets << block.box.left() - table.columnEdges.at(c);
    std::sort(insets.begin(), insets.end());
    out.cellPadding = insets.isEmpty() ? 2.0 : std::clamp(insets.at(insets.size() / 2), 0.0, 12.0);

    for (int r = 0; r < table.rowCount(); ++r) {
        ooxml::WordTableRow row;
        row.height = table.rowEdges.at(r + 1) - table.rowEdges.at(r);
        for (int c = 0; c < table.columnCount() && c < table.rows.at(r).size(); ++c) {
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
                if (table.ruled) {
                    out.left = borderOf(first.left);
                    out.right = borderOf(first.right);
                    out.bottom = borderOf(first.bottom);
                    out.top.style = ooxml::WordBorder::Style::None;
                }
                row.cells.push_back(out);
                continue;
            }
            int const last = std::min(c + cell.columnSpan, table.columnCount());
            double const left = table.columnEdges.at(c), right = table.columnEdges.at(last);
            double const top = table.rowEdges.at(r);
            for (int b = 0; b < cell.blocks.size(); ++b) {
                layout::Block const& block = cell.blocks.at(b);
                Shape const shape = shapeOf(block, QRectF());
                WordParagraph p;
                for (auto const& run : blockRuns(block, false))
                    p.content.push_back(run);
                p.alignment = cellAlignment(block, left, right);
                p.lineSpacing = shape.pitch;
                p.shading = block.shading;
                if (b == 0)
                    p.spaceBefore =
                        std::clamp(shape.firstBaseline - top - (shape.pitch - kDescent * shape.size), 0.0,
                                   std::max(0.0, row.height - shape.pitch));
                out.paragraphs.push_back(p);
            }
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
        out.rows.push_back(row);
    }
    return out;
}

// A picture of a whole page (a scan), over the page as the PDF shows it.
WordParagraph pagePicture(PageContent const& page)
{
    ooxml::WordPicture picture;
    picture.picture = page.picture;
    picture.picture.size = page.layout.size;
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

} // namespace

namespace {

bool isLabel(layout::Block const& block, double bodySize)
{
    if (block.lines.size() > 3 || block.kind == layout::BlockKind::Heading ||
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

QVector<Figure> WordBuilder::figures(layout::PageLayout const& page, QVector<QRectF> boxes, bool flowing)
{
    joinSideBySide(boxes);
    QVector<QVector<int>> labels(boxes.size());
    if (flowing) {
        QVector<bool> taken(page.blocks.size(), false);
        for (bool grown = true; grown;) {
            grown = false;
            for (int f = 0; f < boxes.size(); ++f)
                for (int b = 0; b < page.blocks.size(); ++b) {
                    layout::Block const& block = page.blocks.at(b);
                    double const reach = 1.5 * (block.fontSize > 0 ? block.fontSize : 10);
                    if (taken.at(b) ||
                        !boxes.at(f).adjusted(-reach, -reach, reach, reach).intersects(block.box))
                        continue;
                    // Running text and headings beside a drawing stay text; a rule has no labels.
                    if (!isLabel(block, page.bodyFontSize) || boxes.at(f).width() < 20 ||
                        boxes.at(f).height() < 20)
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
        if (figure.beforeBlock == page.blocks.size())
            for (int b = 0; b < page.blocks.size(); ++b)
                if (!figure.labels.contains(b) && page.blocks.at(b).box.top() >= figure.box.bottom()) {
                    figure.beforeBlock = b;
                    break;
                }
    }
    return out;
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
    if (!faces.isEmpty())
        writer.setDefaultFont(most(faces, QString()), most(sizes, 22) / 2.0);
    if (!flowing)
        return;
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
        QRectF const box = pageContent(pages.at(i));
        if (!box.isNull())
            sectionText.last() = sectionText.last().isNull() ? box : sectionText.last().united(box);
    }
    for (int s = 0; s < m_setups.size(); ++s) {
        QSizeF const size = m_setups.at(s).size;
        QRectF const text = sectionText.at(s);
        m_setups[s].margins = text.isNull() ? QMarginsF(kMinMargin, kMinMargin, kMinMargin, kMinMargin)
                                            : QMarginsF(clampMargin(text.left()), clampMargin(text.top()),
                                                        clampMargin(size.width() - text.right()),
                                                        clampMargin(size.height() - text.bottom()));
    }
}

void WordBuilder::addPage(int index)
{
    if (m_flowing)
        addFlowing(m_pages.at(index), index);
    else
        addLaidOut(m_pages.at(index));
}

void WordBuilder::finish()
{
    if (m_last)
        m_writer.add(*m_last);
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
        m_writer.add(*m_last);
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
    bool merge = false;
    if (newSection || columned || m_page.columns > 1) {
        ooxml::WordPageSetup first = setup;
        if (columned && !items.isEmpty() && items.first().block) {
            QVector<int> const columns =
                textColumns(layout, layout.columns.value(items.first().block->column).band, hidden);
            first.columns = columns.size();
        }
        beginSection(first);
    } else {
        merge = m_openParagraph && !items.isEmpty() && items.first().block &&
                continuesParagraph(*items.first().block);
        if (!merge)
            push(ooxml::PageBreak());
    }
    m_openParagraph = false;
    QRectF const text(
        QPointF(setup.margins.left(), setup.margins.top()),
        QPointF(setup.size.width() - setup.margins.right(), setup.size.height() - setup.margins.bottom()));
    if (items.isEmpty() && page.hasPicture())
        push(pagePicture(page));

    int band = -1;
    double lastBaseline = -1, lastBottom = text.top(); // of what stands above, in this column
    int lastColumn = -1;
    for (int k = 0; k < items.size(); ++k) {
        PageItem const& item = items.at(k);
        if (item.block && hidden.contains(int(item.block - layout.blocks.constData())))
            continue;
        if (item.table) {
            WordParagraph gap;
            gap.spaceBefore = std::clamp(item.table->box.top() - lastBottom, 0.0, 200.0);
            if (gap.spaceBefore > 4 || (k > 0 && items.at(k - 1).table)) {
                ooxml::TextRun tiny;
                tiny.fontSize = 1;
                gap.content.push_back(tiny);
                gap.lineSpacing = 1;
                push(gap);
            }
            pushTable(tableOf(*item.table));
            lastBottom = item.table->box.bottom();
            lastBaseline = -1;
            continue;
        }
        if (item.figure) {
            if (item.figure->picture.data.isEmpty())
                continue;
            WordParagraph p;
            ooxml::WordPicture picture;
            picture.picture = item.figure->picture;
            QSizeF size = item.figure->box.size();
            if (size.width() > text.width())
                size.scale(QSizeF(text.width(), 1e6), Qt::KeepAspectRatio);
            picture.picture.size = size;
            p.content.push_back(picture);
            p.spaceBefore = std::clamp(item.figure->box.top() - lastBottom, 0.0, 200.0);
            double const left = item.figure->box.left() - text.left();
            double const right = text.right() - item.figure->box.right();
            if (std::abs(left - right) < 0.05 * text.width() + 4)
                p.alignment = Alignment::Center;
            else
                p.indentLeft = std::max(0.0, std::min(left, text.width() - size.width()));
            push(p);
            lastBottom = item.figure->box.bottom();
            lastBaseline = -1;
            continue;
        }
        layout::Block const& block = *item.block;
        int const blockBand = layout.columns.value(block.column).band;
        QVector<int> const columns =
            columned ? textColumns(layout, blockBand, hidden) : QVector<int>{block.column};
        bool columnBreak = false;
        if (columned && blockBand != band) {
            if (band >= 0) {
                ooxml::WordPageSetup next = setup;
                next.continuous = true;
                next.columns = columns.size();
                beginSection(next);
            }
            band = blockBand;
            lastColumn = block.column;
            lastBaseline = -1;
            lastBottom = block.box.top();
        } else if (columned && columns.size() > 1 && block.column != lastColumn) {
            columnBreak = lastColumn >= 0;
            lastColumn = block.column;
            lastBaseline = -1;
            lastBottom = layout.columns.value(block.column).box.top();
        }
        // The area the paragraph's indents measure from: the Word column or the text area.
        QRectF area = text;
        if (columns.size() > 1) {
            QRectF const own = layout.columns.value(block.column).box;
            int const at = columns.indexOf(block.column);
            double const width = (text.width() - (columns.size() - 1) * 36.0) / columns.size();
            area = QRectF(at == 0 ? text.left() : own.left(), text.top(), width, text.height());
        }
        WordParagraph p = paragraph(block, area, false);
        Shape const shape = shapeOf(block, area);
        p.columnBreakBefore = columnBreak;
        if (lastBaseline >= 0)
            p.spaceBefore = std::clamp(shape.firstBaseline - lastBaseline - shape.pitch, 0.0, 200.0);
        else
            p.spaceBefore = std::clamp(
                shape.firstBaseline - (shape.pitch - kDescent * shape.size) - lastBottom, 0.0, 200.0);
        if (k == 0 && newSection)
            p.spaceBefore = 0; // the margin already puts it there
        lastBaseline = shape.lastBaseline;
        lastBottom = block.box.bottom();
        WordParagraph* previous = k == 0 && merge ? lastParagraph() : nullptr;
        if (previous) {
            if (!previous->content.isEmpty() &&
                std::holds_alternative<ooxml::TextRun>(previous->content.last()))
                std::get<ooxml::TextRun>(previous->content.last()).text += QLatin1Char(' ');
            previous->content += p.content;
        } else {
            push(p);
        }
        m_openParagraph = k + 1 == items.size() && !endsParagraph(block);
    }
}

// Page layout: every block, table and figure at its place on the page.
void WordBuilder::addLaidOut(PageContent const& page)
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
    beginSection(setup);
    if (text.isNull()) {
        if (page.hasPicture())
            push(pagePicture(page));
        return;
    }

    // Figures hang at their places from an empty paragraph at the top of the page.
    WordParagraph holder;
    for (auto const& figure : page.figures) {
        if (figure.picture.data.isEmpty())
            continue;
        ooxml::WordPicture picture;
        picture.picture = figure.picture;
        picture.picture.size = figure.box.size();
        picture.anchored = true;
        picture.position = figure.box.topLeft();
        holder.content.push_back(picture);
    }
    if (!holder.content.isEmpty()) {
        holder.lineSpacing = 1;
        push(holder);
    }

    for (PageItem const& item : readingOrder(layout)) {
        if (item.table) {
            ooxml::WordTable table = tableOf(*item.table);
            table.position = item.table->box.topLeft();
            pushTable(table);
            continue;
        }
        layout::Block const& block = *item.block;
        int const band = layout.columns.value(block.column).band;
        QVector<int> const columns = textColumns(layout, band);
        QRectF const area = columns.size() > 1
                                ? layout.columns.value(block.column).box
                                : QRectF(text.left(), block.box.top(), text.width(), block.box.height());
        Shape const shape = shapeOf(block, area);
        double const width = shape.right - shape.left;
        bool const justified = shape.alignment == Alignment::Justify;
        // Room for a face a little wider than the PDF's, on the side the text grows to.
        double const slack = justified ? 0.5 : 0.1 * width + 4;
        double x = shape.left;
        if (shape.alignment == Alignment::Center)
            x -= slack / 2;
        else if (shape.alignment == Alignment::Right)
            x -= slack;
        x = std::max(0.0, x);
        double const w = std::min(width + slack, size.width() - x);
        double const y = std::max(0.0, shape.firstBaseline - (shape.pitch - kDescent * shape.size));
        QRectF const frame(x, y, std::max(4.0, w), 0);
        // Justified lines are set anew in exactly their width; others keep their breaks.
        WordParagraph p = paragraph(block, QRectF(x, y, frame.width(), 1), !justified, shape.alignment);
        if (shape.alignment == Alignment::Right)
            p.indentRight = 0;
        p.frame = frame;
        push(p);
    }
}

} // namespace office
} // namespace pdfconv

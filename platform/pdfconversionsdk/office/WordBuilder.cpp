#include "WordBuilder.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace pdfconv {
namespace office {

namespace {

using ooxml::WordParagraph;

// Word's smallest sensible margin, and how far a page's text may shift the margins.
constexpr double kMinMargin = 18;
constexpr double kMaxMargin = 108;

double clampMargin(double v)
{
    return std::max(kMinMargin, std::min(kMaxMargin, v));
}

WordParagraph::Alignment alignmentOf(layout::Block const& block, QRectF const& area)
{
    if (area.width() <= 0 || block.lines.isEmpty())
        return WordParagraph::Alignment::Left;
    double const width = area.width();
    bool centred = true, right = true;
    for (auto const& line : block.lines) {
        double const left = line.box.left() - area.left();
        double const rightGap = area.right() - line.box.right();
        centred = centred && left > 0.08 * width && std::abs(left - rightGap) < 0.03 * width + 2;
        right = right && rightGap < 3 && left > 0.25 * width;
    }
    if (centred)
        return WordParagraph::Alignment::Center;
    return right ? WordParagraph::Alignment::Right : WordParagraph::Alignment::Left;
}

WordParagraph paragraphOf(layout::Block const& block, bool lineBreaks, QRectF const& area)
{
    WordParagraph p;
    for (auto const& run : blockRuns(block, lineBreaks))
        p.content.push_back(run);
    p.alignment = alignmentOf(block, area);
    bool const heading = block.kind == layout::BlockKind::Heading;
    p.spaceBefore = heading ? 12 : 0;
    p.spaceAfter = 6;
    return p;
}

// Numbers stand at the right of their cells, headings often in the middle.
WordParagraph::Alignment cellAlignment(layout::Block const& block, double left, double right)
{
    double const width = right - left;
    double const leftGap = block.box.left() - left, rightGap = right - block.box.right();
    if (width <= 0)
        return WordParagraph::Alignment::Left;
    if (leftGap > 0.2 * width && rightGap < 0.5 * leftGap - 0.1 * width)
        return WordParagraph::Alignment::Right;
    if (leftGap > 0.1 * width && std::abs(leftGap - rightGap) < 0.1 * width)
        return WordParagraph::Alignment::Center;
    return WordParagraph::Alignment::Left;
}

ooxml::WordTable tableOf(layout::Table const& table)
{
    ooxml::WordTable out;
    out.borders = table.ruled;
    for (int c = 0; c < table.columnCount(); ++c)
        out.columnWidths << std::max(12.0, table.columnEdges.at(c + 1) - table.columnEdges.at(c));
    for (auto const& row : table.rows) {
        ooxml::WordTableRow r;
        for (int col = 0; col < row.size(); ++col) {
            ooxml::WordTableCell c;
            for (auto const& block : row.at(col).blocks) {
                WordParagraph p = paragraphOf(block, false, QRectF());
                p.spaceBefore = p.spaceAfter = 0;
                p.alignment = cellAlignment(block, table.columnEdges.at(col), table.columnEdges.at(col + 1));
                c.paragraphs.push_back(p);
            }
            r.cells.push_back(c);
        }
        out.rows.push_back(r);
    }
    return out;
}

// A picture of the whole page, as large as the text area allows.
WordParagraph pictureParagraph(PageContent const& page, QSizeF const& area)
{
    ooxml::WordPicture picture;
    picture.picture = page.picture;
    QSizeF size = page.layout.size;
    // A little under the area: a picture as tall as the page's text area would push the
    // paragraph mark onto a page of its own.
    size.scale(QSizeF(std::max(10.0, area.width() - 2), std::max(10.0, area.height() - 14)),
               Qt::KeepAspectRatio);
    picture.picture.size = size;
    WordParagraph p;
    p.alignment = WordParagraph::Alignment::Center;
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

QSizeF textArea(ooxml::WordPageSetup const& setup)
{
    return QSizeF(setup.size.width() - setup.margins.left() - setup.margins.right(),
                  setup.size.height() - setup.margins.top() - setup.margins.bottom());
}

bool sameSize(QSizeF const& a, QSizeF const& b)
{
    return std::abs(a.width() - b.width()) < 2 && std::abs(a.height() - b.height()) < 2;
}

} // namespace

WordBuilder::WordBuilder(QVector<PageContent> const& pages, bool flowing, ooxml::DocxStreamWriter& writer)
    : m_pages(pages), m_flowing(flowing), m_writer(writer)
{
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
        QRectF const box = contentBox(pages.at(i).layout);
        if (!box.isNull())
            sectionText.last() = sectionText.last().isNull() ? box : sectionText.last().united(box);
    }
    for (int s = 0; s < m_setups.size(); ++s) {
        QSizeF const size = m_setups.at(s).size;
        QRectF const text = sectionText.at(s);
        m_setups[s].margins = text.isNull() ? QMarginsF(54, 54, 54, 54)
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
        lead.content.push_back(ooxml::TextRun{QString(), 1, false, false});
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
        gap.content.push_back(ooxml::TextRun{QString(), 2, false, false});
        push(gap);
    }
    push(table);
}

WordParagraph* WordBuilder::lastParagraph()
{
    return m_sectionBlocks > 0 && m_last ? std::get_if<WordParagraph>(&*m_last) : nullptr;
}

void WordBuilder::addFlowing(PageContent const& page, int index)
{
    QVector<PageItem> const items = readingOrder(page.layout);
    bool const newSection = index == 0 || m_sectionOf.at(index) != m_sectionOf.at(index - 1);
    bool merge = false;
    if (newSection) {
        beginSection(m_setups.at(m_sectionOf.at(index)));
    } else {
        merge = m_openParagraph && !items.isEmpty() && items.first().block &&
                continuesParagraph(*items.first().block);
        if (!merge)
            push(ooxml::PageBreak());
    }
    m_openParagraph = false;
    QRectF const area = contentBox(page.layout);
    if (items.isEmpty() && page.hasPicture())
        push(pictureParagraph(page, textArea(m_page)));
    for (int k = 0; k < items.size(); ++k) {
        PageItem const& item = items.at(k);
        if (item.table) {
            pushTable(tableOf(*item.table));
            continue;
        }
        WordParagraph p = paragraphOf(*item.block, false, area);
        if (k > 0 && items.at(k - 1).table)
            p.spaceBefore = std::max(p.spaceBefore, 6.0);
        WordParagraph* previous = k == 0 && merge ? lastParagraph() : nullptr;
        if (previous) {
            if (!previous->content.isEmpty() &&
                std::holds_alternative<ooxml::TextRun>(previous->content.last()))
                std::get<ooxml::TextRun>(previous->content.last()).text += QLatin1Char(' ');
            previous->content += p.content;
        } else {
            push(p);
        }
        m_openParagraph = k + 1 == items.size() && !endsParagraph(*item.block);
    }
}

// Page layout: the blocks of one band of columns side by side.
void WordBuilder::addLaidOut(PageContent const& page)
{
    layout::PageLayout const& layout = page.layout;
    QSizeF const size = layout.size;
    QRectF const text = contentBox(layout);
    ooxml::WordPageSetup setup;
    setup.size = size;
    // Right and bottom margins stay small: Word's fonts may set a line a little wider or a
    // page a little longer than the PDF did.
    setup.margins =
        text.isNull() ? QMarginsF(kMinMargin, kMinMargin, kMinMargin, kMinMargin)
                      : QMarginsF(clampMargin(text.left()), clampMargin(text.top()), kMinMargin, kMinMargin);
    beginSection(setup);
    if (text.isNull()) {
        if (page.hasPicture())
            push(pictureParagraph(page, textArea(m_page)));
        return;
    }

    double flowBottom = text.top(); // where the text above ends
    auto spacing = [&](double top, double fontSize) {
        return std::max(0.0, std::min(400.0, top - flowBottom - 0.25 * fontSize));
    };
    QVector<PageItem> const items = readingOrder(layout);
    for (int k = 0; k < items.size();) {
        PageItem const& item = items.at(k);
        if (item.table) {
            ooxml::WordTable table = tableOf(*item.table);
            if (m_sectionBlocks > 0 || item.table->box.top() - flowBottom > 6) {
                WordParagraph gap;
                gap.spaceBefore = spacing(item.table->box.top(), 11);
                if (gap.spaceBefore > 4)
                    push(gap);
            }
            pushTable(table);
            flowBottom = item.table->box.bottom();
            ++k;
            continue;
        }
        int const band = layout.columns.value(item.block->column).band;
        QVector<int> columns;
        for (int c = 0; c < layout.columns.size(); ++c)
            if (layout.columns.at(c).band == band)
                columns << c;
        if (columns.size() <= 1) {
            QRectF area(text.left(), 0, text.width(), 1);
            WordParagraph p = paragraphOf(*item.block, true, area);
            p.spaceBefore = spacing(item.block->box.top(), item.block->fontSize);
            p.spaceAfter = 0;
            push(p);
            flowBottom = item.block->box.bottom();
            ++k;
            continue;
        }
        // The band's columns as cells of one row, each cell the column's blocks.
        ooxml::WordTable table;
        table.borders = false;
        ooxml::WordTableRow row;
        row.cells.resize(columns.size());
        double bandTop = item.block->box.top(), bandBottom = item.block->box.bottom();
        QVector<double> cellBottom(columns.size(), -1);
        for (; k < items.size() && items.at(k).block &&
               layout.columns.value(items.at(k).block->column).band == band;
             ++k) {
            layout::Block const& block = *items.at(k).block;
            int const cell = columns.indexOf(block.column);
            QRectF const colBox = layout.columns.at(block.column).box;
            WordParagraph p = paragraphOf(block, true, colBox);
            p.spaceAfter = 0;
            p.spaceBefore = cellBottom[cell] < 0
                                ? 0
                                : std::max(0.0, block.box.top() - cellBottom[cell] - 0.25 * block.fontSize);
            cellBottom[cell] = block.box.bottom();
            row.cells[cell].paragraphs.push_back(p);
            bandTop = std::min(bandTop, block.box.top());
            bandBottom = std::max(bandBottom, block.box.bottom());
        }
        for (int c = 0; c < columns.size(); ++c) {
            QRectF const box = layout.columns.at(columns.at(c)).box;
            double const next = c + 1 < columns.size() ? layout.columns.at(columns.at(c + 1)).box.left()
                                                       : std::max(box.right() + 6, text.right());
            double const start = c == 0 ? text.left() : box.left();
            table.columnWidths << std::max(12.0, next - start);
        }
        table.rows.push_back(row);
        WordParagraph gap;
        gap.spaceBefore = spacing(bandTop, 11);
        if (gap.spaceBefore > 4)
            push(gap);
        pushTable(table);
        flowBottom = bandBottom;
    }
}

} // namespace office
} // namespace pdfconv

#include "SheetBuilder.h"

#include "layout/TableDetector.h"

#include <algorithm>

namespace pdfconv {
namespace office {

namespace {

void setCell(ooxml::Sheet& sheet, int row, int column, QString const& text)
{
    double number = 0;
    if (layout::TableDetector::parseNumber(text, &number))
        sheet.setNumber(row, column, number);
    else if (!text.isEmpty())
        sheet.setText(row, column, text);
}

// Appends items below what the sheet holds, an empty row between them.
class SheetWriter
{
public:
    explicit SheetWriter(ooxml::Sheet& sheet) : m_sheet(sheet), m_row(sheet.rowCount()) {}

    void table(layout::Table const& table)
    {
        gap();
        for (int r = 0; r < table.rowCount(); ++r) {
            for (int c = 0; c < table.rows.at(r).size(); ++c)
                setCell(m_sheet, m_row, c, table.rows.at(r).at(c).text());
            ++m_row;
        }
        for (int c = 0; c < table.columnCount(); ++c) {
            double const width = table.columnEdges.at(c + 1) - table.columnEdges.at(c);
            auto const known = m_sheet.columnWidths().find(c);
            if (known == m_sheet.columnWidths().end() || known->second < width)
                m_sheet.setColumnWidth(c, std::min(width, 400.0));
        }
    }

    void block(layout::Block const& block)
    {
        gap();
        for (auto const& line : block.lines)
            setCell(m_sheet, m_row++, 0, line.text());
    }

private:
    void gap()
    {
        if (m_row > 0)
            ++m_row;
    }

    ooxml::Sheet& m_sheet;
    int m_row;
};

} // namespace

ooxml::Workbook SheetBuilder::build(QVector<PageContent> const& pages, bool allContent, bool sheetPerTable,
                                    QString const& title)
{
    ooxml::Workbook book;
    book.info.title = title;
    int tableCount = 0;
    for (auto const& page : pages)
        tableCount += page.layout.tables.size();

    if (sheetPerTable && tableCount > 0) {
        ooxml::Workbook pending; // text above the first table
        ooxml::Sheet& lead = pending.addSheet();
        int sheetIndex = -1;
        for (auto const& page : pages)
            for (auto const& item : readingOrder(page.layout)) {
                if (item.table) {
                    ooxml::Sheet& sheet = book.addSheet();
                    if (book.sheets.size() == 1)
                        sheet = lead;
                    sheet.setName(QStringLiteral("Table %1").arg(book.sheets.size()));
                    sheetIndex = book.sheets.size() - 1;
                    SheetWriter(sheet).table(*item.table);
                } else if (allContent) {
                    SheetWriter(sheetIndex < 0 ? lead : book.sheets[sheetIndex]).block(*item.block);
                }
            }
        return book;
    }
    for (auto const& page : pages) {
        if (!allContent && page.layout.tables.isEmpty())
            continue;
        ooxml::Sheet& sheet = book.addSheet(QStringLiteral("Page %1").arg(page.layout.pageIndex + 1));
        SheetWriter writer(sheet);
        for (auto const& item : readingOrder(page.layout)) {
            if (item.table)
                writer.table(*item.table);
            else if (allContent)
                writer.block(*item.block);
        }
    }
    return book;
}

} // namespace office
} // namespace pdfconv

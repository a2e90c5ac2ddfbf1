#pragma once

#include <QString>

#include <map>
#include <variant>

namespace ooxml {

/// A cell value: a number or a text.
using CellValue = std::variant<double, QString>;

/// One sheet of a workbook: a sparse grid of cells addressed from row 0, column 0.
class Sheet
{
public:
    static constexpr int MaxRows = 1048576;  ///< Excel's row limit.
    static constexpr int MaxColumns = 16384; ///< Excel's column limit.
    /// Longest cell text Excel accepts; longer texts are cut there when written to .xlsx.
    static constexpr int MaxTextLength = 32767;

    using Row = std::map<int, CellValue>;

    explicit Sheet(QString const& name = QString()) : m_name(name) {}

    /// The wished name; writers make it valid and unique (XlsxWriter::sheetNames).
    QString name() const { return m_name; }
    void setName(QString const& name) { m_name = name; }

    /// Sets a number. NaN and infinities, which no format here can hold as numbers, are
    /// stored as their text. Returns false, changing nothing, outside Excel's grid.
    bool setNumber(int row, int column, double value);
    /// Sets a text. Returns false, changing nothing, outside Excel's grid.
    bool setText(int row, int column, QString const& text);
    /// Sets a column's width in points. Returns false for a column outside the grid or a
    /// width that is not a positive number.
    bool setColumnWidth(int column, double points);

    /// The cell's value, or null for an empty cell.
    CellValue const* cell(int row, int column) const;
    /// One past the last row holding a cell; 0 for an empty sheet.
    int rowCount() const { return m_rows.empty() ? 0 : m_rows.rbegin()->first + 1; }
    /// One past the last column holding a cell in any row; 0 for an empty sheet.
    int columnCount() const { return m_columnCount; }

    /// The filled rows in order, each with its filled cells in order.
    std::map<int, Row> const& rows() const { return m_rows; }
    /// Column widths in points, by column.
    std::map<int, double> const& columnWidths() const { return m_columnWidths; }

private:
    bool set(int row, int column, CellValue value);

    QString m_name;
    std::map<int, Row> m_rows;
    std::map<int, double> m_columnWidths;
    int m_columnCount = 0;
};

} // namespace ooxml

#include "ooxml/Sheet.h"

#include <cmath>

namespace ooxml {

bool Sheet::setNumber(int row, int column, double value)
{
    if (!std::isfinite(value))
        return set(row, column, QString::number(value));
    return set(row, column, value);
}

bool Sheet::setText(int row, int column, QString const& text)
{
    return set(row, column, text);
}

bool Sheet::setColumnWidth(int column, double points)
{
    if (column < 0 || column >= MaxColumns || !std::isfinite(points) || points <= 0.0)
        return false;
    m_columnWidths[column] = points;
    return true;
}

CellValue const* Sheet::cell(int row, int column) const
{
    auto const rowIt = m_rows.find(row);
    if (rowIt == m_rows.end())
        return nullptr;
    auto const cellIt = rowIt->second.find(column);
    return cellIt == rowIt->second.end() ? nullptr : &cellIt->second;
}

bool Sheet::set(int row, int column, CellValue value)
{
    if (row < 0 || row >= MaxRows || column < 0 || column >= MaxColumns)
        return false;
    m_rows[row][column] = std::move(value);
    if (column >= m_columnCount)
        m_columnCount = column + 1;
    return true;
}

} // namespace ooxml

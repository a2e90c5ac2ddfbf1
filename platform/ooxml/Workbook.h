#pragma once

#include "ooxml/DocumentInfo.h"
#include "ooxml/Sheet.h"

#include <QVector>

namespace ooxml {

/// Sheets in order, for XlsxWriter (one workbook) and CsvWriter (one file per sheet).
/// A workbook without sheets is written as one empty sheet.
struct Workbook
{
    DocumentInfo info;
    QVector<Sheet> sheets;

    /// Appends an empty sheet and returns it (valid until the next append).
    Sheet& addSheet(QString const& name = QString())
    {
        sheets.append(Sheet(name));
        return sheets.last();
    }
};

} // namespace ooxml

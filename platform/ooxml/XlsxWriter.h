#pragma once

#include "ooxml/Workbook.h"
#include "ooxml/WriteResult.h"

#include <QStringList>

namespace ooxml {

/// Writes a Workbook as an Excel package (.xlsx).
///
/// Numbers become numeric cells, texts shared strings. Texts longer than Sheet::MaxTextLength
/// are cut there, and line ends are stored as '\n'. Column widths are converted from points to
/// Excel's character units (7-pixel digits at 96 dpi, at most 255).
class XlsxWriter
{
public:
    /// Writes `workbook` to `path` (its folder must exist) through a temporary file in the
    /// same folder. Nothing is left at `path` or beside it when this fails.
    static WriteResult write(Workbook const& workbook, QString const& path,
                             ExistingFile existing = ExistingFile::Replace);

    /// The sheet names the package will carry, in order: each wished name with the characters
    /// []:*?/\ replaced by '_', leading and trailing apostrophes removed, cut to 31 characters,
    /// "Sheet<n>" when empty, and made unique (ignoring case) with a " (2)", " (3)"... suffix.
    static QStringList sheetNames(Workbook const& workbook);
};

} // namespace ooxml

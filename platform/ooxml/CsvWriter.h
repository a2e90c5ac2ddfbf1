#pragma once

#include "ooxml/Workbook.h"
#include "ooxml/WriteResult.h"

#include <QByteArray>
#include <QStringList>

namespace ooxml {

/// Writes each sheet of a Workbook as an RFC 4180 CSV file in one folder.
///
/// Fields holding a comma, a double quote, CR or LF are quoted, with inner quotes doubled;
/// lines end with CRLF; every line of a file has as many fields as the sheet has columns.
/// Numbers are written in their shortest exact form with '.' as decimal point. A text that
/// a spreadsheet would run as a formula (it starts with =, +, -, @, a tab or a carriage return
/// and is not a number) gets an apostrophe in front and is quoted, so it stays text.
/// Files are UTF-8 and start with a byte order mark: without it Excel reads them in the
/// system's legacy code page and garbles every non-ASCII character, while LibreOffice and
/// most CSV readers skip the mark.
class CsvWriter
{
public:
    /// Writes one file per sheet into `folder`, which must exist, named by fileNames().
    /// Each file goes through a temporary file renamed when complete; if any file fails, the
    /// files this call already wrote are removed again. Existing files of the same names are
    /// kept and make the call fail unless `existing` is ExistingFile::Replace.
    static WriteResult write(Workbook const& workbook, QString const& folder, QString const& baseName,
                             ExistingFile existing = ExistingFile::Fail);

    /// The file names write() uses, in sheet order, so that sorting them by name keeps that
    /// order: "<baseName>.csv" for one sheet, else "<baseName>_<n>.csv" with n from 1,
    /// zero-padded to the width of the sheet count.
    static QStringList fileNames(Workbook const& workbook, QString const& baseName);

    /// The CSV text of one sheet, byte order mark included.
    static QByteArray toCsv(Sheet const& sheet);
};

} // namespace ooxml

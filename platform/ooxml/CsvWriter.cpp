#include "ooxml/CsvWriter.h"

#include "internal/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <cerrno>

#include <DiskFull.h>
#include <cstring>

namespace ooxml {

namespace {

using namespace internal;

// Text that a spreadsheet would evaluate: it starts with = + - @, a tab or a carriage return
// and is more than a number or a lone sign.
bool looksLikeFormula(QString const& text)
{
    if (text.size() < 2)
        return false;
    char16_t const first = text.at(0).unicode();
    if (first != u'=' && first != u'+' && first != u'-' && first != u'@' && first != u'\t' && first != u'\r')
        return false;
    static QRegularExpression const number(
        QStringLiteral("^[+-]?((\\d{1,3}(,\\d{3})+|\\d+)(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?$"));
    return !number.match(text).hasMatch();
}

void appendField(QByteArray& out, QString const& text)
{
    QByteArray const utf8 = text.toUtf8();
    // A formula stays text the way the common CSV-injection advice has it: an apostrophe in
    // front, the field quoted.
    bool const formula = looksLikeFormula(text);
    bool const quoted =
        formula || utf8.contains(',') || utf8.contains('"') || utf8.contains('\r') || utf8.contains('\n');
    if (!quoted) {
        out += utf8;
        return;
    }
    out += '"';
    if (formula)
        out += '\'';
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// Writes one file beside its final name; the caller renames it into place.
WriteResult writeTemporary(QString const& temporary, QByteArray const& data)
{
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return WriteResult::failure(
            WriteError::CannotWrite,
            QStringLiteral("cannot create \"%1\": %2").arg(temporary, file.errorString()));
    errno = 0;
    bool const written = file.write(data) == data.size() && file.flush();
    bool full = !written && diskfull::isFull(file);
    QString const error = file.errorString();
    errno = 0;
    file.close();
    bool const closed = file.error() == QFileDevice::NoError;
    full = full || (!closed && diskfull::isFull(file));
    if (!written || !closed) {
        file.remove();
        return WriteResult::failure(full ? WriteError::DiskFull : WriteError::CannotWrite,
                                    QStringLiteral("cannot write \"%1\": %2")
                                        .arg(temporary, full ? QStringLiteral("the disk is full") : error));
    }
    return WriteResult::success();
}

} // namespace

QByteArray CsvWriter::toCsv(Sheet const& sheet)
{
    QByteArray out("\xEF\xBB\xBF");
    int const columns = std::max(1, sheet.columnCount());
    int nextRow = 0;
    for (auto const& [row, cells] : sheet.rows()) {
        // Empty rows keep their place, so row numbers match the workbook's.
        for (; nextRow < row; ++nextRow) {
            out += QByteArray(columns - 1, ',');
            out += "\r\n";
        }
        auto cell = cells.begin();
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                out += ',';
            if (cell == cells.end() || cell->first != c)
                continue;
            if (auto const* n = std::get_if<double>(&cell->second))
                out += QByteArray::number(*n, 'g', QLocale::FloatingPointShortest);
            else
                appendField(out, std::get<QString>(cell->second));
            ++cell;
        }
        out += "\r\n";
        nextRow = row + 1;
    }
    return out;
}

QStringList CsvWriter::fileNames(Workbook const& workbook, QString const& baseName)
{
    int const count = std::max(1, int(workbook.sheets.size()));
    if (count == 1)
        return {baseName + QStringLiteral(".csv")};
    int const width = QString::number(count).size();
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(QStringLiteral("%1_%2.csv").arg(baseName).arg(i, width, 10, QLatin1Char('0')));
    return names;
}

WriteResult CsvWriter::write(Workbook const& workbook, QString const& folder, QString const& baseName,
                             ExistingFile existing)
{
    return guarded([&] {
        if (baseName.isEmpty() || baseName.contains(QLatin1Char('/')) || baseName.contains(QChar(0)))
            return WriteResult::failure(WriteError::InvalidDocument,
                                        QStringLiteral("\"%1\" is not a file name").arg(baseName));
        QFileInfo const folderInfo(folder);
        if (!folderInfo.isDir())
            return WriteResult::failure(WriteError::CannotWrite,
                                        QStringLiteral("\"%1\" is not a folder").arg(folder));
        QDir const dir(folder);
        QStringList const names = fileNames(workbook, baseName);
        QStringList targets;
        for (QString const& name : names) {
            targets.append(dir.filePath(name));
            WriteResult const check = checkTarget(targets.last(), existing);
            if (!check.ok())
                return check;
        }

        Sheet const empty;
        QStringList temporaries;
        auto discard = [&temporaries](WriteResult const& result) {
            for (QString const& temporary : qAsConst(temporaries))
                QFile::remove(temporary);
            return result;
        };
        for (int i = 0; i < targets.size(); ++i) {
            Sheet const& sheet = i < workbook.sheets.size() ? workbook.sheets[i] : empty;
            QString const temporary = temporaryPathFor(targets[i]);
            WriteResult const written = writeTemporary(temporary, toCsv(sheet));
            if (!written.ok())
                return discard(written);
            temporaries.append(temporary);
        }
        // Everything is on disk; only the renames remain, undone if one fails.
        for (int i = 0; i < targets.size(); ++i) {
            WriteResult const committed = commitTemporary(temporaries[i], targets[i], existing);
            if (!committed.ok()) {
                for (int done = 0; done < i; ++done)
                    QFile::remove(targets[done]);
                return discard(committed);
            }
        }
        return WriteResult::success();
    });
}

} // namespace ooxml

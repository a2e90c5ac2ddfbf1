#pragma once

#include <QFileInfoList>
#include <QString>

// What a folder's digest covers, in the order it covers it: files and folders (symbolic
// links followed), hidden entries left out, folders first, each group by name compared
// by UTF-16 code units. The model packer packs exactly these entries.
QFileInfoList digestEntries(QString const& folder);

// MD5 of a file's content, or of a folder: its entries in digestEntries() order, a
// subfolder adding its own digest text, a file its content (one that does not open is
// skipped). 32 lower-case hex digits; empty when nothing readable is at the path.
QString getMd5(QString const& path);

#pragma once

#include "ooxml/WordDocument.h"
#include "ooxml/WriteResult.h"

namespace ooxml {

/// Writes a WordDocument as a Word package (.docx).
class DocxWriter
{
public:
    /// Writes `document` to `path` (a file path, its folder must exist) through a temporary
    /// file in the same folder. Nothing is left at `path` or beside it when this fails.
    static WriteResult write(WordDocument const& document, QString const& path,
                             ExistingFile existing = ExistingFile::Replace);
};

} // namespace ooxml

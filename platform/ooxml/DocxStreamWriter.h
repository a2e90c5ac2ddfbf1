#pragma once

#include "ooxml/DocumentInfo.h"
#include "ooxml/WordDocument.h"
#include "ooxml/WriteResult.h"

#include <memory>

namespace ooxml {

/// Writes a Word package (.docx) block by block, so that a document of any length never has
/// to be held in memory: each block becomes XML as it is added, each picture goes into the
/// package when it comes, and a picture whose bytes came before is stored only once.
///
/// The XML and the pictures wait in hidden temporary files in the target's folder until
/// finish() zips them and renames the package into place; nothing of them is left after
/// finish() or when the writer is destroyed unfinished.
///
/// Blocks are written on a thread of the writer's own while the caller makes the next ones;
/// finish() and pictureCount() wait for them.
///
/// The blocks follow the rules of WordDocument: every section starts on a new page, a page
/// break that nothing follows in its section is dropped. No call throws: the first failure
/// is kept and returned by finish().
class DocxStreamWriter
{
public:
    /// Writes to `path` (a file path, its folder must exist).
    explicit DocxStreamWriter(QString const& path, ExistingFile existing = ExistingFile::Replace);
    ~DocxStreamWriter();
    DocxStreamWriter(DocxStreamWriter const&) = delete;
    DocxStreamWriter& operator=(DocxStreamWriter const&) = delete;

    void setInfo(DocumentInfo const& info);
    /// The face and size of text that names none (11-point Arial by default); runs in them
    /// are written without repeating them. Call it before the first block.
    void setDefaultFont(QString const& family, double size);
    /// Starts the next section; blocks added before the first call start an A4 section.
    void beginSection(WordPageSetup const& page);
    void add(WordBlock const& block);
    void add(WordBlock&& block);
    /// Completes the package. A writer without sections writes one empty A4 page.
    WriteResult finish();

    /// Pictures stored so far, each distinct one once.
    int pictureCount() const;

private:
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace ooxml

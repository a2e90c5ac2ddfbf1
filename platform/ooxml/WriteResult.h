#pragma once

#include <QString>

/// Writers for Word (.docx), Excel (.xlsx), PowerPoint (.pptx) and CSV documents.
///
/// Each writer takes a small in-memory model and writes it in one call. Writing goes to a
/// temporary file beside the target that is renamed over it only when complete, so a failed
/// call leaves no partial file behind. No call throws: failures come back as a WriteResult.
namespace ooxml {

/// Why a write failed.
enum class WriteError
{
    None = 0,        ///< The document was written.
    InvalidDocument, ///< The model cannot be written: an unreadable picture, a bad size or name.
    TargetExists,    ///< A file is in the way and ExistingFile::Fail forbids replacing it.
    CannotWrite,     ///< Missing or unwritable folder, failed rename, target is a folder.
    Archive,         ///< The zip library failed for a reason other than file access.
    OutOfMemory,     ///< Memory ran out while the document was built.
    DiskFull,        ///< The disk (or the user's quota on it) is full.
};

/// What a writer does when its target path already holds a file.
enum class ExistingFile
{
    Replace, ///< Replace it atomically (the caller asked for exactly this path).
    Fail,    ///< Leave it alone and return WriteError::TargetExists.
};

/// The outcome of a write call.
struct WriteResult
{
    WriteError error = WriteError::None;
    QString message; ///< English text for the log; empty on success.

    bool ok() const { return error == WriteError::None; }
    static WriteResult success() { return {}; }
    static WriteResult failure(WriteError error, QString const& message) { return {error, message}; }
};

} // namespace ooxml

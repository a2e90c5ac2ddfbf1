#pragma once

namespace pdfconv {
namespace base {

/// Results of the PdfConversion calls. Any value other than Success is a failure.
enum ResultCode : int
{
    Success = 0,
    Cancelled = 1,         ///< Cancel() or the progress callback stopped the conversion
    FileNotFound = 2,      ///< the input is missing or cannot be read
    PasswordError = 3,     ///< a password is needed, or the one given opens nothing
    PageError = 4,         ///< a page cannot be read
    NotPdf = 5,            ///< not a PDF, or damaged beyond reading
    SecurityError = 6,     ///< encrypted with a security handler that cannot be opened
    OutOfMemory = 7,       ///< memory ran out, or a page image would be too large to hold
    FolderCompression = 9, ///< a folder of output files could not be packed
    NoTables = 40,         ///< spreadsheet output found no tables
    OcrFailed = 41,        ///< text recognition failed or is not available
    OcrUnreadable = 42,    ///< no language data of the model reads a page's text with confidence
    NoText = 43,           ///< no page holds text and recognition is off: nothing to write
    Busy = 60,             ///< another conversion is running in this process
    MemoryLimit = 70, ///< the file needs more memory than a conversion may take (LibraryManager::MemoryLimit)
    TimeLimit = 71,   ///< reading the file took too long, or would, and was stopped
    DiskFull = 72,    ///< the output's file system (or the user's quota on it) is full
    OutputError = 100, ///< the output cannot be written, or the conversion could not run
};

} // namespace base
} // namespace pdfconv

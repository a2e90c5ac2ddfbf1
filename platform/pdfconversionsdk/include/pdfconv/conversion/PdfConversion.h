#pragma once

#include <pdfconv/base/ConvertOptions.h>
#include <pdfconv/base/Export.h>

namespace pdfconv {
namespace conversion {

/// Called during a conversion with a short UTF-8 status text ("page 3 of 10") and, once at
/// the end, with @p finished set. Returning false stops the conversion as Cancel() does.
using ProgressCallback = bool (*)(char const* status, bool finished);

/// Conversions of a PDF file. Every Start call blocks until its output is complete and
/// returns a pdfconv::base::ResultCode. Paths and password are UTF-8; the password (may be
/// empty) is tried as the user and as the owner password. One conversion runs at a time
/// in a process: a Start call while another runs returns Busy (60) at once.
///
/// With options.ocrEnabled, the pages without a text layer are recognised and their text
/// feeds the output; when that needs the model and it is not loaded, or recognition fails,
/// the result is OcrFailed (41). A page that no language data of the model reads with
/// confidence (its script unclear, or the scan too poor) gives OcrUnreadable (42) rather
/// than text in look-alike letters.
///
/// The output file appears only when the conversion succeeds and replaces a file of the
/// same name; on failure or cancel nothing of it remains. The files of a folder output
/// never replace anything: a name already taken in the folder gets a counter before its
/// suffix ("_1", "_2" ...), and a failure removes only what the conversion created. Each
/// conversion runs in a helper process, so a damaged file cannot take the caller down.
class PDFCONV_EXPORT PdfConversion
{
public:
    PdfConversion() = delete;

    /// A Word document: paragraphs with their sizes and styles, tables found on the pages as
    /// Word tables. options.wordLayout 1 lets the text flow, 0 keeps every page on a page of
    /// its own with its line breaks. A page without text is kept as its picture, or as its
    /// recognised text when options.ocrEnabled is set.
    static int StartPDFToWord(char const* input, char const* password, char const* output,
                              base::ConvertOptions const& options, ProgressCallback progress);
    /// The tables of the pages as an Excel workbook, numbers as numbers: one sheet per table
    /// (options.excelSheetPerTable) or per page; with options.excelAllContent the text around
    /// the tables too, otherwise tables only and NoTables (40) when there are none. With
    /// options.csvOutput, one CSV file per sheet into the folder @p output (created if
    /// missing), named "<input base name>.csv" or "<input base name>_1.csv" and so on, the
    /// base name shortened where the file system's name limit needs it.
    static int StartPDFToExcel(char const* input, char const* password, char const* output,
                               base::ConvertOptions const& options, ProgressCallback progress);
    /// A PowerPoint presentation, a slide per page of the page's shape: the text in editable
    /// text boxes where it stands, what is not text as a picture behind it.
    static int StartPDFToPpt(char const* input, char const* password, char const* output,
                             base::ConvertOptions const& options, ProgressCallback progress);
    /// One self-contained HTML5 file, one section per page.
    static int StartPDFToHtml(char const* input, char const* password, char const* output,
                              base::ConvertOptions const& options, ProgressCallback progress);
    /// UTF-8 text in reading order; pages separated by a form feed.
    static int StartPDFToTxt(char const* input, char const* password, char const* output,
                             base::ConvertOptions const& options, ProgressCallback progress);
    /// An RTF document with the paragraphs, font sizes and page breaks of the PDF.
    static int StartPDFToRtf(char const* input, char const* password, char const* output,
                             base::ConvertOptions const& options, ProgressCallback progress);
    /// One image per page into the folder @p output (created if missing), named
    /// "<input base name>_001.<suffix>" and so on, at imageScale x 150 dpi; the base name is
    /// shortened where the file system's name limit needs it.
    static int StartPDFToImage(char const* input, char const* password, char const* output,
                               base::ConvertOptions const& options, ProgressCallback progress);
    /// The PDF with every page kept as it is and an invisible, selectable text layer over the
    /// pages that have no text, recognised with the model (LibraryManager::SetDocumentAIModel)
    /// in the language set with SetOCRLanguage. OcrFailed (41) when a page needs recognition
    /// and the model is not loaded or recognition fails.
    static int StartPDFToSearchablePdf(char const* input, char const* password, char const* output,
                                       base::ConvertOptions const& options, ProgressCallback progress);

    /// Stops the running conversion, from any thread: its Start call removes what it wrote
    /// and returns Cancelled (1). Without a running conversion it does nothing.
    static void Cancel();
};

} // namespace conversion
} // namespace pdfconv

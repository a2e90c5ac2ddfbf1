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
/// The output file appears only when the conversion succeeds and replaces a file of the
/// same name; on failure or cancel nothing of it remains. Each conversion runs in a helper
/// process, so a damaged file cannot take the caller down.
class PDFCONV_EXPORT PdfConversion
{
public:
    PdfConversion() = delete;

    static int StartPDFToWord(char const* input, char const* password, char const* output,
                              base::ConvertOptions const& options, ProgressCallback progress);
    static int StartPDFToExcel(char const* input, char const* password, char const* output,
                               base::ConvertOptions const& options, ProgressCallback progress);
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
    /// "<input base name>_001.<suffix>" and so on, at imageScale x 150 dpi.
    static int StartPDFToImage(char const* input, char const* password, char const* output,
                               base::ConvertOptions const& options, ProgressCallback progress);
    static int StartPDFToSearchablePdf(char const* input, char const* password, char const* output,
                                       base::ConvertOptions const& options, ProgressCallback progress);

    /// Stops the running conversion, from any thread: its Start call removes what it wrote
    /// and returns Cancelled (1). Without a running conversion it does nothing.
    static void Cancel();
};

} // namespace conversion
} // namespace pdfconv

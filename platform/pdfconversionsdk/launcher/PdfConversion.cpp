#include <pdfconv/conversion/PdfConversion.h>

#include "ConversionRunner.h"

namespace pdfconv {
namespace conversion {

using engine::Target;

int PdfConversion::StartPDFToWord(char const* input, char const* password, char const* output,
                                  base::ConvertOptions const& options, ProgressCallback progress)
{
    return ConversionRunner::run(Target::Word, input, password, output, options, progress);
}

int PdfConversion::StartPDFToExcel(char const* input, char const* password, char const* output,
                                   base::ConvertOptions const& options, ProgressCallback progress)
{
    return ConversionRunner::run(Target::Excel, input, password, output, options, progress);
}

int PdfConversion::StartPDFToPpt(char const* input, char const* password, char const* output,
                                 base::ConvertOptions const& options, ProgressCallback progress)
{
    return ConversionRunner::run(Target::Ppt, input, password, output, options, progress);
}

int PdfConversion::StartPDFToHtml(char const* input, char const* password, char const* output,
                                  base::ConvertOptions const& options, ProgressCallback progress)
{
    return ConversionRunner::run(Target::Html, input, password, output, options, progress);
}

int PdfConversion::StartPDFToTxt(char const* input, char const* password, char const* output,
                                 base::ConvertOptions const& options, ProgressCallback progress)
{
    return ConversionRunner::run(Target::Text, input, password, output, options, progress);
}

int PdfConversion::StartPDFToRtf(char const* input, char const* password, char const* output,
                                 base::ConvertOptions const& options, ProgressCallback progress)
{
    return ConversionRunner::run(Target::Rtf, input, password, output, options, progress);
}

int PdfConversion::StartPDFToImage(char const* input, char const* password, char const* output,
                                   base::ConvertOptions const& options, ProgressCallback progress)
{
    return ConversionRunner::run(Target::Image, input, password, output, options, progress);
}

int PdfConversion::StartPDFToSearchablePdf(char const* input, char const* password, char const* output,
                                           base::ConvertOptions const& options, ProgressCallback progress)
{
    return ConversionRunner::run(Target::SearchablePdf, input, password, output, options, progress);
}

void PdfConversion::Cancel()
{
    ConversionRunner::cancel();
}

} // namespace conversion
} // namespace pdfconv

#pragma once

#include "engine/Job.h"

#include <pdfconv/conversion/PdfConversion.h>

namespace pdfconv {

// Runs one conversion in the helper process: claims the process-wide slot (one conversion
// at a time), stages the output next to its destination, moves it into place on success
// and removes it on failure or cancel.
class ConversionRunner
{
public:
    static int run(engine::Target target, char const* input, char const* password, char const* output,
                   base::ConvertOptions const& options, conversion::ProgressCallback progress);
    static void cancel();
};

} // namespace pdfconv

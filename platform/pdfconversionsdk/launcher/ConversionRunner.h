#pragma once

#include "engine/Job.h"

#include <pdfconv/conversion/PdfConversion.h>

#include <QString>

namespace pdfconv {

// Runs one conversion in the helper process: claims the process-wide slot (one conversion
// at a time), stages the output next to its destination (OutputStaging), moves it into place
// on success and removes the staging on every end.
class ConversionRunner
{
public:
    static int run(engine::Target target, char const* input, char const* password, char const* output,
                   base::ConvertOptions const& options, conversion::ProgressCallback progress);
    static void cancel();

    // Loads the text-recognition model folder in the helper and, when it holds usable data,
    // keeps it for the conversions that follow. Returns a ResultCode.
    static int loadModel(QString const& folder);
    // The language of the next recognitions, a pdfconv::base::OCRLanguage.
    static void setOcrLanguage(int language);

    // The memory one conversion's helper may take, in bytes (LibraryManager::MemoryLimit).
    static qint64 memoryLimit();
    // LibraryManager::SetLimitsForTesting.
    static void setLimits(qint64 memoryBytes, int stallSeconds, int pageSeconds);
};

} // namespace pdfconv

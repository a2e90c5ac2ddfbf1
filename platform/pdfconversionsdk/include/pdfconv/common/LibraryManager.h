#pragma once

#include <pdfconv/base/ConvertOptions.h>
#include <pdfconv/base/Export.h>

namespace pdfconv {
namespace common {

/// Process-wide set-up of the conversion library. All operations are static and may be
/// called before or between conversions, not during one.
class PDFCONV_EXPORT LibraryManager
{
public:
    LibraryManager() = delete;

    /// Where the library's messages go. @p enabled sends failures and their causes to Qt's
    /// message handler as warnings; @p verbose adds the PDF library's own messages and
    /// timings as debug messages. Before the first call failures are logged, details not.
    static void SetLogger(bool enabled, bool verbose);

    /// Remembers the folder of the library's resources (UTF-8). Returns 0, or
    /// ResultCode::FileNotFound when the folder does not exist; conversions that need no
    /// resource work either way.
    static int Initialize(char const* resourceFolder);

    /// Loads the document AI model for text recognition: a folder (UTF-8 path) of language
    /// data, one "<code>.traineddata" file per language. Returns 0 when it holds usable data,
    /// which stays loaded for the rest of the process, FileNotFound when it is missing,
    /// OcrFailed when it cannot be used (an earlier model then stays loaded). @p language
    /// is not used: the language of each recognition is set with SetOCRLanguage.
    static int SetDocumentAIModel(char const* modelFile, base::OCRLanguage language);

    /// Language of the next conversions with text recognition: 1 Chinese (Simplified),
    /// 2 Chinese (Traditional), 3 English (the default), 4 Korean, 5 Japanese, 6 the other
    /// languages (each page read with the data of its script), 8 the same as 6, 9 to 47 and
    /// 50 to 59 one of the languages of 6 by name (OCRLanguage). Returns 0 for a known
    /// language; an unknown value leaves the language unchanged and returns OcrFailed.
    static int SetOCRLanguage(base::OCRLanguage language);

    /// The most memory one conversion may take, in bytes: half of the machine's memory, at
    /// least 2 GiB and at most 16 GiB. A conversion that needs more is stopped and returns
    /// ResultCode::MemoryLimit; one that stops doing pages for minutes, or takes far longer
    /// than its pages can need, is stopped and returns ResultCode::TimeLimit.
    static long long MemoryLimit();

    /// Test seam: the memory limit in bytes, the seconds a conversion may go without doing a
    /// page and the seconds it may take per page; 0 restores a default.
    static void SetLimitsForTesting(long long memoryBytes, int stallSeconds, int pageSeconds);
};

} // namespace common
} // namespace pdfconv

#pragma once

#include <pdfconv/base/ConvertOptions.h>

#include <QString>

#include <string>

namespace pdfconv {
namespace engine {

enum class Target : int
{
    Word = 1,
    Excel,
    Ppt,
    Html,
    Text,
    Rtf,
    Image,
    SearchablePdf,
    // Not a conversion: loads the text-recognition model folder named as the input and
    // reports the languages that load.
    ModelCheck
};

// One conversion as the helper process runs it. The output goes to a staging path that the
// library moves into place once the conversion succeeded.
struct Job
{
    Target target = Target::Text;
    QString input;
    std::string password;
    QString staging;  // a file for documents, a folder for page images
    QString baseName; // page images are named <baseName>_001.<suffix> ...
    base::ConvertOptions options;
    int threads = 0; // pages handled at once; 0 picks one per core
    // Text recognition: the model folder the library loaded (empty: none) and the language
    // number of the next recognition (pdfconv::base::OCRLanguage).
    QString modelFolder;
    int ocrLanguage = 3;
    // Count each page's words before its layout is read, and read a page of very many
    // words plainly (PdfDocument::readLayout). Without it, a page whose text takes longer
    // than kReadingBudgetMs to read is reported to the sink (JobSink::readingTooLong).
    bool carefulText = false;
};

// How long the text of one page may take to read before the conversion is better run again
// with carefulText: far beyond what any ordinary page needs.
constexpr int kReadingBudgetMs = 5000;

// Page images are rendered at this resolution times the options' image scale: sharp on a
// common screen at 100 % zoom while a page stays a few megabytes in memory.
constexpr double kBaseImageDpi = 150.0;

class JobSink;

// Runs the job in this process and returns a pdfconv::base::ResultCode.
int runJob(Job const& job, JobSink& sink);

} // namespace engine
} // namespace pdfconv

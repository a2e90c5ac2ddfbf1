#pragma once

#include "Job.h"

namespace poppler {
class document;
}

namespace pdfconv {
namespace engine {

class JobSink;

// Renders every page to an image file in the staging folder, on several threads, each
// with a document handle of its own: poppler documents are not shared between threads.
class PageImageRenderer
{
public:
    // @p first is the document already open on this thread.
    static int run(Job const& job, poppler::document const& first, int pageCount, JobSink& sink);

    static QString suffix(int imageType);
    // "<base>_007.png": at least three digits, more when the page count needs them.
    static QString fileName(QString const& base, int page, int pageCount, int imageType);
};

} // namespace engine
} // namespace pdfconv

#pragma once

#include "Job.h"
#include "layout/PageLayout.h"

#include <ocr/OcrStatus.h>
#include <ocr/PdfRecognizer.h>
#include <ocr/RecognizedPage.h>

#include <QVector>

namespace poppler {
class document;
}

namespace pdfconv {
namespace engine {

class JobSink;

// Text recognition for the conversions, over the recognition layer: one engine per thread,
// the model folder that the library loaded, the language the caller chose. What needs the
// engines runs in the recognition module, loaded on first use.
class Recognition
{
public:
    // Recognises the given pages (0-based), or every page without text when @p pages is
    // empty; @p outcomes gets one entry per page of the document.
    static int recognize(Job const& job, QVector<int> const& pages,
                         QVector<docquill::ocr::PageOutcome>& outcomes, JobSink& sink);
    // True when a page of the document has no text to read.
    static bool anyPageWithoutText(poppler::document const& doc, int pageCount);
    // The words of a recognised page as the layout model holds them.
    static QVector<layout::Word> words(docquill::ocr::RecognizedPage const& page);

    // The searchable PDF: every page kept, recognised text laid invisibly over the pages that
    // have none.
    static int searchablePdf(Job const& job, poppler::document const& doc, int pageCount, JobSink& sink);
    // The model check: reports each language that loads as a file, 0 when any does.
    static int checkModel(Job const& job, JobSink& sink);

    static int code(docquill::ocr::Status status);
};

} // namespace engine
} // namespace pdfconv

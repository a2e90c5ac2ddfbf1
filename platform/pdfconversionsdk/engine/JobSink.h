#pragma once

#include <QString>

namespace pdfconv {
namespace engine {

// Receives what a running conversion reports. Page-image conversions call it from several
// threads at once; implementations serialise.
class JobSink
{
public:
    virtual ~JobSink() = default;
    // A message for the log; details are shown only when the caller asked for them.
    virtual void log(bool detail, QString const& text) = 0;
    // The document opened and has this many pages; a crash from now on is a page's fault.
    virtual void opened(int pageCount) = 0;
    virtual void pageDone(int done, int total) = 0;
    // An output file (a page image) was completed, named relative to the staging folder.
    virtual void fileWritten(QString const& name) = 0;
    // Reading the text of @p page has taken longer than kReadingBudgetMs (Job::carefulText);
    // the conversion goes on unless the caller stops it. From the watching thread.
    virtual void readingTooLong(int page) { Q_UNUSED(page) }
    // A page was read, recognised or drawn in some pass: the conversion is not stuck. From
    // any thread; cheap enough to call for every page.
    virtual void pageRead(int page) { Q_UNUSED(page) }
};

} // namespace engine
} // namespace pdfconv

#pragma once

#include "layout/PageLayout.h"

#include <QRectF>
#include <QString>

#include <memory>
#include <string>

namespace poppler {
class document;
class page;
} // namespace poppler

namespace pdfconv {
namespace engine {

class JobSink;
class PageStyles;

// Opening a PDF with poppler and reading its pages into the layout model. poppler is
// never asked about pages of a document that is still locked: it crashes there.
class PdfDocument
{
public:
    struct Opened
    {
        std::unique_ptr<poppler::document> document;
        int code = 0; // a pdfconv::base::ResultCode
        QString reason;
        int pageCount = 0;
        std::string password; // the form of the password that opened the document
    };

    // The password is tried as the owner and as the user password, in each of its forms
    // (docquill::ocr::PdfPassword).
    static Opened open(QString const& path, std::string const& password);

    // Routes poppler's own messages to @p sink (or nowhere with nullptr) instead of the
    // standard error stream, at most a few hundred per conversion.
    static void routeMessages(JobSink* sink);
    // Tells the sink set there that @p page was read in some pass (JobSink::pageRead).
    static void pageRead(int page);

    // The page's size as it is shown (its rotation applied), in points.
    static QSizeF pageSize(poppler::page const& page);
    // @p lamAlefGlyphs: where the page paints glyphs of a lam and an alef together
    // (PageGraphics), which tells them from the two letters drawn one by one; without them
    // only a glyph split into two equal halves counts as such.
    static QVector<layout::Word> readWords(poppler::page const& page,
                                           QVector<QRectF> const* lamAlefGlyphs = nullptr);

    // Pages with more words than this get their text in the order the PDF draws it: finding
    // lines among that many words can keep the PDF library busy for minutes.
    static constexpr int kMaxLayoutWords = 6000;
    // The page read into the layout model, with the tables found among the page's rulings
    // when @p tables is set (layout::LayoutAnalyzer), and the look of words and tables
    // taken from @p styles when given. With @p careful, the words are first counted
    // in a quick reading in drawing order, and a page beyond kMaxLayoutWords is laid out
    // from that reading alone; otherwise the reading is timed for longestReading().
    static layout::PageLayout readLayout(poppler::page const& page, int pageIndex, bool careful, bool tables,
                                         QVector<QLineF> const& rulings = {}, PageStyles* styles = nullptr,
                                         QVector<layout::Rule> const& rulingStyles = {},
                                         QVector<QRectF> const* lamAlefGlyphs = nullptr);
    // The page whose reading without care has run longest so far, with its time in
    // @p elapsedMs; -1 when no such reading runs.
    static int longestReading(qint64* elapsedMs);
};

} // namespace engine
} // namespace pdfconv

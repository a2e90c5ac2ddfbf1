#pragma once

#include <QString>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class QPDFObjectHandle;

namespace pdfconv {
namespace engine {

class JobSink;

// How much drawing a page asks of a reader, counted before any reader draws it: the
// operators of its content and of every form, tiling pattern, glyph procedure and annotation
// appearance it draws, each as often as it is drawn, how deep its saved graphics states nest
// and how large its content streams decode. The PDF library has no bound of its own on any
// of these: a few kilobytes of forms that draw each other twice keep it busy for hours.
class PageWork
{
public:
    struct Count
    {
        long long operators = 0;
        long long formDraws = 0;
        long long saveDepth = 0;
        long long contentBytes = 0; // decoded, of every stream read once
    };

    enum class Verdict
    {
        Fine,
        TooLong,  // more drawing than any reader gets through in reasonable time
        TooLarge, // states or streams that would take a reader's memory
    };

    // Far beyond the busiest real page (a detailed map, a plan of a building), which comes
    // to a few million operators and a few thousand forms.
    static constexpr long long kMaxOperators = 20'000'000;
    static constexpr long long kMaxFormDraws = 200'000;
    static constexpr long long kMaxSaveDepth = 20'000;
    static constexpr long long kMaxContentBytes = 256LL << 20;

    PageWork();
    ~PageWork();
    PageWork(PageWork const&) = delete;
    PageWork& operator=(PageWork const&) = delete;

    // The work of one page object; counting stops early once a limit is passed.
    Count count(QPDFObjectHandle page);
    // Whether the page last counted holds in its own contents a stroke the PDF library draws
    // only in pieces (PathSplitter), and the streams it draws that hold one so far, as
    // (object, generation).
    bool longStrokes() const;
    std::vector<std::pair<int, int>> longStrokeStreams() const;
    static Verdict judge(Count const& count);

    // The first page of the file beyond a limit, with what it asks; page -1 when every page
    // is within them (or the file cannot be read here, which its readers then report).
    struct Finding
    {
        int page = -1;
        Verdict verdict = Verdict::Fine;
        Count count;
        // Pages, and streams they draw, with strokes the PDF library draws only in pieces.
        std::vector<int> longStrokePages;
        std::vector<std::pair<int, int>> longStrokeStreams;
        QString describe() const;
    };
    // @p sink, when given, hears of every page counted (JobSink::pageRead).
    static Finding check(QString const& path, std::string const& password, JobSink* sink = nullptr);

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace engine
} // namespace pdfconv

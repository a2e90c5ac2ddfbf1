#include "PageWork.h"

#include "ContentParser.h"
#include "FileSource.h"
#include "JobSink.h"
#include "PathSplitter.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

namespace pdfconv {
namespace engine {

namespace {

// Deeper than the PDF library follows forms into forms.
constexpr int kMaxDepth = 100;
constexpr long long kMaxAnnotations = 100'000;

long long plus(long long a, long long b)
{
    return a > LLONG_MAX - b ? LLONG_MAX : a + b;
}

long long times(long long a, long long b)
{
    long long out = 0;
    return __builtin_mul_overflow(a, b, &out) ? LLONG_MAX : out;
}

// Collects a decoded stream up to a limit; beyond it the reading stops.
class BoundedPipeline : public Pipeline
{
public:
    struct Full : std::runtime_error
    {
        Full() : std::runtime_error("content beyond its limit") {}
    };

    BoundedPipeline(std::string& out, long long limit) : Pipeline("work", nullptr), m_out(out), m_limit(limit)
    {
    }
    void write(unsigned char const* data, size_t length) override
    {
        if (static_cast<long long>(m_out.size() + length) > m_limit)
            throw Full();
        m_out.append(reinterpret_cast<char const*>(data), length);
    }
    void finish() override {}

private:
    std::string& m_out;
    long long m_limit;
};

std::string nameOf(QPDFObjectHandle object)
{
    return object.isName() ? object.getName() : std::string();
}

QPDFObjectHandle entry(QPDFObjectHandle resources, char const* kind, std::string const& name)
{
    if (!resources.isDictionary())
        return QPDFObjectHandle::newNull();
    QPDFObjectHandle group = resources.getKey(kind);
    return group.isDictionary() ? group.getKey(name) : QPDFObjectHandle::newNull();
}

} // namespace

struct PageWork::State
{
    double pageArea = 0;   // square points
    long long decoded = 0; // bytes of the streams read for the page so far
    bool over = false;     // a limit is passed: counting stops
    // What each stream costs when drawn once, by the stream and the resources it inherits.
    std::map<std::pair<QPDFObjGen, QPDFObjGen>, Count> known;
    std::set<QPDFObjGen> drawing; // a stream that draws itself is not drawn again
    std::set<QPDFObjGen> type3Fonts;
    bool pageLongStrokes = false;
    std::set<QPDFObjGen> longStrokeStreams;

    static bool beyond(Count const& c)
    {
        return c.operators > kMaxOperators || c.formDraws > kMaxFormDraws || c.saveDepth > kMaxSaveDepth;
    }

    // Adds drawing @p child @p count times at save depth @p saves to @p cost.
    static void add(Count& cost, Count const& child, long long count, long long saves)
    {
        cost.operators = plus(cost.operators, times(child.operators, count));
        cost.formDraws = plus(cost.formDraws, times(plus(child.formDraws, 1), count));
        cost.saveDepth = std::max(cost.saveDepth, plus(saves + 1, child.saveDepth));
    }

    // The decoded stream, or nothing once the page's streams pass their limit.
    std::string decode(QPDFObjectHandle stream, bool pageContents)
    {
        std::string data;
        try {
            BoundedPipeline pipe(data, std::max(0LL, kMaxContentBytes - decoded));
            if (pageContents)
                QPDFPageObjectHelper(stream).pipeContents(&pipe);
            else
                stream.pipeStreamData(&pipe, 0, qpdf_dl_generalized);
        } catch (BoundedPipeline::Full const&) {
            decoded = kMaxContentBytes + 1;
            over = true;
            return {};
        } catch (std::exception const&) {
            // What could be decoded is what a reader draws.
        }
        decoded = plus(decoded, static_cast<long long>(data.size()));
        return data;
    }

    // The cost of drawing @p stream once, with its own resources, else @p outer.
    Count streamCost(QPDFObjectHandle stream, QPDFObjectHandle outer, int depth)
    {
        if (!stream.isStream() || depth > kMaxDepth || over)
            return {};
        QPDFObjectHandle own = stream.getDict().getKey("/Resources");
        QPDFObjectHandle resources = own.isDictionary() ? own : outer;
        std::pair<QPDFObjGen, QPDFObjGen> const key{stream.getObjGen(),
                                                    own.isDictionary() ? QPDFObjGen() : outer.getObjGen()};
        auto const found = known.find(key);
        if (found != known.end())
            return found->second;
        if (!drawing.insert(stream.getObjGen()).second)
            return {};
        std::string const data = decode(stream, false);
        bool longStrokes = false;
        Count const cost = over ? Count() : contentCost(data, resources, depth, longStrokes);
        if (longStrokes)
            longStrokeStreams.insert(stream.getObjGen());
        drawing.erase(stream.getObjGen());
        known[key] = cost;
        return cost;
    }

    // How many cells of a tiling pattern fill the page at most.
    long long tiles(QPDFObjectHandle dict) const
    {
        double const x = dict.getKey("/XStep").isNumber() ? dict.getKey("/XStep").getNumericValue() : 0;
        double const y = dict.getKey("/YStep").isNumber() ? dict.getKey("/YStep").getNumericValue() : 0;
        double scale = 1;
        QPDFObjectHandle matrix = dict.getKey("/Matrix");
        if (matrix.isMatrix()) {
            QPDFObjectHandle::Matrix const m = matrix.getArrayAsMatrix();
            scale = std::abs(m.a * m.d - m.b * m.c);
        }
        double const cell = std::abs(x * y) * scale;
        if (!std::isfinite(cell) || cell <= 0)
            return 1;
        double const count = std::ceil(pageArea / cell);
        return count >= 1e15 ? LLONG_MAX : std::max(1LL, static_cast<long long>(count));
    }

    Count contentCost(std::string const& data, QPDFObjectHandle resources, int depth, bool& longStrokes)
    {
        Count cost;
        ContentParser parser(data.data(), data.data() + data.size(), false);
        PathSplitter strokes(depth == 0); // a page's own contents start undashed
        std::vector<Operand> operands;
        std::string op;
        long long saves = 0;
        while (!over && parser.next(operands, op)) {
            cost.operators = plus(cost.operators, 1);
            strokes.add(op, operands, parser.offset());
            // Most operators are none of these: their first letters tell.
            char const first = op.size() <= 3 ? op[0] : '\0';
            if (first == 'q' && op.size() == 1) {
                cost.saveDepth = std::max(cost.saveDepth, ++saves);
            } else if (first == 'Q' && op.size() == 1) {
                saves = std::max(0LL, saves - 1);
            } else if (first == 'D' && op == "Do" && !operands.empty() && operands.back().isName()) {
                QPDFObjectHandle xobject = entry(resources, "/XObject", operands.back().text);
                if (xobject.isStream() && nameOf(xobject.getDict().getKey("/Subtype")) == "/Form")
                    add(cost, streamCost(xobject, resources, depth + 1), 1, saves);
            } else if ((first == 's' || first == 'S') && (op == "scn" || op == "SCN") && !operands.empty() &&
                       operands.back().isName()) {
                QPDFObjectHandle pattern = entry(resources, "/Pattern", operands.back().text);
                QPDFObjectHandle type = pattern.isStream() ? pattern.getDict().getKey("/PatternType")
                                                           : QPDFObjectHandle::newNull();
                if (type.isInteger() && type.getIntValue() == 1) {
                    Count cell = streamCost(pattern, resources, depth + 1);
                    cell.operators = plus(cell.operators, 1); // every cell costs, even an empty one
                    add(cost, cell, tiles(pattern.getDict()), saves);
                }
            } else if (first == 'T' && op == "Tf" && !operands.empty() && operands.front().isName()) {
                // The glyph procedures of a Type 3 font are drawn once a glyph, and kept.
                QPDFObjectHandle font = entry(resources, "/Font", operands.front().text);
                if (font.isDictionary() && nameOf(font.getKey("/Subtype")) == "/Type3" &&
                    type3Fonts.insert(font.getObjGen()).second) {
                    QPDFObjectHandle procs = font.getKey("/CharProcs");
                    QPDFObjectHandle own = font.getKey("/Resources");
                    if (procs.isDictionary())
                        for (auto const& glyph : procs.ditems())
                            add(cost,
                                streamCost(glyph.second, own.isDictionary() ? own : resources, depth + 1), 1,
                                saves);
                }
            }
            over = over || beyond(cost);
        }
        longStrokes = !strokes.cuts().empty();
        return cost;
    }
};

PageWork::PageWork() : d(std::make_unique<State>()) {}
PageWork::~PageWork() = default;

PageWork::Count PageWork::count(QPDFObjectHandle page)
{
    d->decoded = 0;
    d->over = false;
    d->known.clear();
    d->type3Fonts.clear();
    QPDFPageObjectHelper helper(page);
    d->pageArea = 0;
    QPDFObjectHandle box = helper.getMediaBox();
    if (box.isRectangle()) {
        QPDFObjectHandle::Rectangle const r = box.getArrayAsRectangle();
        d->pageArea = std::abs((r.urx - r.llx) * (r.ury - r.lly));
    }
    if (!std::isfinite(d->pageArea) || d->pageArea > 1e12)
        d->pageArea = 1e12;
    QPDFObjectHandle const resources = helper.getAttribute("/Resources", false);
    std::string const data = d->decode(page, true);
    d->pageLongStrokes = false;
    Count cost = d->over ? Count() : d->contentCost(data, resources, 0, d->pageLongStrokes);
    // Every annotation with an appearance is drawn over the page once.
    QPDFObjectHandle annotations = page.getKey("/Annots");
    if (annotations.isArray()) {
        int const n = int(std::min<long long>(annotations.getArrayNItems(), kMaxAnnotations));
        for (int i = 0; i < n && !d->over; ++i) {
            QPDFObjectHandle annotation = annotations.getArrayItem(i);
            QPDFObjectHandle appearance =
                annotation.isDictionary() ? annotation.getKey("/AP") : QPDFObjectHandle::newNull();
            QPDFObjectHandle normal = appearance.isDictionary() ? appearance.getKey("/N") : appearance;
            if (normal.isDictionary())
                normal = normal.getKey(nameOf(annotation.getKey("/AS")));
            if (normal.isStream()) {
                State::add(cost, d->streamCost(normal, resources, 1), 1, 0);
                d->over = d->over || State::beyond(cost);
            }
        }
    }
    cost.contentBytes = d->decoded;
    d->known.clear();
    return cost;
}

bool PageWork::longStrokes() const
{
    return d->pageLongStrokes;
}

std::vector<std::pair<int, int>> PageWork::longStrokeStreams() const
{
    std::vector<std::pair<int, int>> out;
    for (QPDFObjGen const& id : d->longStrokeStreams)
        out.emplace_back(id.getObj(), id.getGen());
    return out;
}

PageWork::Verdict PageWork::judge(Count const& count)
{
    if (count.saveDepth > kMaxSaveDepth || count.contentBytes > kMaxContentBytes)
        return Verdict::TooLarge;
    if (count.operators > kMaxOperators || count.formDraws > kMaxFormDraws)
        return Verdict::TooLong;
    return Verdict::Fine;
}

QString PageWork::Finding::describe() const
{
    return QStringLiteral("page %1 draws %2 operators, %3 forms, states saved %4 deep, %5 bytes of content")
        .arg(page + 1)
        .arg(count.operators)
        .arg(count.formDraws)
        .arg(count.saveDepth)
        .arg(count.contentBytes);
}

PageWork::Finding PageWork::check(QString const& path, std::string const& password, JobSink* sink)
{
    // Pages are counted on several threads, each with a reading of the file of its own (qpdf
    // documents are not shared between threads); the first page beyond a limit is the finding.
    std::atomic<int> next{0};
    std::atomic<int> firstOver{INT_MAX};
    std::mutex mutex;
    Finding finding;
    auto const countPages = [&](std::vector<QPDFPageObjectHelper> const& pages) {
        PageWork counter;
        for (int i = next++; i < int(pages.size()) && i < firstOver; i = next++) {
            Count count;
            try {
                count = counter.count(pages[size_t(i)].getObjectHandle());
            } catch (std::exception const&) {
                continue; // what cannot be read here is the PDF library's to judge
            }
            if (sink)
                sink->pageRead(i);
            Verdict const verdict = judge(count);
            if (verdict == Verdict::Fine && !counter.longStrokes())
                continue;
            std::lock_guard<std::mutex> lock(mutex);
            if (counter.longStrokes())
                finding.longStrokePages.push_back(i);
            if (verdict != Verdict::Fine && i < firstOver) {
                firstOver = i;
                finding.page = i;
                finding.verdict = verdict;
                finding.count = count;
            }
        }
        std::lock_guard<std::mutex> lock(mutex);
        auto const streams = counter.longStrokeStreams();
        finding.longStrokeStreams.insert(finding.longStrokeStreams.end(), streams.begin(), streams.end());
    };
    auto const open = [&](QPDF& pdf) {
        pdf.setSuppressWarnings(true);
        pdf.processInputSource(std::make_shared<FileSource>(path), password.c_str());
        return QPDFPageDocumentHelper(pdf).getAllPages();
    };
    std::vector<std::thread> helpers;
    try {
        QPDF pdf;
        std::vector<QPDFPageObjectHelper> const pages = open(pdf);
        // A short document is counted sooner than helpers would read it again.
        int const threads = int(
            std::min<size_t>({8, std::max(1U, std::thread::hardware_concurrency()), 1 + pages.size() / 64}));
        for (int t = 1; t < threads; ++t) {
            try {
                helpers.emplace_back([&] {
                    try {
                        QPDF own;
                        countPages(open(own));
                    } catch (std::exception const&) {
                    }
                });
            } catch (std::exception const&) {
                break;
            }
        }
        countPages(pages);
    } catch (std::exception const&) {
        // Not readable with qpdf: the PDF library's own reading decides.
    }
    for (auto& helper : helpers)
        helper.join();
    auto& streams = finding.longStrokeStreams; // each thread found those of its pages
    std::sort(streams.begin(), streams.end());
    streams.erase(std::unique(streams.begin(), streams.end()), streams.end());
    return finding;
}

} // namespace engine
} // namespace pdfconv

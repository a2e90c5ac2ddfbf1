#include "Job.h"

#include "DocumentWriter.h"
#include "JobSink.h"
#include "PageImageRenderer.h"
#include "PageWork.h"
#include "PathSplitter.h"
#include "PdfDocument.h"
#include "Recognition.h"
#include "layout/LayoutAnalyzer.h"
#include "office/OfficeJob.h"

#include <pdfconv/base/ResultCode.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <poppler-document.h>
#include <poppler-page.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace pdfconv {
namespace engine {

namespace {

std::unique_ptr<DocumentWriter> makeWriter(Target target)
{
    switch (target) {
    case Target::Text:
        return std::make_unique<TextWriter>();
    case Target::Rtf:
        return std::make_unique<RtfWriter>();
    case Target::Html:
        return std::make_unique<HtmlWriter>();
    default:
        return nullptr;
    }
}

int writeDocument(Job const& job, poppler::document const& doc, int pageCount, JobSink& sink)
{
    std::unique_ptr<DocumentWriter> writer = makeWriter(job.target);
    if (!writer->open(job.staging)) {
        sink.log(false, QStringLiteral("cannot write the output: ") + writer->errorString());
        return base::OutputError;
    }
    poppler::ustring const docTitle = doc.get_title();
    QString title =
        QString::fromUtf16(reinterpret_cast<char16_t const*>(docTitle.data()), int(docTitle.size()))
            .trimmed();
    if (title.isEmpty())
        title = job.baseName;

    // Pages without text are recognised first, as for the office outputs; their words then
    // take the place of the empty text layer.
    QVector<docquill::ocr::PageOutcome> recognized;
    // Without the model a document with text on every page still converts, as it needs none.
    if (job.options.ocrEnabled &&
        (!job.modelFolder.isEmpty() || Recognition::anyPageWithoutText(doc, pageCount))) {
        int const code = Recognition::recognize(job, {}, recognized, sink);
        if (code != base::Success)
            return code;
    }

    // Pages are read and analysed on several threads, each with a document handle of its
    // own, and written in order; a window keeps memory to a few pages.
    int threads = job.threads > 0 ? job.threads : int(std::thread::hardware_concurrency());
    threads = std::max(1, std::min({threads, pageCount, 8}));
    int const window = 2 * threads;
    struct Result
    {
        int code = base::Success;
        layout::PageLayout layout;
    };
    std::mutex mutex;
    std::condition_variable changed;
    std::map<int, Result> results;
    int claimed = 0, written = 0;
    bool stop = false;

    auto work = [&](poppler::document const* shared, int limit) {
        PdfDocument::Opened own;
        poppler::document const* doc = shared;
        for (int taken = 0; taken < limit; ++taken) {
            int index = 0;
            {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock, [&] { return stop || claimed < written + window; });
                if (stop || claimed >= pageCount)
                    return;
                index = claimed++;
            }
            Result result;
            try {
                if (!doc) {
                    own = PdfDocument::open(job.input, job.password);
                    doc = own.document.get();
                }
                std::unique_ptr<poppler::page> page(doc ? doc->create_page(index) : nullptr);
                if (!doc) {
                    result.code = own.code;
                } else if (!page) {
                    sink.log(false, QStringLiteral("page %1 cannot be read").arg(index + 1));
                    result.code = base::PageError;
                } else {
                    result.layout = PdfDocument::readLayout(*page, index, job.carefulText, false);
                    if (index < recognized.size() &&
                        recognized.at(index).kind == docquill::ocr::PageOutcome::Recognized) {
                        result.layout = layout::LayoutAnalyzer::analyze(
                            Recognition::words(recognized.at(index).page), result.layout.size, index);
                    }
                }
            } catch (std::bad_alloc const&) {
                result.code = base::OutOfMemory;
            } catch (std::exception const&) {
                result.code = base::PageError;
            }
            std::lock_guard<std::mutex> lock(mutex);
            results[index] = std::move(result);
            changed.notify_all();
        }
    };
    // poppler sets up some shared state (colour profiles) on first use without a lock: the
    // first page is read alone before the threads start.
    work(&doc, 1);
    std::vector<std::thread> pool;
    pool.emplace_back(work, &doc, pageCount);
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work, nullptr, pageCount);

    int code = base::Success;
    bool readable = false;
    layout::BodySizeTracker bodySize;
    for (int i = 0; i < pageCount && code == base::Success; ++i) {
        Result result;
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [&] { return results.count(i) > 0; });
            result = std::move(results[i]);
            results.erase(i);
            written = i + 1;
            changed.notify_all();
        }
        code = result.code;
        if (code != base::Success)
            break;
        readable = readable || result.layout.hasReadableText();
        bodySize.add(result.layout);
        layout::LayoutAnalyzer::markHeadings(result.layout, bodySize.bodyFontSize());
        if (i == 0)
            writer->begin(title, result.layout.size);
        writer->writePage(result.layout, i + 1 == pageCount);
        sink.pageDone(i + 1, pageCount);
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        stop = true;
        changed.notify_all();
    }
    for (auto& t : pool)
        t.join();
    if (code != base::Success)
        return code;
    // Scans without recognition: an empty file would pass for the document's text.
    if (!readable && !job.options.ocrEnabled) {
        sink.log(false, QStringLiteral("no page holds text, and text recognition is off"));
        return base::NoText;
    }
    writer->end();
    if (!writer->close()) {
        sink.log(false, QStringLiteral("cannot write the output: ") + writer->errorString());
        return writer->diskFull() ? base::DiskFull : base::OutputError;
    }
    return base::Success;
}

// Tells the sink once when a page's text has been read for longer than kReadingBudgetMs.
class ReadingWatch
{
public:
    explicit ReadingWatch(JobSink& sink)
        : m_thread([this, &sink] {
              std::unique_lock<std::mutex> lock(m_mutex);
              while (!m_stop) {
                  m_changed.wait_for(lock, std::chrono::milliseconds(100));
                  qint64 elapsed = 0;
                  int const page = PdfDocument::longestReading(&elapsed);
                  if (page >= 0 && elapsed > kReadingBudgetMs) {
                      sink.readingTooLong(page);
                      return;
                  }
              }
          })
    {
    }
    ~ReadingWatch()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    ReadingWatch(ReadingWatch const&) = delete;
    ReadingWatch& operator=(ReadingWatch const&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stop = false;
    std::thread m_thread;
};

// The PDF library draws a stroke of very many points in memory that grows with them: a job
// that draws its pages reads a copy in which such strokes are cut (PathSplitter), kept in its
// staging folder while it runs.
std::unique_ptr<QTemporaryFile> withStrokesCut(Job const& job, PageWork::Finding const& found, JobSink& sink)
{
    bool const draws = job.target == Target::Image || job.target == Target::Word || job.target == Target::Ppt;
    if (!draws || (found.longStrokePages.empty() && found.longStrokeStreams.empty()))
        return nullptr;
    QString const folder = job.staging.isEmpty()         ? QDir::tempPath()
                           : job.target == Target::Image ? job.staging
                                                         : QFileInfo(job.staging).absolutePath();
    auto copy =
        std::make_unique<QTemporaryFile>(QDir(folder).filePath(QStringLiteral(".strokes-XXXXXX.pdf")));
    if (copy->open()) {
        copy->close();
        if (PathSplitter::writeCopy(job.input, job.password, found.longStrokePages, found.longStrokeStreams,
                                    copy->fileName())) {
            sink.log(true, QStringLiteral("strokes of very many points are drawn in pieces"));
            return copy;
        }
    }
    sink.log(false, QStringLiteral("strokes of very many points cannot be cut; they are drawn whole"));
    return nullptr;
}

} // namespace

int runJob(Job const& job, JobSink& sink)
{
    switch (job.target) {
    case Target::Text:
    case Target::Rtf:
    case Target::Html:
    case Target::Image:
    case Target::Word:
    case Target::Excel:
    case Target::Ppt:
    case Target::SearchablePdf:
        break;
    case Target::ModelCheck:
        return Recognition::checkModel(job, sink);
    default:
        sink.log(false, QStringLiteral("unknown output format"));
        return base::OutputError;
    }
    try {
        PdfDocument::Opened opened = PdfDocument::open(job.input, job.password);
        if (!opened.document) {
            sink.log(false, opened.reason);
            return opened.code;
        }
        sink.opened(opened.pageCount);
        // A page that asks more drawing of the PDF library than it can do in time or memory
        // is refused before any reader starts on it.
        PageWork::Finding const heavy = PageWork::check(job.input, opened.password, &sink);
        if (heavy.page >= 0) {
            sink.log(false, QStringLiteral("too much to read: ") + heavy.describe());
            return heavy.verdict == PageWork::Verdict::TooLarge ? base::MemoryLimit : base::TimeLimit;
        }
        // Every other reader of the file (threads, qpdf, recognition) takes the form of the
        // password that worked.
        Job unlocked = job;
        unlocked.password = opened.password;
        std::unique_ptr<QTemporaryFile> const cut = withStrokesCut(unlocked, heavy, sink);
        if (cut) {
            PdfDocument::Opened copy = PdfDocument::open(cut->fileName(), unlocked.password);
            if (copy.document && copy.pageCount == opened.pageCount) {
                unlocked.input = cut->fileName();
                unlocked.password = copy.password;
                opened = std::move(copy);
            }
        }
        std::unique_ptr<ReadingWatch> watch;
        if (!job.carefulText && job.target != Target::Image && job.target != Target::SearchablePdf)
            watch = std::make_unique<ReadingWatch>(sink);
        switch (job.target) {
        case Target::Image:
            return PageImageRenderer::run(unlocked, *opened.document, opened.pageCount, sink);
        case Target::Word:
        case Target::Excel:
        case Target::Ppt:
            return office::runOfficeJob(unlocked, *opened.document, opened.pageCount, sink);
        case Target::SearchablePdf:
            return Recognition::searchablePdf(unlocked, *opened.document, opened.pageCount, sink);
        default:
            break;
        }
        return writeDocument(unlocked, *opened.document, opened.pageCount, sink);
    } catch (std::bad_alloc const&) {
        sink.log(false, QStringLiteral("out of memory"));
        return base::OutOfMemory;
    } catch (std::exception const& e) {
        sink.log(false, QStringLiteral("conversion failed: ") + QString::fromLocal8Bit(e.what()));
        return base::PageError;
    }
}

} // namespace engine
} // namespace pdfconv

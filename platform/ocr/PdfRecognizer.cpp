#include "ocr/PdfRecognizer.h"

#include "ocr/PdfPageSource.h"
#include "ocr/TextRecognizer.h"

#include <QThread>

#include <algorithm>
#include <functional>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

namespace docquill::ocr {

namespace {

struct SharedWork
{
    QString path;
    QByteArray password;
    OcrModel model;
    QString languageSpec;
    RecognitionOptions options;
    QVector<int> pages;
    std::atomic_int next{0};
    std::atomic_bool failed{false};
    std::mutex errorLock;
    Status status = Status::Ok;
    QString error;
    // Each page's slot is written by the one worker that took the page.
    std::vector<PageOutcome> outcomes;

    bool stopped() const { return failed.load() || (options.cancel && options.cancel->load()); }

    void fail(Status s, QString const& message)
    {
        std::lock_guard<std::mutex> guard(errorLock);
        if (!failed.exchange(true)) {
            status = s;
            error = message;
        }
    }
};

// pageRead runs once the page has been read from the PDF, before it is recognised.
void processPage(SharedWork& work, PdfPageSource& source, std::unique_ptr<TextRecognizer>& engine, int index,
                 std::function<void()> const& pageRead)
{
    PageOutcome& outcome = work.outcomes[size_t(index)];
    if (work.options.skipPagesWithText && source.pageHasText(index)) {
        outcome.kind = PageOutcome::HadText;
        pageRead();
        return;
    }
    int dpi = 0;
    QImage const image = source.renderPage(index, work.options.dpi, &dpi);
    pageRead();
    if (image.isNull()) {
        outcome.kind = PageOutcome::Failed;
        outcome.error = source.errorString();
        work.fail(Status::Damaged, QStringLiteral("page %1: %2").arg(index + 1).arg(outcome.error));
        return;
    }
    // The engine starts with the first page that needs it: a text PDF loads no language data.
    if (!engine) {
        engine = std::make_unique<TextRecognizer>();
        if (!engine->start(work.model, work.languageSpec)) {
            outcome.kind = PageOutcome::Failed;
            outcome.error = engine->errorString();
            work.fail(Status::RecognitionFailed, outcome.error);
            return;
        }
    }
    if (engine->recognize(image, dpi, outcome.page, work.options.cancel)) {
        outcome.kind = PageOutcome::Recognized;
        return;
    }
    if (work.options.cancel && work.options.cancel->load())
        return;
    outcome.kind = PageOutcome::Failed;
    outcome.error = engine->errorString();
    work.fail(Status::RecognitionFailed, QStringLiteral("page %1: %2").arg(index + 1).arg(outcome.error));
}

// Works through pages until none is left; afterFirst runs once the first page has been read
// from the PDF (or at once when there is none).
void runWorker(SharedWork& work, std::function<void()> const& afterFirst = {})
{
    bool first = true;
    auto firstDone = [&] {
        if (first && afterFirst)
            afterFirst();
        first = false;
    };
    // Exceptions stay on this thread: every one becomes the run's failure.
    try {
        PdfPageSource source;
        Status const opened = source.open(work.path, work.password);
        if (opened != Status::Ok) {
            work.fail(opened, source.errorString());
            firstDone();
            return;
        }
        std::unique_ptr<TextRecognizer> engine;
        while (!work.stopped()) {
            int const slot = work.next.fetch_add(1);
            if (slot >= work.pages.size())
                break;
            processPage(work, source, engine, work.pages.at(slot), firstDone);
        }
    } catch (std::bad_alloc const&) {
        work.fail(Status::OutOfMemory, QStringLiteral("out of memory"));
    } catch (std::exception const& e) {
        work.fail(Status::RecognitionFailed, QString::fromUtf8(e.what()));
    } catch (...) {
        work.fail(Status::RecognitionFailed, QStringLiteral("unexpected error"));
    }
    firstDone();
}

} // namespace

PdfRecognition PdfRecognizer::recognize(QString const& pdfPath, QByteArray const& password,
                                        OcrModel const& model, QString const& languageSpec,
                                        RecognitionOptions const& options)
{
    PdfRecognition result;
    if (!model.isLoaded()) {
        result.status = Status::NoModel;
        result.error = QStringLiteral("no text-recognition model is loaded");
        return result;
    }
    if (!model.supports(languageSpec)) {
        result.status = Status::UnknownLanguage;
        result.error = QStringLiteral("language \"%1\" is not available in the model").arg(languageSpec);
        return result;
    }

    SharedWork work;
    work.path = pdfPath;
    work.password = password;
    work.model = model;
    work.languageSpec = languageSpec;
    work.options = options;
    try {
        int pageCount = 0;
        {
            PdfPageSource probe;
            Status const opened = probe.open(pdfPath, password);
            if (opened != Status::Ok) {
                result.status = opened;
                result.error = probe.errorString();
                return result;
            }
            pageCount = probe.pageCount();
        }
        work.outcomes.resize(size_t(pageCount));
        if (options.pages.isEmpty()) {
            for (int i = 0; i < pageCount; ++i)
                work.pages.append(i);
        } else {
            for (int index : options.pages) {
                if (index < 0 || index >= pageCount || work.pages.contains(index)) {
                    result.status = Status::InvalidArgument;
                    result.error = QStringLiteral("page %1 is not a page of the document").arg(index + 1);
                    return result;
                }
                work.pages.append(index);
            }
        }

        int threads = options.threads > 0 ? options.threads : QThread::idealThreadCount();
        threads = std::max(1, std::min(threads, int(work.pages.size())));
        // The calling thread is one of the workers; when the system refuses more threads,
        // the pages are shared among those that did start.
        std::vector<std::thread> helpers;
        helpers.reserve(size_t(threads));
        // poppler sets up some shared state (colour profiles) on first use without a lock: the
        // helpers start once this thread has read its first page (recognising it takes long
        // and needs no poppler).
        runWorker(work, [&] {
            try {
                for (int i = 1; i < threads; ++i)
                    helpers.emplace_back([&work] { runWorker(work); });
            } catch (std::exception const&) {
            }
        });
        for (std::thread& helper : helpers)
            helper.join();
        result.pages = QVector<PageOutcome>(work.outcomes.begin(), work.outcomes.end());
    } catch (std::bad_alloc const&) {
        work.fail(Status::OutOfMemory, QStringLiteral("out of memory"));
    }

    if (work.failed.load()) {
        result.status = work.status;
        result.error = work.error;
    } else if (options.cancel && options.cancel->load()) {
        result.status = Status::Cancelled;
        result.error = QStringLiteral("cancelled");
    }
    return result;
}

} // namespace docquill::ocr

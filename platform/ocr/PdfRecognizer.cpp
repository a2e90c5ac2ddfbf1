#include "ocr/PdfRecognizer.h"

#include "ocr/PdfPageSource.h"
#include "ocr/ScriptDetector.h"
#include "ocr/TextRecognizer.h"

#include <QThread>

#include <algorithm>
#include <functional>
#include <map>
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

// Detection below this confidence does not tell a script apart from the others well enough to
// refuse a page for it; the page is read with the default data instead.
float const kSureScript = 1.0f;

// The engines of one thread, started when a page first needs them: a text PDF loads no
// language data, a Latin document no Cyrillic data.
struct Engines
{
    std::map<QString, std::unique_ptr<TextRecognizer>> recognizers;
    std::unique_ptr<ScriptDetector> detector;
};

// Latin script is read with the Latin data alone: detection does not tell Vietnamese apart, and
// its data, loaded beside Latin, costs a second network on many words of every other language.
// A reading with this many of Vietnamese's letters is read again with both. Latin data reads
// most of its toned vowels as plainer ones, so đ counts too: a Croatian page with a few of
// them costs a second reading, no words.
QString const kLatinScript = QStringLiteral("Latin");
int const kVietnameseLetters = 3;

bool looksVietnamese(RecognizedPage const& page)
{
    int letters = 0;
    for (QChar const c : page.text.normalized(QString::NormalizationForm_C)) {
        ushort const u = c.unicode();
        // đ, ơ, ư and the block of vowels with tone marks.
        if (u == 0x0110 || u == 0x0111 || u == 0x01A0 || u == 0x01A1 || u == 0x01AF || u == 0x01B0 ||
            (u >= 0x1EA0 && u <= 0x1EF9))
            ++letters;
    }
    return letters >= kVietnameseLetters;
}

// The engine of a thread for a language string, started on first use; null, with the failure
// recorded, when it does not start.
TextRecognizer* engineFor(SharedWork& work, Engines& engines, QString const& spec, PageOutcome& outcome)
{
    std::unique_ptr<TextRecognizer>& engine = engines.recognizers[spec];
    if (!engine) {
        engine = std::make_unique<TextRecognizer>();
        if (!engine->start(work.model, spec)) {
            outcome.kind = PageOutcome::Failed;
            outcome.error = engine->errorString();
            engine.reset();
            work.fail(Status::RecognitionFailed, outcome.error);
            return nullptr;
        }
    }
    return engine.get();
}

// The language data for a page: the default, or with byScript that of the page's script.
// Empty, with the failure recorded, when the page cannot be read.
QString languageForPage(SharedWork& work, Engines& engines, QImage const& image, int dpi, int index,
                        PageOutcome& outcome)
{
    if (!work.options.byScript)
        return work.languageSpec;
    if (!engines.detector) {
        engines.detector = std::make_unique<ScriptDetector>();
        if (!engines.detector->start(work.model)) {
            outcome.error = engines.detector->errorString();
            engines.detector.reset();
            return {};
        }
    }
    DetectedScript script;
    // A page with too little text to tell is read with the default.
    if (!engines.detector->detect(image, dpi, script) || script.name == QLatin1String("Common"))
        return work.languageSpec;
    QString const spec = work.model.scriptSpec(script.name);
    if (!spec.isEmpty())
        return spec;
    if (script.confidence < kSureScript || script.fromLittleText)
        return work.languageSpec;
    outcome.error =
        QStringLiteral("page %1 is written in %2 script, for which the text-recognition model has "
                       "no data")
            .arg(index + 1)
            .arg(script.name);
    return {};
}

// pageRead runs once the page has been read from the PDF, before it is recognised.
void processPage(SharedWork& work, PdfPageSource& source, Engines& engines, int index,
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
    QString const spec = languageForPage(work, engines, image, dpi, index, outcome);
    if (spec.isEmpty()) {
        outcome.kind = PageOutcome::Failed;
        work.fail(Status::UnknownLanguage, outcome.error);
        return;
    }
    bool const latinAlone = work.options.byScript && spec == work.model.scriptSpec(kLatinScript) &&
                            spec != kLatinScript && work.model.hasLanguage(kLatinScript);
    TextRecognizer* engine = engineFor(work, engines, latinAlone ? kLatinScript : spec, outcome);
    if (!engine)
        return;
    bool recognized = engine->recognize(image, dpi, outcome.page, work.options.cancel);
    if (recognized && latinAlone && looksVietnamese(outcome.page)) {
        engine = engineFor(work, engines, spec, outcome);
        if (!engine)
            return;
        recognized = engine->recognize(image, dpi, outcome.page, work.options.cancel);
    }
    if (recognized) {
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
        Engines engines;
        while (!work.stopped()) {
            int const slot = work.next.fetch_add(1);
            if (slot >= work.pages.size())
                break;
            processPage(work, source, engines, work.pages.at(slot), firstDone);
            if (work.options.pageDone)
                work.options.pageDone(work.pages.at(slot));
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
    if (options.byScript && !model.canDetectScripts()) {
        result.status = Status::UnknownLanguage;
        result.error = QStringLiteral("the model cannot tell the scripts of pages apart");
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

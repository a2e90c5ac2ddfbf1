#include "ocr/PdfRecognizer.h"

#include "ocr/PdfPageSource.h"
#include "ocr/ScriptDetector.h"
#include "ocr/TextRecognizer.h"

#include <QFile>
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

// Detection this sure names the page's script. Below it, or named from the few letters of a
// short page, it is a guess: scripts that share letter shapes (Latin and Cyrillic) swap places.
float const kSureScript = 2.0f;

// A reading whose letters the engine is on average this sure of reads its script; when no data
// of the model reads a page this well, the page cannot be read.
double const kReadable = 60;
// A page that detection takes for a script without data but is unsure of may still be in one
// with data: a reading must be this sure to be kept rather than the page refused.
double const kSureReading = 80;
// A later reading must be this much surer to replace an earlier one: the user's script, then
// detection's guess, keep the page where readings are alike.
double const kTie = 2;
// A reading less sure than this may have had its lines broken up by the page analysis (short
// pages, Arabic most): the page is read again as one block of lines, which stands where it is
// this much surer.
double const kSureLayout = 75;
double const kBetterLayout = 5;
// A reading of large print at the size the engine reads best stands unless this much less sure.
double const kLessSure = 10;
// Broken up, the page's lines come out as many short pieces: this many at least, of fewer
// words on average than this.
int const kBrokenLines = 4;
double const kBrokenWordsPerLine = 2.5;
// Fewer letters than this (a page number, a signature) are too few to judge a reading by: the
// surest reading stands.
int const kLettersToJudge = 20;
// A page whose text spans more than this is judged by a band of it this high from the middle of
// its text; a shorter text is read whole, and the reading that wins is the page's.
double const kSampleInches = 2.5;

// The engines of one thread, started when a page first needs them: a text PDF loads no
// language data, a Latin document no Cyrillic data.
struct Engines
{
    std::map<QString, std::unique_ptr<TextRecognizer>> recognizers;
    std::unique_ptr<ScriptDetector> detector;
};

// Latin script is read with the Latin data alone: detection does not tell Vietnamese apart, and
// its data, loaded beside Latin, costs a second network on many words of every other language.
// A reading with this many of Vietnamese's letters is read again with both (a short page with
// one already: Latin data reads most of its toned vowels as plainer ones). đ counts too: a
// Croatian page with a few of them costs a second reading, no words.
QString const kLatinScript = QStringLiteral("Latin");
int const kVietnameseLetters = 3;
int const kShortPageLetters = 400;

bool looksVietnamese(RecognizedPage const& page)
{
    int const enough = page.text.size() < kShortPageLetters ? 1 : kVietnameseLetters;
    int letters = 0;
    for (QChar const c : page.text.normalized(QString::NormalizationForm_C)) {
        ushort const u = c.unicode();
        // đ, ơ, ư and the block of vowels with tone marks.
        if (u == 0x0110 || u == 0x0111 || u == 0x01A0 || u == 0x01A1 || u == 0x01AF || u == 0x01B0 ||
            (u >= 0x1EA0 && u <= 0x1EF9))
            ++letters;
    }
    return letters >= enough;
}

int letterCount(RecognizedPage const& page)
{
    int letters = 0;
    for (RecognizedWord const& word : page.words) {
        for (QChar const c : word.text)
            letters += c.isLetterOrNumber() ? 1 : 0;
    }
    return letters;
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

// A reading of a page (or of a band of it) with the data of one script.
struct Reading
{
    QString script;
    QString spec;
    RecognizedPage page;
    double confidence = 0;
    int letters = 0;
};

bool engineFailed(SharedWork& work, TextRecognizer& engine, int index, PageOutcome& outcome)
{
    if (work.options.cancel && work.options.cancel->load())
        return false;
    outcome.kind = PageOutcome::Failed;
    outcome.error = engine.errorString();
    work.fail(Status::RecognitionFailed, QStringLiteral("page %1: %2").arg(index + 1).arg(outcome.error));
    return false;
}

bool brokenUp(RecognizedPage const& page)
{
    return page.lines.size() >= kBrokenLines && page.words.size() < kBrokenWordsPerLine * page.lines.size();
}

// Whether a reading of the page as one block of lines stands in for the page analysis' reading:
// where it is clearly surer, or where the analysis broke the lines up and the block reading,
// in whole lines, is about as sure.
bool blockReadsBetter(RecognizedPage const& page, RecognizedPage const& block)
{
    double const confidence = TextRecognizer::confidence(page),
                 blockConfidence = TextRecognizer::confidence(block);
    if (blockConfidence > confidence + kBetterLayout)
        return true;
    return brokenUp(page) && !brokenUp(block) && blockConfidence >= confidence - kBetterLayout;
}

// Improves engine's reading page of prepared: large print is read again smaller, and a reading
// of little confidence again as one block of lines. False on failure or cancel.
bool readBetter(SharedWork& work, TextRecognizer& engine, PreparedPage const& prepared, RecognizedPage& page)
{
    double scale = TextRecognizer::scaleFor(page);
    if (scale < 1) {
        // The engine reads large print better smaller, if not always more surely: the smaller
        // reading stands unless clearly less sure.
        RecognizedPage smaller;
        if (!engine.recognize(prepared, smaller, work.options.cancel, TextRecognizer::Layout::Page, scale))
            return false;
        if (TextRecognizer::confidence(smaller) + kLessSure >= TextRecognizer::confidence(page))
            page = std::move(smaller);
        else
            scale = 1;
    }
    if (page.isEmpty() || TextRecognizer::confidence(page) >= kSureLayout)
        return true;
    RecognizedPage block;
    if (!engine.recognize(prepared, block, work.options.cancel, TextRecognizer::Layout::Block, scale))
        return false;
    if (blockReadsBetter(page, block))
        page = std::move(block);
    return true;
}

// Reads prepared with engine, and reads it better unless only judging which data reads the page.
// False on failure or cancel.
bool readPage(SharedWork& work, TextRecognizer& engine, PreparedPage const& prepared, bool judging,
              RecognizedPage& page)
{
    if (!engine.recognize(prepared, page, work.options.cancel))
        return false;
    return judging || readBetter(work, engine, prepared, page);
}

// Reads prepared with the data for script. Latin script is read with the Latin data alone and
// again with Vietnamese beside it where its letters show. False, with the failure recorded or
// on a cancel, when the engines fail.
bool readWith(SharedWork& work, Engines& engines, QString const& script, PreparedPage const& prepared,
              int index, bool judging, Reading& reading, PageOutcome& outcome)
{
    reading.script = script;
    reading.spec = work.model.scriptSpec(script, work.options.language);
    bool const latinAlone = script == kLatinScript && reading.spec != kLatinScript &&
                            work.model.hasLanguage(kLatinScript) && work.options.language != SdkVietnamese;
    TextRecognizer* engine = engineFor(work, engines, latinAlone ? kLatinScript : reading.spec, outcome);
    if (!engine)
        return false;
    bool recognized = readPage(work, *engine, prepared, judging, reading.page);
    if (recognized && latinAlone && looksVietnamese(reading.page)) {
        engine = engineFor(work, engines, reading.spec, outcome);
        if (!engine)
            return false;
        recognized = readPage(work, *engine, prepared, judging, reading.page);
    }
    if (!recognized)
        return engineFailed(work, *engine, index, outcome);
    reading.confidence = TextRecognizer::confidence(reading.page);
    reading.letters = letterCount(reading.page);
    return true;
}

// The rows [top, top + height) of the level page that a reading is judged by: the whole page
// when its text is short, else a band from the middle of its text, cut where no line runs.
void sampleRows(QImage const& level, int dpi, int& top, int& height)
{
    top = 0;
    height = level.height();
    // A row of text has many dark pixels; specks of dust a few.
    int const inkPixels = std::max(8, level.width() / 300);
    std::vector<bool> ink(size_t(level.height()), false);
    int first = -1, last = -1;
    for (int y = 0; y < level.height(); ++y) {
        uchar const* row = level.constScanLine(y);
        int dark = 0;
        for (int x = 0; x < level.width() && dark < inkPixels; ++x)
            dark += row[x] < 128 ? 1 : 0;
        ink[size_t(y)] = dark >= inkPixels;
        if (ink[size_t(y)]) {
            first = first < 0 ? y : first;
            last = y;
        }
    }
    int const band = int(kSampleInches * dpi);
    if (first < 0 || last - first <= band)
        return;
    int from = (first + last - band) / 2, to = from + band;
    // Out to the nearest blank rows, so that no line is cut in two.
    int const reach = dpi / 3;
    for (int i = 0; i < reach && from > first && ink[size_t(from)]; ++i)
        --from;
    for (int i = 0; i < reach && to < last && ink[size_t(to)]; ++i)
        ++to;
    top = from;
    height = to - from + 1;
}

QString figure(double confidence)
{
    return QString::number(confidence, 'f', 0);
}

// Reads a page in the script detection is unsure of: a sample of it is read with the data of
// each script the model holds, the surest reading names the page's script. False, with the
// failure recorded, when no data reads the page with confidence.
bool readUnsure(SharedWork& work, Engines& engines, PreparedPage const& prepared, DetectedScript const& detected,
                int index, Reading& chosen, PageOutcome& outcome)
{
    QStringList candidates;
    QString const preferred = OcrModel::scriptOfLanguage(work.options.language);
    QStringList const readable = work.model.readableScripts();
    if (readable.contains(preferred))
        candidates << preferred;
    if (readable.contains(detected.name) && !candidates.contains(detected.name))
        candidates << detected.name;
    for (QString const& script : readable) {
        if (!candidates.contains(script))
            candidates << script;
    }

    int top = 0, height = 0;
    sampleRows(prepared.level, prepared.dpi, top, height);
    bool const whole = top == 0 && height == prepared.level.height();
    PreparedPage const sample = whole ? prepared : prepared.band(top, height);

    Reading best;
    QStringList tried;
    for (QString const& script : candidates) {
        Reading reading;
        if (!readWith(work, engines, script, sample, index, true, reading, outcome))
            return false;
        tried << QStringLiteral("%1 %2").arg(script, figure(reading.confidence));
        if (best.script.isEmpty() || reading.confidence > best.confidence + kTie)
            best = std::move(reading);
    }
    outcome.note = QStringLiteral("page %1: %2 script (detection: %3; read on the %4: %5)")
                       .arg(index + 1)
                       .arg(best.script,
                            detected.name.isEmpty()
                                ? QStringLiteral("too little text")
                                : QStringLiteral("%1 %2").arg(detected.name).arg(double(detected.confidence), 0, 'f', 2),
                            whole ? QStringLiteral("page") : QStringLiteral("sample"), tried.join(QStringLiteral(", ")));

    // The script's reading of the whole page, read as the others are.
    if (whole) {
        auto const found = engines.recognizers.find(best.page.languageSpec);
        TextRecognizer* engine = found == engines.recognizers.end() ? nullptr : found->second.get();
        if (engine) {
            if (!readBetter(work, *engine, prepared, best.page))
                return engineFailed(work, *engine, index, outcome);
            best.confidence = TextRecognizer::confidence(best.page);
            best.letters = letterCount(best.page);
        }
        chosen = std::move(best);
    } else if (!readWith(work, engines, best.script, prepared, index, false, chosen, outcome)) {
        return false;
    }
    if (letterCount(chosen.page) < kLettersToJudge)
        return true;
    bool const withoutData = !detected.name.isEmpty() &&
                             work.model.scriptSpec(detected.name, work.options.language).isEmpty();
    if (withoutData && chosen.confidence < kSureReading) {
        outcome.error = QStringLiteral("page %1 is written in %2 script, for which the text-recognition model "
                                       "has no data")
                            .arg(index + 1)
                            .arg(detected.name);
        work.fail(Status::UnknownLanguage, outcome.error);
        return false;
    }
    if (chosen.confidence < kReadable) {
        outcome.error = QStringLiteral("page %1 cannot be read with confidence in any script the "
                                       "text-recognition model holds (best %2, %3 of 100)")
                            .arg(index + 1)
                            .arg(chosen.script, figure(chosen.confidence));
        work.fail(Status::Unreadable, outcome.error);
        return false;
    }
    return true;
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
    QImage image = source.renderPage(index, work.options.dpi, &dpi);
    pageRead();
    if (image.isNull()) {
        outcome.kind = PageOutcome::Failed;
        outcome.error = source.errorString();
        work.fail(Status::Damaged, QStringLiteral("page %1: %2").arg(index + 1).arg(outcome.error));
        return;
    }
    // Handed over, so that the page is held once while it is read.
    PreparedPage const prepared = TextRecognizer::prepare(std::move(image), dpi);
    if (prepared.isNull()) {
        outcome.kind = PageOutcome::Failed;
        outcome.error = QStringLiteral("page %1 is too large to recognise").arg(index + 1);
        work.fail(Status::RecognitionFailed, outcome.error);
        return;
    }

    if (!work.options.byScript) {
        TextRecognizer* engine = engineFor(work, engines, work.languageSpec, outcome);
        if (!engine)
            return;
        if (readPage(work, *engine, prepared, false, outcome.page))
            outcome.kind = PageOutcome::Recognized;
        else
            engineFailed(work, *engine, index, outcome);
        return;
    }

    if (!engines.detector) {
        engines.detector = std::make_unique<ScriptDetector>();
        if (!engines.detector->start(work.model)) {
            outcome.kind = PageOutcome::Failed;
            outcome.error = engines.detector->errorString();
            engines.detector.reset();
            work.fail(Status::UnknownLanguage, outcome.error);
            return;
        }
    }
    DetectedScript detected;
    if (!engines.detector->detect(prepared.level, dpi, detected) || detected.name == QLatin1String("Common"))
        detected = DetectedScript();
    bool const sure =
        !detected.name.isEmpty() && !detected.fromLittleText && detected.confidence >= kSureScript;
    Reading reading;
    bool decided = false;
    if (sure) {
        if (work.model.scriptSpec(detected.name, work.options.language).isEmpty()) {
            outcome.kind = PageOutcome::Failed;
            outcome.error = QStringLiteral("page %1 is written in %2 script, for which the text-recognition "
                                           "model has no data")
                                .arg(index + 1)
                                .arg(detected.name);
            work.fail(Status::UnknownLanguage, outcome.error);
            return;
        }
        if (!readWith(work, engines, detected.name, prepared, index, false, reading, outcome))
            return;
        outcome.note = QStringLiteral("page %1: %2 script (detection %3)")
                           .arg(index + 1)
                           .arg(detected.name)
                           .arg(double(detected.confidence), 0, 'f', 2);
        // Detection counts letters, not lines: a heading in large Latin letters over small
        // text in another script is "Latin" to it. A reading that unsure is no proof.
        decided = reading.confidence >= kSureLayout || reading.letters < kLettersToJudge;
    }
    if (!decided && !readUnsure(work, engines, prepared, detected, index, reading, outcome)) {
        if (!work.options.cancel || !work.options.cancel->load())
            outcome.kind = PageOutcome::Failed;
        return;
    }
    // Headings, names and figures in Latin letters over text in another script.
    if (reading.script != kLatinScript && work.model.hasLanguage(kLatinScript)) {
        TextRecognizer* latin = engineFor(work, engines, kLatinScript, outcome);
        if (!latin)
            return;
        if (!latin->readLinesAgain(prepared, reading.page, work.options.cancel)) {
            engineFailed(work, *latin, index, outcome);
            return;
        }
    }
    outcome.page = std::move(reading.page);
    outcome.kind = PageOutcome::Recognized;
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

qint64 PdfRecognizer::memoryPerThread(RecognitionOptions const& options, OcrModel const& model,
                                      QString const& languageSpec)
{
    // Measured at 300 dpi on A4: the rendered page, its grey and level copies and tesseract's
    // working set come to about 100 MB a thread; an engine to 2 to 16 MB of its own beyond the
    // word lists, which engines of one language share; the script detection, with the sample
    // readings of an unsure page, to 70 MB (a thread that met every script grew by 245 MB).
    qint64 const mb = 1024 * 1024;
    qint64 const dpi = std::max(72, options.dpi);
    qint64 bytes = 100 * mb * dpi * dpi / (300 * 300);
    QStringList specs{languageSpec};
    if (options.byScript) {
        bytes += 70 * mb;
        for (QString const& script : model.readableScripts())
            specs << model.scriptSpec(script, options.language);
    }
    specs.removeDuplicates();
    for (QString const& spec : qAsConst(specs))
        bytes += 16 * mb * (spec.count(QLatin1Char('+')) + 1);
    return bytes;
}

int PdfRecognizer::threadCount(RecognitionOptions const& options, OcrModel const& model,
                               QString const& languageSpec, int pages)
{
    int threads = options.threads > 0 ? options.threads : QThread::idealThreadCount();
    threads = std::min(threads, pages);
    qint64 available = options.availableMemory;
    if (available <= 0) {
        // What the system can give without swapping; unknown leaves the cores to decide.
        QFile meminfo(QStringLiteral("/proc/meminfo"));
        if (meminfo.open(QIODevice::ReadOnly)) {
            for (QByteArray const& line : meminfo.readAll().split('\n')) {
                if (line.startsWith("MemAvailable:"))
                    available = line.mid(13).trimmed().split(' ').value(0).toLongLong() * 1024;
            }
        }
    }
    if (available > 0) {
        // Half of it: the application, the other conversions' helpers and the rest of the
        // desktop live on the other half.
        qint64 const perThread = memoryPerThread(options, model, languageSpec);
        threads = int(std::min<qint64>(threads, available / 2 / perThread));
    }
    return std::max(1, threads);
}

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

        int const threads = threadCount(options, model, languageSpec, work.pages.size());
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

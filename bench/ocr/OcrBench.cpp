// Prints recognition figures: one page against the tesseract command line on the same image,
// and pages per second with one engine per thread. Asserts nothing.
//   bench_ocr [--pages N] [--threads T]
#include "SyntheticScan.h"

#include "ocr/OcrModel.h"
#include "ocr/PdfPageSource.h"
#include "ocr/PdfRecognizer.h"
#include "ocr/SearchablePdfWriter.h"
#include "ocr/TextRecognizer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace docquill::ocr;

namespace {

double medianMs(int runs, std::function<bool()> const& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!work())
            return -1;
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double wordShare(QStringList const& expected, QString const& text)
{
    QStringList found = text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    int hits = 0;
    for (QString const& word : expected) {
        int const at = found.indexOf(word);
        if (at >= 0) {
            found.removeAt(at);
            ++hits;
        }
    }
    return expected.isEmpty() ? 1.0 : double(hits) / expected.size();
}

bool runCli(QString const& model, QString const& image, QString const& base, bool singleThread)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (singleThread)
        env.insert("OMP_THREAD_LIMIT", "1");
    else
        env.remove("OMP_THREAD_LIMIT");
    process.setProcessEnvironment(env);
    process.start("tesseract", {image, base, "--tessdata-dir", model, "-l", "eng"});
    return process.waitForFinished(120000) && process.exitCode() == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int pages = 24;
    int threads = 8;
    QStringList const args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == "--pages")
            pages = std::max(1, args.at(i + 1).toInt());
        else if (args.at(i) == "--threads")
            threads = std::max(1, args.at(i + 1).toInt());
    }

    QString const modelPath =
        QCoreApplication::applicationDirPath() + "/../Resources/resource/models/documentai.model";
    OcrModel model;
    QElapsedTimer clock;
    clock.start();
    if (!model.load(modelPath)) {
        std::printf("model: %s\n", qPrintable(model.errorString()));
        return 1;
    }
    std::printf("model load (all languages checked): %.0f ms, languages: %s\n", clock.nsecsElapsed() / 1e6,
                qPrintable(model.languages().join(' ')));
    std::printf("cores: %d\n\n", QThread::idealThreadCount());

    QTemporaryDir dir;
    SyntheticScan const scan = SyntheticScan::make(40, 1);
    QString const image = dir.filePath("page.png");
    scan.image.save(image);

    // One page, engine against command line.
    double const cliMs = medianMs(3, [&] { return runCli(modelPath, image, dir.filePath("cli"), false); });
    double const cliSingleMs =
        medianMs(3, [&] { return runCli(modelPath, image, dir.filePath("cli1"), true); });
    TextRecognizer engine;
    clock.restart();
    engine.start(model, SdkEnglish);
    double const startMs = clock.nsecsElapsed() / 1e6;
    RecognizedPage page;
    double const ownMs = medianMs(3, [&] { return engine.recognize(scan.image, scan.dpi, page); });
    double const ownColdMs = medianMs(1, [&] {
        TextRecognizer fresh;
        QImage const loaded(image);
        return fresh.start(model, SdkEnglish) && fresh.recognize(loaded, scan.dpi, page);
    });
    std::printf("one A4 page at 300 dpi, %d words\n", int(scan.words().size()));
    std::printf("  tesseract command line              %7.0f ms\n", cliMs);
    std::printf("  tesseract command line, 1 thread    %7.0f ms\n", cliSingleMs);
    std::printf("  engine start                        %7.0f ms\n", startMs);
    std::printf("  engine, recognise only              %7.0f ms  (%.2fx the command line)\n", ownMs,
                ownMs / cliMs);
    std::printf("  engine, load image + start + recognise %4.0f ms  (%.2fx the command line)\n", ownColdMs,
                ownColdMs / cliMs);
    std::printf("  words found: %.1f%%\n", 100 * wordShare(scan.words(), page.text));

    TextRecognizer latin;
    if (latin.start(model, SdkLatinScripts)) {
        double const latinMs = medianMs(1, [&] { return latin.recognize(scan.image, scan.dpi, page); });
        std::printf("  all Latin-script languages (%s)  %.0f ms, words found %.1f%%\n",
                    qPrintable(latin.languageSpec()), latinMs, 100 * wordShare(scan.words(), page.text));
    }

    // Many pages in parallel, rendered from a picture-only PDF.
    QVector<SyntheticScan> scans;
    QStringList expected;
    for (int i = 0; i < pages; ++i) {
        scans << SyntheticScan::make(40, 100 + i);
        expected += scans.last().words();
    }
    QString const pdf = dir.filePath("scans.pdf");
    SyntheticScan::writePdf(pdf, scans);
    std::printf("\n%d scanned A4 pages at 300 dpi (render + recognise)\n", pages);
    PdfPageSource source;
    if (source.open(pdf, {}) == Status::Ok) {
        double const renderMs = medianMs(3, [&] { return !source.renderPage(0, 300).isNull(); });
        std::printf("  rendering one page with poppler: %.0f ms\n", renderMs);
    }
    for (int t : {1, threads}) {
        if (t == 1 && pages > 4)
            continue;
        RecognitionOptions options;
        options.threads = t;
        clock.restart();
        PdfRecognition const result = PdfRecognizer::recognize(pdf, {}, model, "eng", options);
        double const seconds = clock.nsecsElapsed() / 1e9;
        QString text;
        for (PageOutcome const& outcome : result.pages)
            text += outcome.page.text;
        std::printf("  %2d thread(s): %6.2f s, %5.2f pages/s, words found %.1f%%%s\n", t, seconds,
                    pages / seconds, 100 * wordShare(expected, text),
                    result.status == Status::Ok ? "" : "  (failed)");
    }
    RecognitionOptions options;
    options.threads = threads;
    clock.restart();
    Status const status =
        SearchablePdfWriter::convert(pdf, {}, dir.filePath("searchable.pdf"), model, "eng", options);
    double const seconds = clock.nsecsElapsed() / 1e9;
    std::printf("  searchable PDF, %d threads: %6.2f s, %5.2f pages/s%s\n", threads, seconds, pages / seconds,
                status == Status::Ok ? "" : "  (failed)");
    return 0;
}

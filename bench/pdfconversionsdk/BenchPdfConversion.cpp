// Speed and memory of the conversion library against poppler's command-line tools on the
// same machine in the same run. Prints figures and ratios; asserts nothing.
//
//   bench_pdfconversionsdk [work folder]

#include "PdfFixtures.h"
#include "engine/Job.h"
#include "engine/JobSink.h"

#include <pdfconv/conversion/PdfConversion.h>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/resource.h>

using pdfconv::base::ConvertOptions;
using pdfconv::conversion::PdfConversion;

namespace {

class NullSink : public pdfconv::engine::JobSink
{
public:
    void log(bool, QString const&) override {}
    void opened(int) override {}
    void pageDone(int, int) override {}
    void fileWritten(QString const&) override {}
};

double seconds(QElapsedTimer const& t)
{
    return t.nsecsElapsed() / 1e9;
}

double runTool(QString const& program, QStringList const& args)
{
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(-1) || p.exitCode() != 0)
        std::printf("  %s failed\n", qPrintable(program));
    return seconds(t);
}

// Text pages in two columns under a heading.
void textPdf(QString const& path, int pages)
{
    QList<PdfFixtures::Page> list;
    for (int p = 0; p < pages; ++p) {
        PdfFixtures::Page page;
        page.title = QStringLiteral("Chapter %1").arg(p);
        page.columns = 2;
        for (int i = 0; i < 6; ++i)
            page.paragraphs << PdfFixtures::words(QStringLiteral("p%1s%2w").arg(p).arg(i), 70);
        list << page;
    }
    PdfFixtures::writePdf(path, list);
}

// Pages of text, vector drawing and a photograph-like image.
void mixedPdf(QString const& path, int pages)
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    QImage photo(900, 600, QImage::Format_RGB32);
    auto* rng = QRandomGenerator::global();
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y,
                           qRgb((x + rng->bounded(40)) % 256, (y + rng->bounded(40)) % 256, (x * y) % 256));
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            writer.newPage();
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 12));
        painter.drawText(QRectF(56, 56, 480, 200), Qt::TextWordWrap,
                         PdfFixtures::words(QStringLiteral("m"), 120));
        painter.drawImage(QRectF(56, 270, 480, 320), photo);
        for (int i = 0; i < 40; ++i) {
            painter.setPen(QPen(QColor::fromHsv(i * 9, 200, 200), 1.5));
            painter.drawEllipse(QPointF(300, 700), 20 + i * 3, 10 + i * 2);
        }
    }
}

double engineRun(pdfconv::engine::Target target, QString const& input, QString const& staging, int imageType,
                 int threads)
{
    pdfconv::engine::Job job;
    job.target = target;
    job.input = input;
    job.staging = staging;
    job.baseName = QStringLiteral("page");
    job.options.imageType = imageType;
    job.threads = threads;
    NullSink sink;
    QElapsedTimer t;
    t.start();
    if (pdfconv::engine::runJob(job, sink) != 0)
        std::printf("  conversion failed\n");
    return seconds(t);
}

enum class Output
{
    Text,
    Image,
    Word
};

double apiRun(Output kind, QString const& input, QString const& output, int imageType = 2)
{
    ConvertOptions options;
    options.imageType = imageType;
    QElapsedTimer t;
    t.start();
    auto const start = kind == Output::Text    ? &PdfConversion::StartPDFToTxt
                       : kind == Output::Image ? &PdfConversion::StartPDFToImage
                                               : &PdfConversion::StartPDFToWord;
    int const code = start(input.toUtf8(), "", output.toUtf8(), options, nullptr);
    if (code != 0)
        std::printf("  conversion failed: %d\n", code);
    return seconds(t);
}

void ratio(char const* what, double ours, double theirs, char const* target)
{
    std::printf("%-44s ours %7.3f s  poppler %7.3f s  ratio %.2f  (%s)\n", what, ours, theirs, ours / theirs,
                target);
}

// Runs in a child of the benchmark so that the peak of its own children is the helper's.
int memoryMode(QString const& mode, QString const& input, QString const& output)
{
    apiRun(mode == QLatin1String("text")    ? Output::Text
           : mode == QLatin1String("image") ? Output::Image
                                            : Output::Word,
           input, output);
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QStringList const args = app.arguments();
    if (args.size() == 5 && args.at(1) == QLatin1String("--memory"))
        return memoryMode(args.at(2), args.at(3), args.at(4));

    QTemporaryDir temp;
    QDir const work(args.size() > 1 ? args.at(1) : temp.path());
    work.mkpath(QStringLiteral("."));
    auto path = [&](QString const& name) { return work.filePath(name); };
    std::printf("making inputs in %s ...\n", qPrintable(work.path()));
    textPdf(path("text200.pdf"), 200);
    mixedPdf(path("mixed50.pdf"), 50);
    textPdf(path("text100.pdf"), 100);
    textPdf(path("text1000.pdf"), 1000);
    textPdf(path("one.pdf"), 1);
    PdfFixtures::writeSharedPicturePdf(path("shared1500.pdf"), 1500);
    std::fflush(stdout);

    using pdfconv::engine::Target;
    // Text, through the library (helper process included).
    {
        double const theirs = runTool("pdftotext", {path("text200.pdf"), path("theirs.txt")});
        double const ours = apiRun(Output::Text, path("text200.pdf"), path("ours.txt"));
        ratio("text, 200 text pages", ours, theirs, "target <= 1.5");
        double const theirsMixed = runTool("pdftotext", {path("mixed50.pdf"), path("theirs2.txt")});
        double const oursMixed = apiRun(Output::Text, path("mixed50.pdf"), path("ours2.txt"));
        ratio("text, 50 mixed pages", oursMixed, theirsMixed, "target <= 1.5");
    }
    // Page images on one core, same resolution and format.
    for (auto const& input : {QStringLiteral("text200.pdf"), QStringLiteral("mixed50.pdf")}) {
        QDir(path("img")).removeRecursively();
        QDir().mkpath(path("img"));
        double const theirsPng = runTool("pdftoppm", {"-r", "150", "-png", path(input), path("img/t")});
        QDir().mkpath(path("img/png"));
        double const oursPng = engineRun(Target::Image, path(input), path("img/png"), 2, 1);
        ratio(qPrintable(QStringLiteral("PNG 150 dpi, one core, ") + input), oursPng, theirsPng,
              "target <= 0.33");
        double const theirsJpg = runTool("pdftoppm", {"-r", "150", "-jpeg", path(input), path("img/t")});
        QDir().mkpath(path("img/jpg"));
        double const oursJpg = engineRun(Target::Image, path(input), path("img/jpg"), 0, 1);
        ratio(qPrintable(QStringLiteral("JPEG 150 dpi, one core, ") + input), oursJpg, theirsJpg,
              "target <= 1.2");
    }
    // All cores, through the library, 100 pages.
    {
        QDir(path("img")).removeRecursively();
        QDir().mkpath(path("img"));
        double const theirs = runTool("pdftoppm", {"-r", "150", "-png", path("text100.pdf"), path("img/t")});
        double const ours = apiRun(Output::Image, path("text100.pdf"), path("img/ours"));
        ratio("PNG 150 dpi, all cores, 100 pages", ours, theirs, "target <= 0.2");
    }
    // What the helper process costs: the library against the engine in-process, one page.
    {
        double api = 0, direct = 0;
        for (int i = 0; i < 5; ++i) {
            api += apiRun(Output::Text, path("one.pdf"), path("one.txt"));
            direct += engineRun(Target::Text, path("one.pdf"), path("one-direct.txt"), 0, 1);
        }
        double const text200 = engineRun(Target::Text, path("text200.pdf"), path("direct.txt"), 0, 1);
        std::printf("%-44s %.1f ms per conversion (one page: %.1f ms in-process, %.1f ms with helper; "
                    "%.1f%% of a 200-page text conversion)\n",
                    "helper process cost", (api - direct) / 5 * 1000, direct / 5 * 1000, api / 5 * 1000,
                    (api - direct) / 5 / text200 * 100);
    }
    // Peak memory of the helper on 1,000 pages, and on 1,500 that share one picture.
    for (auto const& mode : {QStringLiteral("text"), QStringLiteral("image"), QStringLiteral("word")}) {
        QDir(path("img")).removeRecursively();
        QProcess child;
        bool const word = mode == QLatin1String("word");
        QString const out = mode == QLatin1String("text") ? path("big.txt")
                            : word                        ? path("big.docx")
                                                          : path("img/big");
        child.start(app.applicationFilePath(),
                    {"--memory", mode, path(word ? "shared1500.pdf" : "text1000.pdf"), out});
        child.waitForFinished(-1);
        long const kb = QString::fromLatin1(child.readAllStandardOutput()).trimmed().toLong();
        if (word)
            std::printf("%-44s %.0f MB\n", "peak memory, 1500 pages of one picture to Word", kb / 1024.0);
        else
            std::printf("%-44s %.0f MB  (target <= 300 MB)\n",
                        qPrintable(QStringLiteral("peak memory, 1000 pages to ") + mode), kb / 1024.0);
    }
    return 0;
}

// Quality and speed of the office outputs and of text recognition through the conversion
// library, against poppler's and tesseract's command-line tools on the same machine in the
// same run. Prints figures and ratios; asserts nothing.
//
//   bench_office_conversion [work folder]

#include "PdfFixtures.h"
#include "WordRecall.h"

#include <pdfconv/common/LibraryManager.h>
#include <pdfconv/conversion/PdfConversion.h>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include "SyntheticScan.h"

#include <cstdio>

using pdfconv::base::ConvertOptions;
using pdfconv::conversion::PdfConversion;

namespace {

double seconds(QElapsedTimer const& t)
{
    return t.nsecsElapsed() / 1e9;
}

// Runs a tool; returns its time, or a negative number when it failed.
double runTool(QString const& program, QStringList const& args, QProcessEnvironment const& env = {},
               QByteArray* out = nullptr)
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    bool const ok = p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    double const elapsed = seconds(t);
    if (out)
        *out = p.readAllStandardOutput();
    if (!ok)
        std::printf("  %s failed\n", qPrintable(program));
    return ok ? elapsed : -1;
}

using Start = int (*)(char const*, char const*, char const*, ConvertOptions const&,
                      pdfconv::conversion::ProgressCallback);

double apiRun(Start start, QString const& input, QString const& output, ConvertOptions const& options)
{
    QElapsedTimer t;
    t.start();
    int const code = start(input.toUtf8(), "", output.toUtf8(), options, nullptr);
    if (code != 0)
        std::printf("  conversion of %s failed: %d\n", qPrintable(input), code);
    return seconds(t);
}

// The lines of a clean scan page of ordinary words, as the recognition tests make them.
QStringList scanLines(int seed)
{
    QStringList lines;
    for (QStringList const& words : SyntheticScan::make(30, seed).lines)
        lines << words.join(QLatin1Char(' '));
    return lines;
}

// Share of the expected words (with repeats) that the text holds, in per cent.
double recall(QStringList const& expected, QString const& text)
{
    return expected.isEmpty() ? 0 : 100.0 * wordRecall(expected, text);
}

QString docxText(QString const& path)
{
    QByteArray xml;
    runTool(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QStringLiteral("word/document.xml")}, {},
            &xml);
    QString text = QString::fromUtf8(xml);
    text.replace(QRegularExpression(QStringLiteral("<[^>]*>")), QStringLiteral(" "));
    return text;
}

QString pdfText(QString const& path)
{
    QByteArray out;
    runTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}, {}, &out);
    return QString::fromUtf8(out);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QStringList const args = app.arguments();
    QTemporaryDir temp;
    QDir const work(args.size() > 1 ? args.at(1) : temp.path());
    work.mkpath(QStringLiteral("."));
    auto path = [&](QString const& name) { return work.filePath(name); };
    QString const model =
        QCoreApplication::applicationDirPath() + "/../Resources/resource/models/documentai.model";
    pdfconv::common::LibraryManager::SetLogger(true, false);
    int const loaded =
        pdfconv::common::LibraryManager::SetDocumentAIModel(model.toUtf8(), pdfconv::base::OCRLanguageAuto);
    pdfconv::common::LibraryManager::SetOCRLanguage(pdfconv::base::OCRLanguageEnglish);
    std::printf("model %s: %s; %d cores\n", qPrintable(model), loaded == 0 ? "loaded" : "NOT LOADED",
                QThread::idealThreadCount());

    // Inputs: a clean scan of 16 A4 pages at 300 dpi, and 200 pages of text in two columns.
    std::printf("making inputs in %s ...\n", qPrintable(work.path()));
    std::fflush(stdout);
    int const scanPages = 16;
    QStringList expected;
    QStringList pageFiles;
    for (int p = 0; p < scanPages; ++p) {
        QStringList const lines = scanLines(p + 1);
        expected += lines.join(QLatin1Char(' ')).split(QLatin1Char(' '));
        pageFiles << path(QStringLiteral("scan-%1.pdf").arg(p));
        PdfFixtures::writeScanPdf(pageFiles.last(), lines, QSizeF(595, 842), 300);
    }
    runTool(QStringLiteral("qpdf"),
            QStringList{"--empty", "--pages"} + pageFiles + QStringList{"--", path("scan.pdf")});
    QList<PdfFixtures::Page> text;
    for (int p = 0; p < 200; ++p) {
        PdfFixtures::Page page;
        page.title = QStringLiteral("Chapter %1").arg(p);
        page.columns = 2;
        for (int i = 0; i < 6; ++i)
            page.paragraphs << PdfFixtures::words(QStringLiteral("p%1s%2w").arg(p).arg(i), 70);
        text << page;
    }
    PdfFixtures::writePdf(path("text200.pdf"), text);

    ConvertOptions ocr;
    ocr.useDocumentAI = true;
    ocr.ocrEnabled = true;

    // Quality: words back from the scan.
    double const searchable =
        apiRun(&PdfConversion::StartPDFToSearchablePdf, path("scan.pdf"), path("scan-searchable.pdf"), ocr);
    double const word = apiRun(&PdfConversion::StartPDFToWord, path("scan.pdf"), path("scan.docx"), ocr);
    std::printf("%-46s %6.1f %%  (target >= 95 %%)\n", "words back, searchable PDF",
                recall(expected, pdfText(path("scan-searchable.pdf"))));
    std::printf("%-46s %6.1f %%  (target >= 95 %%)\n", "words back, Word with recognition",
                recall(expected, docxText(path("scan.docx"))));

    // Speed: pages per second over all cores, through the library (helper, model load, writing).
    std::printf("%-46s %6.2f pages/s  (%d pages in %.2f s; target >= 2.5 on 8 cores)\n",
                "searchable PDF at 300 dpi, all cores", scanPages / searchable, scanPages, searchable);
    std::printf("%-46s %6.2f pages/s  (%d pages in %.2f s)\n", "Word with recognition, all cores",
                scanPages / word, scanPages, word);

    // One page against the tesseract command line on the same 300-dpi image.
    {
        runTool(QStringLiteral("pdftoppm"),
                {"-r", "300", "-gray", "-png", "-singlefile", pageFiles.first(), path("page")});
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        double cli = 0, cliOne = 0, ours = 0;
        int const rounds = 3;
        for (int i = 0; i < rounds; ++i) {
            env.remove("OMP_THREAD_LIMIT");
            cli += runTool("tesseract", {path("page.png"), path("cli"), "--tessdata-dir", model, "-l", "eng"},
                           env);
            env.insert("OMP_THREAD_LIMIT", "1");
            cliOne += runTool("tesseract",
                              {path("page.png"), path("cli1"), "--tessdata-dir", model, "-l", "eng"}, env);
            ours += apiRun(&PdfConversion::StartPDFToSearchablePdf, pageFiles.first(), path("one.pdf"), ocr);
        }
        std::printf("%-46s ours %6.3f s  tesseract %6.3f s  ratio %.2f  (target <= 1.2)\n",
                    "one page, library end to end vs command line", ours / rounds, cli / rounds, ours / cli);
        std::printf("%-46s ours %6.3f s  tesseract %6.3f s  ratio %.2f\n",
                    "the same against a one-thread command line", ours / rounds, cliOne / rounds,
                    ours / cliOne);
    }

    // 200 text pages to Word against pdftotext.
    {
        double theirs = 0, ours = 0;
        for (int i = 0; i < 3; ++i) {
            theirs += runTool("pdftotext", {path("text200.pdf"), path("theirs.txt")});
            ConvertOptions flowing;
            ours +=
                apiRun(&PdfConversion::StartPDFToWord, path("text200.pdf"), path("text200.docx"), flowing);
        }
        std::printf("%-46s ours %6.3f s  pdftotext %6.3f s  ratio %.2f  (target <= 2)\n",
                    "200 text pages to Word (flowing)", ours / 3, theirs / 3, ours / theirs);
        ConvertOptions layout;
        layout.wordLayout = 0;
        double const paged =
            apiRun(&PdfConversion::StartPDFToWord, path("text200.pdf"), path("paged.docx"), layout);
        std::printf("%-46s ours %6.3f s  ratio %.2f\n", "200 text pages to Word (page layout)", paged,
                    paged / (theirs / 3));
        ConvertOptions sheets;
        sheets.excelAllContent = true;
        double const excel =
            apiRun(&PdfConversion::StartPDFToExcel, path("text200.pdf"), path("text200.xlsx"), sheets);
        double const slides =
            apiRun(&PdfConversion::StartPDFToPpt, path("text200.pdf"), path("text200.pptx"), {});
        std::printf("%-46s ours %6.3f s  ratio %.2f\n", "200 text pages to Excel (all content)", excel,
                    excel / (theirs / 3));
        std::printf("%-46s ours %6.3f s  ratio %.2f\n", "200 text pages to PowerPoint", slides,
                    slides / (theirs / 3));
    }
    return 0;
}

// How much a Word output looks like its PDF, in both Word modes: the .docx goes back to PDF
// through LibreOffice, both are rendered at 72 dpi, and the mean structural similarity
// (SSIM: 15 x 15 Gaussian window, sigma 1.5, C1 6.5025, C2 58.5225, the mean of the three
// colour channels) compares the first pages. Also the share of its words that the round
// trip keeps of the worst page, the page layout's overlapping frames, and the conversion
// time against pdftotext. Prints figures; asserts nothing.
//
//   bench_word_fidelity [--before <MacOS folder of another build>] [--corpus <folder>]
//                       [--only <file>,<file>...] [work folder]
//
// The corpus is made into PDFs here by the producer of each source in tests/data/wordcorpus:
// LibreOffice (.fodt, .fods), groff with tbl (.ms) and pdflatex (.tex); a producer that is
// not installed is skipped. A scanned page is made here too. With --before, the same runs go
// through that build's conversion library too, and each row shows both. Every round trip's
// first page is put beside the original's in <work>/side/<file>-<mode>.png.

#include "DocxFrames.h"
#include "PackageReader.h"
#include "PdfFixtures.h"
#include "SyntheticScan.h"
#include "WordRecall.h"

#include <pdfconv/common/LibraryManager.h>
#include <pdfconv/conversion/PdfConversion.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// A Gaussian blur with a 15-tap kernel, borders reflected as OpenCV's default does.
std::vector<double> blur(std::vector<double> const& in, int w, int h)
{
    static std::vector<double> const kernel = [] {
        std::vector<double> k(15);
        double sum = 0;
        for (int i = 0; i < 15; ++i) {
            k[i] = std::exp(-double((i - 7) * (i - 7)) / (2 * 1.5 * 1.5));
            sum += k[i];
        }
        for (double& v : k)
            v /= sum;
        return k;
    }();
    auto reflect = [](int i, int n) {
        if (n == 1)
            return 0;
        while (i < 0 || i >= n)
            i = i < 0 ? -i : 2 * n - 2 - i;
        return i;
    };
    std::vector<double> tmp(in.size()), out(in.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double s = 0;
            for (int k = 0; k < 15; ++k)
                s += kernel[k] * in[size_t(y) * w + reflect(x + k - 7, w)];
            tmp[size_t(y) * w + x] = s;
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double s = 0;
            for (int k = 0; k < 15; ++k)
                s += kernel[k] * tmp[size_t(reflect(y + k - 7, h)) * w + x];
            out[size_t(y) * w + x] = s;
        }
    return out;
}

double ssimChannel(QImage const& a, QImage const& b, int channel)
{
    int const w = a.width(), h = a.height();
    size_t const n = size_t(w) * h;
    std::vector<double> x(n), y(n), xx(n), yy(n), xy(n);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            QRgb const pa = a.pixel(c, r), pb = b.pixel(c, r);
            double const va = channel == 0 ? qRed(pa) : channel == 1 ? qGreen(pa) : qBlue(pa);
            double const vb = channel == 0 ? qRed(pb) : channel == 1 ? qGreen(pb) : qBlue(pb);
            size_t const i = size_t(r) * w + c;
            x[i] = va;
            y[i] = vb;
            xx[i] = va * va;
            yy[i] = vb * vb;
            xy[i] = va * vb;
        }
    std::vector<double> const mx = blur(x, w, h), my = blur(y, w, h), sxx = blur(xx, w, h),
                              syy = blur(yy, w, h), sxy = blur(xy, w, h);
    double const c1 = 6.5025, c2 = 58.5225;
    double total = 0;
    for (size_t i = 0; i < n; ++i) {
        double const vx = sxx[i] - mx[i] * mx[i], vy = syy[i] - my[i] * my[i], cov = sxy[i] - mx[i] * my[i];
        total += ((2 * mx[i] * my[i] + c1) * (2 * cov + c2)) /
                 ((mx[i] * mx[i] + my[i] * my[i] + c1) * (vx + vy + c2));
    }
    return total / double(n);
}

// The mean SSIM of two page images; a page of another size is scaled to the first one's.
// One a pixel or two larger or smaller is the same paper rounded otherwise (LibreOffice makes
// a 595 x 842 page its A4 of 595.3 x 841.9 points): it is cut or padded with white instead,
// as scaling by a fraction of a pixel would blur every line of it.
double ssim(QImage a, QImage b)
{
    if (a.isNull() || b.isNull())
        return 0;
    a = a.convertToFormat(QImage::Format_RGB32);
    b = b.convertToFormat(QImage::Format_RGB32);
    if (std::abs(b.width() - a.width()) <= 2 && std::abs(b.height() - a.height()) <= 2) {
        QImage same(a.size(), QImage::Format_RGB32);
        same.fill(Qt::white);
        QPainter(&same).drawImage(0, 0, b);
        b = same;
    } else if (b.size() != a.size()) {
        b = b.scaled(a.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return (ssimChannel(a, b, 0) + ssimChannel(a, b, 1) + ssimChannel(a, b, 2)) / 3;
}

double seconds(QElapsedTimer const& t)
{
    return t.nsecsElapsed() / 1e9;
}

bool run(QString const& program, QStringList const& args, QByteArray* out = nullptr,
         QProcessEnvironment const& env = QProcessEnvironment())
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.start(program, args);
    bool const ok = p.waitForFinished(300000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (out)
        *out = p.readAllStandardOutput();
    return ok;
}

bool office(QStringList const& files, QString const& filter, QString const& folder, QString const& profile)
{
    return run(QStringLiteral("soffice"),
               QStringList{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
                           "--headless", "--norestore", "--convert-to", filter, "--outdir", folder} +
                   files);
}

QImage firstPage(QString const& pdf, QString const& stem)
{
    if (!run("pdftoppm", {"-r", "72", "-png", "-singlefile", "-f", "1", "-l", "1", pdf, stem}))
        return {};
    return QImage(stem + ".png");
}

QString pdfText(QString const& pdf, int page = 0)
{
    QByteArray out;
    QStringList args{"-enc", "UTF-8"};
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    run("pdftotext", args << pdf << "-", &out);
    return QString::fromUtf8(out);
}

int pageCount(QString const& pdf)
{
    QByteArray out;
    run("pdfinfo", {pdf}, &out);
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
        .match(QString::fromUtf8(out))
        .captured(1)
        .toInt();
}

// The corpus's sources made into PDFs in @p folder by their producers.
void makeCorpus(QString const& corpus, QString const& folder, QString const& profile)
{
    QDir const dir(corpus);
    QStringList office;
    for (auto const& name : dir.entryList({"*.fodt", "*.fods", "*.odt", "*.html", "*.docx"}, QDir::Files))
        office << dir.filePath(name);
    if (!office.isEmpty() &&
        !run(QStringLiteral("soffice"),
             QStringList{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
                         "--headless", "--norestore", "--convert-to", "pdf", "--outdir", folder} +
                 office))
        std::printf("skipped: LibreOffice cannot make %s\n", qPrintable(office.join(' ')));
    for (auto const& name : dir.entryList({"*.ms"}, QDir::Files)) {
        QProcess groff;
        groff.setStandardOutputFile(QDir(folder).filePath(QFileInfo(name).completeBaseName() + ".pdf"));
        groff.start("groff", {"-t", "-ms", "-Tpdf", "-P-pa4", dir.filePath(name)});
        if (!groff.waitForFinished(60000) || groff.exitCode() != 0) {
            QFile::remove(QDir(folder).filePath(QFileInfo(name).completeBaseName() + ".pdf"));
            std::printf("skipped: %s (groff with PDF output is not installed)\n", qPrintable(name));
        }
    }
    for (auto const& name : dir.entryList({"*.tex"}, QDir::Files))
        if (!run("pdflatex", {"-interaction=nonstopmode", "-output-directory", folder, dir.filePath(name)}))
            std::printf("skipped: %s (pdflatex is not installed)\n", qPrintable(name));
    for (auto const& junk : QDir(folder).entryList({"*.aux", "*.log"}, QDir::Files))
        QFile::remove(QDir(folder).filePath(junk));
}

// The pages side by side, each under its label.
void sideBySide(QVector<QPair<QString, QImage>> const& pages, QString const& path)
{
    int width = 0, height = 0;
    for (auto const& page : pages) {
        width += page.second.width() + 8;
        height = std::max(height, page.second.height());
    }
    QImage out(std::max(1, width), height + 20, QImage::Format_RGB32);
    out.fill(QColor(128, 128, 128));
    QPainter painter(&out);
    int x = 0;
    for (auto const& page : pages) {
        painter.setPen(Qt::white);
        painter.drawText(QRect(x, 0, page.second.width(), 20), Qt::AlignCenter, page.first);
        painter.drawImage(x, 20, page.second);
        x += page.second.width() + 8;
    }
    painter.end();
    out.save(path);
}

struct Result
{
    double ssim = 0;
    double words = 0; // of the page that keeps the least
    double time = 0;
    int pages = 0;
    int overlaps = 0; // page layout: pairs of frames over one another
    bool ok = false;
    QImage page;
};

// One conversion in a child process, so that --before can load another build's library.
int convertHere(QString const& mode, QString const& in, QString const& out)
{
    pdfconv::common::LibraryManager::SetLogger(false, false);
    pdfconv::base::ConvertOptions options;
    options.useDocumentAI = true;
    options.wordLayout = mode == QLatin1String("flowing") ? 1 : 0;
    QElapsedTimer t;
    t.start();
    int const code =
        pdfconv::conversion::PdfConversion::StartPDFToWord(in.toUtf8(), "", out.toUtf8(), options, nullptr);
    std::printf("%.6f\n", seconds(t));
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    // Fonts for the scanned page, without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() == 5 && args.at(1) == QLatin1String("--convert"))
        return convertHere(args.at(2), args.at(3), args.at(4));

    QString before, corpus = QStringLiteral(DOCQUILL_SOURCE_DIR "/tests/data/wordcorpus");
    QStringList only;
    for (int i = 1; i + 1 < args.size();) {
        if (args.at(i) == QLatin1String("--before")) {
            before = QDir(args.at(i + 1)).absolutePath();
            args.removeAt(i);
            args.removeAt(i);
        } else if (args.at(i) == QLatin1String("--only")) {
            only = args.at(i + 1).split(QLatin1Char(','));
            args.removeAt(i);
            args.removeAt(i);
        } else if (args.at(i) == QLatin1String("--corpus")) {
            corpus = QDir(args.at(i + 1)).absolutePath();
            args.removeAt(i);
            args.removeAt(i);
        } else {
            ++i;
        }
    }
    QTemporaryDir temp;
    QDir const work(args.size() > 1 ? QDir(args.at(1)).absolutePath() : temp.path());
    work.mkpath(QStringLiteral("src"));
    work.mkpath(QStringLiteral("side"));
    QString const profile = work.filePath(QStringLiteral("profile"));

    // The corpus as PDFs, and a scanned page.
    makeCorpus(corpus, work.filePath("src"), profile);
    QStringList scan;
    for (auto const& line : SyntheticScan::make(30, 7).lines)
        scan << line.join(QLatin1Char(' '));
    PdfFixtures::writeScanPdf(work.filePath("src/scan.pdf"), scan, QSizeF(595, 842), 200);
    QStringList const pdfs = QDir(work.filePath("src")).entryList({"*.pdf"}, QDir::Files, QDir::Name);

    struct Build
    {
        QString name;
        QString program;
        QProcessEnvironment env;
    };
    QVector<Build> builds;
    if (!before.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LD_LIBRARY_PATH", QDir(before).absoluteFilePath("../Frameworks"));
        builds.push_back({QStringLiteral("before"), app.applicationFilePath(), env});
    }
    builds.push_back({QStringLiteral("after"), app.applicationFilePath(), QProcessEnvironment()});

    std::printf("%-12s %-8s %-17s %-17s %-7s %-9s %-15s %-9s %s\n", "file", "mode", "SSIM before/after",
                "words before/after", "pages", "overlaps", "time before/after", "pdftotext", "ratio");
    double sumSsim[2][2] = {}, sumRatio = 0;
    int rows = 0;
    for (auto const& pdfName : pdfs) {
        QString const stem = QFileInfo(pdfName).completeBaseName();
        if (!only.isEmpty() && !only.contains(stem))
            continue;
        QString const pdf = work.filePath("src/" + pdfName);
        QImage const original = firstPage(pdf, work.filePath(stem + "-original"));
        QVector<QStringList> expected; // the words of each page
        for (int page = 1; page <= pageCount(pdf); ++page)
            expected << benchWords(pdfText(pdf, page));
        QVector<double> times;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer t;
            t.start();
            run("pdftotext", {pdf, work.filePath(stem + ".txt")});
            times << seconds(t);
        }
        std::sort(times.begin(), times.end());
        double const pdftotext = times.at(times.size() / 2);
        for (QString const mode : {"flowing", "layout"}) {
            std::vector<Result> results;
            QVector<QPair<QString, QImage>> side{{QStringLiteral("PDF"), original}};
            for (auto const& build : builds) {
                Result r;
                QString const folder = work.filePath(build.name + "-" + mode);
                QDir().mkpath(folder + "/pdf");
                QString const docx = folder + "/" + stem + ".docx";
                QVector<double> runs;
                for (int i = 0; i < 3; ++i) {
                    QByteArray out;
                    if (!run(build.program, {"--convert", mode, pdf, docx}, &out, build.env))
                        break;
                    runs << QString::fromLatin1(out).trimmed().toDouble();
                }
                if (runs.size() == 3 && office({docx}, "pdf", folder + "/pdf", profile)) {
                    std::sort(runs.begin(), runs.end());
                    QString const back = folder + "/pdf/" + stem + ".pdf";
                    r.ok = true;
                    r.time = runs.at(1);
                    r.page = firstPage(back, folder + "/" + stem);
                    r.ssim = ssim(original, r.page);
                    QString const text = pdfText(back);
                    r.words = 1;
                    for (auto const& words : expected)
                        r.words = std::min(r.words, wordRecall(words, text));
                    r.pages = pageCount(back);
                    r.overlaps =
                        overlappingFrames(docxFrames(PackageReader(docx).part("word/document.xml"))).size();
                }
                side.push_back(
                    {QStringLiteral("%1 %2 (SSIM %3)").arg(build.name, mode).arg(r.ssim, 0, 'f', 3), r.page});
                results.push_back(r);
            }
            sideBySide(side, work.filePath(QStringLiteral("side/%1-%2.png").arg(stem, mode)));
            Result const after = results.back();
            Result const was = results.size() > 1 ? results.front() : Result();
            int const m = mode == QLatin1String("flowing") ? 0 : 1;
            sumSsim[m][0] += was.ssim;
            sumSsim[m][1] += after.ssim;
            sumRatio += after.time / pdftotext;
            ++rows;
            std::printf(
                "%-12s %-8s %7.3f / %7.3f  %6.1f%% / %6.1f%%  %d / %d  %3d / %3d  %6.3f / %6.3f  %7.3f s "
                "%6.2f\n",
                qPrintable(stem), qPrintable(mode), was.ssim, after.ssim, 100 * was.words, 100 * after.words,
                was.pages, after.pages, was.overlaps, after.overlaps, was.time, after.time, pdftotext,
                after.time / pdftotext);
            std::fflush(stdout);
        }
    }
    int const files = rows / 2;
    if (files > 0)
        std::printf(
            "mean SSIM flowing %.3f -> %.3f, page layout %.3f -> %.3f; mean time ratio %.2f (target <= 2)\n",
            sumSsim[0][0] / files, sumSsim[0][1] / files, sumSsim[1][0] / files, sumSsim[1][1] / files,
            sumRatio / rows);
    return 0;
}

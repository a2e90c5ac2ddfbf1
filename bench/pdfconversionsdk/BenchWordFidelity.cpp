// How well a Word output keeps its PDF, in both Word modes, over a corpus of documents made
// here by their own producers. Each .docx goes back to PDF through LibreOffice and is measured
// against the original, per document and mode:
//   pages   round-trip pages / source pages (flowing text should flow: <= 1.15x);
//   heads   running heads and feet found in the header/footer parts and not in the body, and
//           a PAGE field where the pages are numbered;
//   notes   footnotes in the footnotes part with their anchors in the body (page layout: in
//           the part, or at the foot of a rendered page);
//   ovl     pairs of words drawn over one another on the rendered pages, beyond those the
//           source itself has (boxes sharing a third of the smaller one);
//   off     words standing partly off their rendered page, or in page layout beyond the
//           left or right edge of the source's text, beyond those the source has off its page;
//   frm     pairs of the package's frames whose rectangles overlap (page layout);
//   words   the share of its words that the round trip keeps of the worst source page, on
//           its rendered pages or in its pictures' alternative texts (an equation's); two
//           words of the PDF's text that the round trip holds as one word of the source file
//           count as kept (a kern the PDF's text reads as a space);
//   order   the share of the source's words kept in the order of the text (longest common
//           subsequence over the words as the PDFs' content gives them);
//   logic   Hebrew, Arabic and Burmese words of the source file found in logical order on
//           the rendered round trip (r: found with their letters reversed);
//   split   words of the .docx's body cut at a line-end hyphen ("proceed-" and "ing")
//           whose joined form is a word of the source;
//   lines   code lines that stay lines of their own in the body;
//   inl     text with superscripts or subscripts ("10^-6 s^-1") that stays in one line;
//   merge   table cells spanning rows or columns, against the source's;
//   eq      display equations kept as one unit: Office math paragraphs and pictures with an
//           alternative text, against the source's;
//   SSIM    mean structural similarity of the first pages at 72 dpi (15 x 15 Gaussian window,
//           sigma 1.5, C1 6.5025, C2 58.5225, the mean of the three colour channels).
// A dark first page (a slide's background) must stay dark. A summary marks each target pass or
// fail. Prints figures; asserts nothing. The time is one
// conversion's, with other documents converting beside it: word_speed.py measures speed.
//
//   bench_word_fidelity [--before <MacOS folder of another build>] [--corpus <folder>]
//                       [--only <document>,<document>...] [--jobs <n>] [work folder]
//
// The corpus's sources (tests/data/wordcorpus) are made into PDFs in <work>/src by their
// producers: LibreOffice (.fodt, .fods, .fodp), groff -ms with tbl and eqn (.ms), and TeX
// (.tex; the engine named by a "% !TEX program = xelatex" first line, else pdflatex), once,
// and again when the source changes; a producer that fails is reported and its document
// skipped. bench/setup installs the producers. A scanned page is made here too. What each
// document holds (running heads, footnotes, code lines, merged cells, equations) is in the
// corpus's structure.txt. With --before, the same runs go through that build's conversion
// library too, row under row. Every round trip is kept in <work>/<build>-<mode>/ (.docx and pdf/), and its
// first pages are put under the original's in <work>/side/<document>-<mode>.png.

#include "DocxFrames.h"
#include "PackageReader.h"
#include "PdfFixtures.h"
#include "SyntheticScan.h"
#include "WordRecall.h"
#include "WordStructure.h"

#include <pdfconv/common/LibraryManager.h>
#include <pdfconv/conversion/PdfConversion.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QMap>
#include <QMutex>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QRunnable>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>
#include <QUrl>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
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
         QProcessEnvironment const& env = QProcessEnvironment(), QString const& log = QString())
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    if (!log.isEmpty()) {
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.setStandardOutputFile(log, QIODevice::Append);
    }
    p.start(program, args);
    bool const ok = p.waitForFinished(300000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
    }
    if (out)
        *out = p.readAllStandardOutput();
    return ok;
}

// LibreOffice runs once per profile at a time: each worker thread keeps a profile of its own.
QString threadProfile(QDir const& work)
{
    static std::atomic<int> taken{0};
    thread_local int const slot = taken++;
    return work.filePath(QStringLiteral("profiles/%1").arg(slot));
}

bool office(QStringList const& files, QString const& folder, QString const& profile)
{
    return run(QStringLiteral("soffice"),
               QStringList{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
                           "--headless", "--norestore", "--convert-to", "pdf", "--outdir", folder} +
                   files);
}

QImage firstPage(QString const& pdf, QString const& stem)
{
    if (!run("pdftoppm", {"-r", "72", "-png", "-singlefile", "-f", "1", "-l", "1", pdf, stem}))
        return {};
    return QImage(stem + ".png");
}

// The first pages of a PDF, small, for the side-by-side pictures.
QVector<QImage> firstPages(QString const& pdf, QString const& stem, int count)
{
    QVector<QImage> pages;
    QDir const dir = QFileInfo(stem).dir();
    QString const prefix = QFileInfo(stem).fileName();
    for (auto const& old : dir.entryList({prefix + "-*.png"}, QDir::Files))
        QFile::remove(dir.filePath(old));
    if (!run("pdftoppm", {"-r", "40", "-png", "-f", "1", "-l", QString::number(count), pdf, stem}))
        return pages;
    for (auto const& name : dir.entryList({prefix + "-*.png"}, QDir::Files, QDir::Name)) {
        pages << QImage(dir.filePath(name));
        QFile::remove(dir.filePath(name));
    }
    return pages;
}

QString pdfText(QString const& pdf, int page = 0, bool raw = false)
{
    QByteArray out;
    QStringList args{"-enc", "UTF-8"};
    if (raw)
        args << "-raw";
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

struct Source
{
    QString file;     // in the corpus
    QString producer; // "soffice", "groff" or a TeX engine
};

QMap<QString, Source> corpusSources(QDir const& dir)
{
    QMap<QString, Source> sources;
    for (auto const& info : dir.entryInfoList(QDir::Files, QDir::Name)) {
        QString const suffix = info.suffix().toLower();
        QString producer;
        if (QStringList{"fodt", "fods", "fodp", "odt", "ods", "odp", "html", "docx"}.contains(suffix)) {
            producer = QStringLiteral("soffice");
        } else if (suffix == QLatin1String("ms")) {
            producer = QStringLiteral("groff");
        } else if (suffix == QLatin1String("tex")) {
            producer = QStringLiteral("pdflatex");
            QFile file(info.filePath());
            if (file.open(QIODevice::ReadOnly)) {
                auto const magic = QRegularExpression(QStringLiteral("^%\\s*!TEX\\s+program\\s*=\\s*(\\w+)"))
                                       .match(QString::fromUtf8(file.readLine()));
                if (magic.hasMatch())
                    producer = magic.captured(1);
            }
        } else {
            continue;
        }
        sources.insert(info.completeBaseName(), {info.filePath(), producer});
    }
    return sources;
}

// The corpus's sources made into PDFs in <work>/src by their producers, those that changed
// since the last run only, several at once.
void makeCorpus(QMap<QString, Source> const& sources, QDir const& work, QStringList const& only, int jobs)
{
    QString const folder = work.filePath(QStringLiteral("src"));
    auto current = [&](QString const& stem, Source const& source) {
        QFileInfo const pdf(QDir(folder).filePath(stem + ".pdf"));
        return pdf.exists() && pdf.lastModified() >= QFileInfo(source.file).lastModified();
    };
    QStringList office;
    QVector<QPair<QString, Source>> others;
    for (auto it = sources.begin(); it != sources.end(); ++it) {
        if ((!only.isEmpty() && !only.contains(it.key())) || current(it.key(), it.value()))
            continue;
        if (it.value().producer == QLatin1String("soffice"))
            office << it.value().file;
        else
            others.push_back({it.key(), it.value()});
    }
    QThreadPool pool;
    pool.setMaxThreadCount(jobs);
    QMutex lock;
    auto skipped = [&](QString const& name, QString const& log) {
        QMutexLocker locked(&lock);
        std::printf("skipped: %s (its producer failed; see %s)\n", qPrintable(name), qPrintable(log));
    };
    work.mkpath(QStringLiteral("logs"));
    if (!office.isEmpty())
        pool.start(QRunnable::create([&] {
            QString const log = work.filePath(QStringLiteral("logs/soffice.log"));
            run(QStringLiteral("soffice"),
                QStringList{
                    QStringLiteral("-env:UserInstallation=") +
                        QUrl::fromLocalFile(work.filePath(QStringLiteral("profiles/corpus"))).toString(),
                    "--headless", "--norestore", "--convert-to", "pdf", "--outdir", folder} +
                    office,
                nullptr, QProcessEnvironment(), log);
            for (auto it = sources.begin(); it != sources.end(); ++it)
                if (office.contains(it.value().file) && !current(it.key(), it.value()))
                    skipped(QFileInfo(it.value().file).fileName(), log);
        }));
    for (auto const& source : others)
        pool.start(QRunnable::create([&, source] {
            QString const stem = source.first, file = source.second.file;
            QString const log = work.filePath(QStringLiteral("logs/%1.log").arg(stem));
            QString const pdf = QDir(folder).filePath(stem + ".pdf");
            QFile::remove(log);
            QFile::remove(pdf);
            bool ok = false;
            if (source.second.producer == QLatin1String("groff")) {
                QProcess groff;
                groff.setStandardOutputFile(pdf);
                groff.setStandardErrorFile(log);
                groff.start("groff", {"-k", "-t", "-e", "-ms", "-Tpdf", "-P-pa4", file});
                ok = groff.waitForFinished(120000) && groff.exitCode() == 0;
            } else {
                // Twice, so that references and the last page's number are known.
                QString const build = work.filePath(QStringLiteral("tex/") + stem);
                QDir().mkpath(build);
                QStringList const args{"-interaction=nonstopmode", "-halt-on-error", "-output-directory",
                                       build, file};
                ok = run(source.second.producer, args, nullptr, QProcessEnvironment(), log) &&
                     run(source.second.producer, args, nullptr, QProcessEnvironment(), log) &&
                     QFile::copy(QDir(build).filePath(stem + ".pdf"), pdf);
            }
            if (!ok) {
                QFile::remove(pdf);
                skipped(QFileInfo(file).fileName(), log);
            }
        }));
    pool.waitForDone();
}

// Rows of small pages, each row under its label.
void sideBySide(QVector<QPair<QString, QVector<QImage>>> const& rows, QString const& path)
{
    int width = 0, height = 0;
    for (auto const& row : rows) {
        int w = 0, h = 0;
        for (auto const& page : row.second) {
            w += page.width() + 6;
            h = std::max(h, page.height());
        }
        width = std::max(width, w);
        height += h + 20;
    }
    QImage out(std::max(200, width), std::max(1, height), QImage::Format_RGB32);
    out.fill(QColor(128, 128, 128));
    QPainter painter(&out);
    int y = 0;
    for (auto const& row : rows) {
        painter.setPen(Qt::white);
        painter.drawText(QRect(4, y, out.width() - 8, 20), Qt::AlignLeft | Qt::AlignVCenter, row.first);
        int x = 0, h = 0;
        for (auto const& page : row.second) {
            painter.drawImage(x, y + 20, page);
            x += page.width() + 6;
            h = std::max(h, page.height());
        }
        y += h + 20;
    }
    painter.end();
    out.save(path);
}

struct Build
{
    QString name;
    QString program;
    QProcessEnvironment env;
};

struct Result
{
    QString document, mode, build;
    bool ok = false;
    QString failure;
    int sourcePages = 0, pages = 0;
    double ssim = 0;
    double words = 0; // of the page that keeps the least
    double order = 0;
    double time = 0;
    int overlaps = 0; // words over one another on the rendered pages, beyond the source's own
    int offPage = 0;  // words partly off their rendered page or margins, beyond the source's own
    int split = 0;
    bool darkSource = false, darkKept = false; // a dark first page (a slide) and the round trip's
    int frames = 0;                            // page layout: pairs of the package's frames over one another
    StructureCheck structure;
    bool pageNumber = false;
    LogicalOrder logic;
    double sourceLogic = 1; // what the source PDF itself gives of those words in logical order

    double ratio() const { return sourcePages > 0 ? double(pages) / sourcePages : 0; }
    int notesKept() const
    {
        if (mode == QLatin1String("flowing"))
            return structure.anchors >= structure.notesInPart ? structure.notesInPart : structure.anchors;
        return structure.notes - structure.notesMissed.size();
    }
    bool headsOk() const
    {
        return structure.headsInParts == structure.heads && (!pageNumber || structure.pageField);
    }
    bool logicOk() const { return logic.words == 0 || logic.kept >= 0.95 * logic.words; }
    bool tablesOk() const { return structure.mergedCells >= expectedMerged; }
    bool equationsOk() const { return structure.equations >= expectedEquations; }
    int expectedMerged = 0, expectedEquations = 0;
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

// A page mostly dark: a slide's coloured background under light text.
bool darkness(QImage const& page)
{
    if (page.isNull())
        return false;
    QImage const small = page.scaled(64, 64).convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x)
            sum += qGray(small.pixel(x, y));
    return sum / (small.width() * small.height()) < 100;
}

QString sourceText(QString const& file)
{
    if (file.isEmpty())
        return {};
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Every measure of one document in both modes and every build.
QVector<Result> measure(QString const& stem, QDir const& work, QVector<Build> const& builds,
                        Expectation const& expected, QString const& sourceFile)
{
    QVector<Result> results;
    QString const pdf = work.filePath("src/" + stem + ".pdf");
    QString const profile = threadProfile(work);
    QImage const original = firstPage(pdf, work.filePath("pages/" + stem + "-original"));
    QVector<QImage> const originalPages = firstPages(pdf, work.filePath("pages/" + stem + "-o"), 6);
    int const sourcePages = pageCount(pdf);
    QVector<QStringList> expectedWords; // the words of each page
    for (int page = 1; page <= sourcePages; ++page)
        expectedWords << benchWords(pdfText(pdf, page));
    QString const rawText = pdfText(pdf, 0, true);
    QStringList const sourceWords = benchWords(rawText);
    // The source's words with line-end hyphens joined, less its compounds ("run-up" within a
    // line): what a word cut at a hyphen should have been.
    QStringList const allWords = benchWords(pdfText(pdf));
    QSet<QString> vocabulary(allWords.begin(), allWords.end());
    auto compound = QRegularExpression(QStringLiteral("(\\p{L}+)-(\\p{L}+)")).globalMatch(rawText);
    while (compound.hasNext()) {
        auto const m = compound.next();
        vocabulary.remove((m.captured(1) + m.captured(2)).toLower());
    }
    QString const fileText = sourceText(sourceFile);
    QStringList const sourceLogic = logicalWords(fileText);
    QStringList const fileWordList = benchWords(fileText);
    QSet<QString> const fileWords(fileWordList.begin(), fileWordList.end());
    LogicalOrder const sourceLogicHeld = compareLogical(sourceLogic, pdfText(pdf));
    QVector<RenderedPage> const sourceBoxes = renderedPages(pdf);
    QPair<double, double> const edges = textEdges(sourceBoxes);
    int sourceOverlaps = 0, sourceOff = 0; // a superscript touching a word, a cell cut at the page's edge
    for (auto const& page : sourceBoxes) {
        sourceOverlaps += overlappingWords(page);
        sourceOff += wordsOffPage(page);
    }
    for (QString const mode : {"flowing", "layout"}) {
        QVector<QPair<QString, QVector<QImage>>> side{
            {QStringLiteral("%1: PDF, %2 pages").arg(stem).arg(sourcePages), originalPages}};
        for (auto const& build : builds) {
            Result r;
            r.document = stem;
            r.mode = mode;
            r.build = build.name;
            r.sourcePages = sourcePages;
            r.pageNumber = expected.pageNumber;
            r.sourceLogic = sourceLogicHeld.words ? double(sourceLogicHeld.kept) / sourceLogicHeld.words : 1;
            QString const folder = work.filePath(build.name + "-" + mode);
            QString const docx = folder + "/" + stem + ".docx";
            QString const back = folder + "/pdf/" + stem + ".pdf";
            QFile::remove(docx);
            QFile::remove(back);
            r.expectedMerged = expected.mergedCells;
            r.expectedEquations = expected.equations;
            r.darkSource = darkness(original);
            QByteArray out;
            if (!run(build.program, {"--convert", mode, pdf, docx}, &out, build.env)) {
                r.failure = QStringLiteral("conversion failed");
            } else if (!office({docx}, folder + "/pdf", profile) || !QFile::exists(back)) {
                r.failure = QStringLiteral("LibreOffice cannot open the .docx");
            } else {
                r.ok = true;
                r.time = QString::fromLatin1(out).trimmed().toDouble();
                QImage const page = firstPage(back, folder + "/" + stem);
                r.ssim = ssim(original, page);
                r.darkKept = darkness(page);
                QString const text = pdfText(back);
                QString const kept =
                    text + pictureDescriptions(PackageReader(docx).part(QStringLiteral("word/document.xml")));
                r.words = 1;
                for (auto const& words : expectedWords)
                    r.words = std::min(r.words, wordRecall(words, kept, fileWords));
                r.order = inOrder(sourceWords, benchWords(pdfText(back, 0, true)));
                r.pages = pageCount(back);
                QVector<RenderedPage> const rendered = renderedPages(back);
                for (auto const& page : rendered) {
                    r.overlaps += overlappingWords(page);
                    // Flowing text sets its own margins; page layout keeps the source's.
                    r.offPage +=
                        mode == QLatin1String("layout") ? wordsOffPage(page, edges) : wordsOffPage(page);
                }
                r.overlaps = std::max(0, r.overlaps - sourceOverlaps);
                r.offPage = std::max(0, r.offPage - sourceOff);
                PackageReader const package(docx);
                r.frames = overlappingFrames(docxFrames(package.part("word/document.xml"))).size();
                r.structure = checkStructure(package, expected, rendered);
                r.logic = compareLogical(sourceLogic, text);
                r.split = splitWords(package, vocabulary);
            }
            side.push_back({QStringLiteral("%1 %2: %3 pages, SSIM %4")
                                .arg(build.name, mode)
                                .arg(r.pages)
                                .arg(r.ssim, 0, 'f', 3),
                            r.ok ? firstPages(back, folder + "/" + stem + "-p", 6) : QVector<QImage>()});
            results.push_back(r);
        }
        sideBySide(side, work.filePath(QStringLiteral("side/%1-%2.png").arg(stem, mode)));
    }
    return results;
}

QString fraction(int kept, int all)
{
    return all == 0 ? QStringLiteral("-") : QStringLiteral("%1/%2").arg(kept).arg(all);
}

void printRow(Result const& r)
{
    if (!r.ok) {
        std::printf("%-14s %-7s %-6s %s\n", qPrintable(r.document), qPrintable(r.mode), qPrintable(r.build),
                    qPrintable(r.failure));
        return;
    }
    QString heads = fraction(r.structure.headsInParts, r.structure.heads);
    if (r.pageNumber)
        heads += r.structure.pageField ? QStringLiteral(" P") : QStringLiteral(" -P");
    QString const logic = r.logic.words == 0 ? QStringLiteral("-")
                                             : QStringLiteral("%1 r%2")
                                                   .arg(double(r.logic.kept) / r.logic.words, 0, 'f', 2)
                                                   .arg(r.logic.reversed);
    std::printf("%-14s %-7s %-6s %2d->%-3d %5.2fx  %-8s %-6s %4d %4d %4d   %5.3f %5.3f  %-9s %4d  %-5s %-5s "
                "%-5s %-5s %5.3f %6.2f\n",
                qPrintable(r.document), qPrintable(r.mode), qPrintable(r.build), r.sourcePages, r.pages,
                r.ratio(), qPrintable(heads), qPrintable(fraction(r.notesKept(), r.structure.notes)),
                r.overlaps, r.offPage, r.frames, r.words, r.order, qPrintable(logic), r.split,
                qPrintable(fraction(r.structure.linesKept, r.structure.lines)),
                qPrintable(fraction(r.structure.inlinesKept, r.structure.inlines)),
                qPrintable(r.expectedMerged ? fraction(r.structure.mergedCells, r.expectedMerged) : "-"),
                qPrintable(r.expectedEquations ? fraction(r.structure.equations, r.expectedEquations) : "-"),
                r.ssim, r.time);
}

// One target over the rows of one build and mode: how many documents meet it, and which not.
void printTarget(QString const& name, QVector<Result> const& rows,
                 std::function<bool(Result const&)> const& applies,
                 std::function<bool(Result const&)> const& met)
{
    int all = 0;
    QStringList failed;
    for (auto const& r : rows) {
        if (!applies(r))
            continue;
        ++all;
        if (!r.ok || !met(r))
            failed << r.document;
    }
    if (all == 0)
        return;
    std::printf("  %-36s %-4s %2d/%-2d %s\n", qPrintable(name), failed.isEmpty() ? "pass" : "FAIL",
                all - failed.size(), all, qPrintable(failed.join(QLatin1Char(' '))));
}

void summary(QVector<Result> const& all, QStringList const& buildNames)
{
    QHash<QString, double> meanSsim;
    for (auto const& build : buildNames)
        for (QString const mode : {"flowing", "layout"}) {
            QVector<Result> rows;
            double ssimSum = 0, orderSum = 0, worstOrder = 1;
            for (auto const& r : all)
                if (r.build == build && r.mode == mode) {
                    rows << r;
                    ssimSum += r.ssim;
                    orderSum += r.order;
                    worstOrder = std::min(worstOrder, r.order);
                }
            if (rows.isEmpty())
                continue;
            meanSsim[build + mode] = ssimSum / rows.size();
            std::printf("\n%s, %s (%d documents):\n", qPrintable(build), qPrintable(mode), int(rows.size()));
            auto always = [](Result const&) { return true; };
            if (mode == QLatin1String("flowing"))
                printTarget(QStringLiteral("pages <= 1.15x of the source"), rows, always,
                            [](Result const& r) { return r.ratio() <= 1.15; });
            else
                printTarget(QStringLiteral("pages as the source"), rows, always,
                            [](Result const& r) { return r.pages == r.sourcePages; });
            printTarget(QStringLiteral("0 words over one another"), rows, always,
                        [](Result const& r) { return r.overlaps == 0; });
            printTarget(QStringLiteral("0 words off the page or margin"), rows, always,
                        [](Result const& r) { return r.offPage == 0; });
            printTarget(
                QStringLiteral("running heads in header/footer parts"), rows,
                [](Result const& r) { return r.structure.heads > 0 || r.pageNumber; },
                [](Result const& r) { return r.headsOk(); });
            printTarget(
                mode == QLatin1String("flowing") ? QStringLiteral("footnotes in their part, anchored")
                                                 : QStringLiteral("footnotes in their part or at the foot"),
                rows, [](Result const& r) { return r.structure.notes > 0; },
                [](Result const& r) { return r.notesKept() == r.structure.notes; });
            printTarget(
                QStringLiteral("RTL/Burmese words in logical order"), rows,
                [](Result const& r) { return r.logic.words > 0; },
                [](Result const& r) { return r.logicOk(); });
            printTarget(QStringLiteral("0 words split at a line-end hyphen"), rows, always,
                        [](Result const& r) { return r.split == 0; });
            printTarget(
                QStringLiteral("code lines kept as lines"), rows,
                [](Result const& r) { return r.structure.lines > 0; },
                [](Result const& r) { return r.structure.linesKept == r.structure.lines; });
            printTarget(
                QStringLiteral("super-/subscripts in their line"), rows,
                [](Result const& r) { return r.structure.inlines > 0; },
                [](Result const& r) { return r.structure.inlinesKept == r.structure.inlines; });
            printTarget(
                QStringLiteral("merged table cells kept"), rows,
                [](Result const& r) { return r.expectedMerged > 0; },
                [](Result const& r) { return r.tablesOk(); });
            printTarget(
                QStringLiteral("display equations as one unit"), rows,
                [](Result const& r) { return r.expectedEquations > 0; },
                [](Result const& r) { return r.equationsOk(); });
            printTarget(
                QStringLiteral("dark slide backgrounds kept"), rows,
                [](Result const& r) { return r.darkSource; }, [](Result const& r) { return r.darkKept; });
            printTarget(QStringLiteral("words kept >= 0.95 (worst page)"), rows, always,
                        [](Result const& r) { return r.words >= 0.95; });
            std::printf("  %-36s mean %.3f, worst %.3f\n", "reading order (words in order)",
                        orderSum / rows.size(), worstOrder);
            std::printf("  %-36s mean %.3f", "SSIM of the first pages", meanSsim[build + mode]);
            if (build != buildNames.first() && meanSsim.contains(buildNames.first() + mode)) {
                double const was = meanSsim[buildNames.first() + mode];
                std::printf(" (%s %.3f: %s)", qPrintable(buildNames.first()), was,
                            meanSsim[build + mode] + 0.0005 >= was ? "pass, does not fall" : "FAIL, falls");
            }
            std::printf("\n");
        }
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
    int jobs = std::max(1, std::min(4, QThread::idealThreadCount() / 2));
    for (int i = 1; i + 1 < args.size();) {
        QString const option = args.at(i), value = args.at(i + 1);
        if (option == QLatin1String("--before"))
            before = QDir(value).absolutePath();
        else if (option == QLatin1String("--only"))
            only = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
        else if (option == QLatin1String("--corpus"))
            corpus = QDir(value).absolutePath();
        else if (option == QLatin1String("--jobs"))
            jobs = std::max(1, value.toInt());
        else {
            ++i;
            continue;
        }
        args.removeAt(i);
        args.removeAt(i);
    }
    QTemporaryDir temp;
    QDir const work(args.size() > 1 ? QDir(args.at(1)).absolutePath() : temp.path());
    for (auto const& folder : {"src", "side", "pages", "profiles"})
        work.mkpath(QLatin1String(folder));

    // The corpus as PDFs, and a scanned page.
    QMap<QString, Source> const sources = corpusSources(QDir(corpus));
    QElapsedTimer clock;
    clock.start();
    makeCorpus(sources, work, only, jobs);
    if (!QFile::exists(work.filePath("src/scan.pdf"))) {
        QStringList scan;
        for (auto const& line : SyntheticScan::make(30, 7).lines)
            scan << line.join(QLatin1Char(' '));
        PdfFixtures::writeScanPdf(work.filePath("src/scan.pdf"), scan, QSizeF(595, 842), 200);
    }
    QHash<QString, Expectation> const expectations =
        readExpectations(QDir(corpus).filePath(QStringLiteral("structure.txt")));
    QStringList documents;
    for (auto const& name : QDir(work.filePath("src")).entryList({"*.pdf"}, QDir::Files, QDir::Name)) {
        QString const stem = QFileInfo(name).completeBaseName();
        if ((only.isEmpty() || only.contains(stem)) &&
            (sources.contains(stem) || stem == QLatin1String("scan")))
            documents << stem;
    }
    std::fprintf(stderr, "corpus ready in %.0f s: %d documents, %d at a time\n", seconds(clock),
                 int(documents.size()), jobs);

    QVector<Build> builds;
    if (!before.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LD_LIBRARY_PATH", QDir(before).absoluteFilePath("../Frameworks"));
        builds.push_back({QStringLiteral("before"), app.applicationFilePath(), env});
    }
    builds.push_back({QStringLiteral("after"), app.applicationFilePath(), QProcessEnvironment()});
    QStringList buildNames;
    for (auto const& build : builds) {
        work.mkpath(build.name + "-flowing/pdf");
        work.mkpath(build.name + "-layout/pdf");
        buildNames << build.name;
    }

    QMutex lock;
    QMap<QString, QVector<Result>> results;
    QThreadPool pool;
    pool.setMaxThreadCount(jobs);
    pool.setExpiryTimeout(-1);
    for (auto const& stem : documents)
        pool.start(QRunnable::create([&, stem] {
            QVector<Result> rows =
                measure(stem, work, builds, expectations.value(stem), sources.value(stem).file);
            QMutexLocker locked(&lock);
            results.insert(stem, rows);
            std::fprintf(stderr, "%3d/%d %s (%.0f s)\n", int(results.size()), int(documents.size()),
                         qPrintable(stem), seconds(clock));
        }));
    pool.waitForDone();

    std::printf("%-14s %-7s %-6s %-7s %-6s  %-8s %-6s %4s %4s %4s   %-5s %-5s  %-9s %5s  %-5s %-5s %-5s %-5s "
                "%-5s %6s\n",
                "document", "mode", "build", "pages", "ratio", "heads", "notes", "ovl", "off", "frm", "words",
                "order", "logic", "split", "lines", "inl", "merge", "eq", "SSIM", "time");
    QVector<Result> all;
    for (auto const& rows : results)
        for (auto const& r : rows) {
            printRow(r);
            all << r;
        }
    for (auto const& r : all)
        if (r.ok && r.build == buildNames.last() && r.mode == QLatin1String("flowing")) {
            if (!r.structure.headsMissed.isEmpty())
                std::printf("%s: heads not in their parts: %s\n", qPrintable(r.document),
                            qPrintable(r.structure.headsMissed.join(QStringLiteral(" | "))));
            if (r.sourceLogic < 0.95)
                std::printf("%s: the source PDF's own text holds only %.2f of its words in logical order\n",
                            qPrintable(r.document), r.sourceLogic);
            if (!r.structure.linesMissed.isEmpty())
                std::printf("%s: lines not kept as lines: %s\n", qPrintable(r.document),
                            qPrintable(r.structure.linesMissed.join(QStringLiteral(" | "))));
            if (!r.structure.notesMissed.isEmpty())
                std::printf("%s: footnotes neither in their part nor at the foot of a page: %s\n",
                            qPrintable(r.document),
                            qPrintable(r.structure.notesMissed.join(QStringLiteral(" | "))));
        }
    summary(all, buildNames);
    std::printf("\nround trips in %s, side by side in %s (%.0f s)\n", qPrintable(work.absolutePath()),
                qPrintable(work.filePath("side")), seconds(clock));
    return 0;
}

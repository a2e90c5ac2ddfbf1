// Figures for the conversion core: what the engine adds over a direct SDK call, adding many
// PDFs to a list and the memory their items hold, merging against the qpdf command line, and
// the pipeline's own overhead.
// Prints figures; asserts nothing.
#include "converters/SdkBoundary.h"
#include "engines/ConvertEngine.h"
#include "items/FileItem.h"
#include "items/FileItemList.h"
#include "pdf/MergeFunction.h"
#include "pipeline/TaskController.h"

#include "TestHome.h"
#include "TestPdf.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTextStream>

#include <cstddef>
#include <cstdio>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// The sanitizers replace malloc; GCC ships no header for their allocator statistics.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

double ms(QElapsedTimer const& t)
{
    return t.nsecsElapsed() / 1e6;
}

void engineOverhead(QString const& dir)
{
    QString pdf = dir + "/text.pdf";
    QStringList pages;
    for (int i = 0; i < 20; ++i)
        pages << QString("Page %1 with a line of ordinary text for extraction").arg(i + 1);
    TestPdf::write(pdf, pages);
    const int runs = 10;
    pdfconv::base::ConvertOptions record;
    record.keepLayout = false;

    QElapsedTimer direct;
    direct.start();
    for (int i = 0; i < runs; ++i) {
        QString out = dir + QString("/direct_%1.txt").arg(i);
        SdkBoundary::real().startTxt(pdf.toUtf8().constData(), "", out.toUtf8().constData(), record, nullptr);
    }
    double directMs = ms(direct) / runs;

    ConvertEngine engine;
    engine.setType(ToTxt);
    QElapsedTimer viaEngine;
    viaEngine.start();
    for (int i = 0; i < runs; ++i)
        engine.run(pdf, dir + "/engine", "");
    double engineMs = ms(viaEngine) / runs;
    std::printf(
        "engine: direct SDK %.1f ms, through the engine %.1f ms per 20-page text conversion (%.2fx)\n",
        directMs, engineMs, engineMs / directMs);
}

void addingFiles(QString const& dir)
{
    QString sample = dir + "/sample.pdf";
    TestPdf::writePages(sample, 2);
    QDir().mkpath(dir + "/many");
    QStringList paths;
    for (int i = 0; i < 1000; ++i) {
        paths << dir + QString("/many/%1.pdf").arg(i);
        QFile::copy(sample, paths.last());
    }
    FileItemList list(ModeConvert);
    QElapsedTimer t;
    t.start();
    list.addFiles(paths);
    std::printf("items: adding 1000 PDFs to a list took %.0f ms (%.2f ms per file)\n", ms(t), ms(t) / 1000);
}

// Bytes the process holds allocated on the heap right now.
double heapMb()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return __sanitizer_get_current_allocated_bytes() / 1048576.0;
#else
    struct mallinfo2 info = mallinfo2();
    return (info.uordblks + info.hblkhd) / 1048576.0;
#endif
}

void itemMemory(QString const& dir, int files, int pages)
{
    QString manual = dir + QString("/manual-%1.pdf").arg(pages);
    TestPdf::writePages(manual, pages);
    QString folder = dir + QString("/manuals-%1").arg(pages);
    QDir().mkpath(folder);
    QStringList paths;
    for (int i = 0; i < files; ++i) {
        paths << folder + QString("/%1.pdf").arg(i);
        QFile::link(manual, paths.last());
    }
    double before = heapMb();
    FileItemList list(ModeConvert);
    list.addFiles(paths);
    double held = heapMb() - before;
    std::printf("items: %d PDFs of %d pages hold %.1f MB of heap (%.1f KB per file)\n", files, pages, held,
                held * 1024 / files);
}

void merging(QString const& dir)
{
    QDir().mkpath(dir + "/parts");
    QStringList parts;
    QString sample = dir + "/five.pdf";
    TestPdf::writePages(sample, 5);
    for (int i = 0; i < 200; ++i) {
        parts << dir + QString("/parts/%1.pdf").arg(i);
        QFile::copy(sample, parts.last());
    }
    QElapsedTimer ours;
    ours.start();
    QString path;
    MergeFunction().creatorPdfMerge(parts, dir + "/merged", path);
    double oursMs = ms(ours);

    QStringList args{"--empty", "--pages"};
    args << parts << "--" << dir + "/qpdf-merged.pdf";
    QElapsedTimer cli;
    cli.start();
    QProcess::execute("qpdf", args);
    double cliMs = ms(cli);
    std::printf("merge: 200 PDFs of 5 pages in %.0f ms, qpdf command line %.0f ms (%.2fx)\n", oursMs, cliMs,
                oursMs / cliMs);
}

void pipelineOverhead(QString const& dir)
{
    // An SDK that returns at once, so only the pipeline's own work is timed.
    SdkBoundary instant = SdkBoundary::real();
    instant.startTxt = [](char const*, char const*, char const*, pdfconv::base::ConvertOptions const&,
                          pdfconv::conversion::ProgressCallback) { return 0; };
    SdkBoundary::setForTesting(instant);

    QDir().mkpath(dir + "/pipe");
    QString sample = dir + "/sample.pdf";
    QStringList paths;
    for (int i = 0; i < 1000; ++i) {
        paths << dir + QString("/pipe/%1.pdf").arg(i);
        QFile::link(sample, paths.last());
    }
    FileItemList list(ModeConvert);
    list.addFiles(paths);
    for (auto* item : list.allItems())
        item->setConvertType(ToTxt);
    TaskController controller;
    QEventLoop loop;
    QObject::connect(&controller, &TaskController::taskFinished, &loop, &QEventLoop::quit);
    QElapsedTimer t;
    t.start();
    controller.startTasks(list.allItems(), dir + "/pipe-out", ModeConvert, false);
    loop.exec();
    std::printf("pipeline: 1000 files through a run with an instant SDK: %.0f files/s\n",
                1000 / (ms(t) / 1000));
    SdkBoundary::setForTesting(SdkBoundary::real());
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, QMessageLogContext const&, QString const&) {});
    TestHome home;
    QString dir = home.path();
    engineOverhead(dir);
    addingFiles(dir);
    itemMemory(dir, 300, 144);
    itemMemory(dir, 2000, 300);
    merging(dir);
    pipelineOverhead(dir);
    return 0;
}

// Peak memory and throughput of one large model download from a local server. The server
// sends from a thread of its own, so its few buffers are all it adds to the process.
// Prints figures; asserts nothing.
//
//   bench_download [MiB]   (1024 by default)
#include "module/ModuleDownload.h"

#include "TestHome.h"
#include "ThreadedHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QNetworkProxy>

#include <cstdio>
#include <sys/resource.h>

namespace {
double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    qint64 const mib = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1024;
    if (mib <= 0) {
        std::fprintf(stderr, "usage: bench_download [MiB]\n");
        return 2;
    }
    qInstallMessageHandler([](QtMsgType, QMessageLogContext const&, QString const&) {});
    TestHome home;
    QString const save = home.filePath("ocr-models-mac-v2.zip");
    ThreadedHttpServer server(mib << 20);
    ModuleDownload downloader;

    double const before = peakMiB();
    QElapsedTimer clock;
    clock.start();
    bool const ok = downloader.download(server.url(), save, -1);
    double const seconds = clock.nsecsElapsed() / 1e9;
    double const after = peakMiB();
    qint64 const saved = QFileInfo(save).size();

    std::printf("download: %lld MiB %s in %.2f s (%.0f MiB/s), saved %lld bytes\n", mib,
                ok ? "complete" : "FAILED", seconds, mib / seconds, saved);
    std::printf("download: peak resident memory %.1f MiB before, %.1f MiB after (+%.1f MiB)\n", before, after,
                after - before);
    return ok && saved == (mib << 20) ? 0 : 1;
}

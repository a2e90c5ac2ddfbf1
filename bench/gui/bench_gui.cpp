// Figures for the interface: building the rows of many files on the converter page (time,
// memory, how long the window went without answering, open files), deleting half of them and
// clearing the page. Run offscreen. Prints figures; asserts nothing.
#include "items/FileItemList.h"
#include "list/FileListWindow.h"
#include "settings/PMPreferences.h"
#include "support/DialogTestMode.h"

#include "TestHome.h"
#include "TestPdf.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTimer>

#include <functional>

#include <cstdio>

namespace {

double ms(QElapsedTimer const& t)
{
    return t.nsecsElapsed() / 1e6;
}

// Resident memory of the process in MB.
double rssMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

int openFiles()
{
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::System).size();
}

// Runs the event loop until done() holds; returns the longest time the loop did not answer,
// seen by a timer that wants to run every millisecond.
double longestStallUntil(std::function<bool()> const& done)
{
    QElapsedTimer sinceTick;
    sinceTick.start();
    double longest = 0;
    QTimer probe;
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longest = qMax(longest, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    probe.start();
    while (!done())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return longest;
}

void manyRows(QString const& dir, int files)
{
    QString const sample = dir + "/sample.pdf";
    TestPdf::writePages(sample, 2);
    QString const folder = dir + QString("/many%1").arg(files);
    QDir().mkpath(folder);
    QStringList paths;
    for (int i = 0; i < files; ++i) {
        paths << folder + QString("/%1.pdf").arg(i);
        QFile::copy(sample, paths.last());
    }
    FileListWindow page(ModeConvert);
    page.resize(914, 610);
    page.show();
    QApplication::processEvents();

    double const before = rssMb();
    int const descriptors = openFiles();
    QElapsedTimer t;
    t.start();
    QElapsedTimer call;
    call.start();
    page.addFileList(paths);
    double const firstStall = ms(call);
    double const stall = longestStallUntil([&] { return !page.rowsPending(); });
    std::printf("rows: adding %d PDFs to the converter page took %.0f ms and %.0f MB; the window answered "
                "within %.0f ms throughout (%.0f ms to list the files); %d more open files\n",
                files, ms(t), rssMb() - before, qMax(firstStall, stall), firstStall,
                openFiles() - descriptors);

    auto* list = page.findChild<QListWidget*>(QStringLiteral("listWidget"));
    for (int row = 0; row < list->count(); row += 2)
        list->item(row)->setSelected(true);
    t.restart();
    QMetaObject::invokeMethod(&page, "btn_delete_clicked");
    QApplication::processEvents();
    std::printf("rows: deleting %d selected rows took %.0f ms\n", files / 2, ms(t));

    t.restart();
    page.clearAllItems();
    QApplication::processEvents();
    std::printf("rows: clearing the page took %.0f ms; %d files left\n", ms(t), page.fileList()->fileCount());
}

} // namespace

// The core's debug lines would drown the figures.
void quietMessages(QtMsgType type, QMessageLogContext const&, QString const& text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

int main(int argc, char** argv)
{
    qInstallMessageHandler(quietMessages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestHome home;
    DialogTestMode::setEnabled(true);
    // The model check stays out of the figures.
    PMPreferences::getInstance()->setOCRInstalled(true);
    if (argc > 1) {
        manyRows(home.path(), QString(argv[1]).toInt());
    } else {
        manyRows(home.path(), 1000);
        manyRows(home.path(), 5000);
    }
    return 0;
}

// Figures for the interface: building the rows of many files on the converter page (time,
// memory, how long the window went without answering, open files), deleting half of them and
// clearing the page; 100 mixed files converted through the page against the same files through
// the core alone, and the longest time the window went without answering during that run; adding a
// 20 MB PDF whose cross-reference table is gone, which is read apart while the window answers.
// Run offscreen. Prints figures; asserts nothing. "bench_gui rows N", "bench_gui run" or
// "bench_gui damaged" runs one.
#include "items/FileItem.h"
#include "items/FileItemList.h"
#include "list/FileListWindow.h"
#include "pipeline/TaskController.h"
#include "rows/ConvertItemWidget.h"
#include "settings/PMPreferences.h"
#include "support/DialogTestMode.h"

#include "TestHome.h"
#include "TestPdf.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QPainter>
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

void damagedFile(QString const& dir)
{
    QString const path = dir + "/damaged 20 MB.pdf";
    int const pages = TestPdf::writeWithoutCrossReferences(path, 20);
    FileListWindow page(ModeConvert);
    page.resize(914, 610);
    page.show();
    QApplication::processEvents();

    QElapsedTimer t;
    t.start();
    QStringList paths{path};
    page.addFileList(paths);
    double const call = ms(t);
    FileItemList* list = page.fileList();
    double const stall = longestStallUntil([&] { return !list->isReading() && !page.rowsPending(); });
    bool const read = list->fileCount() == 1 && list->getFileItem(0)->pageCount() == pages;
    std::printf("damaged: adding a %.1f MB PDF without its cross-reference table (%d pages) took %.0f ms on "
                "the window's thread; the window answered within %.0f ms throughout; the row had its page "
                "count after %.0f ms%s\n",
                QFileInfo(path).size() / 1048576.0, pages, call, qMax(call, stall), ms(t),
                read ? "" : " (NOT READ)");
}

// 70 two-page text PDFs and 30 pictures of text, in that order of adding.
QStringList mixedFiles(QString const& dir)
{
    QString const folder = dir + "/mixed";
    QDir().mkpath(folder);
    QStringList paths;
    QStringList pages;
    for (int page = 1; page <= 2; ++page)
        pages << QString("Page %1 of an ordinary report with a few lines of running text.").arg(page);
    TestPdf::write(folder + "/report.pdf", pages);
    for (int i = 0; i < 100; ++i) {
        if (i % 10 < 7) {
            paths << folder + QString("/report %1.pdf").arg(i);
            QFile::copy(folder + "/report.pdf", paths.last());
            continue;
        }
        QImage picture(1240, 1754, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(40);
        painter.setFont(font);
        painter.drawText(100, 200, QString("Picture %1 of a page of text").arg(i));
        painter.end();
        paths << folder + QString("/picture %1.%2").arg(i).arg(i % 2 ? "png" : "jpg");
        picture.save(paths.last());
    }
    return paths;
}

double coreAlone(QStringList const& paths, QString const& out)
{
    FileItemList list(ModeConvert);
    list.addFiles(paths);
    for (FileItem* item : list.allItems())
        item->setConvertType(ToDocx);
    TaskController controller;
    bool finished = false;
    QObject::connect(&controller, &TaskController::taskFinished, [&] { finished = true; });
    QElapsedTimer t;
    t.start();
    controller.startTasks(list.allItems(), out, ModeConvert, false);
    while (!finished)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return ms(t);
}

void mixedRun(QString const& dir)
{
    QStringList const paths = mixedFiles(dir);
    QString const coreOut = dir + "/out-core";
    QString const pageOut = dir + "/out-page";
    QDir().mkpath(coreOut);
    QDir().mkpath(pageOut);
    double const core = coreAlone(paths, coreOut);

    PMPreferences::getInstance()->saveOutputFolder(pageOut);
    ConvertItemWidget::sm_lastSelectCovType = ToDocx;
    FileListWindow page(ModeConvert);
    page.resize(914, 610);
    page.show();
    QStringList files = paths;
    page.addFileList(files);
    longestStallUntil([&] { return !page.rowsPending(); });
    QElapsedTimer t;
    t.start();
    QMetaObject::invokeMethod(&page, "btn_start_clicked");
    double const stall = longestStallUntil([&] { return !page.isRunning(); });
    double const throughPage = ms(t);
    int const outputs = QDir(pageOut).entryList(QDir::Files).size();
    std::printf("run: 100 mixed files to Word: core alone %.0f ms, through the converter page %.0f ms "
                "(%.2fx); %d outputs; the window answered within %.0f ms throughout\n",
                core, throughPage, throughPage / core, outputs, stall);
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
    QString const only = argc > 1 ? QString(argv[1]) : QString();
    if (only.isEmpty() || only == QLatin1String("rows")) {
        if (argc > 2) {
            manyRows(home.path(), QString(argv[2]).toInt());
        } else {
            manyRows(home.path(), 1000);
            manyRows(home.path(), 5000);
        }
    }
    if (only.isEmpty() || only == QLatin1String("run"))
        mixedRun(home.path());
    if (only.isEmpty() || only == QLatin1String("damaged"))
        damagedFile(home.path());
    return 0;
}

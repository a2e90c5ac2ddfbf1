// Figures for the interface: building the rows of many files on the converter page, deleting
// half of them and clearing the page. Run offscreen. Prints figures; asserts nothing.
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

void manyRows(QString const& dir, int files)
{
    QString const sample = dir + "/sample.pdf";
    TestPdf::writePages(sample, 2);
    QDir().mkpath(dir + "/many");
    QStringList paths;
    for (int i = 0; i < files; ++i) {
        paths << dir + QString("/many/%1.pdf").arg(i);
        QFile::copy(sample, paths.last());
    }
    FileListWindow page(ModeConvert);
    page.resize(914, 610);
    page.show();
    QApplication::processEvents();

    double const before = rssMb();
    QElapsedTimer t;
    t.start();
    page.addFileList(paths);
    QApplication::processEvents();
    std::printf("rows: adding %d PDFs to the converter page took %.0f ms and %.0f MB\n", files, ms(t),
                rssMb() - before);

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
    manyRows(home.path(), argc > 1 ? QString(argv[1]).toInt() : 1000);
    return 0;
}

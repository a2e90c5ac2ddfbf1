#include "language/MultiLanguage.h"
#include "startup/ApplicationLook.h"
#include "support/DesktopOpener.h"
#include "support/MainWindowAccess.h"
#include "update/QNetWorkProcess.h"
#include "window/MainWindow.h"

#include "WindowCreator.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    QApplication app(argc, argv);
    // Desktops match the windows to the installed desktop entry "docquill.desktop" by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("docquill"));
    applyApplicationLook();
    DesktopOpener::install();

    MainWindowAccess::setFactory([]() -> QWidget* { return MainWindow::instance(); });
    MainWindow* window = MainWindow::instance();
    MultiLanguage::instance()->initAppLanguage();
    window->show();
    // The host window and the main window in it live until the process ends.
    auto* host = new WindowCreator();
    host->createWindow(window);

    QNetWorkProcess::shareInstance(nullptr)->checkUpdate();
    app.exec();
    return 0;
}

#include "language/MultiLanguage.h"
#include "startup/LightTheme.h"
#include "startup/LoadFileQss.h"
#include "support/MainWindowAccess.h"
#include "update/QNetWorkProcess.h"
#include "window/MainWindow.h"

#include "WindowCreator.h"

#include <QApplication>
#include <QFont>
#include <QStyle>

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    QApplication app(argc, argv);
    initAsLightTheme();
    QFont font;
    font.setFamily(QStringLiteral("Arial"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    QApplication::style()->unpolish(&app);
    LoadFileQss::setQssStyle(QStringLiteral(":/resource/style.qss"));

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

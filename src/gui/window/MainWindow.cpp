#include "window/MainWindow.h"

#include "ui_MainWindow.h"

#include "common/ProductConstants.h"
#include "componentcheck/ComponentCheck.h"
#include "items/FileItemList.h"
#include "language/MultiLanguage.h"
#include "list/FileListWindow.h"
#include "logger/Logger.h"
#include "menus/AppMenu.h"
#include "module/InstallModule.h"
#include "pipeline/TaskController.h"
#include "settings/PMPreferences.h"
#include "support/MessageBox.h"
#include "utils/CommonUtils.h"
#include "utils/TempFolder.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>

MainWindow* MainWindow::m_instance = nullptr;

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui_DocquillMainWidget)
{
    ui->setupUi(this);
    initUi();
    initConnect();
    initLogger();
    setAcceptDrops(true);
    InstallModule::removeOCRLeftovers();
    // The settings never claim a model that is missing or damaged.
    if (!ComponentCheck::instance()->checkOCRModuleMd5())
        PMPreferences::getInstance()->setOCRInstalled(false);
}

MainWindow::~MainWindow()
{
    delete ui;
    delete m_converterList;
    delete m_creatorList;
}

MainWindow* MainWindow::instance()
{
    if (!m_instance)
        m_instance = new MainWindow(nullptr);
    return m_instance;
}

void MainWindow::initUi()
{
    QFont font = ui->btn_converter->font();
    font.setPixelSize(12);
    ui->btn_converter->setFont(font);
    ui->btn_creator->setFont(font);
    m_converterList = new FileListWindow(ModeConvert, nullptr);
    m_creatorList = new FileListWindow(ModeCreate, nullptr);
    ui->gridLayout_7->setContentsMargins(0, 0, 0, 0);
    ui->gridLayout_9->setContentsMargins(0, 0, 0, 0);
    ui->gridLayout_7->addWidget(m_converterList, 1, 0);
    ui->gridLayout_9->addWidget(m_creatorList, 1, 0);
    m_converterList->listWidgetHide();
    ui->emptyConverterList->show();
    m_creatorList->listWidgetHide();
    ui->emptyCreatorList->show();
    initMacOSMenu();
    ui->stackedWidget_main->setCurrentWidget(ui->page_convertList);
}

void MainWindow::initConnect()
{
    connect(ui->btn_converter, &QPushButton::clicked, this, &MainWindow::btn_converter_checked);
    connect(ui->btn_creator, &QPushButton::clicked, this, &MainWindow::btn_creator_checked);
    connect(m_converterList, &FileListWindow::listEmpty, this, &MainWindow::emptyConvertListShow);
    connect(m_converterList, &FileListWindow::addFileSuccessed, this, &MainWindow::emptyConvertListHide);
    connect(m_creatorList, &FileListWindow::listEmpty, this, &MainWindow::emptyCreatorListShow);
    connect(m_creatorList, &FileListWindow::addFileSuccessed, this, &MainWindow::emptyCreatorListHide);
    connect(MultiLanguage::instance(), &MultiLanguage::languageChanged, this,
            [this] { ui->retranslateUi(this); });
}

void MainWindow::initLogger()
{
    Logger::initLog(g_logDirPath, 100, true);
    qInfo() << "initLogger" << __LINE__ << QCoreApplication::applicationFilePath();
    resetTempFolder();
}

void MainWindow::resetTempFolder()
{
    QString const config = QDir::homePath() + g_configDirPath;
    if (!QDir().mkpath(config) || !CommonUtils::isWritableFolder(config))
        qWarning() << "initLogger" << __LINE__
                   << "the Config folder cannot be written, settings are not kept:" << config;
    // Each running copy works in a folder of its own: only what no running copy owns goes.
    TempFolder::removeAbandoned();
}

void MainWindow::initMacOSMenu()
{
    auto* bar = new QMenuBar(this);
    auto* menu = new AppMenu(this);
    QMenu* help = menu->createHelpMenu();
    QMenu* application = menu->createDefaultMenu();
    m_fileMenu = menu->createFileMenu();
    connect(
        m_fileMenu, &QMenu::triggered, m_fileMenu, [this](QAction* action) { onFileMenu(action); },
        Qt::DirectConnection);
    // The language choice sits first in the product's menu, above About and Check for Updates.
    if (menu->getLanguageMenu()) {
        QAction* first = application->actions().value(0);
        application->insertAction(first, menu->languageAction());
        application->insertSeparator(first);
    }
    bar->addMenu(m_fileMenu);
    bar->addMenu(help);
    bar->addMenu(application);
    setMenuBar(bar);
}

FileListWindow* MainWindow::currentList() const
{
    return ui->stackedWidget_main->currentWidget() == ui->page_convertList ? m_converterList : m_creatorList;
}

void MainWindow::onFileMenu(QAction* action)
{
    FileListWindow* list = currentList();
    switch (action->data().toInt()) {
    case 0:
        list->clearAllItems();
        break;
    case 2:
        list->btn_add_file_clicked();
        break;
    case 4:
        list->clearFinishedItems();
        break;
    case 7:
        // As the window's own close button: the window hosting this one asks it first.
        window()->close();
        break;
    default:
        break;
    }
}

void MainWindow::btn_converter_checked()
{
    if (m_converterList->fileList()->fileCount() < 1) {
        m_converterList->listWidgetHide();
        ui->emptyConverterList->show();
    } else {
        ui->emptyConverterList->hide();
        m_converterList->listWidgetShow();
    }
    ui->stackedWidget_main->setCurrentWidget(ui->page_convertList);
}

void MainWindow::btn_creator_checked()
{
    if (m_creatorList->fileList()->fileCount() < 1) {
        m_creatorList->listWidgetHide();
        ui->emptyCreatorList->show();
    } else {
        ui->emptyCreatorList->hide();
        m_creatorList->listWidgetShow();
    }
    ui->stackedWidget_main->setCurrentWidget(ui->page_createList);
}

void MainWindow::emptyConvertListShow()
{
    m_converterList->listWidgetHide();
    ui->emptyConverterList->show();
}

void MainWindow::emptyConvertListHide()
{
    ui->emptyConverterList->hide();
    m_converterList->listWidgetShow();
}

void MainWindow::emptyCreatorListShow()
{
    m_creatorList->listWidgetHide();
    ui->emptyCreatorList->show();
}

void MainWindow::emptyCreatorListHide()
{
    ui->emptyCreatorList->hide();
    m_creatorList->listWidgetShow();
}

bool MainWindow::fitsCurrentPage(QString const& fileName) const
{
    QWidget* page = ui->stackedWidget_main->currentWidget();
    if (page == ui->page_convertList)
        return CommonUtils::CheckIsPhoto(fileName) ||
               QFileInfo(fileName).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
    if (page == ui->page_createList)
        return CommonUtils::CheckIsPhoto(fileName) || CommonUtils::CheckIsCreatableFormats(fileName);
    return false;
}

// The first folder or the first fitting file decides the whole drag.
void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    for (QUrl const& url : event->mimeData()->urls()) {
        QFileInfo const info(url.toLocalFile());
        if (info.isDir()) {
            event->ignore();
            return;
        }
        event->setDropAction(Qt::MoveAction);
        if (fitsCurrentPage(info.fileName())) {
            event->accept();
            return;
        }
    }
    event->ignore();
}

void MainWindow::dragLeaveEvent(QDragLeaveEvent*) {}

void MainWindow::dropEvent(QDropEvent* event)
{
    QStringList paths;
    QStringList unsuitable;
    for (QUrl const& url : event->mimeData()->urls()) {
        QString const path = url.toLocalFile();
        if (fitsCurrentPage(QFileInfo(path).fileName()))
            paths << path;
        else if (!path.isEmpty())
            unsuitable << path;
    }
    FileListWindow* list = currentList();
    // The page lists what it did not take, these among them.
    list->addFileList(paths, unsuitable);
    if (list->fileList()->fileCount() < 1)
        return;
    if (list == m_converterList)
        emptyConvertListHide();
    else
        emptyCreatorListHide();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    int const running =
        m_converterList->controller()->outstanding() + m_creatorList->controller()->outstanding();
    if (running > 0) {
        QString const text = running == 1
                                 ? tr("1 file is still being converted. Stop and quit?")
                                 : tr("%1 files are still being converted. Stop and quit?").arg(running);
        if (MessageBox::question(this, g_product_name, text,
                                 MessageBox::Buttons(QMessageBox::Yes | QMessageBox::No),
                                 QMessageBox::No) != QMessageBox::Yes) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

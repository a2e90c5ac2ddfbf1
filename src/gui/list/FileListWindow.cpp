#include "list/FileListWindow.h"

#include "ui_FileListWindow.h"

#include "items/FileItem.h"
#include "items/FileItemList.h"
#include "items/PDFFileItem.h"
#include "language/MultiLanguage.h"
#include "list/MergeWidget.h"
#include "pipeline/TaskController.h"
#include "relay/SignalTransferStation.h"
#include "rows/ConvertItemWidget.h"
#include "rows/CreatorItemWidget.h"
#include "settings/PMPreferences.h"
#include "support/FileDialog.h"
#include "support/MessageBox.h"
#include "utils/CommonUtils.h"

#include <QAction>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QUrl>

namespace {

// The add dialog opens at "/" the first time in a process, then where the platform decides;
// one value for both pages.
QString g_addStartFolder = QStringLiteral("/");

QString startStyle(bool running)
{
    return running
               ? QStringLiteral("QPushButton{color: rgb(255, 255, 255);background-color: rgb(252, 56, 57);"
                                "border:none;}QPushButton:pressed{background-color: rgb(85, 29, 24);}"
                                "QPushButton:disabled{background-color: rgb(181, 181, 181);}")
               : QStringLiteral("QPushButton{color: rgb(255, 255, 255);background-color: rgb(57, 147, 242);"
                                "border:none;}QPushButton:pressed{background-color: rgb(24, 54, 82);}"
                                "QPushButton:disabled{background-color: rgb(181, 181, 181);}");
}

} // namespace

FileListWindow::FileListWindow(FunctionMode mode, QWidget* parent)
    : QWidget(parent), m_controller(new TaskController(nullptr)), ui(new Ui_FileListWindow), m_mode(mode),
      m_fileList(new FileItemList(mode, nullptr))
{
    ui->setupUi(this);
    initLineEdit();
    initUi();
    setAcceptDrops(true);
    ui->listWidget->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui->listWidget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_startText = ui->btn_start->text();

    connect(SignalTransferStation::instance(), &SignalTransferStation::unlockAllPDF, this,
            &FileListWindow::unlockAllPDF);
    connect(ui->btn_add, &QPushButton::clicked, this, &FileListWindow::btn_add_file_clicked);
    connect(ui->btn_delete, &QPushButton::clicked, this, &FileListWindow::btn_delete_clicked);
    connect(ui->btn_start, &QPushButton::clicked, this, &FileListWindow::btn_start_clicked);
    connect(ui->btn_openFolder, &QPushButton::clicked, this, &FileListWindow::btn_open_folder_clicked);
    connect(m_fileList, &FileItemList::notEncrypted, this, &FileListWindow::notEncryptedMessage);
    connect(
        ui->listWidget, &QListWidget::itemSelectionChanged, ui->listWidget, [this] { onSelectionChanged(); },
        Qt::DirectConnection);
    connect(MultiLanguage::instance(), &MultiLanguage::languageChanged, this, &FileListWindow::retranslate);
    connect(m_controller, &TaskController::taskFinished, this, &FileListWindow::onTaskFinished);
    connect(m_controller, &TaskController::taskStarted, this, &FileListWindow::onTaskStarted);
    connect(m_controller, &TaskController::taskApplyOptions, this, &FileListWindow::onTaskApplyOptions);
    ui->btn_delete->setEnabled(false);
}

FileListWindow::~FileListWindow()
{
    // Rows first: none may outlive the item it shows.
    for (int row = ui->listWidget->count() - 1; row >= 0; --row)
        removeRow(row);
    delete m_fileList;
    delete ui;
    delete m_controller;
}

void FileListWindow::initLineEdit()
{
    ui->lineEdit_output->addAction(QIcon(QStringLiteral(":/resource/exportfolder-3x.png")),
                                   QLineEdit::LeadingPosition);
    ui->lineEdit_output->setText(PMPreferences::getInstance()->getOutputFolder());
    ui->lineEdit_output->installEventFilter(this);
    ui->lineEdit_output->setAcceptDrops(false);
    connect(this, &FileListWindow::lineEditPress, this, &FileListWindow::selectOutputDir);
}

void FileListWindow::initUi()
{
    QFont font = ui->label_3->font();
    font.setPixelSize(12);
    ui->label_3->setFont(font);
    ui->frame_merge_switch->hide();
    ui->btn_start->setText(startText());
    if (m_mode == ModeCreate) {
        ui->frame_merge_switch->show();
        connect(ui->btn_merge_switch, &QPushButton::clicked, this, &FileListWindow::btn_merge_switch_clicked);
    }
    ui->btn_start->setEnabled(false);
}

QString FileListWindow::startText() const
{
    switch (m_mode) {
    case ModeConvert:
        return tr("Convert");
    case ModeEncrypt:
        return tr("Encrypt");
    case ModeDecrypt:
        return tr("Decrypt");
    case ModeCreate:
        return tr("Create");
    case ModeCompress:
        return tr("Compress");
    default:
        return ui->btn_start->text();
    }
}

bool FileListWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->lineEdit_output && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        emit lineEditPress();
    return QWidget::eventFilter(watched, event);
}

void FileListWindow::selectOutputDir()
{
    if (!ui->lineEdit_output->isEnabled())
        return;
    QString const folder = FileDialog::getExistingDirectory(this, tr("Select output folder"), QString(),
                                                            QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return;
    ui->lineEdit_output->setText(folder);
    PMPreferences::getInstance()->saveOutputFolder(folder);
}

void FileListWindow::btn_add_file_clicked()
{
    QString const start = g_addStartFolder;
    g_addStartFolder.clear();
    QStringList paths = FileDialog::getOpenFileNames(this, tr("Select Files"), start,
                                                     CommonUtils::getFileTypeFilter(m_mode == ModeConvert));
    int const before = m_fileList->fileCount();
    addFileList(paths);
    if (m_fileList->fileCount() > before)
        emit addFileSuccessed();
}

void FileListWindow::addFileList(QStringList& paths)
{
    if (m_runState != 1)
        return;
    m_fileList->addFiles(paths);
    int const first = ui->listWidget->count();
    // All new rows first, then their widgets: a row widget placed while rows are still being
    // added would be laid out again for every later row.
    for (int i = first; i < m_fileList->fileCount(); ++i) {
        auto* row = new QListWidgetItem();
        row->setSizeHint(QSize(ui->listWidget->minimumWidth(), 90));
        ui->listWidget->addItem(row);
    }
    // Placing each row widget among many visible siblings costs a repaint-region pass each;
    // one repaint at the end does for all.
    ui->listWidget->setUpdatesEnabled(false);
    for (int i = first; i < m_fileList->fileCount(); ++i) {
        FileItem* item = m_fileList->getFileItem(i);
        FileItemWidget* widget = nullptr;
        if (m_mode == ModeConvert)
            widget = new ConvertItemWidget(item, ui->listWidget->viewport());
        else if (m_mode == ModeCreate)
            widget = new CreatorItemWidget(item, ui->listWidget->viewport());
        if (!widget)
            continue;
        ui->listWidget->setItemWidget(ui->listWidget->item(i), widget);
        connect(widget, &FileItemWidget::decryptionSuccess, this, &FileListWindow::btnStartEnable);
        connect(widget, &FileItemWidget::itemProcessStateChange, this, &FileListWindow::btnStartEnable);
    }
    // Lay the rows out now, while nothing repaints, instead of once per row afterwards.
    ui->listWidget->doItemsLayout();
    ui->listWidget->setUpdatesEnabled(true);
    if (ui->listWidget->count() > first)
        btnStartEnable();
}

FileItemWidget* FileListWindow::rowWidget(int row) const
{
    return qobject_cast<FileItemWidget*>(ui->listWidget->itemWidget(ui->listWidget->item(row)));
}

FileItemWidget* FileListWindow::rowOfItem(FileItem* item) const
{
    for (int row = 0; row < ui->listWidget->count(); ++row) {
        FileItemWidget* widget = rowWidget(row);
        if (widget && widget->fileItem() == item)
            return widget;
    }
    return nullptr;
}

void FileListWindow::removeRow(int row)
{
    QWidget* widget = ui->listWidget->itemWidget(ui->listWidget->item(row));
    if (widget)
        widget->disconnect(this);
    delete ui->listWidget->takeItem(row);
    delete widget;
}

void FileListWindow::afterRemoval()
{
    if (m_fileList->isEmpty()) {
        emit listEmpty();
        ui->btn_delete->setEnabled(false);
        ui->btn_start->setEnabled(false);
    } else {
        btnStartEnable();
    }
}

void FileListWindow::btn_delete_clicked()
{
    if (m_runState != 1)
        return;
    QModelIndexList selection = ui->listWidget->selectionModel()->selectedIndexes();
    while (!selection.isEmpty()) {
        int const row = selection.first().row();
        FileItem* item = ui->listWidget->getItemData(row);
        removeRow(row);
        if (item)
            m_fileList->removeOne(item);
        selection = ui->listWidget->selectionModel()->selectedIndexes();
    }
    afterRemoval();
}

void FileListWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)
        btn_delete_clicked();
}

void FileListWindow::clearAllItems()
{
    if (m_runState != 1)
        return;
    for (int row = ui->listWidget->count() - 1; row >= 0; --row)
        removeRow(row);
    ui->listWidget->clear();
    m_fileList->clear();
    emit listEmpty();
    ui->btn_delete->setEnabled(false);
    ui->btn_start->setEnabled(false);
}

void FileListWindow::clearFinishedItems()
{
    if (m_runState != 1)
        return;
    for (int row = ui->listWidget->count() - 1; row >= 0; --row) {
        FileItem* item = ui->listWidget->getItemData(row);
        if (!item || item->isUntreated())
            continue;
        removeRow(row);
        m_fileList->removeOne(item);
    }
    afterRemoval();
}

void FileListWindow::btn_open_folder_clicked()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(ui->lineEdit_output->text()));
}

void FileListWindow::btn_merge_switch_clicked(bool checked)
{
    for (int row = 0; row < ui->listWidget->count(); ++row) {
        if (auto* creator = qobject_cast<CreatorItemWidget*>(rowWidget(row)))
            creator->setOutputEnable(!checked);
        if (FileItemWidget* widget = rowWidget(row))
            widget->hideFinishedLabel();
    }
    m_merge = checked;
}

void FileListWindow::btn_start_clicked()
{
    if (m_runState == 0) {
        // The run ends, and the page returns to idle, when the controller says so.
        m_controller->cancelTasks();
        return;
    }
    if (ui->lineEdit_output->text().isEmpty())
        selectOutputDir();
    if (ui->lineEdit_output->text().isEmpty())
        return;
    MergeWidget* panel = nullptr;
    if (m_merge) {
        panel = new MergeWidget(this);
        connect(m_controller, &TaskController::mergeProgress, panel, &MergeWidget::progressBarUpdate);
        connect(m_controller, &TaskController::mergeCompleted, panel, &MergeWidget::completionOfMerger);
    }
    m_controller->startTasks(m_fileList->allItems(), ui->lineEdit_output->text(), m_mode, m_merge);
    if (!panel)
        return;
    // A start that queued nothing reports nothing either: a panel shown then would never end.
    if (m_runState == 0)
        panel->show();
    else
        delete panel;
}

void FileListWindow::settingTaskOptions(int index)
{
    FileItem* item = m_fileList->getFileItem(index);
    FileItemWidget* widget = rowOfItem(item);
    if (!widget)
        return;
    widget->hideFinishedLabel();
    if (m_mode == ModeConvert) {
        if (ConvertOption const* option = widget->getOption())
            item->setConvertOption(*option);
    } else if (m_mode == ModeCreate) {
        if (auto* creator = qobject_cast<CreatorItemWidget*>(widget))
            creator->applyOutputName();
    }
}

void FileListWindow::unlockAllPDF(QString password)
{
    for (int i = 0; i < m_fileList->fileCount(); ++i) {
        FileItem* item = m_fileList->getFileItem(i);
        if (item->isEncrypted())
            if (auto* pdf = qobject_cast<PDFFileItem*>(item))
                pdf->PDFDecrypt(password);
    }
}

void FileListWindow::notEncryptedMessage(QString filePath)
{
    MessageBox::information(
        this, tr("Note"), tr("\"%1\" is not a password protected PDF file.").arg(filePath), QMessageBox::Ok);
}

void FileListWindow::startBtnStateChange()
{
    if (m_runState == 1) {
        ui->btn_start->setText(m_startText);
        ui->btn_start->setStyleSheet(startStyle(false));
        ui->btn_add->setEnabled(true);
    } else {
        m_startText = ui->btn_start->text();
        ui->btn_start->setText(tr("Cancel"));
        ui->btn_start->setStyleSheet(startStyle(true));
        ui->btn_delete->setEnabled(false);
        ui->btn_add->setEnabled(false);
    }
}

void FileListWindow::btnStartEnable()
{
    ui->btn_start->setEnabled(m_fileList->allowedRun());
}

void FileListWindow::uiEnable(bool on)
{
    ui->listWidget->setEnabled(on);
    ui->btn_add->setEnabled(on);
    ui->lineEdit_output->setEnabled(on);
    ui->btn_openFolder->setEnabled(on);
    ui->btn_start->setEnabled(m_fileList->allowedRun());
}

void FileListWindow::listWidgetHide()
{
    ui->listWidget->hide();
}

void FileListWindow::listWidgetShow()
{
    ui->listWidget->show();
}

void FileListWindow::onSelectionChanged()
{
    ui->btn_delete->setEnabled(!ui->listWidget->selectedItems().isEmpty());
}

void FileListWindow::retranslate()
{
    ui->retranslateUi(this);
    if (m_mode == ModeCreate)
        ui->btn_start->setText(tr("Create"));
    else if (m_mode == ModeConvert)
        ui->btn_start->setText(tr("Convert"));
}

void FileListWindow::onTaskStarted()
{
    m_runState = 0;
    startBtnStateChange();
}

void FileListWindow::onTaskFinished()
{
    m_runState = 1;
    startBtnStateChange();
    ui->listWidget->setEnabled(true);
    ui->btn_add->setEnabled(true);
    ui->lineEdit_output->setEnabled(true);
    ui->btn_openFolder->setEnabled(true);
    btnStartEnable();
}

void FileListWindow::onTaskApplyOptions(int index)
{
    settingTaskOptions(index);
}

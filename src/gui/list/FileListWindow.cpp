#include "list/FileListWindow.h"

#include "ui_FileListWindow.h"

#include "engines/ResultCodes.h"
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
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>

namespace {

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

    connect(SignalTransferStation::instance(), &SignalTransferStation::unlockAllPDF, this,
            &FileListWindow::unlockAllPDF);
    connect(ui->btn_add, &QPushButton::clicked, this, &FileListWindow::btn_add_file_clicked);
    connect(ui->btn_delete, &QPushButton::clicked, this, &FileListWindow::btn_delete_clicked);
    connect(ui->btn_start, &QPushButton::clicked, this, &FileListWindow::btn_start_clicked);
    connect(ui->btn_openFolder, &QPushButton::clicked, this, &FileListWindow::btn_open_folder_clicked);
    connect(m_fileList, &FileItemList::notEncrypted, this, &FileListWindow::notEncryptedMessage);
    connect(m_fileList, &FileItemList::refusedAfterReading, this, &FileListWindow::onRefusedAfterReading);
    connect(m_fileList, &FileItemList::itemRead, this, &FileListWindow::btnStartEnable);
    connect(m_fileList, &FileItemList::readingEnded, this, &FileListWindow::onReadingEnded);
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
    m_pendingRows.clear();
    for (int row = ui->listWidget->count() - 1; row >= 0; --row)
        removeRow(row);
    delete m_fileList;
    delete ui;
    delete m_controller;
}

void FileListWindow::initLineEdit()
{
    QAction* folderIcon = ui->lineEdit_output->addAction(
        QIcon(QStringLiteral(":/resource/exportfolder-3x.png")), QLineEdit::LeadingPosition);
    // The icon sits in the field: a click on it chooses the folder as a click on the text does.
    connect(folderIcon, &QAction::triggered, this, &FileListWindow::selectOutputDir);
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
    QString const folder = FileDialog::getExistingDirectory(
        this, tr("Select output folder"), FileDialog::startFolder(), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return;
    ui->lineEdit_output->setText(folder);
    PMPreferences::getInstance()->saveOutputFolder(folder);
}

void FileListWindow::btn_add_file_clicked()
{
    QStringList paths = FileDialog::getOpenFileNames(this, tr("Select Files"), FileDialog::startFolder(),
                                                     CommonUtils::getFileTypeFilter(m_mode == ModeConvert));
    int const before = m_fileList->fileCount();
    addFileList(paths);
    if (m_fileList->fileCount() > before)
        emit addFileSuccessed();
}

void FileListWindow::addFileList(QStringList& paths, QStringList const& unsuitable)
{
    if (m_runState != 1)
        return;
    QList<FileItemList::RefusedFile> const refused = m_fileList->addFiles(paths);
    int const first = ui->listWidget->count();
    // All new rows first, then their widgets: a row widget placed while rows are still being
    // added would be laid out again for every later row. Until its widget is there a row can
    // be neither selected nor dragged.
    for (int i = first; i < m_fileList->fileCount(); ++i) {
        auto* row = new QListWidgetItem();
        row->setSizeHint(QSize(ui->listWidget->minimumWidth(), 90));
        row->setFlags(row->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsDragEnabled));
        ui->listWidget->addItem(row);
        m_pendingRows.append({row, m_fileList->getFileItem(i)});
    }
    if (ui->listWidget->count() != first) {
        buildPendingRows();
        btnStartEnable();
    }
    // Files still being read may be refused yet: one message lists them with these.
    if (m_fileList->isReading()) {
        m_refusedAfterReading += refused;
        for (QString const& path : unsuitable)
            m_unsuitableBeforeReading << path;
        return;
    }
    reportRefusedFiles(refused, unsuitable);
}

void FileListWindow::reportRefusedFiles(QList<FileItemList::RefusedFile> const& refused,
                                        QStringList const& unsuitable)
{
    QStringList lines;
    auto line = [this, &lines](QString const& path, QString const& reason) {
        lines << tr("\"%1\": %2").arg(CommonUtils::oneLine(QFileInfo(path).fileName()), reason);
    };
    for (FileItemList::RefusedFile const& file : refused) {
        switch (file.reason) {
        case FileItemList::Refusal::Folder:
            line(file.path, tr("a folder, not a file"));
            break;
        case FileItemList::Refusal::Empty:
            line(file.path, tr("the file is empty"));
            break;
        case FileItemList::Refusal::Damaged:
            line(file.path, tr("the file is damaged"));
            break;
        case FileItemList::Refusal::Missing:
            line(file.path, tr("the file does not exist"));
            break;
        case FileItemList::Refusal::Unreadable:
            line(file.path, tr("the file could not be read"));
            break;
        }
    }
    for (QString const& path : unsuitable)
        line(path, QFileInfo(path).isDir() ? tr("a folder, not a file")
                                           : tr("this page does not take this kind of file"));
    if (lines.isEmpty())
        return;
    // After the event that brought the files: a drop must end before a message waits for the user.
    QString const text = tr("These files were not added:") + QStringLiteral("\n\n") + listedForMessage(lines);
    QTimer::singleShot(0, this, [this, text] { MessageBox::warning(this, tr("Note"), text); });
}

void FileListWindow::buildPendingRows()
{
    // Many files get their rows a batch at a time between events, so the window keeps
    // answering; a page cannot start before every row is there. Placing each row widget among
    // many visible siblings costs a repaint-region pass each, so the list repaints once, when
    // all are placed and laid out.
    constexpr int kBatch = 40;
    ui->listWidget->setUpdatesEnabled(false);
    for (int built = 0; built < kBatch && !m_pendingRows.isEmpty(); ++built) {
        PendingRow const pending = m_pendingRows.takeFirst();
        FileItemWidget* widget = nullptr;
        if (m_mode == ModeConvert)
            widget = new ConvertItemWidget(pending.item, ui->listWidget->viewport());
        else if (m_mode == ModeCreate)
            widget = new CreatorItemWidget(pending.item, ui->listWidget->viewport());
        if (!widget)
            continue;
        pending.row->setFlags(pending.row->flags() | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
        ui->listWidget->setItemWidget(pending.row, widget);
        m_rowWidgets.insert(pending.item, widget);
        connect(widget, &FileItemWidget::decryptionSuccess, this, &FileListWindow::btnStartEnable);
        connect(widget, &FileItemWidget::itemProcessStateChange, this, &FileListWindow::btnStartEnable);
    }
    if (!m_pendingRows.isEmpty()) {
        QTimer::singleShot(0, this, &FileListWindow::buildPendingRows);
        return;
    }
    ui->listWidget->doItemsLayout();
    ui->listWidget->setUpdatesEnabled(true);
    btnStartEnable();
}

FileItemWidget* FileListWindow::rowWidget(int row) const
{
    return qobject_cast<FileItemWidget*>(ui->listWidget->itemWidget(ui->listWidget->item(row)));
}

FileItemWidget* FileListWindow::rowOfItem(FileItem* item) const
{
    return m_rowWidgets.value(item);
}

void FileListWindow::removeRow(int row)
{
    QListWidgetItem* listItem = ui->listWidget->item(row);
    auto* widget = qobject_cast<FileItemWidget*>(ui->listWidget->itemWidget(listItem));
    if (widget) {
        widget->disconnect(this);
        m_rowWidgets.remove(widget->fileItem());
    }
    for (int i = 0; i < m_pendingRows.size(); ++i)
        if (m_pendingRows.at(i).row == listItem)
            m_pendingRows.removeAt(i--);
    delete ui->listWidget->takeItem(row);
    delete widget;
}

void FileListWindow::onRefusedAfterReading(FileItem* item, FileItemList::RefusedFile const& file)
{
    // The list removes the item right after: its row goes first.
    for (int row = ui->listWidget->count() - 1; row >= 0; --row) {
        QListWidgetItem* listItem = ui->listWidget->item(row);
        bool pending = false;
        for (PendingRow const& entry : qAsConst(m_pendingRows))
            pending = pending || (entry.row == listItem && entry.item == item);
        if (pending || ui->listWidget->getItemData(row) == item) {
            removeRow(row);
            break;
        }
    }
    m_refusedAfterReading.append(file);
}

void FileListWindow::onReadingEnded()
{
    // One message for the files a batch's readings refused, once the last has its answer.
    QList<FileItemList::RefusedFile> const refused = m_refusedAfterReading;
    QStringList const unsuitable = m_unsuitableBeforeReading;
    m_refusedAfterReading.clear();
    m_unsuitableBeforeReading.clear();
    afterRemoval();
    reportRefusedFiles(refused, unsuitable);
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
        if (item) {
            removeRow(row);
            m_fileList->removeOne(item);
        } else {
            ui->listWidget->item(row)->setSelected(false);
        }
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
    m_pendingRows.clear();
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
    // No folder to show yet: the button leads to choosing one.
    if (ui->lineEdit_output->text().isEmpty()) {
        selectOutputDir();
        return;
    }
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
    if (!m_pendingRows.isEmpty())
        return;
    if (!inputsReady())
        return;
    if (ui->lineEdit_output->text().isEmpty())
        selectOutputDir();
    if (ui->lineEdit_output->text().isEmpty())
        return;
    // A folder that went away is not made again (it may have been a drive that is no longer
    // there), and nothing starts that could not be saved: each file waiting to run says why.
    if (!CommonUtils::isWritableFolder(ui->lineEdit_output->text())) {
        int const code = m_mode == ModeCreate ? int(CreateErrorOutputFolder) : int(ConvertErrorOutputFolder);
        for (FileItem* item : m_fileList->allItems()) {
            if (!item->isUntreated() || item->isEncrypted())
                continue;
            if (FileItemWidget* widget = rowOfItem(item))
                widget->hideFinishedLabel();
            item->fileProcessFinished(code);
        }
        return;
    }
    MergeWidget* panel = nullptr;
    if (m_merge) {
        panel = new MergeWidget(this);
        connect(m_controller, &TaskController::mergeProgress, panel, &MergeWidget::progressBarUpdate);
        connect(m_controller, &TaskController::mergeCounted, panel, &MergeWidget::mergedCount);
        connect(m_controller, &TaskController::mergeDiskFull, panel, &MergeWidget::diskFull);
        connect(m_controller, &TaskController::mergeCompleted, panel, &MergeWidget::completionOfMerger);
    }
    m_controller->startTasks(m_fileList->allItems(), ui->lineEdit_output->text(), m_mode, m_merge);
    if (m_runState == 0)
        markSkippedLockedFiles();
    if (!panel)
        return;
    // A start that queued nothing reports nothing either: a panel shown then would never end.
    if (m_runState == 0)
        panel->show();
    else
        delete panel;
}

bool FileListWindow::inputsReady()
{
    // Every file that would run, in the order shown; none starts while one is set up wrongly.
    QStringList problems;
    for (int row = 0; row < ui->listWidget->count(); ++row) {
        FileItemWidget* widget = rowWidget(row);
        if (!widget || !widget->fileItem()->isUntreated() || widget->fileItem()->isEncrypted())
            continue;
        QString const problem = widget->checkInput();
        if (!problem.isEmpty())
            problems << tr("\"%1\": %2").arg(CommonUtils::oneLine(widget->fileItem()->fileName()), problem);
    }
    if (problems.isEmpty())
        return true;
    MessageBox::warning(this, tr("Note"),
                        tr("Nothing was started. Correct these files first:") + QStringLiteral("\n\n") +
                            listedForMessage(problems));
    return false;
}

QString FileListWindow::listedForMessage(QStringList const& lines) const
{
    // A message box stays within the screen, however many files are concerned.
    constexpr int kShown = 12;
    if (lines.size() <= kShown)
        return lines.join(QLatin1Char('\n'));
    return lines.mid(0, kShown).join(QLatin1Char('\n')) + QLatin1Char('\n') +
           tr("and %1 more.").arg(lines.size() - kShown);
}

void FileListWindow::markSkippedLockedFiles()
{
    for (FileItem* item : m_fileList->allItems()) {
        if (!item->isEncrypted())
            continue;
        if (FileItemWidget* widget = rowOfItem(item))
            widget->showSkippedAsLocked();
    }
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
        ui->btn_start->setText(startText());
        ui->btn_start->setStyleSheet(startStyle(false));
        ui->btn_add->setEnabled(true);
    } else {
        ui->btn_start->setText(tr("Cancel"));
        ui->btn_start->setStyleSheet(startStyle(true));
        ui->btn_delete->setEnabled(false);
        ui->btn_add->setEnabled(false);
    }
}

void FileListWindow::btnStartEnable()
{
    ui->btn_start->setEnabled(m_fileList->allowedRun() && m_pendingRows.isEmpty());
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
    // The button says what a click does now, in the language now shown.
    ui->btn_start->setText(m_runState == 0 ? tr("Cancel") : startText());
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

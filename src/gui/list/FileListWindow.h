#pragma once

#include "common/ConvertTypes.h"
#include "items/FileItemList.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class FileItem;
class FileItemWidget;
class QListWidgetItem;
class MergeWidget;
class TaskController;
class Ui_FileListWindow;

// One page's working area: its files with one row each, and the bottom bar with add, delete,
// the merge switch (creator page), the output folder and the start button that also cancels.
// Owns the page's file list and task controller.
class FileListWindow : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(FileListWindow)

public:
    FileListWindow(FunctionMode mode, QWidget* parent = nullptr);
    ~FileListWindow() override;

    void initLineEdit();
    void initUi();
    // Adds the files that are new to the page; nothing while the page runs. Files refused, and
    // those the caller found unsuitable for the page, are listed in one message afterwards.
    void addFileList(QStringList& paths, QStringList const& unsuitable = QStringList());
    void settingTaskOptions(int index);
    void startBtnStateChange();
    void btnStartEnable();
    void uiEnable(bool on);
    void listWidgetHide();
    void listWidgetShow();
    void clearAllItems();
    void clearFinishedItems();
    bool isRunning() const { return m_runState == 0; }
    FunctionMode functionMode() const { return m_mode; }

    FileItemList* fileList() const { return m_fileList; }
    // Whether rows of added files are still being built.
    bool rowsPending() const { return !m_pendingRows.isEmpty(); }
    TaskController* controller() const { return m_controller; }

signals:
    void listEmpty();
    void addFileSuccessed();
    void lineEditPress();

public slots:
    void btn_add_file_clicked();
    void notEncryptedMessage(QString filePath);

private slots:
    void btn_delete_clicked();
    void btn_start_clicked();
    void btn_open_folder_clicked();
    void selectOutputDir();
    void btn_merge_switch_clicked(bool checked);
    void unlockAllPDF(QString password);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onTaskStarted();
    void onTaskFinished();
    void onTaskApplyOptions(int index);
    void onSelectionChanged();
    void retranslate();
    FileItemWidget* rowWidget(int row) const;
    FileItemWidget* rowOfItem(FileItem* item) const;
    // Takes a row out of the list and deletes its widget at once: the widget must not outlive
    // the file item it shows.
    void removeRow(int row);
    void buildPendingRows();
    void afterRemoval();
    void onRefusedAfterReading(FileItem* item, FileItemList::RefusedFile const& file);
    void onReadingEnded();
    void reportRefusedFiles(QList<FileItemList::RefusedFile> const& refused, QStringList const& unsuitable);
    // Whether every file that would run is set up so that it can; says which are not.
    bool inputsReady();
    QString listedForMessage(QStringList const& lines) const;
    void markSkippedLockedFiles();
    QString startText() const;

    int m_runState = 1;
    bool m_merge = false;
    TaskController* m_controller;
    Ui_FileListWindow* ui;
    FunctionMode m_mode;
    FileItemList* m_fileList;

    struct PendingRow
    {
        QListWidgetItem* row;
        FileItem* item;
    };
    // Rows listed but without their widget yet, in order; each leaves when built or removed.
    QList<PendingRow> m_pendingRows;
    QHash<FileItem*, FileItemWidget*> m_rowWidgets;
    // Files refused while others were being read, reported when the last reading ends.
    QList<FileItemList::RefusedFile> m_refusedAfterReading;
    QStringList m_unsuitableBeforeReading;
};

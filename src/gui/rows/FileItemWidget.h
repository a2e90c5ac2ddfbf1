#pragma once

#include "options/ConvertOption.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class FileItem;
class QAbstractButton;
class QLineEdit;
class Ui_FileItemWidget;

// One row of a page's file list: shows a file item (icon, name, size, pages, page range) and
// its processing state. The item belongs to the page's file list, never to the row.
class FileItemWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(FileItemWidget)

public:
    FileItemWidget(FileItem* item, QWidget* parent = nullptr);
    ~FileItemWidget() override;

    // The options to copy into the item before a run; none for rows that do not convert.
    virtual ConvertOption const* getOption() const;
    virtual void showErrorMessage(int code);
    // Off while the row's file is queued or running: what the worker reads stays as it was.
    virtual void setEditable(bool editable);

    FileItem* fileItem() const { return m_fileItem; }
    QString outputFilePath() const { return m_outputFilePath; }

    void initUi();
    void startProcess();
    void completeProcess();
    void processFinished(int code);
    void saveOutputFilePath(QString path);
    void edit_range_finished();
    void range_button_group_slot(QAbstractButton* button, bool checked);
    // The normalised entries ("1-3", "5", ...) of a page-range text; empty when the text cannot
    // be read against the item's page count.
    QStringList mergeNumberOfPage(QString const& text);
    // What keeps the row's file from running as the user set it up (an unreadable page range,
    // an unusable output name), with the editor marked; empty when nothing does.
    virtual QString checkInput();
    // A locked file that a run passed over says so on its mark.
    void showSkippedAsLocked();
    void changeProcessedState();
    void hideFinishedLabel();
    void btn_icon_clicked();
    void openOutpuFilePath();
    void updateItemIcon();
    void readingFinished();
    void setErrorMessageToToolTip(QString text);

signals:
    void decryptionSuccess();
    void itemProcessStateChange();

protected:
    // A red frame and a tool tip saying what is wrong; an empty problem takes both away.
    static void markEditor(QLineEdit* editor, QString const& problem);
    // What the mark's tool tip says for a failure code, in the current language.
    virtual QString failureText(int code) const;

    Ui_FileItemWidget* ui;
    FileItem* m_fileItem;

private:
    void setIconStyle(QString const& icon, QString const& pressedIcon);
    void retranslate();
    QString skippedAsLockedText() const;
    void showPageCount();
    // Reads a range text against the page count: the entries, or why it cannot be read.
    QString readRange(QString const& text, QStringList* entries) const;
    // Hands the editor's range to the item; an unreadable text stays as typed, marked (an
    // empty one only when asked: the placeholder already says what to type).
    QString applyRange(bool markEmpty);

    QString m_outputFilePath;
    // What the shown mark reports, so that a language switch says it again: a failure's code
    // (0 for none) or a locked file passed over.
    int m_failure = 0;
    bool m_skippedLocked = false;
};

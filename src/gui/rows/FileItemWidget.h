#pragma once

#include "options/ConvertOption.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class FileItem;
class QAbstractButton;
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

    FileItem* fileItem() const { return m_fileItem; }
    QString outputFilePath() const { return m_outputFilePath; }

    void initUi();
    void startProcess();
    void completeProcess();
    void processFinished(int code);
    void saveOutputFilePath(QString path);
    void edit_range_finished();
    void range_button_group_slot(QAbstractButton* button, bool checked);
    // The normalised entries ("1-3", "5", ...) of a page-range text; empty when any part is
    // out of the item's page count (the whole document).
    QStringList mergeNumberOfPage(QString const& text);
    void changeProcessedState();
    void hideFinishedLabel();
    void btn_icon_clicked();
    void openOutpuFilePath();
    void updateItemIcon();
    void setErrorMessageToToolTip(QString text);

signals:
    void decryptionSuccess();
    void itemProcessStateChange();

protected:
    Ui_FileItemWidget* ui;
    FileItem* m_fileItem;

private:
    void setIconStyle(QString const& icon, QString const& pressedIcon);
    void retranslate();

    QString m_outputFilePath;
};

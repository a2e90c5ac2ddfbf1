#pragma once

#include "rows/FileItemWidget.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;

// A creator-page row: the file row with the name of the PDF to be made from the file.
class CreatorItemWidget : public FileItemWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(CreatorItemWidget)

public:
    CreatorItemWidget(FileItem* item, QWidget* parent = nullptr);
    ~CreatorItemWidget() override;

    void showErrorMessage(int code) override;
    QString checkInput() override;
    void setEditable(bool editable) override;

    void initUi();
    void lineEdit_editingFinished_slots();
    // Hands the field's text, unchanged, to the item as its output name, and marks the field
    // when the text names no file of its own.
    void applyOutputName();
    // Off while the page merges its files into one.
    void setOutputEnable(bool enable);

    // Members that nothing in the application calls.
    void setMergeFileTempName(QString name);
    void retranslateUi();

protected:
    QString failureText(int code) const override;

private:
    // Why the field's text cannot name a PDF in the output folder; empty when it can.
    QString outputNameProblem() const;

    QHBoxLayout* m_rightLayout = nullptr;
    QLabel* label = nullptr;
    QLineEdit* lineEdit_output_name = nullptr;
    bool m_outputEnabled = true;
};

#include "rows/CreatorItemWidget.h"

#include "ui_FileItemWidget.h"

#include "errors/ErrorMessageContext.h"
#include "items/FileItem.h"
#include "language/MultiLanguage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

CreatorItemWidget::CreatorItemWidget(FileItem* item, QWidget* parent) : FileItemWidget(item, parent)
{
    initUi();
    connect(lineEdit_output_name, &QLineEdit::editingFinished, this,
            &CreatorItemWidget::lineEdit_editingFinished_slots);
    connect(MultiLanguage::instance(), &MultiLanguage::languageChanged, this, [this] { retranslateUi(); });
}

CreatorItemWidget::~CreatorItemWidget() = default;

void CreatorItemWidget::initUi()
{
    m_rightLayout = ui->horizontalLayout;
    label = new QLabel(ui->frame_right);
    label->setObjectName(QStringLiteral("label"));
    label->setFont(QFont(QStringLiteral("Arial")));
    label->setText(tr("Output Name"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lineEdit_output_name = new QLineEdit(ui->frame_right);
    lineEdit_output_name->setObjectName(QStringLiteral("lineEdit_output_name"));
    lineEdit_output_name->setMinimumWidth(100);
    lineEdit_output_name->setMaximumWidth(130);
    // The right-hand side reads: spacer, label, field, the mark.
    m_rightLayout->insertWidget(1, lineEdit_output_name);
    m_rightLayout->insertWidget(1, label);
    lineEdit_output_name->setText(m_fileItem->fileBaseName());
    applyOutputName();
    setStyleSheet(QStringLiteral("QWidget{font-size:12px}"));
}

void CreatorItemWidget::lineEdit_editingFinished_slots()
{
    changeProcessedState();
    applyOutputName();
}

void CreatorItemWidget::applyOutputName()
{
    lineEdit_output_name->clearFocus();
    m_fileItem->setOutputPdfName(lineEdit_output_name->text());
}

void CreatorItemWidget::setOutputEnable(bool enable)
{
    ui->btn_convert_finished->hide();
    lineEdit_output_name->setEnabled(enable);
    label->setEnabled(enable);
}

void CreatorItemWidget::showErrorMessage(int code)
{
    QString const text = ErrorMessageContext::getErrorMessageForCreator(code);
    if (!text.isEmpty())
        setErrorMessageToToolTip(text);
}

void CreatorItemWidget::setMergeFileTempName(QString name)
{
    m_fileItem->setOutputPdfName(name);
}

void CreatorItemWidget::retranslateUi()
{
    label->setText(tr("Output Name"));
}

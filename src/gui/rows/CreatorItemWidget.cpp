#include "rows/CreatorItemWidget.h"

#include "ui_FileItemWidget.h"

#include "engines/ResultCodes.h"
#include "errors/ErrorMessageContext.h"
#include "items/FileItem.h"
#include "language/MultiLanguage.h"
#include "utils/CommonUtils.h"

#include <QFileInfo>
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
    // Everything before the last dot: "report.final.docx" makes "report.final.pdf".
    lineEdit_output_name->setText(QFileInfo(m_fileItem->fileName()).completeBaseName());
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
    markEditor(lineEdit_output_name, outputNameProblem());
}

QString CreatorItemWidget::outputNameProblem() const
{
    // A merged run makes no file of this name.
    if (!m_outputEnabled)
        return QString();
    switch (CommonUtils::checkOutputName(lineEdit_output_name->text())) {
    case CommonUtils::OutputNameUsable:
        return QString();
    case CommonUtils::OutputNameEmpty:
        return tr("Type a name for the PDF.");
    case CommonUtils::OutputNameHasSeparator:
        return tr("The name cannot hold \"/\": the PDF is made in the output folder.");
    case CommonUtils::OutputNameOnlyDots:
        return tr("The name cannot be only dots and blanks.");
    }
    return QString();
}

QString CreatorItemWidget::checkInput()
{
    QString const range = FileItemWidget::checkInput();
    if (!range.isEmpty())
        return range;
    QString const name = outputNameProblem();
    markEditor(lineEdit_output_name, name);
    return name;
}

void CreatorItemWidget::setOutputEnable(bool enable)
{
    ui->btn_convert_finished->hide();
    m_outputEnabled = enable;
    setEditable(!m_fileItem->isBusy());
    markEditor(lineEdit_output_name, outputNameProblem());
}

void CreatorItemWidget::setEditable(bool editable)
{
    FileItemWidget::setEditable(editable);
    lineEdit_output_name->setEnabled(editable && m_outputEnabled);
    label->setEnabled(editable && m_outputEnabled);
}

void CreatorItemWidget::showErrorMessage(int code)
{
    setErrorMessageToToolTip(failureText(code));
}

QString CreatorItemWidget::failureText(int code) const
{
    QString const text = ErrorMessageContext::getErrorMessageForCreator(code);
    // Every failure says something: codes without a text of their own are unknown errors.
    return text.isEmpty() ? ErrorMessageContext::getErrorMessageForCreator(CreateErrorUnknown) : text;
}

void CreatorItemWidget::setMergeFileTempName(QString name)
{
    m_fileItem->setOutputPdfName(name);
}

void CreatorItemWidget::retranslateUi()
{
    label->setText(tr("Output Name"));
    if (!lineEdit_output_name->toolTip().isEmpty())
        markEditor(lineEdit_output_name, outputNameProblem());
}

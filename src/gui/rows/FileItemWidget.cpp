#include "rows/FileItemWidget.h"

#include "ui_FileItemWidget.h"

#include "dialogs/EnterPassword.h"
#include "engines/ResultCodes.h"
#include "errors/ErrorMessageContext.h"
#include "items/PDFFileItem.h"
#include "language/MultiLanguage.h"
#include "pdf/PageRanges.h"
#include "relay/SignalTransferStation.h"
#include "utils/CommonUtils.h"

#include "FileManager.h"

#include <QDesktopServices>
#include <QToolTip>
#include <QUrl>

#include <QtPlugin>

// Rows style their pictures with style sheets; this engine lets all of them share one decoded
// copy of each picture.
Q_IMPORT_PLUGIN(SharedImageIconEnginePlugin)

FileItemWidget::FileItemWidget(FileItem* item, QWidget* parent)
    : QWidget(parent), ui(new Ui_FileItemWidget), m_fileItem(item)
{
    ui->setupUi(this);
    initUi();

    connect(ui->btn_icon, &QPushButton::clicked, this, &FileItemWidget::btn_icon_clicked);
    connect(item, &FileItem::processFinishedSignal, this, &FileItemWidget::processFinished);
    connect(item, &FileItem::processing, this, &FileItemWidget::startProcess);
    connect(item, &FileItem::processed, this, &FileItemWidget::completeProcess);
    connect(item, &FileItem::outputFileSignal, this, &FileItemWidget::saveOutputFilePath);
    connect(ui->lineEdit_range, &QLineEdit::editingFinished, this, &FileItemWidget::edit_range_finished);
    connect(ui->rangebuttonGroup, QOverload<QAbstractButton*, bool>::of(&QButtonGroup::buttonToggled), this,
            &FileItemWidget::range_button_group_slot);
    connect(ui->btn_convert_finished, &QPushButton::clicked, this, &FileItemWidget::openOutpuFilePath);
    connect(SignalTransferStation::instance(), &SignalTransferStation::sendErrorMessage, this,
            &FileItemWidget::setErrorMessageToToolTip);
    connect(item, &FileItem::unlockSuccess, this, &FileItemWidget::updateItemIcon);
    connect(item, &FileItem::readingFinished, this, &FileItemWidget::readingFinished);
    connect(item, &FileItem::busyChanged, this, [this](bool busy) { setEditable(!busy); });
    connect(MultiLanguage::instance(), &MultiLanguage::languageChanged, this, [this] { retranslate(); });
}

FileItemWidget::~FileItemWidget()
{
    delete ui;
}

ConvertOption const* FileItemWidget::getOption() const
{
    return nullptr;
}

void FileItemWidget::initUi()
{
    // The mark and the spinner share one place and keep it while hidden.
    ui->btn_convert_finished->hide();
    ui->lineEdit_range->hide();
    ui->label_waiting->hide();
    for (QWidget* widget :
         {static_cast<QWidget*>(ui->btn_convert_finished), static_cast<QWidget*>(ui->label_waiting)}) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
    setStyleSheet(QStringLiteral("QWidget{font-size:12px}"));
    setIconStyle(m_fileItem->getFileIcon(), QStringLiteral("Pressed-") + m_fileItem->getFileIcon());

    // Images and other documents show neither a page count nor a page range.
    if (m_fileItem->fileType().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
        ui->label_pages->hide();
        ui->pageSettingFrame->hide();
    }
    // Elide to the width the row's layout gives the name, not the label's unlaid-out default.
    layout()->activate();
    // A line break in a name would push the row's texts apart: the name shows on one line.
    ui->label_name->setText(ui->label_name->fontMetrics().elidedText(
        CommonUtils::oneLine(m_fileItem->fileName()), Qt::ElideMiddle, ui->label_name->width()));
    ui->label_size->setText(m_fileItem->formatBytesOfFile());
    showPageCount();
    // A file the helper still reads shows the spinner until it tells the page count.
    if (m_fileItem->isBeingRead())
        ui->label_waiting->begin();
}

void FileItemWidget::showPageCount()
{
    int const count = m_fileItem->pageCount();
    ui->label_pages->setText(count == 1 ? tr("%1 Page").arg(count) : tr("%1 Pages").arg(count));
    // Some locked files do not tell their page count before they are unlocked.
    if (m_fileItem->fileType().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0)
        ui->label_pages->setVisible(!m_fileItem->isBeingRead() && (count > 0 || !m_fileItem->isEncrypted()));
}

void FileItemWidget::readingFinished()
{
    ui->label_waiting->stop();
    setIconStyle(m_fileItem->getFileIcon(), QStringLiteral("Pressed-") + m_fileItem->getFileIcon());
    showPageCount();
    if (ui->btn_range->isChecked())
        applyRange(false);
}

void FileItemWidget::setIconStyle(QString const& icon, QString const& pressedIcon)
{
    ui->btn_icon->setStyleSheet(QStringLiteral("QPushButton{border:none;image:url(:/resource/%1);"
                                               "background-color:rgba(255, 255, 255, 0);}"
                                               "QPushButton:pressed{image:url(:/resource/%2);}")
                                    .arg(icon, pressedIcon));
}

void FileItemWidget::setEditable(bool editable)
{
    ui->pageSettingFrame->setEnabled(editable);
}

void FileItemWidget::startProcess()
{
    ui->label_waiting->begin();
}

void FileItemWidget::completeProcess()
{
    ui->label_waiting->stop();
}

void FileItemWidget::processFinished(int code)
{
    ui->label_waiting->stop();
    m_failure = code;
    m_skippedLocked = false;
    if (code != 0) {
        ui->btn_convert_finished->setEnabled(false);
        showErrorMessage(code);
    } else {
        ui->btn_convert_finished->setEnabled(true);
    }
    ui->btn_convert_finished->show();
}

void FileItemWidget::saveOutputFilePath(QString path)
{
    m_outputFilePath = path;
}

void FileItemWidget::showErrorMessage(int code)
{
    setErrorMessageToToolTip(failureText(code));
}

QString FileItemWidget::failureText(int code) const
{
    QString const text = ErrorMessageContext::getErrorMessage(code);
    // Every failure says something: codes without a text of their own are unknown errors.
    return text.isEmpty() ? ErrorMessageContext::getErrorMessage(ConvertErrorUnknown) : text;
}

void FileItemWidget::showSkippedAsLocked()
{
    ui->label_waiting->stop();
    m_failure = 0;
    m_skippedLocked = true;
    ui->btn_convert_finished->setEnabled(false);
    ui->btn_convert_finished->setToolTip(skippedAsLockedText());
    ui->btn_convert_finished->show();
}

void FileItemWidget::setErrorMessageToToolTip(QString text)
{
    ui->btn_convert_finished->setToolTip(text);
    QToolTip::showText(ui->btn_convert_finished->mapToGlobal(QPoint(0, 0)), text);
}

void FileItemWidget::changeProcessedState()
{
    ui->btn_convert_finished->hide();
    m_failure = 0;
    m_skippedLocked = false;
    m_fileItem->changeProcessCompletionMark();
    emit itemProcessStateChange();
}

void FileItemWidget::hideFinishedLabel()
{
    changeProcessedState();
}

void FileItemWidget::range_button_group_slot(QAbstractButton* button, bool checked)
{
    changeProcessedState();
    if (button == ui->btn_allPage && checked) {
        ui->lineEdit_range->hide();
        markEditor(ui->lineEdit_range, QString());
        m_fileItem->changePageRange(QStringList());
        return;
    }
    ui->lineEdit_range->show();
    edit_range_finished();
}

void FileItemWidget::edit_range_finished()
{
    changeProcessedState();
    applyRange(false);
}

QString FileItemWidget::applyRange(bool markEmpty)
{
    QString const text = ui->lineEdit_range->text();
    // Read against the page count once the unlock tells it; a locked file does not run.
    if (m_fileItem->isEncrypted() && m_fileItem->pageCount() < 1) {
        markEditor(ui->lineEdit_range, QString());
        return QString();
    }
    QStringList entries;
    QString const problem = readRange(text, &entries);
    markEditor(ui->lineEdit_range, markEmpty || !text.trimmed().isEmpty() ? problem : QString());
    if (!problem.isEmpty()) {
        // The text stays for the user to mend; the page's start refuses the file until then.
        m_fileItem->changePageRange(QStringList());
        return problem;
    }
    ui->lineEdit_range->setText(entries.join(QLatin1Char(',')));
    m_fileItem->changePageRange(entries);
    return QString();
}

QString FileItemWidget::checkInput()
{
    if (ui->pageSettingFrame->isHidden() || !ui->btn_range->isChecked())
        return QString();
    return applyRange(true);
}

void FileItemWidget::markEditor(QLineEdit* editor, QString const& problem)
{
    editor->setStyleSheet(
        problem.isEmpty() ? QString() : QStringLiteral("QLineEdit{border:1px solid rgb(252, 56, 57);}"));
    editor->setToolTip(problem);
}

QStringList FileItemWidget::mergeNumberOfPage(QString const& text)
{
    QStringList entries;
    if (!readRange(text, &entries).isEmpty())
        return {};
    return entries;
}

QString FileItemWidget::readRange(QString const& text, QStringList* entries) const
{
    PageRanges::Reading const reading = PageRanges::read(text, m_fileItem->pageCount());
    switch (reading.problem) {
    case PageRanges::Reading::None:
        break;
    case PageRanges::Reading::NotARange:
        return tr("\"%1\" is not a page or a range of pages such as 4-7.").arg(reading.part);
    case PageRanges::Reading::NoSuchPage:
        return tr("There is no page %1 in this document.").arg(reading.part);
    case PageRanges::Reading::EndsBeforeStart:
        return tr("The range %1 ends before it starts.").arg(reading.part);
    case PageRanges::Reading::NoPage:
        return tr("Type the pages to convert, for example 1,3,4-7.");
    }
    *entries = reading.entries;
    return QString();
}

void FileItemWidget::btn_icon_clicked()
{
    if (m_fileItem->isEncrypted()) {
        if (auto* pdf = qobject_cast<PDFFileItem*>(m_fileItem))
            EnterPassword::showWidget(pdf);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(m_fileItem->filePath()));
}

void FileItemWidget::openOutpuFilePath()
{
    FileManager::showItem(m_outputFilePath);
}

void FileItemWidget::updateItemIcon()
{
    if (m_fileItem->isEncrypted())
        return;
    setIconStyle(QStringLiteral("PDF-3x.png"), QStringLiteral("Pressed-PDF-3x.png"));
    // The count may only now be known, and the range is read against it again.
    showPageCount();
    if (ui->btn_range->isChecked())
        applyRange(false);
    ui->btn_convert_finished->hide();
    emit decryptionSuccess();
}

QString FileItemWidget::skippedAsLockedText() const
{
    return tr("Skipped: the file is locked. Click its icon and enter its password to convert it.");
}

void FileItemWidget::retranslate()
{
    ui->retranslateUi(this);
    if (m_skippedLocked)
        ui->btn_convert_finished->setToolTip(skippedAsLockedText());
    else if (m_failure != 0)
        ui->btn_convert_finished->setToolTip(failureText(m_failure));
    showPageCount();
    if (!ui->lineEdit_range->toolTip().isEmpty()) {
        QStringList entries;
        markEditor(ui->lineEdit_range, readRange(ui->lineEdit_range->text(), &entries));
    }
}

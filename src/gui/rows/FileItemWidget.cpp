#include "rows/FileItemWidget.h"

#include "ui_FileItemWidget.h"

#include "dialogs/EnterPassword.h"
#include "errors/ErrorMessageContext.h"
#include "items/PDFFileItem.h"
#include "language/MultiLanguage.h"
#include "relay/SignalTransferStation.h"

#include "FileManager.h"

#include <QDesktopServices>
#include <QRegularExpression>
#include <QToolTip>
#include <QUrl>

#include <QtPlugin>

#include <vector>

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
    ui->label_name->setText(ui->label_name->fontMetrics().elidedText(m_fileItem->fileName(), Qt::ElideMiddle,
                                                                     ui->label_name->width()));
    ui->label_size->setText(m_fileItem->formatBytesOfFile());
    ui->label_pages->setText(tr("%1 Pages").arg(m_fileItem->pageCount()));
}

void FileItemWidget::setIconStyle(QString const& icon, QString const& pressedIcon)
{
    ui->btn_icon->setStyleSheet(QStringLiteral("QPushButton{border:none;image:url(:/resource/%1);"
                                               "background-color:rgba(255, 255, 255, 0);}"
                                               "QPushButton:pressed{image:url(:/resource/%2);}")
                                    .arg(icon, pressedIcon));
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
    QString const text = ErrorMessageContext::getErrorMessage(code);
    if (!text.isEmpty())
        setErrorMessageToToolTip(text);
}

void FileItemWidget::setErrorMessageToToolTip(QString text)
{
    ui->btn_convert_finished->setToolTip(text);
    QToolTip::showText(ui->btn_convert_finished->mapToGlobal(QPoint(0, 0)), text);
}

void FileItemWidget::changeProcessedState()
{
    ui->btn_convert_finished->hide();
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
        m_fileItem->changePageRange(QStringList());
        return;
    }
    ui->lineEdit_range->show();
    edit_range_finished();
}

void FileItemWidget::edit_range_finished()
{
    changeProcessedState();
    // Digits, commas and dashes only, the whole text; no blanks.
    static QRegularExpression const allowed(QRegularExpression::anchoredPattern(QStringLiteral("[0-9,-]+")));
    QString const text = ui->lineEdit_range->text();
    if (!allowed.match(text).hasMatch()) {
        ui->lineEdit_range->clear();
        m_fileItem->changePageRange(QStringList());
        return;
    }
    QStringList const ranges = mergeNumberOfPage(text);
    ui->lineEdit_range->setText(ranges.join(QLatin1Char(',')));
    m_fileItem->changePageRange(ranges);
}

QStringList FileItemWidget::mergeNumberOfPage(QString const& text)
{
    int const pageCount = m_fileItem->pageCount();
    QStringList const parts = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (parts.isEmpty() || pageCount < 1)
        return {};
    // One flag per page: repeated and overlapping parts merge, and the walk below is ordered.
    std::vector<bool> pages(static_cast<size_t>(pageCount) + 1, false);
    for (QString const& part : parts) {
        if (!part.contains(QLatin1Char('-'))) {
            int const page = part.toInt();
            if (page < 1 || page > pageCount)
                return {};
            pages[static_cast<size_t>(page)] = true;
            continue;
        }
        // "a-b"; a part with more dashes counts by its first and last numbers.
        QStringList const pieces = part.split(QLatin1Char('-'));
        int const first = pieces.first().toInt();
        int const last = pieces.last().toInt();
        if (first < 1 || first > last || last > pageCount)
            return {};
        for (int page = first; page <= last; ++page)
            pages[static_cast<size_t>(page)] = true;
    }
    QStringList entries;
    for (int page = 1; page <= pageCount; ++page) {
        if (!pages[static_cast<size_t>(page)])
            continue;
        int end = page;
        while (end < pageCount && pages[static_cast<size_t>(end) + 1])
            ++end;
        entries << (end > page ? QStringLiteral("%1-%2").arg(page).arg(end) : QString::number(page));
        page = end;
    }
    return entries;
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
    emit decryptionSuccess();
}

void FileItemWidget::retranslate()
{
    ui->retranslateUi(this);
    ui->label_pages->setText(tr("%1 Pages").arg(m_fileItem->pageCount()));
}

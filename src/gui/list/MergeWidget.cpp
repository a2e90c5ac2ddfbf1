#include "list/MergeWidget.h"

#include "ui_MergeWidget.h"

#include "language/GLanguage.h"
#include "language/MultiLanguage.h"
#include "pdf/MergeFunction.h"

#include "FileManager.h"

#include <QEvent>

MergeWidget::MergeWidget(QWidget* parent) : QWidget(parent), ui(new Ui_MergeWidget)
{
    ui->setupUi(this);
    setParent(parent);
    setWindowFlags(Qt::FramelessWindowHint);
    // Covers the whole list window, bottom bar included, and keeps covering it when the
    // window's height changes.
    if (parent) {
        setGeometry(parent->rect());
        parent->installEventFilter(this);
    }
    ui->stackedWidget->setCurrentWidget(ui->progressPage);
    connect(MergeFunction::instance(), &MergeFunction::mergeProgress, this, &MergeWidget::progressBarUpdate);
    connect(ui->btnOk, &QPushButton::clicked, this, &MergeWidget::okClicked);
    connect(ui->btnShow, &QPushButton::clicked, this, &MergeWidget::showClicked);
    connect(MultiLanguage::instance(), &MultiLanguage::languageChanged, this, &MergeWidget::retranslate);
    ui->btnShow->setText(tr("Show in Folder"));
}

MergeWidget::~MergeWidget()
{
    delete ui;
}

bool MergeWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void MergeWidget::progressBarUpdate(int percent)
{
    ui->progressBar->setValue(percent);
}

void MergeWidget::mergedCount(int merged, int total)
{
    m_merged = merged;
    m_total = total;
}

void MergeWidget::diskFull()
{
    m_diskFull = true;
}

void MergeWidget::completionOfMerger(bool flag, QString outputFilePath)
{
    m_failed = !flag;
    if (m_failed) {
        ui->btnShow->hide();
        ui->iconLabel->setStyleSheet(QStringLiteral("image: url(:/resource/pic_failed-3x.png);"));
    } else {
        m_outputFilePath = outputFilePath;
        // A merged file that lacks some of the run's files is no plain success.
        if (m_merged < m_total)
            ui->iconLabel->setStyleSheet(QStringLiteral("image: url(:/resource/pic_warning-3x.png);"));
    }
    showResultText();
    ui->stackedWidget->setCurrentWidget(ui->completePage);
}

void MergeWidget::showResultText()
{
    if (m_failed && m_diskFull)
        ui->completeMessage->setText(
            QCoreApplication::translate("GLanguage", GLanguage::getString(StrDiskFull)));
    else if (m_failed)
        ui->completeMessage->setText(tr("The merge is failed"));
    else if (m_merged < m_total)
        ui->completeMessage->setText(tr("%1 of %2 files are in the merged PDF.").arg(m_merged).arg(m_total));
}

void MergeWidget::showFolder()
{
    FileManager::showItem(m_outputFilePath);
}

void MergeWidget::okClicked()
{
    close();
    deleteLater();
}

void MergeWidget::showClicked()
{
    close();
    showFolder();
    deleteLater();
}

void MergeWidget::retranslate()
{
    ui->retranslateUi(this);
    showResultText();
}

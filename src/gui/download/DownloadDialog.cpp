#include "download/DownloadDialog.h"

#include "ui_DownloadDialog.h"

#include "common/ProductConstants.h"
#include "module/InstallModule.h"
#include "module/ModuleDigest.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QUrl>
#include <QtDebug>

DownloadDialog::DownloadDialog(QWidget* parent) : QDialog(parent), ui(new Ui_Downloading)
{
    ui->setupUi(this);
    setWindowModality(Qt::WindowModal);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    connect(&m_download, &ModuleDownload::downloadProgress, this, &DownloadDialog::updateProgress);
    connect(ui->cancelButton, &QPushButton::clicked, this, &DownloadDialog::cancelDownload);
}

DownloadDialog::~DownloadDialog()
{
    delete ui;
    qDebug() << "~DownloadDialog" << __LINE__;
}

QString DownloadDialog::savePathFor(QString const& url)
{
    return QDir::homePath() + g_downloadDirPath + QUrl(url).fileName(QUrl::FullyDecoded);
}

bool DownloadDialog::downloadOCR(QString url)
{
    m_failure.clear();
    ui->downloadProgressBar->setValue(0);
    ui->label->setText(tr("Downloading OCR Module..."));
    if (!download(url)) {
        qWarning() << "downloadOCR" << __LINE__ << "Download OCR fail";
        if (!m_download.wasCancelled())
            m_failure = tr("The OCR module could not be downloaded: %1").arg(m_download.errorString());
        return false;
    }
    QString package = savePathFor(url);
    // A damaged or substituted package would be unpacked into the application and then fail
    // the model check at every start: it is dropped before anything is installed.
    QString digest = getMd5(package);
    if (digest.isEmpty() || digest != baseOcrInstallPackMd5) {
        qWarning() << "downloadOCR" << __LINE__ << "Downloaded package has the wrong digest:" << digest;
        QFile::remove(package);
        m_failure = tr("The downloaded OCR module is damaged and was not installed. Please try again.");
        return false;
    }
    if (!InstallModule::instance()->installOCRModule(package)) {
        m_failure = InstallModule::instance()->errorString();
        return false;
    }
    return true;
}

bool DownloadDialog::download(QString url)
{
    QString folder = QDir::homePath() + g_downloadDirPath;
    QDir().mkpath(QFileInfo(folder).absoluteFilePath());
    m_savePath = savePathFor(url);
    return m_download.download(url, m_savePath, -1);
}

bool DownloadDialog::downloadCAD(QString url)
{
    Q_UNUSED(url)
    return false;
}

bool DownloadDialog::downloadHtml2pdf(QString url)
{
    Q_UNUSED(url)
    return false;
}

void DownloadDialog::updateProgress(int received, int total)
{
    // Without a known length there is no percentage to show.
    if (total <= 0)
        return;
    double share = double(received) / total * 100;
    if (share < 0 || share > 100)
        return;
    int percent = int(share);
    ui->downloadProgressBar->setValue(percent);
    if (percent == 100) {
        // The last bytes are still to be written; the transfer goes on to its end.
        m_closingAtEnd = true;
        close();
        m_closingAtEnd = false;
    }
}

void DownloadDialog::cancelDownload()
{
    m_download.cancelDownload();
}

void DownloadDialog::keyPressEvent(QKeyEvent* event)
{
    bool cancel = event->matches(QKeySequence::Cancel);
    QDialog::keyPressEvent(event);
    if (cancel)
        cancelDownload();
}

void DownloadDialog::closeEvent(QCloseEvent* event)
{
    QDialog::closeEvent(event);
    if (!m_closingAtEnd && event->isAccepted())
        cancelDownload();
}

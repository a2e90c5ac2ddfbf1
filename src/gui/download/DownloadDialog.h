#pragma once

#include "module/ModuleDownload.h"

#include <QDialog>
#include <QString>

class Ui_Downloading;

// Shows the download of an add-on package with a progress bar and a Cancel button, then has
// the package installed.
class DownloadDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(DownloadDialog)

public:
    explicit DownloadDialog(QWidget* parent = nullptr);
    ~DownloadDialog() override;

    // Downloads the OCR model package and installs it; true only when both worked.
    bool downloadOCR(QString url);
    // Downloads the URL's file into the download folder; true when the transfer completed.
    bool download(QString url);
    bool downloadCAD(QString url);
    bool downloadHtml2pdf(QString url);
    // Why the last downloadOCR failed, for the user; empty after a success or a cancel.
    QString failureReason() const { return m_failure; }

private slots:
    void updateProgress(int received, int total);
    void cancelDownload();

private:
    // Escape and the title-bar close button stop the transfer as Cancel does.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The download folder's path for the URL's file (its name fully decoded).
    static QString savePathFor(QString const& url);

    Ui_Downloading* ui;
    QString m_savePath;
    QString m_failure;
    ModuleDownload m_download;
    // Set while the dialog closes itself at 100 %, which must not stop anything.
    bool m_closingAtEnd = false;
};

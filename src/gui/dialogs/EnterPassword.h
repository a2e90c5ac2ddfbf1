#pragma once

#include <QDialog>
#include <QString>

class PDFFileItem;
class Ui_EnterPassword;

// Asks for the open password of one locked PDF and tries it on the file; with "Apply to all"
// a password that worked is offered to every locked file of both lists.
class EnterPassword : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(EnterPassword)

public:
    EnterPassword(PDFFileItem* item, QWidget* parent = nullptr);
    ~EnterPassword() override;

    // Shows the modal dialog for item, parented to the main window.
    static void showWidget(PDFFileItem* item);

signals:
    void unlockAll(QString password);

public slots:
    void btn_ok_clicked();
    void btn_cencel_clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showFileName();

    Ui_EnterPassword* ui;
    PDFFileItem* m_pdfFileItem;
};

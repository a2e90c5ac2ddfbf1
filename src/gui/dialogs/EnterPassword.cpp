#include "dialogs/EnterPassword.h"

#include "ui_EnterPassword.h"

#include "items/PDFFileItem.h"
#include "relay/SignalTransferStation.h"
#include "support/MainWindowAccess.h"
#include "support/ModalDialog.h"
#include "utils/CommonUtils.h"

#include <QKeyEvent>

EnterPassword::EnterPassword(PDFFileItem* item, QWidget* parent)
    : QDialog(parent), ui(new Ui_EnterPassword), m_pdfFileItem(item)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setStyleSheet(QStringLiteral("QWidget{font-size:12px}"));

    // Keeps its place while hidden, so showing it moves nothing.
    QSizePolicy policy = ui->label_incorrect_pwd->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    ui->label_incorrect_pwd->setSizePolicy(policy);
    ui->label_incorrect_pwd->hide();
    ui->lineEdit_password->setFocus();

    connect(ui->lineEdit_password, &QLineEdit::textChanged, ui->label_incorrect_pwd, &QWidget::hide);
    connect(ui->btn_ok, &QPushButton::clicked, this, &EnterPassword::btn_ok_clicked);
    connect(ui->btn_cancel, &QPushButton::clicked, this, &EnterPassword::btn_cencel_clicked);

    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    ui->label->setText(tr("Open password"));
    showFileName();
}

void EnterPassword::showFileName()
{
    // With "Apply to all" and several locked files, the user must know which one asks.
    if (!m_pdfFileItem)
        return;
    layout()->activate();
    QString const name = CommonUtils::oneLine(m_pdfFileItem->fileName());
    ui->label_file->setText(
        ui->label_file->fontMetrics().elidedText(name, Qt::ElideMiddle, ui->label_file->contentsRect().width()));
    ui->label_file->setToolTip(CommonUtils::oneLine(m_pdfFileItem->filePath()));
}

EnterPassword::~EnterPassword()
{
    delete ui;
}

void EnterPassword::showWidget(PDFFileItem* item)
{
    auto* dialog = new EnterPassword(item, MainWindowAccess::instance());
    connect(dialog, &EnterPassword::unlockAll, SignalTransferStation::instance(),
            &SignalTransferStation::transmitunlockAllPDF);
    ModalDialog::exec(dialog);
}

void EnterPassword::btn_ok_clicked()
{
    QString const password = ui->lineEdit_password->text();
    switch (m_pdfFileItem->unlock(password)) {
    case PDFFileItem::UnlockResult::Unlocked:
        break;
    case PDFFileItem::UnlockResult::WrongPassword:
        ui->label_incorrect_pwd->setText(tr("Incorrect Password"));
        ui->label_incorrect_pwd->show();
        return;
    case PDFFileItem::UnlockResult::CannotOpen:
        // No password helps a file that was moved, deleted or made unreadable.
        ui->label_incorrect_pwd->setText(tr("The file cannot be opened."));
        ui->label_incorrect_pwd->show();
        return;
    }
    // This file first; the others only once the password is known to be right.
    if (ui->checkBox_apply_all->isChecked())
        emit unlockAll(password);
    accept();
}

void EnterPassword::btn_cencel_clicked()
{
    close();
}

// Return and Enter try the password, Escape cancels; every other key is dropped.
void EnterPassword::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        btn_ok_clicked();
    else if (event->key() == Qt::Key_Escape)
        btn_cencel_clicked();
}

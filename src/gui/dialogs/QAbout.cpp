#include "dialogs/QAbout.h"

#include "ui_QAbout.h"

#include "common/ProductConstants.h"
#include "language/MultiLanguage.h"
#include "support/MainWindowAccess.h"
#include "support/ModalDialog.h"

#include <QDate>
#include <QDesktopServices>
#include <QPixmap>
#include <QUrl>

QAbout::QAbout(QWidget* parent) : QDialog(parent), ui(new Ui_QAbout)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setStyleSheet(
        QStringLiteral("QLabel#lab_product{font-size:13px}QLabel#lab_copyright{font-size:11px;}"
                       "QLabel#lab_version{font-size:13px;}QPushButton#btnMoreInfo{font-size:11px}"));

    ui->lab_product->setText(g_product_name);
    ui->lab_version->setText(tr("Version %1").arg(g_version));
    ui->lab_copyright->setText(tr("Copyright %1 %2 Tarvello. All rights reserved.")
                                   .arg(QStringLiteral("<font color=#e9a96f>&#169;</font>"),
                                        QString::number(QDate::currentDate().year())));
    // The form scales the label's contents.
    ui->iconLabel->setPixmap(QPixmap(QStringLiteral(":/resource/tarvello.ico")));

    setAttribute(Qt::WA_DeleteOnClose);
}

QAbout::~QAbout()
{
    delete ui;
}

int QAbout::showAboutWindow()
{
    return ModalDialog::exec(new QAbout(MainWindowAccess::instance()));
}

void QAbout::on_btnMoreInfo_clicked()
{
    QDesktopServices::openUrl(QUrl(MultiLanguage::instance()->multilingualLink(g_link_product)));
}

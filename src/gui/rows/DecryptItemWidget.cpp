#include "rows/DecryptItemWidget.h"

#include "ui_FileItemWidget.h"

DecryptItemWidget::DecryptItemWidget(FileItem* item, QWidget* parent) : FileItemWidget(item, parent)
{
    initUi();
}

void DecryptItemWidget::initUi()
{
    ui->btn_allPage->hide();
    ui->btn_range->hide();
}

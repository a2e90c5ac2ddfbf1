#pragma once

#include "rows/FileItemWidget.h"

// A file row for a decrypt page: the whole file is always processed, so it offers no choice
// between all pages and a range.
class DecryptItemWidget : public FileItemWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(DecryptItemWidget)

public:
    DecryptItemWidget(FileItem* item, QWidget* parent = nullptr);

    void initUi();
};

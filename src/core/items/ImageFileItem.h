#pragma once

#include "items/FileItem.h"

class ImageFileItem : public FileItem
{
    Q_OBJECT
    Q_DISABLE_COPY(ImageFileItem)

public:
    explicit ImageFileItem(QString path, QObject* parent = nullptr);
    ~ImageFileItem() override;
};

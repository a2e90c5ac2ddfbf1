#include "items/ImageFileItem.h"

#include "processors/ImageProcessor.h"

ImageFileItem::ImageFileItem(QString path, QObject* parent) : FileItem(std::move(path), parent)
{
    m_iconName = QStringLiteral("Image-3x.png");
    m_processor = new ImageProcessor();
}

ImageFileItem::~ImageFileItem() = default;

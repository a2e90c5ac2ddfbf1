#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QSizeF>

namespace ooxml {

/// A picture and the size it takes on the page.
///
/// PNG and JPEG bytes are stored as they are; bytes of any other format that QImage reads
/// (BMP, TIFF, ...) are converted to PNG when written. Unreadable bytes or a size that is not
/// positive make the write fail with WriteError::InvalidDocument.
struct Picture
{
    QByteArray data;
    QSizeF size; ///< Points.

    /// A picture from an image held in memory, encoded as PNG.
    static Picture fromImage(QImage const& image, QSizeF const& size)
    {
        Picture picture;
        picture.size = size;
        QBuffer buffer(&picture.data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return picture;
    }
};

} // namespace ooxml

#include "internal/PictureData.h"

#include <QBuffer>
#include <QImage>

#include <cmath>
#include <cstring>

namespace ooxml::internal {

namespace {

bool startsWith(QByteArray const& data, char const* signature, int length)
{
    return data.size() >= length && std::memcmp(data.constData(), signature, size_t(length)) == 0;
}

} // namespace

bool preparePicture(Picture const& picture, PictureData* out, QString* error)
{
    double const w = picture.size.width();
    double const h = picture.size.height();
    if (!std::isfinite(w) || !std::isfinite(h) || w <= 0.0 || h <= 0.0) {
        *error = QStringLiteral("picture size %1 x %2 is not positive").arg(w).arg(h);
        return false;
    }
    if (startsWith(picture.data, "\x89PNG\r\n\x1a\n", 8)) {
        *out = {picture.data, QStringLiteral("png"), QStringLiteral("image/png")};
        return true;
    }
    if (startsWith(picture.data, "\xff\xd8\xff", 3)) {
        *out = {picture.data, QStringLiteral("jpeg"), QStringLiteral("image/jpeg")};
        return true;
    }
    QImage const image = QImage::fromData(picture.data);
    if (image.isNull()) {
        *error = QStringLiteral("picture data (%1 bytes) is not a readable image").arg(picture.data.size());
        return false;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        *error = QStringLiteral("picture could not be converted to PNG");
        return false;
    }
    *out = {png, QStringLiteral("png"), QStringLiteral("image/png")};
    return true;
}

} // namespace ooxml::internal

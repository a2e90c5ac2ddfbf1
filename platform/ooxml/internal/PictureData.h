#pragma once

#include "ooxml/Picture.h"

#include <QString>

// Turns a Picture into the bytes stored in a package; not part of the public API.
namespace ooxml::internal {

struct PictureData
{
    QByteArray bytes;
    QString extension;   // "png" or "jpeg"
    QString contentType; // "image/png" or "image/jpeg"
};

// PNG and JPEG pass unchanged, other readable formats become PNG. False, with a reason in
// `error`, for unreadable bytes or a size that is not positive and finite.
bool preparePicture(Picture const& picture, PictureData* out, QString* error);

// Points to English Metric Units, the unit of DrawingML coordinates.
inline qint64 emu(double points)
{
    return qRound64(points * 12700.0);
}

} // namespace ooxml::internal

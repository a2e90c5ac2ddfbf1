// Pictures dropped in to become PDFs: what is read of their headers ourselves (JPEG markers,
// PNG chunks, BMP and TIFF headers) before Qt decodes them.
#include "ImageMetadata.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>

using docrender::ImageMetadata;

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    if (size > (1u << 24))
        return 0;
    QByteArray const bytes(reinterpret_cast<char const*>(data), int(size));
    (void)ImageMetadata::readJpeg(bytes);
    QBuffer png;
    png.setData(bytes);
    png.open(QIODevice::ReadOnly);
    (void)ImageMetadata::readPngResolution(png);
    QBuffer bmp;
    bmp.setData(bytes);
    bmp.open(QIODevice::ReadOnly);
    (void)ImageMetadata::readBmpResolution(bmp);
    QBuffer tiff;
    tiff.setData(bytes);
    tiff.open(QIODevice::ReadOnly);
    (void)ImageMetadata::readTiffResolutions(tiff);
    return 0;
}

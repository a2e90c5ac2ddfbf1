#pragma once

#include <QByteArray>
#include <QVector>

class QIODevice;

namespace docrender {

// Dots per inch on each axis; 0 when the file declares none.
struct Resolution
{
    double x = 0;
    double y = 0;
    bool known() const { return x > 0 && y > 0; }
};

// What a PDF needs to embed a JPEG file's bytes as they are (DCTDecode).
struct JpegInfo
{
    bool embeddable = false; // baseline or progressive, 8 bits, 1/3/4 components
    int width = 0;
    int height = 0;
    int components = 0;
    bool adobeInverted = false; // Adobe CMYK data is stored inverted
    Resolution resolution;
    int orientation = 1; // Exif orientation, 1 to 8
};

// Reads resolution and layout facts from image headers without decoding any pixels. Qt hides
// whether a file declared a resolution at all, and the page size depends on exactly that.
class ImageMetadata
{
public:
    static JpegInfo readJpeg(QByteArray const& data);
    static Resolution readPngResolution(QIODevice& device);
    static Resolution readBmpResolution(QIODevice& device);
    // One entry per image directory, in file order (the frames of a multi-page TIFF).
    static QVector<Resolution> readTiffResolutions(QIODevice& device);
};

} // namespace docrender

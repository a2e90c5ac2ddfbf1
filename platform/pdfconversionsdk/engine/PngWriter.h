#pragma once

#include <QByteArray>

namespace pdfconv {
namespace engine {

// How the rows handed to writePng hold their pixels.
enum class PngPixels
{
    Rgb8,  // three bytes a pixel
    Gray8, // one byte a pixel
    Gray1  // eight pixels a byte, the first in the high bit; 0 is black
};

// PNG through libpng: Qt's writer asks every image plug-in whether it writes PNG before it
// uses its own, and so loads them all. Appends to @p out; false when it cannot.
bool writePng(QByteArray* out, unsigned char const* pixels, int width, int height, int bytesPerRow,
              PngPixels kind, int dotsPerMeterX = 0, int dotsPerMeterY = 0);

} // namespace engine
} // namespace pdfconv

#include "PngWriter.h"

#include <png.h>

#include <cstddef>
#include <new>

namespace pdfconv {
namespace engine {

namespace {

void appendPng(png_structp png, png_bytep data, png_size_t length)
{
    bool full = false;
    try {
        static_cast<QByteArray*>(png_get_io_ptr(png))
            ->append(reinterpret_cast<char const*>(data), int(length));
    } catch (std::bad_alloc const&) {
        full = true;
    }
    if (full)
        png_error(png, "out of memory");
}

} // namespace

// No C++ objects live here: libpng reports errors with longjmp.
bool writePng(QByteArray* out, unsigned char const* pixels, int width, int height, int bytesPerRow,
              PngPixels kind, int dotsPerMeterX, int dotsPerMeterY)
{
    if (width <= 0 || height <= 0)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, appendPng, nullptr);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), kind == PngPixels::Gray1 ? 1 : 8,
                 kind == PngPixels::Rgb8 ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (dotsPerMeterX > 0 && dotsPerMeterY > 0)
        png_set_pHYs(png, info, png_uint_32(dotsPerMeterX), png_uint_32(dotsPerMeterY), PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, pixels + std::ptrdiff_t(y) * bytesPerRow);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace engine
} // namespace pdfconv

#include "PageImageRenderer.h"

#include "JobSink.h"
#include "PdfDocument.h"

#include <pdfconv/base/ResultCode.h>

#include <DiskFull.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>

#include <poppler-document.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

#include <png.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

namespace pdfconv {
namespace engine {

namespace {

// A page larger than this cannot be held in memory sensibly (about 800 MB of RGB).
constexpr double kMaxPixels = double(1 << 28);
constexpr int kMaxSide = 32767;

QByteArray writerFormat(int imageType)
{
    switch (imageType) {
    case base::ImageTypePng:
        return "png";
    case base::ImageTypeBmp:
        return "bmp";
    case base::ImageTypeTiff:
        return "tiff";
    default:
        return "jpeg";
    }
}

// PNG written with libpng directly: Qt offers no choice of row filter, and its adaptive
// filtering costs as much as the compression. The sub filter with zlib level 1 keeps most
// of the size gain at a fraction of the time. No C++ objects live here: libpng reports
// errors with longjmp.
bool writePng(char const* path, uchar const* pixels, int width, int height, int bytesPerRow, double dpi)
{
    FILE* file = std::fopen(path, "wbe");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_uint_32 const dotsPerMeter = png_uint_32(std::lround(dpi / 0.0254));
    png_set_pHYs(png, info, dotsPerMeter, dotsPerMeter, PNG_RESOLUTION_METER);
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, pixels + std::ptrdiff_t(y) * bytesPerRow);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    bool const flushed = std::fflush(file) == 0 && !std::ferror(file);
    return std::fclose(file) == 0 && flushed;
}

int renderPage(poppler::document const& doc, int index, Job const& job, double dpi, int pageCount,
               JobSink& sink)
{
    std::unique_ptr<poppler::page> page(doc.create_page(index));
    if (!page) {
        sink.log(false, QStringLiteral("page %1 cannot be read").arg(index + 1));
        return base::PageError;
    }
    QSizeF const size = PdfDocument::pageSize(*page);
    double const w = std::ceil(size.width() * dpi / 72.0), h = std::ceil(size.height() * dpi / 72.0);
    if (!(w >= 1 && h >= 1)) {
        sink.log(false, QStringLiteral("page %1 has no area").arg(index + 1));
        return base::PageError;
    }
    if (w * h > kMaxPixels || w > kMaxSide || h > kMaxSide) {
        sink.log(false, QStringLiteral("page %1 would be %2 x %3 pixels").arg(index + 1).arg(w).arg(h));
        return base::OutOfMemory;
    }

    poppler::page_renderer renderer;
    renderer.set_render_hint(poppler::page_renderer::antialiasing, true);
    renderer.set_render_hint(poppler::page_renderer::text_antialiasing, true);
    renderer.set_image_format(poppler::image::format_rgb24);
    poppler::image const rendered = renderer.render_page(page.get(), dpi, dpi);
    if (!rendered.is_valid()) {
        sink.log(false, QStringLiteral("page %1 cannot be rendered").arg(index + 1));
        return base::PageError;
    }
    // Wraps poppler's pixels without a copy; RGB, so JPEG and BMP get no alpha channel.
    QImage image(reinterpret_cast<uchar const*>(rendered.const_data()), rendered.width(), rendered.height(),
                 rendered.bytes_per_row(), QImage::Format_RGB888);
    int const dotsPerMeter = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);

    int const type = job.options.imageType;
    QString const name = PageImageRenderer::fileName(job.baseName, index + 1, pageCount, type);
    QString const target = QDir(job.staging).filePath(name);
    errno = 0;
    if (type == base::ImageTypePng) {
        if (!writePng(QFile::encodeName(target).constData(), image.constBits(), image.width(), image.height(),
                      image.bytesPerLine(), dpi)) {
            bool const full = diskfull::isFull(errno);
            sink.log(false, QStringLiteral("cannot write %1%2").arg(name, full ? ": the disk is full" : ""));
            return full ? base::DiskFull : base::OutputError;
        }
        sink.fileWritten(name);
        return base::Success;
    }
    // Our own file, so that what Qt buffers until the close is checked too.
    diskfull::File file(target);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
    QString error = file.errorString();
    if (written) {
        QImageWriter writer(&file, writerFormat(type));
        if (type == base::ImageTypeTiff)
            writer.setCompression(1); // LZW
        else
            writer.setQuality(90);
        written = writer.write(image) && file.flush();
        error = file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        if (written) {
            file.close();
            written = file.error() == QFileDevice::NoError;
            error = file.errorString();
        }
    }
    if (!written) {
        bool const full = file.diskFull() || diskfull::isFull(file);
        sink.log(false, QStringLiteral("cannot write %1: %2").arg(name, full ? "the disk is full" : error));
        return full ? base::DiskFull : base::OutputError;
    }
    sink.fileWritten(name);
    return base::Success;
}

} // namespace

QString PageImageRenderer::suffix(int imageType)
{
    switch (imageType) {
    case base::ImageTypeJpeg:
        return QStringLiteral("jpeg");
    case base::ImageTypePng:
        return QStringLiteral("png");
    case base::ImageTypeBmp:
        return QStringLiteral("bmp");
    case base::ImageTypeTiff:
        return QStringLiteral("tiff");
    default:
        return QStringLiteral("jpg");
    }
}

QString PageImageRenderer::fileName(QString const& base, int page, int pageCount, int imageType)
{
    int const width = std::max(3, int(QString::number(pageCount).size()));
    return QStringLiteral("%1_%2.%3").arg(base).arg(page, width, 10, QLatin1Char('0')).arg(suffix(imageType));
}

int PageImageRenderer::run(Job const& job, poppler::document const& first, int pageCount, JobSink& sink)
{
    double scale = job.options.imageScale;
    if (!std::isfinite(scale) || scale <= 0) {
        sink.log(false, QStringLiteral("image scale %1 replaced by 1").arg(double(scale)));
        scale = 1.0;
    }
    double const dpi = kBaseImageDpi * scale;

    int threads = job.threads > 0 ? job.threads : int(std::thread::hardware_concurrency());
    threads = std::max(1, std::min({threads, pageCount, 8}));
    // Load the image plug-in once before the threads race for it.
    QImageWriter::supportedImageFormats();

    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::atomic<int> failure{base::Success};
    auto work = [&](poppler::document const* doc, int limit) {
        PdfDocument::Opened own;
        if (!doc) {
            own = PdfDocument::open(job.input, job.password);
            if (!own.document) {
                int expected = base::Success;
                failure.compare_exchange_strong(expected, own.code);
                return;
            }
            doc = own.document.get();
        }
        for (int taken = 0; taken < limit && failure.load() == base::Success; ++taken) {
            int const index = next.fetch_add(1);
            if (index >= pageCount)
                break;
            int code = base::Success;
            try {
                code = renderPage(*doc, index, job, dpi, pageCount, sink);
            } catch (std::bad_alloc const&) {
                code = base::OutOfMemory;
            } catch (std::exception const&) {
                code = base::PageError;
            }
            if (code != base::Success) {
                int expected = base::Success;
                failure.compare_exchange_strong(expected, code);
                break;
            }
            sink.pageDone(done.fetch_add(1) + 1, pageCount);
        }
    };

    // poppler sets up some shared state (colour profiles) on first use without a lock: the
    // first page is rendered alone before the threads start.
    work(&first, 1);
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work, nullptr, pageCount);
    work(&first, pageCount);
    for (auto& t : pool)
        t.join();
    return failure.load();
}

} // namespace engine
} // namespace pdfconv

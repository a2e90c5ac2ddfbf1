#include "ImageRenderer.h"

#include "ImageMetadata.h"

#include <DiskFull.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageIOHandler>
#include <QImageReader>
#include <QPointF>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <stdexcept>

namespace docrender {

namespace {

constexpr qint64 kMaxPixels = qint64(1) << 28; // 256 megapixels, about 1 GB decoded
constexpr qint64 kMaxJpegBytes = qint64(1) << 30;
constexpr double kMaxPageSide = 14400.0; // the largest page side PDF readers accept, in points

RenderResult failure(RenderError error, QString const& message)
{
    RenderResult r;
    r.error = error;
    r.message = message;
    return r;
}

RenderResult done()
{
    return failure(RenderError::None, QString());
}

// Flate data as PDF wants it: qCompress adds a 4-byte length before the zlib stream.
std::string deflate(QByteArray const& raw)
{
    QByteArray const packed = qCompress(raw, 6);
    return std::string(packed.constData() + 4, size_t(packed.size() - 4));
}

QString number(double v)
{
    return QString::number(v, 'f', 4);
}

class PageBuilder
{
public:
    explicit PageBuilder(QPDF& pdf) : m_pdf(pdf), m_pages(pdf) {}

    void addJpeg(QByteArray const& data, JpegInfo const& info)
    {
        QPDFObjectHandle image = QPDFObjectHandle::newStream(&m_pdf);
        QPDFObjectHandle dict = image.getDict();
        dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
        dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
        dict.replaceKey("/Width", QPDFObjectHandle::newInteger(info.width));
        dict.replaceKey("/Height", QPDFObjectHandle::newInteger(info.height));
        dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
        char const* space = info.components == 1   ? "/DeviceGray"
                            : info.components == 3 ? "/DeviceRGB"
                                                   : "/DeviceCMYK";
        dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName(space));
        if (info.components == 4 && info.adobeInverted)
            dict.replaceKey("/Decode", QPDFObjectHandle::parse("[1 0 1 0 1 0 1 0]"));
        image.replaceStreamData(std::string(data.constData(), size_t(data.size())),
                                QPDFObjectHandle::newName("/DCTDecode"), QPDFObjectHandle::newNull());

        bool const turned = info.orientation >= 5;
        Resolution const res = info.resolution.known() ? info.resolution : Resolution{72, 72};
        double w = info.width * 72.0 / res.x;
        double h = info.height * 72.0 / res.y;
        if (turned)
            std::swap(w, h);
        addPage(image, w, h, info.orientation);
    }

    void addImage(QImage const& source, Resolution resolution)
    {
        QImage image = source;
        QPDFObjectHandle stream = QPDFObjectHandle::newStream(&m_pdf);
        QPDFObjectHandle dict = stream.getDict();
        dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
        dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
        dict.replaceKey("/Width", QPDFObjectHandle::newInteger(image.width()));
        dict.replaceKey("/Height", QPDFObjectHandle::newInteger(image.height()));

        bool const bilevel =
            (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB) &&
            image.colorCount() == 2 && isBlackOrWhite(image.color(0)) && isBlackOrWhite(image.color(1)) &&
            image.color(0) != image.color(1);
        if (bilevel) {
            image = image.convertToFormat(QImage::Format_Mono);
            dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceGray"));
            dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(1));
            if (qGray(image.color(0)) > 128) // sample 0 is white here, black in DeviceGray
                dict.replaceKey("/Decode", QPDFObjectHandle::parse("[1 0]"));
            setPixels(stream, image, (image.width() + 7) / 8);
        } else {
            bool const gray = image.format() == QImage::Format_Grayscale8 ||
                              image.format() == QImage::Format_Grayscale16 ||
                              (image.format() == QImage::Format_Indexed8 && image.isGrayscale());
            if (image.hasAlphaChannel())
                addSoftMask(dict, image);
            if (gray) {
                image = image.convertToFormat(QImage::Format_Grayscale8);
                dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceGray"));
                setPixels(stream, image, image.width());
            } else {
                if (image.hasAlphaChannel())
                    image = image.convertToFormat(QImage::Format_ARGB32);
                image = image.convertToFormat(QImage::Format_RGB888);
                dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceRGB"));
                setPixels(stream, image, image.width() * 3);
            }
            dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
        }
        Resolution const res = resolution.known() ? resolution : Resolution{72, 72};
        addPage(stream, image.width() * 72.0 / res.x, image.height() * 72.0 / res.y, 1);
    }

private:
    static bool isBlackOrWhite(QRgb c)
    {
        QRgb const rgb = c & 0xffffff;
        return qAlpha(c) == 255 && (rgb == 0 || rgb == 0xffffff);
    }

    static void setPixels(QPDFObjectHandle& stream, QImage const& image, int rowBytes)
    {
        QByteArray raw;
        raw.reserve(rowBytes * image.height());
        for (int y = 0; y < image.height(); ++y)
            raw.append(reinterpret_cast<char const*>(image.constScanLine(y)), rowBytes);
        stream.replaceStreamData(deflate(raw), QPDFObjectHandle::newName("/FlateDecode"),
                                 QPDFObjectHandle::newNull());
    }

    // Only when some pixel is not fully opaque: a PNG often carries an alpha channel it never uses.
    void addSoftMask(QPDFObjectHandle& imageDict, QImage const& image)
    {
        QImage const alpha = image.convertToFormat(QImage::Format_Alpha8);
        bool translucent = false;
        for (int y = 0; y < alpha.height() && !translucent; ++y) {
            uchar const* line = alpha.constScanLine(y);
            translucent = std::any_of(line, line + alpha.width(), [](uchar a) { return a != 255; });
        }
        if (!translucent)
            return;
        QPDFObjectHandle mask = QPDFObjectHandle::newStream(&m_pdf);
        QPDFObjectHandle dict = mask.getDict();
        dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
        dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
        dict.replaceKey("/Width", QPDFObjectHandle::newInteger(alpha.width()));
        dict.replaceKey("/Height", QPDFObjectHandle::newInteger(alpha.height()));
        dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceGray"));
        dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
        setPixels(mask, alpha, alpha.width());
        imageDict.replaceKey("/SMask", mask);
    }

    // Places the image on a page of w x h points, turned as the Exif orientation asks.
    void addPage(QPDFObjectHandle const& image, double w, double h, int orientation)
    {
        double const scale = std::min(1.0, kMaxPageSide / std::max(w, h));
        w = std::max(1.0, w * scale);
        h = std::max(1.0, h * scale);

        // Maps the image's unit square (v pointing up) onto the page; three points give the matrix.
        auto const place = [orientation, w, h](QPointF p) {
            double u = p.x();
            double v = p.y();
            // Exif orientation as mirror, flip, then a quarter turn clockwise (how Qt applies it).
            bool const mirror = orientation == 2 || orientation == 3 || orientation == 7 || orientation == 8;
            bool const flip = orientation == 3 || orientation == 4 || orientation == 5 || orientation == 8;
            bool const turn = orientation >= 5;
            if (mirror)
                u = 1 - u;
            if (flip)
                v = 1 - v;
            if (turn) {
                double const nu = v;
                v = 1 - u;
                u = nu;
            }
            return QPointF(u * w, v * h);
        };
        QPointF const o = place({0, 0});
        QPointF const ex = place({1, 0}) - o;
        QPointF const ey = place({0, 1}) - o;
        QString const content = QStringLiteral("q %1 %2 %3 %4 %5 %6 cm /Im0 Do Q\n")
                                    .arg(number(ex.x()), number(ex.y()), number(ey.x()), number(ey.y()),
                                         number(o.x()), number(o.y()));

        QPDFObjectHandle page = QPDFObjectHandle::newDictionary();
        page.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
        QPDFObjectHandle box = QPDFObjectHandle::newArray();
        box.appendItem(QPDFObjectHandle::newInteger(0));
        box.appendItem(QPDFObjectHandle::newInteger(0));
        box.appendItem(QPDFObjectHandle::newReal(w, 4));
        box.appendItem(QPDFObjectHandle::newReal(h, 4));
        page.replaceKey("/MediaBox", box);
        QPDFObjectHandle xobjects = QPDFObjectHandle::newDictionary();
        xobjects.replaceKey("/Im0", image);
        QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
        resources.replaceKey("/XObject", xobjects);
        page.replaceKey("/Resources", resources);
        page.replaceKey("/Contents", QPDFObjectHandle::newStream(&m_pdf, content.toStdString()));
        m_pages.addPage(QPDFPageObjectHelper(m_pdf.makeIndirectObject(page)), false);
    }

    QPDF& m_pdf;
    QPDFPageDocumentHelper m_pages;
};

Resolution declaredResolution(QString const& path, QString const& suffix)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Resolution();
    if (suffix == "png")
        return ImageMetadata::readPngResolution(file);
    if (suffix == "bmp")
        return ImageMetadata::readBmpResolution(file);
    return Resolution();
}

struct DiskFullError
{
};

} // namespace

RenderResult ImageRenderer::render(QString const& source, QString const& pdfPath)
{
    QString const suffix = QFileInfo(source).suffix().toLower();
    try {
        QPDF pdf;
        pdf.emptyPDF();
        PageBuilder builder(pdf);

        auto const write = [&pdf, &pdfPath]() {
            QByteArray const fileName = QFile::encodeName(pdfPath); // the writer keeps the pointer
            FILE* const stream = std::fopen(fileName.constData(), "wbe");
            int const error = !stream ? errno : diskfull::writeStream(stream, [&](FILE* file) {
                QPDFWriter writer(pdf, fileName.constData(), file, false);
                writer.setMinimumPDFVersion("1.4");
                writer.write();
            });
            if (diskfull::isFull(error))
                throw DiskFullError();
            if (error != 0)
                throw std::runtime_error(std::strerror(error));
        };

        Resolution resolution;
        bool const jpeg = suffix == "jpg" || suffix == "jpeg";
        if (jpeg) {
            QFile file(source);
            if (!file.open(QIODevice::ReadOnly))
                return failure(RenderError::CannotOpen, "cannot read the image: " + file.errorString());
            if (file.size() > kMaxJpegBytes)
                return failure(RenderError::CannotOpen, "the image file is too large");
            QByteArray const data = file.readAll();
            JpegInfo const info = ImageMetadata::readJpeg(data);
            if (qint64(info.width) * info.height > kMaxPixels)
                return failure(RenderError::CannotOpen, "the image is too large to convert");
            if (info.embeddable) {
                builder.addJpeg(data, info);
                write();
                return done();
            }
            // A kind of JPEG that PDF cannot hold, or another format under a .jpg name: Qt
            // decodes it below, choosing the decoder by content.
            resolution = info.resolution;
        }

        QVector<Resolution> tiffResolutions;
        bool const tiff = suffix == "tif" || suffix == "tiff";
        if (tiff) {
            QFile file(source);
            if (file.open(QIODevice::ReadOnly))
                tiffResolutions = ImageMetadata::readTiffResolutions(file);
        } else if (!jpeg) {
            resolution = declaredResolution(source, suffix);
        }

        QImageReader reader(source);
        reader.setAutoTransform(true);
        int const frames = tiff ? std::max(1, reader.imageCount()) : 1;
        for (int i = 0; i < frames; ++i) {
            if (i > 0 && !reader.jumpToImage(i))
                return failure(RenderError::CannotOpen,
                               QString("cannot reach frame %1 of the image").arg(i + 1));
            QSize const size = reader.size();
            if (size.isValid() && qint64(size.width()) * size.height() > kMaxPixels)
                return failure(RenderError::CannotOpen, "the image is too large to convert");
            QImage image;
            if (!reader.read(&image) || image.isNull())
                return failure(RenderError::CannotOpen, "cannot read the image: " + reader.errorString());
            Resolution r = tiff ? tiffResolutions.value(i) : resolution;
            if (reader.transformation() & QImageIOHandler::TransformationRotate90)
                std::swap(r.x, r.y);
            builder.addImage(image, r);
        }

        write();
    } catch (DiskFullError const&) {
        return failure(RenderError::DiskFull, "cannot write the PDF: the disk is full");
    } catch (std::bad_alloc const&) {
        return failure(RenderError::Failure, "out of memory while converting the image");
    } catch (std::exception const& e) {
        return failure(RenderError::Failure, QString("cannot write the PDF: %1").arg(e.what()));
    }
    return done();
}

} // namespace docrender

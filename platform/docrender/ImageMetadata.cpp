#include "ImageMetadata.h"

#include <QBuffer>
#include <QIODevice>
#include <QSet>

namespace docrender {

namespace {

constexpr int kMaxDirectories = 100000;

// Resolutions outside this band are treated as absent: they would give absurd page sizes.
bool plausibleDpi(double dpi)
{
    return dpi >= 1.0 && dpi <= 100000.0;
}

// A count or code a header gives as a number of any size; 0 for none a header can mean.
int code(double value)
{
    return value >= 0 && value <= 65535 ? static_cast<int>(value) : 0;
}

Resolution checked(Resolution r)
{
    if (!plausibleDpi(r.x) || !plausibleDpi(r.y))
        return Resolution();
    return r;
}

class TiffReader
{
public:
    TiffReader(QIODevice& device, qint64 base) : m_device(device), m_base(base) {}

    bool readHeader(quint32* firstDirectory)
    {
        QByteArray const head = readAt(0, 8);
        if (head.size() < 8)
            return false;
        if (head.startsWith("II"))
            m_little = true;
        else if (head.startsWith("MM"))
            m_little = false;
        else
            return false;
        if (u16(head, 2) != 42)
            return false;
        *firstDirectory = u32(head, 4);
        return true;
    }

    struct Directory
    {
        Resolution resolution;
        int orientation = 1;
        quint32 next = 0;
        bool valid = false;
    };

    Directory readDirectory(quint32 offset)
    {
        Directory dir;
        QByteArray const countBytes = readAt(offset, 2);
        if (countBytes.size() < 2)
            return dir;
        int const count = u16(countBytes, 0);
        QByteArray const entries = readAt(qint64(offset) + 2, count * 12 + 4);
        if (entries.size() < count * 12 + 4)
            return dir;
        double xres = 0;
        double yres = 0;
        int unit = 2; // inches unless the file says otherwise
        for (int i = 0; i < count; ++i) {
            int const at = i * 12;
            int const tag = u16(entries, at);
            int const type = u16(entries, at + 2);
            switch (tag) {
            case 282:
                xres = number(entries, at, type);
                break;
            case 283:
                yres = number(entries, at, type);
                break;
            case 296:
                unit = code(number(entries, at, type));
                break;
            case 274:
                dir.orientation = code(number(entries, at, type));
                break;
            default:
                break;
            }
        }
        if (unit == 2)
            dir.resolution = checked({xres, yres});
        else if (unit == 3)
            dir.resolution = checked({xres * 2.54, yres * 2.54});
        if (dir.orientation < 1 || dir.orientation > 8)
            dir.orientation = 1;
        dir.next = u32(entries, count * 12);
        dir.valid = true;
        return dir;
    }

private:
    QByteArray readAt(qint64 offset, qint64 size)
    {
        if (!m_device.seek(m_base + offset))
            return QByteArray();
        return m_device.read(size);
    }

    quint32 u16(QByteArray const& b, int at) const
    {
        auto const p = reinterpret_cast<unsigned char const*>(b.constData()) + at;
        return m_little ? quint32(p[0] | p[1] << 8) : quint32(p[0] << 8 | p[1]);
    }

    quint32 u32(QByteArray const& b, int at) const
    {
        auto const p = reinterpret_cast<unsigned char const*>(b.constData()) + at;
        return m_little ? quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24
                        : quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
    }

    // The value of a one-element SHORT, LONG or RATIONAL entry.
    double number(QByteArray const& entries, int at, int type)
    {
        switch (type) {
        case 3:
            return u16(entries, at + 8);
        case 4:
            return u32(entries, at + 8);
        case 5: {
            QByteArray const r = readAt(u32(entries, at + 8), 8);
            if (r.size() < 8 || u32(r, 4) == 0)
                return 0;
            return double(u32(r, 0)) / double(u32(r, 4));
        }
        default:
            return 0;
        }
    }

    QIODevice& m_device;
    qint64 m_base;
    bool m_little = true;
};

quint32 be16(QByteArray const& b, int at)
{
    auto const p = reinterpret_cast<unsigned char const*>(b.constData()) + at;
    return quint32(p[0] << 8 | p[1]);
}

quint32 be32(QByteArray const& b, int at)
{
    auto const p = reinterpret_cast<unsigned char const*>(b.constData()) + at;
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

quint32 le32(QByteArray const& b, int at)
{
    auto const p = reinterpret_cast<unsigned char const*>(b.constData()) + at;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

} // namespace

JpegInfo ImageMetadata::readJpeg(QByteArray const& data)
{
    JpegInfo info;
    auto const bytes = reinterpret_cast<unsigned char const*>(data.constData());
    int const size = data.size();
    if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return info;
    bool sawFrame = false;
    bool supportedFrame = false;
    Resolution jfif;
    Resolution exif;
    int pos = 2;
    while (pos + 4 <= size) {
        if (bytes[pos] != 0xFF)
            return info; // lost sync: damaged
        int const marker = bytes[pos + 1];
        if (marker == 0xFF) {
            ++pos; // fill byte
            continue;
        }
        if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            pos += 2;
            continue;
        }
        if (marker == 0xD9)
            return info; // image ended without scan data
        int const length = int(be16(data, pos + 2));
        if (length < 2 || pos + 2 + length > size)
            return info;
        QByteArray const segment = data.mid(pos + 4, length - 2);
        if (marker == 0xDA) { // start of scan: the headers are behind us
            info.embeddable = sawFrame && supportedFrame;
            info.resolution = jfif.known() ? jfif : exif;
            return info;
        }
        if (marker == 0xE0 && segment.startsWith(QByteArray("JFIF\0", 5)) && segment.size() >= 12) {
            int const unit = static_cast<unsigned char>(segment[7]);
            double const x = be16(segment, 8);
            double const y = be16(segment, 10);
            if (unit == 1)
                jfif = checked({x, y});
            else if (unit == 2)
                jfif = checked({x * 2.54, y * 2.54});
        } else if (marker == 0xE1 && segment.startsWith(QByteArray("Exif\0\0", 6))) {
            QByteArray tiff = segment.mid(6);
            QBuffer buffer(&tiff);
            buffer.open(QIODevice::ReadOnly);
            TiffReader reader(buffer, 0);
            quint32 first = 0;
            if (reader.readHeader(&first)) {
                TiffReader::Directory const dir = reader.readDirectory(first);
                if (dir.valid) {
                    exif = dir.resolution;
                    info.orientation = dir.orientation;
                }
            }
        } else if (marker == 0xEE && segment.startsWith("Adobe") && segment.size() >= 12) {
            info.adobeInverted = true;
        } else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (segment.size() < 6)
                return info;
            sawFrame = true;
            int const precision = static_cast<unsigned char>(segment[0]);
            info.height = int(be16(segment, 1));
            info.width = int(be16(segment, 3));
            info.components = static_cast<unsigned char>(segment[5]);
            // Baseline, extended and progressive Huffman frames; readers of PDF handle no others.
            bool const huffman = marker == 0xC0 || marker == 0xC1 || marker == 0xC2;
            supportedFrame = huffman && precision == 8 && info.width > 0 && info.height > 0 &&
                             (info.components == 1 || info.components == 3 || info.components == 4);
        }
        pos += 2 + length;
    }
    return info;
}

Resolution ImageMetadata::readPngResolution(QIODevice& device)
{
    if (!device.seek(0) || device.read(8) != QByteArray("\x89PNG\r\n\x1a\n", 8))
        return Resolution();
    for (int chunks = 0; chunks < 10000; ++chunks) {
        QByteArray const head = device.read(8);
        if (head.size() < 8)
            break;
        quint32 const length = be32(head, 0);
        QByteArray const type = head.mid(4, 4);
        if (type == "IDAT" || type == "IEND")
            break;
        if (type == "pHYs" && length == 9) {
            QByteArray const body = device.read(9);
            if (body.size() == 9 && body[8] == 1) // pixels per metre
                return checked({be32(body, 0) * 0.0254, be32(body, 4) * 0.0254});
            break;
        }
        if (!device.seek(device.pos() + qint64(length) + 4))
            break;
    }
    return Resolution();
}

Resolution ImageMetadata::readBmpResolution(QIODevice& device)
{
    if (!device.seek(0))
        return Resolution();
    QByteArray const head = device.read(46);
    if (head.size() < 46 || !head.startsWith("BM") || le32(head, 14) < 40)
        return Resolution();
    return checked({le32(head, 38) * 0.0254, le32(head, 42) * 0.0254});
}

QVector<Resolution> ImageMetadata::readTiffResolutions(QIODevice& device)
{
    QVector<Resolution> result;
    TiffReader reader(device, 0);
    quint32 offset = 0;
    if (!reader.readHeader(&offset))
        return result;
    QSet<quint32> seen;
    while (offset != 0 && !seen.contains(offset) && result.size() < kMaxDirectories) {
        seen.insert(offset);
        TiffReader::Directory const dir = reader.readDirectory(offset);
        if (!dir.valid)
            break;
        result.append(dir.resolution);
        offset = dir.next;
    }
    return result;
}

} // namespace docrender

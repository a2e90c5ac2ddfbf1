#include "GifWriter.h"

#include <QHash>

#include <algorithm>
#include <limits>

namespace {

// 128 palette entries make 7-bit pixels, so every LZW code is 8 bits wide: one byte per code.
constexpr int kPaletteBits = 7;
constexpr int kPaletteSize = 1 << kPaletteBits;
constexpr int kTransparent = 0;
constexpr quint8 kClearCode = kPaletteSize;
constexpr quint8 kEndCode = kPaletteSize + 1;
// The decoder adds a table entry per code after the first; clearing well before entry 256
// keeps the code width at 8 bits.
constexpr int kCodesPerClear = 120;

void putShort(QByteArray& out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

bool isOpaque(QRgb pixel)
{
    return qAlpha(pixel) >= 128;
}

QVector<QRgb> buildPalette(QVector<QImage> const& frames)
{
    QHash<QRgb, int> counts;
    for (auto const& frame : frames)
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) {
                QRgb const pixel = frame.pixel(x, y);
                if (isOpaque(pixel))
                    ++counts[pixel | 0xff000000u];
            }
    QVector<QPair<int, QRgb>> byCount;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        byCount.append({it.value(), it.key()});
    std::sort(byCount.begin(), byCount.end(), [](auto const& a, auto const& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    QVector<QRgb> palette{qRgba(0, 0, 0, 0)};
    for (int i = 0; i < byCount.size() && palette.size() < kPaletteSize; ++i)
        palette.append(byCount[i].second);
    return palette;
}

int nearest(QVector<QRgb> const& palette, QRgb pixel)
{
    int best = kTransparent;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 1; i < palette.size(); ++i) {
        int const dr = qRed(palette[i]) - qRed(pixel);
        int const dg = qGreen(palette[i]) - qGreen(pixel);
        int const db = qBlue(palette[i]) - qBlue(pixel);
        int const distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

void appendImageData(QByteArray& out, QByteArray const& codes)
{
    out.append(char(kPaletteBits));
    for (int at = 0; at < codes.size(); at += 255) {
        int const length = std::min(255, int(codes.size()) - at);
        out.append(char(length));
        out.append(codes.constData() + at, length);
    }
    out.append('\0');
}

} // namespace

QByteArray encodeAnimatedGif(QVector<QImage> const& frames, int delayCentiseconds)
{
    if (frames.isEmpty())
        return {};
    QSize const size = frames.first().size();
    QVector<QImage> argb;
    for (auto const& frame : frames) {
        if (frame.size() != size)
            return {};
        argb.append(frame.convertToFormat(QImage::Format_ARGB32));
    }
    QVector<QRgb> const palette = buildPalette(argb);

    QByteArray out("GIF89a");
    putShort(out, size.width());
    putShort(out, size.height());
    // Global colour table present, 8-bit colour resolution, 2^(6+1) entries.
    out.append(char(0x80 | 0x70 | (kPaletteBits - 1)));
    out.append(char(kTransparent)); // background colour index
    out.append('\0');               // pixel aspect ratio
    for (int i = 0; i < kPaletteSize; ++i) {
        QRgb const c = i < palette.size() ? palette[i] : 0;
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    // Loop forever.
    out.append("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);

    for (auto const& frame : argb) {
        // Restore to background after each frame, so a transparent pixel shows no older frame.
        out.append("\x21\xf9\x04", 3);
        out.append(char((2 << 2) | 1));
        putShort(out, delayCentiseconds);
        out.append(char(kTransparent));
        out.append('\0');

        out.append('\x2c');
        putShort(out, 0);
        putShort(out, 0);
        putShort(out, size.width());
        putShort(out, size.height());
        out.append('\0'); // no local colour table, not interlaced

        QByteArray codes;
        int sinceClear = kCodesPerClear;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                if (sinceClear == kCodesPerClear) {
                    codes.append(char(kClearCode));
                    sinceClear = 0;
                }
                QRgb const pixel = frame.pixel(x, y);
                codes.append(char(isOpaque(pixel) ? nearest(palette, pixel) : kTransparent));
                ++sinceClear;
            }
        codes.append(char(kEndCode));
        appendImageData(out, codes);
    }
    out.append('\x3b');
    return out;
}

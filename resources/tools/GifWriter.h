#pragma once

#include <QByteArray>
#include <QImage>
#include <QVector>

// Encodes frames of equal size as a looping GIF89a with a transparent background. Qt reads GIF but
// cannot write it. Colours are reduced to the nearest entry of the palette built from the frames'
// most frequent opaque colours; pixels below half opacity become transparent. The LZW stream
// stays uncompressed (literal codes, a clear code before the table would grow), which every
// decoder reads and which keeps the encoder short.
QByteArray encodeAnimatedGif(QVector<QImage> const& frames, int delayCentiseconds);

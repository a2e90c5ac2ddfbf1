#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

// A page of known words rendered like a clean scan: black text on white paper, A4.
struct SyntheticScan
{
    QImage image;
    int dpi = 300;
    QVector<QStringList> lines; // the words of each line, top to bottom
    QVector<QRectF> lineRects;  // each line's box in points, origin at the top left

    QStringList words() const;

    // Up to lineCount lines (as many as fit between one-inch margins, 34) of ordinary words
    // chosen by seed, in an 11-point serif face.
    static SyntheticScan make(int lineCount, int seed, int dpi = 300);
    // The given lines in a 14-point face on a page just large enough, for scripts other than Latin.
    static SyntheticScan fromLines(QStringList const& lines, QString const& family, int dpi = 300);
    // The lines set at the top of an otherwise white A4 page, as a short letter is.
    SyntheticScan atTopOfA4() const;
    // The page as a flatbed scanner gives it: turned by degrees clockwise about its centre,
    // with paper grain and specks; each line box moves with its centre.
    SyntheticScan scanned(double degrees, quint32 seed) const;
    // Writes one picture-only PDF page per scan, each page the size of its image.
    static bool writePdf(QString const& path, QVector<SyntheticScan> const& pages);
};

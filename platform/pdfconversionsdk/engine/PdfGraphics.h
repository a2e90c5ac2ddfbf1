#pragma once

#include "layout/PageLayout.h"

#include <QByteArray>
#include <QColor>
#include <QLineF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QVector>

#include <memory>
#include <string>

#include <vector>

class QPDF;
class QPDFPageObjectHelper;

namespace pdfconv {
namespace engine {

// A stretch of text as one text-showing operator paints it.
struct TextSpan
{
    QRectF box;          // from the first glyph's origin to the last one's advance, a font size high
    QColor colour;       // the fill colour (the stroke colour for outlined text)
    double baseline = 0; // y of the baseline (upright text)
    bool invisible = false;
};

// A filled axis-parallel rectangle.
struct FilledBox
{
    QRectF box;
    QColor colour;
};

// What a page draws besides text.
struct PageGraphics
{
    // A page of countless glyph runs keeps this many of them.
    static constexpr int kMaxTextSpans = 50000;

    // Horizontal and vertical strokes (and thin filled bars), in layout coordinates: points
    // from the top-left corner of the page as shown.
    QVector<QLineF> rulings;
    QVector<layout::Rule> rulingStyles; // how each of the rulings is drawn
    QVector<FilledBox> fills;           // filled rectangles that are not thin bars
    // Where everything else is painted: curves, slanted lines, shapes, shadings.
    QVector<QRectF> drawings;
    // Where pictures (raster images, stencil masks) are painted, as far as they show.
    QVector<QRectF> images;
    QVector<TextSpan> textSpans;
    // Where glyphs that stand for a lam and an alef together are painted (their text gives
    // the two letters in reading order).
    QVector<QRectF> lamAlefGlyphs;
    bool hasImages = false;
    bool hasDrawings = false; // painted paths or shadings
    bool shapesCut = false;   // a page of hatching: not every shape is in the lists
    // Text shown invisibly (render mode 3, as text layers over scans are) and visibly.
    bool hasInvisibleText = false;
    bool hasVisibleText = false;
    // The first picture the page paints, when it is an image object drawn upright and whole:
    // a scan's own image can go into the output as it is. Object number 0: none such.
    int imageObject = 0;
    int imageGeneration = 0;
    QRectF imageBox;           // where it stands, in layout coordinates
    QSize imagePixels;         // its own width and height
    bool imageBilevel = false; // one bit a pixel: black and white

    bool hasGraphics() const { return hasImages || hasDrawings; }
};

// Reads the drawing operators of a PDF's pages with qpdf, which poppler's interface does not
// show. One object per thread: qpdf documents are not shared between threads.
class PdfGraphics
{
public:
    PdfGraphics();
    ~PdfGraphics();
    PdfGraphics(PdfGraphics const&) = delete;
    PdfGraphics& operator=(PdfGraphics const&) = delete;

    // The password may be the user or the owner password. False when qpdf cannot read the file.
    bool open(QString const& path, std::string const& password);
    // A page qpdf cannot read gives what was read of it, possibly nothing.
    PageGraphics page(int index);
    // An image object as a JPEG (its own bytes) or PNG file holds it; empty when it is masked,
    // decoded through a table or in a form kept here only by drawing it again.
    QByteArray imageFile(int object, int generation);
    // The whole document with the text-showing operators taken out of every page and form,
    // unencrypted, for rendering what is not text; empty when that fails.
    QByteArray withoutText();

private:
    struct Fonts;
    std::unique_ptr<QPDF> m_pdf;
    std::vector<QPDFPageObjectHelper> m_pages;
    std::unique_ptr<Fonts> m_fonts;
};

} // namespace engine
} // namespace pdfconv

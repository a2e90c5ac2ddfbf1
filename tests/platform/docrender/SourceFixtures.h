#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPair>
#include <QRectF>
#include <QString>
#include <QStringList>

// Source documents made on the fly for the creation tests, and probes of the PDFs made from them.
namespace SourceFixtures {

struct TiffFrame
{
    int width;
    int height;
    int dpi; // 0: no resolution tags
};

// An uncompressed grayscale TIFF with one image directory per frame.
bool writeTiff(QString const& path, QList<TiffFrame> const& frames);
// A GIF of at most 128 colours (Qt has no GIF writer).
bool writeGif(QString const& path, QImage const& image);
// A JPEG written by Qt with an Exif block carrying @p orientation inserted after its headers.
bool writeJpegWithOrientation(QString const& path, QImage const& image, int orientation);
// An EPUB whose spine lists the chapters in the given order while the manifest lists them
// reversed; chapter files are named after their position; @p image (PNG) is shown in the first.
bool writeEpub(QString const& path, QStringList const& chapterBodies, QByteArray const& pngImage);
// A compiled help file (uncompressed content section) with these members and table of contents.
bool writeChm(QString const& path, QList<QPair<QString, QByteArray>> const& files);
// Word and Excel documents reduced to the parts a reader needs.
bool writeDocx(QString const& path, QStringList const& paragraphs);
bool writeXlsx(QString const& path, QList<QStringList> const& rows);
// A zip archive with the given members, stored or deflated as libzip chooses.
bool writeZip(QString const& path, QList<QPair<QString, QByteArray>> const& members);

// What pdftotext finds in a PDF, and page facts from pdfinfo.
QString pdfText(QString const& pdf);
int pdfPageCount(QString const& pdf);
QList<QSizeF> pdfPageSizes(QString const& pdf);
// Where pdftotext finds @p word first, in points from the top left of its page; null if nowhere.
QRectF pdfWordBox(QString const& pdf, QString const& word);
// Number of images that pdfimages lists.
int pdfImageCount(QString const& pdf);
// Page @p page (1-based) rendered at @p dpi with pdftoppm.
QImage renderPage(QString const& pdf, int page, int dpi);

// The LibreOffice program, or an empty string when it is not installed.
QString officeProgram();

} // namespace SourceFixtures

#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

// Makes the PDFs the conversion tests read: known text laid out with QPdfWriter, and
// encrypted copies made with the qpdf command line.
namespace PdfFixtures {

struct Page
{
    QString title;          // set large and bold at the top, across the page
    QStringList paragraphs; // body text, 11 pt
    int columns = 1;        // 1 or 2
    QString head = {};      // a running head above the text, small; '#' stands for the page's number
    QString foot = {};      // a running foot below it
    QStringList notes = {}; // footnotes: each a line "Noted <n>." with a raised mark, the note at the foot
    QStringList code = {};  // lines of code in a face of fixed pitch, after the paragraphs
    // Lines of running text, 11 pt at 22 pt a line, after the paragraphs, each numbered small in
    // the left margin; the numbers count on from the page before.
    QStringList numbered = {};
};

// Writes the pages to @p path; false when it cannot.
// A PDF file's bytes: @p objects numbered from 1, an xref table and a trailer naming @p root.
QByteArray assemble(QList<QByteArray> const& objects, int root = 1, QByteArray const& version = "1.4");
bool writePdf(QString const& path, QList<Page> const& pages);
// One A4 page per table: a paragraph, the table (cells as given, right-aligned, drawn as a
// grid of lines when @p ruled; over it the @p header row, headings set left), another paragraph.
bool writeTablePdf(QString const& path, QList<QList<QStringList>> const& tables, bool ruled,
                   QStringList const& header = {});
// A clean scan: the lines set in an 11-point serif face (or @p fontSize), rendered to a
// grey image at @p dpi and placed as the only content of a page of @p pageSize points; with
// a dark photograph-like gradient in @p photo (points) when given.
bool writeScanPdf(QString const& path, QStringList const& lines, QSizeF const& pageSize, int dpi = 300,
                  double fontSize = 11, QRectF const& photo = QRectF());
// A4 pages that each show the same picture over the whole page and nothing else; the PDF
// holds the picture once.
bool writeSharedPicturePdf(QString const& path, int pages);
// A page of paragraphs in a font the PDF names but does not embed: @p fontName, with
// Helvetica's widths times @p narrowing. Each column's paragraphs are set in 10 points at 12
// points a line, one under the other; the columns stand side by side 20 points apart.
// Returns the lines as they break, or nothing when the file cannot be written.
QStringList writeNamedFontPdf(QString const& path, QString const& fontName, double narrowing,
                              QList<QStringList> const& columns);
// One A4 page written object by object, for what QPdfWriter never writes: form XObjects,
// inline images, stencil masks, annotations. Objects are numbered from 1 in the order they
// are added; the page's font /F1 is Helvetica.
class RawPdf
{
public:
    int add(QByteArray const& object);
    int addStream(QByteArray const& dictionary, QByteArray const& data); // compressed
    // An RGB image of a colourful pattern without white, as a photograph has.
    int addPhoto(int width, int height);
    static QByteArray photoPixels(int width, int height);
    static QByteArray text(double x, double y, QByteArray const& text, double size = 11);
    // @p resources: the page's entries besides /Font; @p annotations: references; @p fonts:
    // entries of /Font besides /F1, as "/F2 << ... >>".
    bool write(QString const& path, QByteArray const& content, QByteArray const& resources,
               QByteArray const& annotations = {}, QByteArray const& fonts = {});

private:
    QList<QByteArray> m_objects;
};

// Hand-made hostile PDFs of a few kilobytes: each once made a reader crash, run for minutes or
// take gigabytes. Every one has the text "Before" drawn ahead of the hostile part.
namespace Hostile {
enum Kind
{
    HugeInlineImage, // an inline CMYK image 2^62 pixels wide and one high
    WideWidthRanges, // a CID font whose widths run from near INT_MAX to INT_MAX; a simple font starting there
    FormsDrawnTwice, // 24 forms, each drawing the next one twice
    UnbalancedSaves, // a million q operators and no Q
    NestedArrays,    // a hundred thousand arrays nested ten deep, each shown as text
    ManyLines,       // a million line operators in one path of short strokes
};
bool write(QString const& path, Kind kind);
} // namespace Hostile

// Short distinct words, so that a paragraph of them wraps over several lines.
QString words(QString const& prefix, int count);
// Runs "qpdf --encrypt ..." with the given arguments between the input and the output.
bool encrypt(QString const& input, QString const& output, QStringList const& encryptArgs);
// pdftotext's reading of a file, or an empty string.
QString pdfToText(QString const& path);

} // namespace PdfFixtures

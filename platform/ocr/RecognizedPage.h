#pragma once

#include <QLineF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QVector>

namespace docquill::ocr {

/// One recognised word. Pixel coordinates refer to the recognised image, point coordinates to
/// the page as shown (1/72 inch, origin at the top left, y downwards).
struct RecognizedWord
{
    QString text;
    QRect pixelRect;
    QRectF pointRect;
    float confidence = 0; ///< 0 to 100
    int line = -1;        ///< index into RecognizedPage::lines
};

/// One text line: its words are RecognizedPage::words[firstWord .. firstWord + wordCount).
struct RecognizedLine
{
    QRect pixelRect;
    QRectF pointRect;
    QLineF pixelBaseline; ///< along the line's baseline, left to right
    qreal xHeight = 0;    ///< the height of its small letters in pixels, as the engine measured it
    int paragraph = -1;
    int block = -1;
    int firstWord = 0;
    int wordCount = 0;
};

/// The text recognised on one page image, in reading order.
struct RecognizedPage
{
    QSize imageSize;
    int dpi = 0;
    QString languageSpec; ///< the language data it was read with ("eng", "Cyrillic")
    QVector<RecognizedWord> words;
    QVector<RecognizedLine> lines;
    int paragraphCount = 0;
    int blockCount = 0;
    /// Lines end with '\n'; an empty line separates paragraphs.
    QString text;

    bool isEmpty() const { return words.isEmpty(); }
    /// The page's size in points, from the image size and its resolution.
    QSizeF pointSize() const;
    /// Whether a space goes between word i and the next word of its line (none between
    /// Chinese or Japanese characters).
    bool spaceAfter(int wordIndex) const;
    /// Makes text anew from the lines and their words.
    void composeText();
};

/// What became of one page of a PDF.
struct PageOutcome
{
    enum Kind
    {
        NotProcessed, ///< not asked for, or not reached after a cancel or a failure
        HadText,      ///< the page already has text; it is left as it is
        Recognized,   ///< text was recognised (possibly none on an empty page)
        Failed
    };
    Kind kind = NotProcessed;
    RecognizedPage page;
    QString error;
    /// How the page's language data was chosen, for the log; empty when it was not chosen.
    QString note;
};

/// True when no space separates the two words in running text.
bool joinsWithoutSpace(QString const& before, QString const& after);

} // namespace docquill::ocr

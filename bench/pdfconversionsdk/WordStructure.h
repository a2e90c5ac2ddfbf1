#pragma once

// What the Word benchmark checks of a document's structure: running heads and footnotes in
// their parts of the package, words drawn over each other on the rendered pages, the order
// of the words and right-to-left words in logical order.

#include <QHash>
#include <QRectF>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

class PackageReader;

// What a corpus document holds, from the corpus's structure.txt.
struct Expectation
{
    QStringList heads;     // running heads and feet: the same text at the same place on the pages
    QStringList headsOnce; // running heads whose words also stand once in the body (a heading)
    QStringList footnotes; // each note's first words
    QStringList lines;     // lines that stay lines of their own (code), spaces aside
    QStringList inlines;   // words with raised or lowered ones among them that stay in one line
    int mergedCells = 0;   // table cells spanning more than one row or column
    int equations = 0;     // display equations
    bool pageNumber = false;
};
QHash<QString, Expectation> readExpectations(QString const& path);

struct RenderedWord
{
    QString text;
    QRectF box;
    int line = 0; // lines numbered across the page
};
struct RenderedPage
{
    QSizeF size;
    QVector<RenderedWord> words;
};
// The words of every page of a PDF where poppler finds them.
QVector<RenderedPage> renderedPages(QString const& pdf);
// Pairs of words of a page drawn over one another: their boxes share at least a third of the
// smaller one, which text set line after line never does.
int overlappingWords(RenderedPage const& page);
// Left and right edges of the text of a document's pages, as shares of the page's width.
QPair<double, double> textEdges(QVector<RenderedPage> const& pages);
// Words of a page that stand partly off it, or beyond given edges of its text by more than
// 6 points (about a letter).
int wordsOffPage(RenderedPage const& page, QPair<double, double> const& edges = {0, 1});

// Times the sequence of words stands in the words.
int occurrences(QStringList const& words, QStringList const& sequence);
// Share of the source's words that the other keeps in the same order (longest common
// subsequence over words).
double inOrder(QStringList const& source, QStringList const& got);

struct StructureCheck
{
    int heads = 0;        // expected running heads
    int headsInParts = 0; // of those, found in a header or footer part and not in the body
    QStringList headsMissed;
    bool pageField = false; // a PAGE field in a header or footer part
    int notes = 0;
    int notesInPart = 0; // found in the footnotes part
    int notesAtFoot = 0; // found at the foot of a rendered page
    int anchors = 0;     // footnote references in the body
    QStringList notesMissed;
    int lines = 0;
    int linesKept = 0;
    QStringList linesMissed;
    int inlines = 0;
    int inlinesKept = 0;
    int mergedCells = 0; // cells of the body's tables spanning columns or starting a vertical merge
    int equations = 0;   // Office math paragraphs, and pictures with an alternative text
};
StructureCheck checkStructure(PackageReader const& docx, Expectation const& expected,
                              QVector<RenderedPage> const& rendered);

// Words of scripts whose text order differs from their drawing order, as the source file
// holds them: Hebrew and Arabic words without vowel marks, presentation forms folded to
// their letters, and Burmese runs between spaces (a vowel sign drawn before its consonant
// follows it in the text).
QStringList logicalWords(QString const& text);
struct LogicalOrder
{
    int words = 0;    // source words
    int kept = 0;     // of those, found in logical order
    int reversed = 0; // right-to-left words found with their letters reversed
};
// The source's words against a text; a Burmese run counts when the text holds it whole,
// wherever its lines break.
LogicalOrder compareLogical(QStringList const& source, QString const& text);

// The alternative texts of the body's pictures (a display equation's words), one a line.
QString pictureDescriptions(QByteArray const& documentXml);

// Words of the package's body cut at a hyphen and a line end or space ("proceed-" and "ing")
// whose joined form is a word of the source.
int splitWords(PackageReader const& docx, QSet<QString> const& sourceWords);

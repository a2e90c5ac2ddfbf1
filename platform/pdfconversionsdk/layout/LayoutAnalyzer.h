#pragma once

#include "PageLayout.h"

#include <QLineF>
#include <QMap>
#include <QStringList>

namespace pdfconv {
namespace layout {

// Builds a PageLayout from the words of a page.
//
// Words that share a baseline form rows; a row splits into fragments at gaps wider than a
// word space. Rows whose vertical extents touch form strips, and consecutive strips whose
// fragments leave the same vertical gap free form a band whose gaps are column gutters, so
// a heading across the page ends a band while a short last line of a column does not.
// Each column is read from top to bottom and split into blocks where spacing, indentation,
// font size or weight change. Words set at a quarter turn are analysed the same way in
// their own reading direction and follow the upright text.
class LayoutAnalyzer
{
public:
    static PageLayout analyze(QVector<Word> const& words, QSizeF const& pageSize, int pageIndex);
    // The same with tables (TableDetector, given the page's horizontal and vertical strokes):
    // their words leave the running text, and each table stands before the first block that
    // follows it in reading order.
    static PageLayout analyzeWithTables(QVector<Word> const& words, QSizeF const& pageSize, int pageIndex,
                                        QVector<QLineF> const& rulings, QVector<Rule> const& styles = {});
    // Lines of text in the order given, without looking for columns or tables: one block in
    // one column, the lines stacked down the page with their words spread across it.
    static PageLayout plainText(QStringList const& lines, QSizeF const& pageSize, int pageIndex);

    // A bullet, or a number or letter with its punctuation ("3.", "b)", "iv."), as lists put
    // before their items.
    static bool isListMarker(QString const& text);

    // Marks as headings the short blocks whose type is clearly larger than the body text:
    // level 1 from 1.6 times the body size, level 2 from 1.3, level 3 from 1.15.
    static void markHeadings(PageLayout& page, double bodyFontSize);
};

// The size of body text over the pages seen so far: the size that covers most characters.
// A page alone can mislead (a title page has only large type).
class BodySizeTracker
{
public:
    void add(PageLayout const& page);
    double bodyFontSize() const;

private:
    QMap<int, qint64> m_charsByHalfPoint;
};

} // namespace layout
} // namespace pdfconv

#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The pages a user names for a document, as typed ("1, 3, 4-7") and as kept ("3-5").
class PageRanges
{
public:
    struct Reading
    {
        enum Problem
        {
            None,
            NotARange,       // part is neither a page nor a range
            NoSuchPage,      // part is a page number beyond the document
            EndsBeforeStart, // part is a range whose end comes first
            NoPage,          // nothing but blanks and commas
        };
        Problem problem = None;
        QString part;
        QStringList entries; // ordered, merged: "1", "3-7"
    };

    // Blanks and tabs may stand around numbers, commas and dashes; typographic dashes are dashes.
    static Reading read(QString const& text, int pageCount);
    // The pages of the document (1 to pageCount) that kept ranges name; a range reaching beyond
    // the document stops at its last page.
    static QSet<int> pages(QStringList const& ranges, int pageCount);
};

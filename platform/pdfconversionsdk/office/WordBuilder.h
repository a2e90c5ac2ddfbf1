#pragma once

#include "PageContent.h"

#include <ooxml/DocxStreamWriter.h>
#include <ooxml/WordDocument.h>

#include <optional>

namespace pdfconv {
namespace office {

// Rebuilds the pages as a Word document that looks like them: runs keep their face, size,
// colour and markings, paragraphs their alignment, indents, spacing and line pitch, lists
// become lists, tables keep shading, rules and merged cells, and figures are pictures.
//
// Flowing text: the same paragraphs and tables in reading order, flowing from page to page;
// sections where the page size or the number of columns changes, or where a new chapter
// brings running heads of its own, and page breaks only where the source starts something
// new; a paragraph that runs on to the next page stays one paragraph, code keeps its lines,
// footnotes become Word's. Page layout: every PDF page is a section of its size, every block
// a frame at its place with its lines kept, every table floats at its place and every figure
// is anchored at its place. In both, running heads and feet are the sections' headers and
// footers, page numbers a field.
class WordBuilder
{
public:
    // @p pages holds every page's layout (flowing text fits a section's margins to all its
    // pages); a page's pictures are read only when the page is added, and a page may be let
    // go after that. The builder keeps the reference, so the vector must outlive it.
    WordBuilder(QVector<PageContent> const& pages, bool flowing, ooxml::DocxStreamWriter& writer);
    // Adds the pages in order, each once; what a page makes goes to the writer at once but
    // its last block, which the next page may still change.
    void addPage(int index);
    // Hands over that last block.
    void finish();

    // The figures of a page from the boxes of what it draws (engine::PageStyles): drawings
    // side by side are one figure. For flowing text, short labels in and beside a figure (a
    // chart's axes and legend) go into its picture and leave the text; text over one of the
    // @p pictures (photographs) and a picture's caption stay text.
    static QVector<Figure> figures(layout::PageLayout const& page, QVector<QRectF> boxes, bool flowing,
                                   QVector<QRectF> const& pictures = {});
    // Adds a figure for each display equation of the page (layout::BlockKind::Equation): a
    // picture of its part of the page with its text, which it describes, in place of its
    // lines; the drawings inside it (fraction bars, roots) go with it.
    static void addEquations(layout::PageLayout const& page, QVector<Figure>& figures);

private:
    void beginSection(ooxml::WordPageSetup const& page);
    void push(ooxml::WordBlock const& block);
    void pushTable(ooxml::WordTable const& table);
    ooxml::WordParagraph* lastParagraph();
    void addFlowing(PageContent const& page, int index);
    QString marginalKey(int index) const;
    void setMarginals(ooxml::WordPageSetup& setup, int index);
    void findBreaks();
    void placeNotes(ooxml::WordParagraph& p, QVector<layout::Footnote> const& notes);
    void addLaidOut(PageContent const& page, int index);
    // The block as a paragraph whose indents measure from @p area; its alignment is found
    // there too unless @p alignment gives it.
    ooxml::WordParagraph paragraph(layout::Block const& block, QRectF const& area, bool lineBreaks,
                                   std::optional<ooxml::WordParagraph::Alignment> alignment = std::nullopt);

    QVector<PageContent> const& m_pages;
    bool m_flowing;
    ooxml::DocxStreamWriter& m_writer;
    QVector<int> m_sectionOf;               // flowing text: each page's section
    QVector<ooxml::WordPageSetup> m_setups; // flowing text: each section's page
    ooxml::WordPageSetup m_page;            // the section being written
    int m_sections = 0;
    int m_sectionBlocks = 0;
    std::optional<ooxml::WordBlock> m_last;
    bool m_openParagraph = false; // flowing text: the last paragraph may go on on the next page
    bool m_hasMarginals = false;  // some page has running heads or feet
    bool m_alternate = false;     // flowing text: odd and even pages have heads of their own
    QStringList m_sectionKeys;    // flowing text: the looks of the section's running heads
    QVector<bool> m_breakBefore;  // flowing text: the page starts something new
    int m_numberedNotes = 0;      // footnotes Word numbers itself
    bool m_openCode = false;      // flowing text: that last paragraph is code
    // Lists: the one the last list item belongs to, where its markers stand, its next number.
    int m_lists = 0;
    int m_listKind = -1;
    double m_listMarker = 0;
    int m_listNext = 0;
};

} // namespace office
} // namespace pdfconv

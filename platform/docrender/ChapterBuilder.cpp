#include "ChapterBuilder.h"

#include "LayoutLimits.h"
#include "ResourceTextDocument.h"

#include <QTextBlock>
#include <QTextCursor>

namespace docrender {

ChapterBuilder::ChapterBuilder(ResourceTextDocument& document) : m_document(document) {}

bool ChapterBuilder::addChapter(QString const& path, QString const& html)
{
    int elements = 0;
    QString const bounded =
        LayoutLimits::html(ResourceTextDocument::rewriteReferences(html, path), &elements);
    if (elements > LayoutLimits::kMaxParagraphs - m_elements)
        return false;
    m_elements += elements;
    QTextCursor cursor(&m_document);
    cursor.movePosition(QTextCursor::End);
    if (m_count > 0)
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    int const start = cursor.position();
    cursor.insertHtml(bounded);
    if (m_count > 0) {
        QTextCursor first(m_document.findBlock(start));
        QTextBlockFormat format = first.blockFormat();
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        first.setBlockFormat(format);
    }
    ++m_count;
    return true;
}

} // namespace docrender

#include "ChapterBuilder.h"

#include "ResourceTextDocument.h"

#include <QTextBlock>
#include <QTextCursor>

namespace docrender {

ChapterBuilder::ChapterBuilder(ResourceTextDocument& document) : m_document(document) {}

void ChapterBuilder::addChapter(QString const& path, QString const& html)
{
    QTextCursor cursor(&m_document);
    cursor.movePosition(QTextCursor::End);
    if (m_count > 0)
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    int const start = cursor.position();
    cursor.insertHtml(ResourceTextDocument::rewriteReferences(html, path));
    if (m_count > 0) {
        QTextCursor first(m_document.findBlock(start));
        QTextBlockFormat format = first.blockFormat();
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        first.setBlockFormat(format);
    }
    ++m_count;
}

} // namespace docrender

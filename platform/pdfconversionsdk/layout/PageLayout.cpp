#include "PageLayout.h"

#include <QStringList>

#include <algorithm>

namespace pdfconv {
namespace layout {

namespace {

// Gap between two words along their reading direction, in points.
double readingGap(Word const& a, Word const& b)
{
    switch (a.rotation & 3) {
    case 1:
        return b.box.top() - a.box.bottom();
    case 2:
        return a.box.left() - b.box.right();
    case 3:
        return a.box.top() - b.box.bottom();
    default:
        // Words of the other direction within a line read the other way.
        return std::max(a.box.left() - b.box.right(), b.box.left() - a.box.right());
    }
}

bool isIdeograph(QChar c)
{
    ushort const u = c.unicode();
    return (u >= 0x3000 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7AF) || (u >= 0xF900 && u <= 0xFAFF) ||
           (u >= 0xFF00 && u <= 0xFFEF);
}

} // namespace

QString Line::separatorAfter(int i) const
{
    if (i < 0 || i + 1 >= words.size())
        return QString();
    Word const& a = words.at(i);
    Word const& b = words.at(i + 1);
    double const size = a.fontSize > 0 ? a.fontSize : 10.0;
    if (a.spaceAfter || readingGap(a, b) > 0.15 * size)
        return QStringLiteral(" ");
    return QString();
}

QString Line::text() const
{
    QString out;
    for (int i = 0; i < words.size(); ++i)
        out += words.at(i).text + separatorAfter(i);
    return out;
}

QString Block::separatorAfter(int i) const
{
    if (i < 0 || i + 1 >= lines.size() || lines.at(i).words.isEmpty() || lines.at(i + 1).words.isEmpty())
        return QString();
    QString const& last = lines.at(i).words.constLast().text;
    QString const& next = lines.at(i + 1).words.constFirst().text;
    if (last.isEmpty() || next.isEmpty())
        return QStringLiteral(" ");
    QChar const end = last.at(last.size() - 1);
    if (end == QLatin1Char('-') || end == QChar(0x2010) || end == QChar(0x00AD))
        return QString();
    if (isIdeograph(end) && isIdeograph(next.at(0)))
        return QString();
    return QStringLiteral(" ");
}

QString Block::text() const
{
    QString out;
    for (int i = 0; i < lines.size(); ++i)
        out += lines.at(i).text() + separatorAfter(i);
    return out;
}

QString TableCell::text() const
{
    QStringList parts;
    for (auto const& block : blocks)
        parts << block.text();
    return parts.join(QLatin1Char('\n'));
}

namespace {

bool readable(QVector<Block> const& blocks)
{
    for (auto const& block : blocks)
        for (auto const& line : block.lines)
            for (auto const& word : line.words)
                for (QChar const c : word.text)
                    if (c.isLetterOrNumber())
                        return true;
    return false;
}

} // namespace

bool PageLayout::hasReadableText() const
{
    if (readable(blocks))
        return true;
    for (auto const& table : tables)
        for (auto const& row : table.rows)
            for (auto const& cell : row)
                if (readable(cell.blocks))
                    return true;
    return false;
}

} // namespace layout
} // namespace pdfconv

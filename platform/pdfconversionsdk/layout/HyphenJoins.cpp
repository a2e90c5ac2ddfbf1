#include "HyphenJoins.h"

namespace pdfconv {
namespace layout {

namespace {

bool letter(QChar c)
{
    return c.isLetter() || c.isMark();
}

bool hyphen(QChar c)
{
    return c == QLatin1Char('-') || c == QChar(0x2010) || c == QChar(0x00AD);
}

// The letters before a line-end hyphen ("proceed" of "(proceed-"); empty when the word does
// not end so.
QString cutHead(QString const& word)
{
    if (word.size() < 2 || !hyphen(word.at(word.size() - 1)) || !letter(word.at(word.size() - 2)))
        return QString();
    int start = word.size() - 2;
    while (start > 0 && letter(word.at(start - 1)))
        --start;
    return word.mid(start, word.size() - 1 - start);
}

// The letters a line starts with, where the first is small ("ing" of "ing,").
QString cutTail(QString const& word)
{
    if (word.isEmpty() || !word.at(0).isLower())
        return QString();
    int end = 0;
    while (end < word.size() && letter(word.at(end)))
        ++end;
    return word.left(end);
}

// Lines, in order, whose last word a hyphen cuts and the line after whose first word goes on.
bool cutAfter(Block const& block, int l)
{
    if (l + 1 >= block.lines.size() || block.lines.at(l).rightToLeft || block.lines.at(l).words.isEmpty() ||
        block.lines.at(l + 1).words.isEmpty())
        return false;
    return !cutHead(block.lines.at(l).words.constLast().text).isEmpty() &&
           !cutTail(block.lines.at(l + 1).words.constFirst().text).isEmpty();
}

} // namespace

void HyphenJoins::learn(PageLayout const& page)
{
    auto const learnBlock = [this](Block const& block) {
        for (int l = 0; l < block.lines.size(); ++l) {
            QVector<Word> const& words = block.lines.at(l).words;
            bool const cutEnd = cutAfter(block, l);
            bool const cutStart = l > 0 && cutAfter(block, l - 1);
            for (int w = 0; w < words.size(); ++w) {
                QString const text = words.at(w).text.toLower();
                // Pieces of words the line ends cut say nothing of the language.
                int from = 0, to = text.size();
                if (cutStart && w == 0)
                    while (from < to && letter(text.at(from)))
                        ++from;
                if (cutEnd && w + 1 == words.size())
                    to = text.size() - 1 - cutHead(words.at(w).text).size();
                QString current;
                for (int i = from; i <= to; ++i) {
                    if (i < to && letter(text.at(i))) {
                        current += text.at(i);
                        continue;
                    }
                    if (!current.isEmpty()) {
                        m_words.insert(current);
                        // "long-term" within the line
                        if (i + 1 < to && hyphen(text.at(i)) && letter(text.at(i + 1))) {
                            int end = i + 1;
                            while (end < to && letter(text.at(end)))
                                ++end;
                            m_compounds.insert(current + QLatin1Char('-') + text.mid(i + 1, end - i - 1));
                        }
                    }
                    current.clear();
                }
            }
        }
    };
    for (auto const& block : page.blocks)
        learnBlock(block);
    for (auto const& table : page.tables)
        for (auto const& row : table.rows)
            for (auto const& cell : row)
                for (auto const& block : cell.blocks)
                    learnBlock(block);
}

bool HyphenJoins::joins(QString const& head, QString const& tail) const
{
    QString const a = head.toLower(), b = tail.toLower();
    if (a.isEmpty() || b.isEmpty())
        return false;
    if (m_words.contains(a + b))
        return true;
    if (m_compounds.contains(a + QLatin1Char('-') + b))
        return false;
    // Two words of the document make a compound ("follow-up", "decision-makers"); a piece of
    // two letters before the cut is a syllable more often than a word ("an-other", "be-fore").
    return !(a.size() >= 3 && b.size() >= 2 && m_words.contains(a) && m_words.contains(b));
}

int HyphenJoins::join(PageLayout& page) const
{
    int joined = 0;
    for (auto& block : page.blocks) {
        if (block.kind == BlockKind::Equation)
            continue;
        for (int l = 0; l + 1 < block.lines.size(); ++l) {
            if (!cutAfter(block, l))
                continue;
            QString& last = block.lines[l].words.last().text;
            if (last.endsWith(QChar(0x00AD)) ||
                !joins(cutHead(last), cutTail(block.lines.at(l + 1).words.constFirst().text)))
                continue;
            last[last.size() - 1] = QChar(0x00AD);
            ++joined;
        }
    }
    return joined;
}

} // namespace layout
} // namespace pdfconv

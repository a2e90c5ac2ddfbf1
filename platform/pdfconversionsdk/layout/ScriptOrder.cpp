#include "ScriptOrder.h"

#include <algorithm>
#include <cmath>

namespace pdfconv {
namespace layout {

namespace {

bool isRtl(uint c)
{
    QChar::Direction const d = QChar::direction(c);
    return d == QChar::DirR || d == QChar::DirAL;
}

bool isMyanmar(uint c)
{
    return c >= 0x1000 && c <= 0x109F;
}

// Letters and digits that keep their order inside right-to-left text.
bool keepsOrder(uint c)
{
    QChar::Direction const d = QChar::direction(c);
    return d == QChar::DirL || d == QChar::DirEN || d == QChar::DirAN;
}

// A separator inside a number ("3.5", "1,200", "10%").
bool joinsNumber(uint c)
{
    QChar::Direction const d = QChar::direction(c);
    return d == QChar::DirES || d == QChar::DirET || d == QChar::DirCS;
}

bool myanmarBase(uint c)
{
    return (c >= 0x1000 && c <= 0x102A) || c == 0x103F || c == 0x104E;
}

bool myanmarMedial(uint c)
{
    return c >= 0x103B && c <= 0x103E;
}

bool myanmarPreBase(uint c)
{
    return c == 0x1031 || c == 0x103C;
}

// Which order a word's right-to-left letters show, by the letters that only end a word in
// reading order: +1 as drawn, -1 as read, 0 when the word does not tell.
int rtlVote(QVector<uint> const& text)
{
    QVector<uint> letters;
    for (uint c : text)
        if (isRtl(c))
            letters << c;
    if (letters.size() < 2)
        return 0;
    static uint const finals[] = {0x05DA, 0x05DD, 0x05DF, 0x05E3, 0x05E5, 0x0629, 0x0649};
    auto const final = [](uint c) { return std::find(std::begin(finals), std::end(finals), c) != std::end(finals); };
    int vote = 0;
    if (final(letters.first()))
        ++vote;
    if (final(letters.last()))
        --vote;
    // The Arabic article starts a word as read.
    if (letters.size() >= 4) {
        if (letters.at(0) == 0x0627 && letters.at(1) == 0x0644)
            --vote;
        if (letters.at(letters.size() - 1) == 0x0627 && letters.at(letters.size() - 2) == 0x0644)
            ++vote;
    }
    return vote;
}

int myanmarVote(QVector<uint> const& text)
{
    if (text.isEmpty() || !isMyanmar(text.first()))
        return 0;
    if (myanmarPreBase(text.first()))
        return 1;
    return text.last() == 0x1031 ? -1 : 0;
}

// A stacking sign stacks the consonant after it; some fonts map a lowered vowel sign's glyph
// to one in front of a vowel too.
QVector<uint> withoutStrayStacking(QVector<uint> text)
{
    for (int i = text.size() - 1; i >= 0; --i)
        if (text.at(i) == 0x1039 && (i + 1 >= text.size() || text.at(i + 1) < 0x1000 || text.at(i + 1) > 0x1021))
            text.removeAt(i);
    return text;
}

enum class Direction
{
    Left,
    Right,
    Neutral
};

Direction directionOf(QString const& text)
{
    int r = 0, l = 0;
    for (QChar c : text) {
        QChar::Direction const d = c.direction();
        if (d == QChar::DirR || d == QChar::DirAL)
            ++r;
        else if (d == QChar::DirL)
            ++l;
    }
    return r > 0 && r >= l ? Direction::Right : l > 0 ? Direction::Left : Direction::Neutral;
}

} // namespace

QString ScriptOrder::reverseVisual(QString const& text)
{
    QVector<uint> chars = text.toUcs4();
    std::reverse(chars.begin(), chars.end());
    // Numbers and Latin words read from left to right even here: back into their own order.
    for (int i = 0; i < chars.size();) {
        if (!keepsOrder(chars.at(i))) {
            ++i;
            continue;
        }
        int end = i + 1;
        while (end < chars.size() &&
               (keepsOrder(chars.at(end)) ||
                (joinsNumber(chars.at(end)) && end + 1 < chars.size() && keepsOrder(chars.at(end + 1)))))
            ++end;
        std::reverse(chars.begin() + i, chars.begin() + end);
        i = end;
    }
    return QString::fromUcs4(chars.constData(), chars.size());
}

QString ScriptOrder::myanmarLogical(QString const& text)
{
    QVector<uint> const in = withoutStrayStacking(text.toUcs4());
    QVector<uint> out;
    out.reserve(in.size());
    for (int i = 0; i < in.size();) {
        int j = i;
        while (j < in.size() && myanmarPreBase(in.at(j)))
            ++j;
        if (j == i || j >= in.size() || !myanmarBase(in.at(j))) {
            out << in.at(i++);
            continue;
        }
        // The consonant, what is stacked under it, then its medials in their order, then the vowel.
        out << in.at(j++);
        while (j + 1 < in.size() && in.at(j) == 0x1039) {
            out << in.at(j) << in.at(j + 1);
            j += 2;
        }
        QVector<uint> medials;
        bool vowel = false;
        for (int k = i; k < j && myanmarPreBase(in.at(k)); ++k) {
            if (in.at(k) == 0x1031)
                vowel = true;
            else
                medials << in.at(k);
        }
        while (j < in.size() && myanmarMedial(in.at(j)))
            medials << in.at(j++);
        std::sort(medials.begin(), medials.end());
        out << medials;
        if (vowel)
            out << 0x1031;
        i = j;
    }
    return QString::fromUcs4(out.constData(), out.size());
}

namespace {

// Arabic letters that join no letter after them: a shaping engine may set the rest of the
// word a small kern apart, which the PDF library reads as a space.
bool joinsNoFurther(QString const& text)
{
    static QString const letters = QStringLiteral("\u0627\u0623\u0625\u0622\u0671\u062F\u0630\u0631\u0632"
                                                  "\u0648\u0624\u0621");
    for (int i = text.size() - 1; i >= 0; --i)
        if (text.at(i).category() != QChar::Mark_NonSpacing)
            return letters.contains(text.at(i));
    return false;
}

bool arabicOnly(QString const& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c.direction() != QChar::DirAL && c.category() != QChar::Mark_NonSpacing)
            return false;
    return true;
}

// Joins pieces of a drawn Arabic word (in reading order already) that stand closer than a
// space, the first ending in a letter that joins no further: "طو" and "يلة" are "طويلة".
void joinKernedPieces(QVector<Word>& words)
{
    for (int i = words.size() - 2; i >= 0; --i) {
        Word const& a = words.at(i);
        Word const& b = words.at(i + 1);
        bool const aRight = a.box.center().x() > b.box.center().x();
        Word const& right = aRight ? a : b;
        Word const& left = aRight ? b : a;
        double const size = std::max(a.fontSize, b.fontSize);
        double const gap = right.box.left() - left.box.right();
        double const height = std::min(a.box.height(), b.box.height());
        if (a.rotation != 0 || b.rotation != 0 || size <= 0 ||
            std::abs(a.fontSize - b.fontSize) > 0.05 * size ||
            std::abs(a.box.top() - b.box.top()) > 0.1 * height ||
            std::abs(a.box.bottom() - b.box.bottom()) > 0.1 * height || gap < -0.5 || gap >= 0.17 * size ||
            !arabicOnly(right.text) || !arabicOnly(left.text) || !joinsNoFurther(right.text))
            continue;
        Word joined = right;
        joined.text = right.text + left.text;
        joined.box = right.box.united(left.box);
        joined.spaceAfter = b.spaceAfter;
        words[i] = joined;
        words.removeAt(i + 1);
    }
}

} // namespace

bool ScriptOrder::drawnRightToLeft(QVector<Word> const& words)
{
    int rtl = 0;
    bool rtlSeen = false;
    for (auto const& word : words) {
        bool candidate = false;
        for (QChar c : word.text)
            candidate = candidate || c.unicode() >= 0x0590;
        if (!candidate)
            continue;
        QVector<uint> const chars = word.text.toUcs4();
        for (uint c : chars)
            rtlSeen = rtlSeen || isRtl(c);
        rtl += rtlVote(chars);
    }
    // Without a sign either way the letters are taken as drawn, as shaped text is.
    return rtlSeen && rtl >= 0;
}

void ScriptOrder::toLogical(QVector<Word>& words)
{
    int myanmar = 0;
    bool myanmarSeen = false;
    for (auto const& word : words) {
        bool candidate = false;
        for (QChar c : word.text)
            candidate = candidate || c.unicode() >= 0x1000;
        if (!candidate)
            continue;
        QVector<uint> const chars = word.text.toUcs4();
        for (uint c : chars)
            myanmarSeen = myanmarSeen || isMyanmar(c);
        myanmar += myanmarVote(chars);
    }
    bool const rtlDrawn = drawnRightToLeft(words);
    bool const myanmarDrawn = myanmarSeen && myanmar > 0;
    if (!rtlDrawn && !myanmarSeen)
        return;
    for (auto& word : words) {
        word.drawnOrder = rtlDrawn;
        bool r = false, m = false;
        for (QChar c : word.text) {
            r = r || (rtlDrawn && (c.direction() == QChar::DirR || c.direction() == QChar::DirAL));
            m = m || isMyanmar(c.unicode());
        }
        if (r)
            word.text = reverseVisual(word.text);
        else if (m && myanmarDrawn)
            word.text = myanmarLogical(word.text);
        else if (m) {
            QVector<uint> const clean = withoutStrayStacking(word.text.toUcs4());
            word.text = QString::fromUcs4(clean.constData(), clean.size());
        }
    }
    if (rtlDrawn)
        joinKernedPieces(words);
}

void ScriptOrder::orderLine(QVector<Word>& words, bool rightToLeft)
{
    int const n = words.size();
    QVector<Direction> dirs(n);
    bool mixed = rightToLeft;
    for (int i = 0; i < n; ++i) {
        dirs[i] = directionOf(words.at(i).text);
        mixed = mixed || dirs.at(i) == Direction::Right;
    }
    if (!mixed || n == 0)
        return;
    // Numbers and marks between words of one direction go with them, else with the line's.
    Direction const base = rightToLeft ? Direction::Right : Direction::Left;
    QVector<Direction> resolved = dirs;
    for (int i = 0; i < n; ++i) {
        if (dirs.at(i) != Direction::Neutral)
            continue;
        Direction before = base, after = base;
        for (int k = i - 1; k >= 0; --k)
            if (dirs.at(k) != Direction::Neutral) {
                before = dirs.at(k);
                break;
            }
        for (int k = i + 1; k < n; ++k)
            if (dirs.at(k) != Direction::Neutral) {
                after = dirs.at(k);
                break;
            }
        Direction const other = rightToLeft ? Direction::Left : Direction::Right;
        resolved[i] = before == other && after == other ? other : base;
    }
    // Runs of one direction, the line's own order between them.
    QVector<QPair<int, int>> runs; // first and one past the last index, left to right
    for (int i = 0; i < n;) {
        int end = i + 1;
        while (end < n && resolved.at(end) == resolved.at(i))
            ++end;
        runs.push_back({i, end});
        i = end;
    }
    if (rightToLeft)
        std::reverse(runs.begin(), runs.end());
    QVector<int> order;
    order.reserve(n);
    for (auto const& run : runs) {
        if (resolved.at(run.first) == Direction::Right)
            for (int i = run.second - 1; i >= run.first; --i)
                order << i;
        else
            for (int i = run.first; i < run.second; ++i)
                order << i;
    }
    QVector<Word> out;
    out.reserve(n);
    for (int k = 0; k < n; ++k) {
        Word word = words.at(order.at(k));
        if (word.drawnOrder && dirs.at(order.at(k)) == Direction::Neutral &&
            resolved.at(order.at(k)) == Direction::Right)
            word.text = reverseVisual(word.text);
        if (k + 1 < n) {
            int const a = order.at(k), b = order.at(k + 1);
            // The space a word has after it stands to its right on the page.
            word.spaceAfter = std::abs(a - b) == 1 ? words.at(std::min(a, b)).spaceAfter : true;
        } else {
            word.spaceAfter = false;
        }
        out << word;
    }
    words = out;
}

bool ScriptOrder::rightToLeft(QVector<Word> const& words)
{
    Direction first = Direction::Neutral, last = Direction::Neutral;
    int r = 0, l = 0;
    for (auto const& word : words) {
        Direction const d = directionOf(word.text);
        if (d == Direction::Neutral)
            continue;
        if (first == Direction::Neutral)
            first = d;
        last = d;
        for (QChar c : word.text) {
            QChar::Direction const cd = c.direction();
            r += cd == QChar::DirR || cd == QChar::DirAL ? 1 : 0;
            l += cd == QChar::DirL ? 1 : 0;
        }
    }
    if (first == last)
        return first == Direction::Right;
    return r > l;
}

} // namespace layout
} // namespace pdfconv

#include "LineNumbers.h"

#include <algorithm>

namespace pdfconv {
namespace layout {

namespace {

constexpr int kMinNumbers = 5;
constexpr int kMaxStep = 10; // numbers every fifth or tenth line count too

// A counting number as a margin sets it: digits only, no leading zero, no more than five.
int numberOf(Word const& word)
{
    QString const& t = word.text;
    if (t.isEmpty() || t.size() > 5 || t.at(0) == QLatin1Char('0'))
        return -1;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    return t.toInt();
}

bool sameRow(QRectF const& a, QRectF const& b)
{
    return std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top()) >
           0.4 * std::min(a.height(), b.height());
}

// The candidates (indices into words) lined up at their inner edge that count up down the
// page, beside lines of text and apart from all other text on the side of the margin.
QVector<int> column(QVector<Word> const& words, QVector<int> candidates, bool left)
{
    auto const edge = [&](int i) { return left ? words.at(i).box.right() : words.at(i).box.left(); };
    std::sort(candidates.begin(), candidates.end(), [&](int a, int b) { return edge(a) < edge(b); });
    // The most numbers whose edges lie within a point and a half of each other.
    QVector<int> best;
    for (int s = 0, e = 0; s < candidates.size(); ++s) {
        while (e < candidates.size() && edge(candidates.at(e)) - edge(candidates.at(s)) <= 1.5)
            ++e;
        if (e - s > best.size())
            best = candidates.mid(s, e - s);
    }
    if (best.size() < kMinNumbers)
        return {};
    std::sort(best.begin(), best.end(),
              [&](int a, int b) { return words.at(a).box.top() < words.at(b).box.top(); });
    double inner = 0;
    for (int k = 0; k < best.size(); ++k) {
        inner = left ? std::max(inner, edge(best.at(k)))
                     : (k == 0 ? edge(best.at(k)) : std::min(inner, edge(best.at(k))));
        if (k == 0)
            continue;
        int const step = numberOf(words.at(best.at(k))) - numberOf(words.at(best.at(k - 1)));
        if (step < 1 || step > kMaxStep || sameRow(words.at(best.at(k)).box, words.at(best.at(k - 1)).box))
            return {};
    }
    double const gap = std::max(3.0, 0.5 * words.at(best.first()).fontSize);
    QVector<bool> member(words.size(), false);
    for (int n : best)
        member[n] = true;
    for (int i = 0; i < words.size(); ++i) {
        Word const& w = words.at(i);
        if (w.rotation == 0 && !member.at(i) &&
            (left ? w.box.left() < inner + gap : w.box.right() > inner - gap))
            return {};
    }
    int beside = 0;
    for (int n : best)
        for (int i = 0; i < words.size(); ++i)
            if (!member.at(i) && words.at(i).rotation == 0 && sameRow(words.at(i).box, words.at(n).box)) {
                ++beside;
                break;
            }
    return 4 * beside >= 3 * best.size() ? best : QVector<int>{};
}

} // namespace

QVector<Word> LineNumbers::take(QVector<Word>& words)
{
    QVector<int> candidates;
    for (int i = 0; i < words.size(); ++i)
        if (words.at(i).rotation == 0 && numberOf(words.at(i)) > 0)
            candidates << i;
    if (candidates.size() < kMinNumbers)
        return {};
    QVector<Word> numbers;
    // A page numbered in both margins (two columns): the left ones, then the right ones.
    for (bool const left : {true, false}) {
        QVector<int> found = column(words, candidates, left);
        for (int i : found)
            numbers << words.at(i);
        std::sort(found.begin(), found.end());
        for (int k = found.size() - 1; k >= 0; --k)
            words.removeAt(found.at(k));
        if (!found.isEmpty()) {
            candidates.clear();
            for (int i = 0; i < words.size(); ++i)
                if (words.at(i).rotation == 0 && numberOf(words.at(i)) > 0)
                    candidates << i;
        }
    }
    return numbers;
}

} // namespace layout
} // namespace pdfconv

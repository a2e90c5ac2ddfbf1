#pragma once

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

// The words of a text, lower case, as the benchmarks count them, in every script. A word keeps
// its combining marks; scripts written without spaces (Chinese, Japanese, Burmese, Thai) count
// each character, as their lines break anywhere and a run between two breaks is no word.
inline QStringList benchWords(QString const& text)
{
    static QRegularExpression const word(
        QStringLiteral("[\\p{Han}\\p{Hiragana}\\p{Katakana}\\p{Myanmar}\\p{Thai}]|"
                       "(?:(?![\\p{Han}\\p{Hiragana}\\p{Katakana}\\p{Myanmar}\\p{Thai}])[\\w\\p{M}])+"),
        QRegularExpression::UseUnicodePropertiesOption);
    QStringList words;
    auto it = word.globalMatch(text.toLower());
    while (it.hasNext())
        words << it.next().captured();
    return words;
}

// Share (0 to 1) of the expected words, with repeats, that the text holds too. Two expected
// words in a row that the text holds as one count too where that one is among @p whole: a
// word the source's own text splits (a kern read as a space) and the text reads whole.
inline double wordRecall(QStringList const& expected, QString const& text, QSet<QString> const& whole = {})
{
    QHash<QString, int> got;
    for (auto const& w : benchWords(text))
        ++got[w];
    int found = 0;
    QVector<bool> kept(expected.size(), false);
    for (int i = 0; i < expected.size(); ++i)
        if (got.value(expected.at(i)) > 0) {
            --got[expected.at(i)];
            kept[i] = true;
            ++found;
        }
    for (int i = 0; i + 1 < expected.size(); ++i) {
        QString const joined = expected.at(i) + expected.at(i + 1);
        if (!kept.at(i) && !kept.at(i + 1) && whole.contains(joined) && got.value(joined) > 0) {
            --got[joined];
            kept[i] = kept[i + 1] = true;
            found += 2;
        }
    }
    return expected.isEmpty() ? 1.0 : double(found) / expected.size();
}

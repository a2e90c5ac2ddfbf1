#pragma once

#include <QHash>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

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

// Share (0 to 1) of the expected words, with repeats, that the text holds too.
inline double wordRecall(QStringList const& expected, QString const& text)
{
    QHash<QString, int> got;
    for (auto const& w : benchWords(text))
        ++got[w];
    int found = 0;
    for (auto const& w : expected)
        if (got.value(w) > 0) {
            --got[w];
            ++found;
        }
    return expected.isEmpty() ? 1.0 : double(found) / expected.size();
}

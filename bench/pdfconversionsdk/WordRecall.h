#pragma once

#include <QHash>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The words of a text, lower case, as the benchmarks count them.
inline QStringList benchWords(QString const& text)
{
    return text.toLower().split(QRegularExpression(QStringLiteral("[^\\w]+")), Qt::SkipEmptyParts);
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

#include "PageRanges.h"

#include <QRegularExpression>

#include <algorithm>
#include <vector>

PageRanges::Reading PageRanges::read(QString const& text, int pageCount)
{
    Reading reading;
    QString plain;
    plain.reserve(text.size());
    for (QChar c : text) {
        if (c == QChar(0x2013) || c == QChar(0x2014) || c == QChar(0x2212))
            plain += QLatin1Char('-');
        else if (c.isSpace())
            plain += QLatin1Char(' ');
        else
            plain += c;
    }
    static QRegularExpression const pageOrRange(
        QRegularExpression::anchoredPattern(QStringLiteral(" *([0-9]+) *(?:- *([0-9]+) *)?")));
    pageCount = std::max(pageCount, 0);
    // One flag per page: repeated and overlapping parts merge, and the walk below is ordered.
    std::vector<bool> pages(static_cast<size_t>(pageCount) + 1, false);
    bool anyPage = false;
    auto fail = [&reading](Reading::Problem problem, QString const& part) {
        reading.problem = problem;
        reading.part = part;
        return reading;
    };
    for (QString const& part : plain.split(QLatin1Char(','))) {
        if (part.trimmed().isEmpty())
            continue;
        QRegularExpressionMatch const match = pageOrRange.match(part);
        if (!match.hasMatch())
            return fail(Reading::NotARange, part.trimmed());
        QString const firstText = match.captured(1);
        QString const lastText = match.capturedLength(2) ? match.captured(2) : firstText;
        bool firstOk = false;
        bool lastOk = false;
        int const first = firstText.toInt(&firstOk);
        int const last = lastText.toInt(&lastOk);
        if (!firstOk || first < 1 || first > pageCount)
            return fail(Reading::NoSuchPage, firstText);
        if (!lastOk || last > pageCount)
            return fail(Reading::NoSuchPage, lastText);
        if (first > last)
            return fail(Reading::EndsBeforeStart, part.simplified());
        for (int page = first; page <= last; ++page)
            pages[static_cast<size_t>(page)] = true;
        anyPage = true;
    }
    if (!anyPage)
        return fail(Reading::NoPage, QString());
    for (int page = 1; page <= pageCount; ++page) {
        if (!pages[static_cast<size_t>(page)])
            continue;
        int end = page;
        while (end < pageCount && pages[static_cast<size_t>(end) + 1])
            ++end;
        reading.entries << (end > page ? QStringLiteral("%1-%2").arg(page).arg(end) : QString::number(page));
        page = end;
    }
    return reading;
}

QSet<int> PageRanges::pages(QStringList const& ranges, int pageCount)
{
    QSet<int> wanted;
    for (auto const& entry : ranges) {
        QStringList parts = entry.split('-');
        int const from = std::max(1, parts.value(0).toInt());
        int const to = std::min(pageCount, parts.value(parts.size() > 1 ? 1 : 0).toInt());
        for (long long page = from; page <= to; ++page)
            wanted.insert(int(page));
    }
    return wanted;
}

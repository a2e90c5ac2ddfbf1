#include "WordStructure.h"

#include "PackageReader.h"
#include "WordRecall.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <algorithm>

QHash<QString, Expectation> readExpectations(QString const& path)
{
    QHash<QString, Expectation> all;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return all;
    QString document;
    for (QString line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            document = line.mid(1, line.size() - 2);
            continue;
        }
        int const equals = line.indexOf(QLatin1Char('='));
        QString const key = (equals < 0 ? line : line.left(equals)).trimmed();
        QString const value = equals < 0 ? QString() : line.mid(equals + 1).trimmed();
        Expectation& e = all[document];
        if (key == QLatin1String("head"))
            e.heads << value;
        else if (key == QLatin1String("head-once"))
            e.headsOnce << value;
        else if (key == QLatin1String("footnote"))
            e.footnotes << value;
        else if (key == QLatin1String("page-number"))
            e.pageNumber = true;
        else if (key == QLatin1String("line"))
            e.lines << value;
        else if (key == QLatin1String("inline"))
            e.inlines << value;
        else if (key == QLatin1String("merged-cells"))
            e.mergedCells = value.toInt();
        else if (key == QLatin1String("equations"))
            e.equations = value.toInt();
    }
    return all;
}

QVector<RenderedPage> renderedPages(QString const& pdf)
{
    QVector<RenderedPage> pages;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {"-bbox-layout", "-enc", "UTF-8", pdf, "-"});
    if (!p.waitForFinished(300000))
        return pages;
    // A glyph without a proper character (a ligature of an old font) comes out as a control
    // character, which no XML may hold.
    QByteArray out = p.readAllStandardOutput();
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\r' && c != '\t')
            c = ' ';
    QXmlStreamReader xml(out);
    int line = 0;
    auto number = [&](char const* name) { return xml.attributes().value(QLatin1String(name)).toDouble(); };
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("page")) {
            pages.push_back({QSizeF(number("width"), number("height")), {}});
        } else if (xml.name() == QLatin1String("line")) {
            ++line;
        } else if (xml.name() == QLatin1String("word") && !pages.isEmpty()) {
            QRectF const box(QPointF(number("xMin"), number("yMin")),
                             QPointF(number("xMax"), number("yMax")));
            pages.last().words.push_back({xml.readElementText(), box, line});
        }
    }
    return pages;
}

int overlappingWords(RenderedPage const& page)
{
    QVector<RenderedWord> words = page.words;
    std::sort(words.begin(), words.end(),
              [](RenderedWord const& a, RenderedWord const& b) { return a.box.top() < b.box.top(); });
    int pairs = 0;
    for (int i = 0; i < words.size(); ++i)
        for (int k = i + 1; k < words.size() && words.at(k).box.top() < words.at(i).box.bottom(); ++k) {
            QRectF const a = words.at(i).box, b = words.at(k).box;
            QRectF const common = a.intersected(b);
            double const smaller = std::min(a.width() * a.height(), b.width() * b.height());
            if (!common.isEmpty() && smaller > 0 && common.width() * common.height() >= smaller / 3)
                ++pairs;
        }
    return pairs;
}

QPair<double, double> textEdges(QVector<RenderedPage> const& pages)
{
    double left = 1, right = 0;
    for (auto const& page : pages)
        for (auto const& word : page.words)
            if (page.size.width() > 0) {
                left = std::min(left, word.box.left() / page.size.width());
                right = std::max(right, word.box.right() / page.size.width());
            }
    return left < right ? qMakePair(left, right) : qMakePair(0.0, 1.0);
}

int wordsOffPage(RenderedPage const& page, QPair<double, double> const& edges)
{
    QRectF const sheet(QPointF(0, 0), page.size);
    double const left = edges.first * page.size.width() - 6, right = edges.second * page.size.width() + 6;
    int off = 0;
    for (auto const& word : page.words)
        off += !sheet.contains(word.box.center()) || word.box.right() > std::min(right, sheet.right() + 1) ||
               word.box.left() < std::max(left, sheet.left() - 1);
    return off;
}

int occurrences(QStringList const& words, QStringList const& sequence)
{
    if (sequence.isEmpty())
        return 0;
    int found = 0;
    for (int i = 0; i + sequence.size() <= words.size(); ++i) {
        int k = 0;
        while (k < sequence.size() && words.at(i + k) == sequence.at(k))
            ++k;
        found += k == sequence.size();
    }
    return found;
}

double inOrder(QStringList const& source, QStringList const& got)
{
    if (source.isEmpty())
        return 1;
    // Words as numbers, and one row of the table at a time.
    QHash<QString, int> ids;
    std::vector<int> a, b;
    for (auto const& w : source)
        a.push_back(ids.insert(w, ids.value(w, ids.size())).value());
    for (auto const& w : got)
        b.push_back(ids.value(w, -1));
    std::vector<int> row(b.size() + 1, 0), previous(b.size() + 1, 0);
    for (size_t i = 1; i <= a.size(); ++i) {
        std::swap(row, previous);
        for (size_t k = 1; k <= b.size(); ++k)
            row[k] = a[i - 1] == b[k - 1] ? previous[k - 1] + 1 : std::max(previous[k], row[k - 1]);
    }
    return double(row[b.size()]) / source.size();
}

namespace {

// A Word part's text: paragraphs and line breaks as new lines, runs of one paragraph joined.
QString partText(QByteArray const& xml)
{
    QString text;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.qualifiedName() == QLatin1String("w:t"))
            text += reader.readElementText();
        else if (reader.isStartElement() && reader.qualifiedName() == QLatin1String("w:tab"))
            text += QLatin1Char(' ');
        else if ((reader.isStartElement() && reader.qualifiedName() == QLatin1String("w:br")) ||
                 (reader.isEndElement() && reader.qualifiedName() == QLatin1String("w:p")))
            text += QLatin1Char('\n');
    }
    return text;
}

QStringList partWords(QByteArray const& xml)
{
    return benchWords(partText(xml));
}

// A page's words as they are read: poppler gives a right-to-left line's words, and their
// letters, in the order they stand from the left.
QVector<RenderedWord> readingOrder(QVector<RenderedWord> words)
{
    auto const rightToLeft = [](QChar c) {
        return (c.unicode() >= 0x0590 && c.unicode() <= 0x08FF) || (c.unicode() >= 0xFB1D && c.unicode() <= 0xFEFF);
    };
    for (int start = 0; start < words.size();) {
        int end = start;
        int rtl = 0, letters = 0;
        while (end < words.size() && words.at(end).line == words.at(start).line) {
            for (QChar c : words.at(end).text)
                if (c.isLetter()) {
                    ++letters;
                    rtl += rightToLeft(c) ? 1 : 0;
                }
            ++end;
        }
        if (2 * rtl > letters) {
            std::reverse(words.begin() + start, words.begin() + end);
            for (int k = start; k < end; ++k)
                std::reverse(words[k].text.begin(), words[k].text.end());
        }
        start = end;
    }
    return words;
}

// A note's words; its marker, in digits of any script, may stand glued to the first one
// ("1The").
QStringList noteWords(QString const& text)
{
    static QRegularExpression const marker(QStringLiteral("^\\d+(?=\\p{L})"),
                                           QRegularExpression::UseUnicodePropertiesOption);
    QStringList words = benchWords(text);
    for (QString& w : words)
        w.remove(marker);
    return words;
}

} // namespace

StructureCheck checkStructure(PackageReader const& docx, Expectation const& expected,
                              QVector<RenderedPage> const& rendered)
{
    StructureCheck check;
    QStringList margins; // the words of every header and footer part
    static QRegularExpression const pageField(
        QStringLiteral("(w:instr=\"\\s*PAGE\\b|<w:instrText[^>]*>\\s*PAGE\\b)"));
    for (QString const& part : docx.relationshipTargets(QStringLiteral("word/document.xml"))) {
        if (!part.startsWith(QLatin1String("word/header")) && !part.startsWith(QLatin1String("word/footer")))
            continue;
        QByteArray const xml = docx.part(part);
        margins << partWords(xml) << QStringLiteral("\x1f");
        check.pageField = check.pageField || pageField.match(QString::fromUtf8(xml)).hasMatch();
    }
    QByteArray const document = docx.part(QStringLiteral("word/document.xml"));
    QStringList const body = partWords(document);
    auto head = [&](QString const& text, int allowedInBody) {
        ++check.heads;
        QStringList const words = benchWords(text);
        if (occurrences(margins, words) > 0 && occurrences(body, words) <= allowedInBody)
            ++check.headsInParts;
        else
            check.headsMissed << text;
    };
    for (auto const& text : expected.heads)
        head(text, 0);
    for (auto const& text : expected.headsOnce)
        head(text, 1);

    QStringList notes;
    for (QString const& w : partWords(docx.part(QStringLiteral("word/footnotes.xml"))))
        notes << noteWords(w);
    check.anchors = QString::fromUtf8(document).count(QStringLiteral("<w:footnoteReference"));
    for (auto const& text : expected.footnotes) {
        ++check.notes;
        QStringList const words = noteWords(text).mid(0, 6);
        bool const inPart = occurrences(notes, words) > 0;
        bool atFoot = false;
        for (auto const& page : rendered) {
            QStringList pageWords;
            QVector<double> tops;
            for (auto const& word : readingOrder(page.words))
                for (auto const& w : noteWords(word.text)) {
                    pageWords << w;
                    tops << word.box.top();
                }
            for (int i = 0; i + words.size() <= pageWords.size() && !atFoot; ++i)
                if (pageWords.mid(i, words.size()) == words && tops.at(i) > 0.6 * page.size.height())
                    atFoot = true;
        }
        check.notesInPart += inPart;
        check.notesAtFoot += atFoot;
        if (!inPart && !atFoot)
            check.notesMissed << text;
    }

    QSet<QString> lines;
    QVector<QStringList> lineWords;
    for (QString const& line : partText(document).split(QLatin1Char('\n'))) {
        lines.insert(line.simplified());
        lineWords << benchWords(line);
    }
    for (auto const& text : expected.inlines) {
        ++check.inlines;
        QStringList const words = benchWords(text);
        check.inlinesKept += std::any_of(lineWords.begin(), lineWords.end(), [&](QStringList const& line) {
            return occurrences(line, words) > 0;
        });
    }
    for (auto const& line : expected.lines) {
        ++check.lines;
        if (lines.contains(line.simplified()))
            ++check.linesKept;
        else
            check.linesMissed << line;
    }

    QString const xml = QString::fromUtf8(document);
    // A cell that starts a vertical merge, or spans columns without continuing a merge above.
    static QRegularExpression const cell(QStringLiteral("<w:tcPr>(.*?)</w:tcPr>"));
    static QRegularExpression const span(QStringLiteral("<w:gridSpan w:val=\"(?:[2-9]|\\d\\d+)\""));
    static QRegularExpression const restart(QStringLiteral("<w:vMerge w:val=\"restart\""));
    auto cells = cell.globalMatch(xml);
    while (cells.hasNext()) {
        QString const properties = cells.next().captured(1);
        bool const continues =
            properties.contains(QLatin1String("<w:vMerge")) && !properties.contains(restart);
        check.mergedCells += properties.contains(restart) || (properties.contains(span) && !continues);
    }
    static QRegularExpression const described(QStringLiteral("<wp:docPr [^>]*descr=\"[^\"]*\\w"),
                                              QRegularExpression::UseUnicodePropertiesOption);
    check.equations = xml.count(QStringLiteral("<m:oMathPara")) + xml.count(described);
    return check;
}

namespace {

bool isMyanmar(QChar c)
{
    return c.unicode() >= 0x1000 && c.unicode() <= 0x109F;
}

} // namespace

QStringList logicalWords(QString const& text)
{
    static QRegularExpression const word(
        QStringLiteral("[\\x{0590}-\\x{05FF}\\x{0600}-\\x{06FF}\\x{0750}-\\x{077F}\\x{FB1D}-\\x{FDFF}"
                       "\\x{FE70}-\\x{FEFF}]+|[\\x{1000}-\\x{1049}\\x{1050}-\\x{109F}]{2,}"));
    static QRegularExpression const marks(
        QStringLiteral("[\\x{0591}-\\x{05C7}\\x{0610}-\\x{061A}\\x{064B}-\\x{065F}\\x{0670}\\x{0640}]"));
    // Punctuation of these blocks (comma, question mark, maqaf, sentence marks) is no part of
    // a word.
    static QRegularExpression const punctuation(
        QStringLiteral("[\\x{060C}\\x{061B}\\x{061F}\\x{066A}-\\x{066D}\\x{05BE}\\x{05C0}\\x{05C3}"
                       "\\x{05F3}\\x{05F4}\\x{06D4}]"));
    QStringList words;
    auto it = word.globalMatch(text.normalized(QString::NormalizationForm_KC));
    while (it.hasNext()) {
        QString w = it.next().captured();
        if (isMyanmar(w.at(0))) {
            words << w;
            continue;
        }
        w.remove(marks);
        words << w.split(punctuation, Qt::SkipEmptyParts);
    }
    return words;
}

LogicalOrder compareLogical(QStringList const& source, QString const& text)
{
    LogicalOrder r;
    r.words = source.size();
    QHash<QString, int> left;
    for (auto const& w : logicalWords(text))
        ++left[w];
    QString compact = text.normalized(QString::NormalizationForm_KC);
    compact.remove(
        QRegularExpression(QStringLiteral("\\s+"), QRegularExpression::UseUnicodePropertiesOption));
    QStringList missed;
    for (auto const& w : source) {
        if (isMyanmar(w.at(0))) {
            r.kept += compact.contains(w);
        } else if (left.value(w) > 0) {
            --left[w];
            ++r.kept;
        } else {
            missed << w;
        }
    }
    for (auto const& w : missed) {
        QString reversed(w.size(), QChar());
        std::reverse_copy(w.begin(), w.end(), reversed.begin());
        if (w.size() > 1 && left.value(reversed) > 0) {
            --left[reversed];
            ++r.reversed;
        }
    }
    return r;
}

QString pictureDescriptions(QByteArray const& documentXml)
{
    QString out;
    QXmlStreamReader reader(documentXml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.qualifiedName() == QLatin1String("wp:docPr"))
            out += reader.attributes().value(QLatin1String("descr")) + QLatin1Char('\n');
    }
    return out;
}

int splitWords(PackageReader const& docx, QSet<QString> const& sourceWords)
{
    QString text;
    QXmlStreamReader reader(docx.part(QStringLiteral("word/document.xml")));
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.qualifiedName() == QLatin1String("w:t"))
            text += reader.readElementText();
        else if (reader.isStartElement() && (reader.qualifiedName() == QLatin1String("w:tab") ||
                                             reader.qualifiedName() == QLatin1String("w:br")))
            text += QLatin1Char('\n');
        else if (reader.isEndElement() && reader.qualifiedName() == QLatin1String("w:p"))
            text += QLatin1Char('\n');
    }
    // "plan-ning" mid-line is as wrong as "plan-" at a line end; "long-term" joins to no word.
    static QRegularExpression const cut(QStringLiteral("(\\p{L}+)-\\s*(?=(\\p{L}+))"));
    int split = 0;
    auto it = cut.globalMatch(text);
    while (it.hasNext()) {
        auto const m = it.next();
        split += sourceWords.contains((m.captured(1) + m.captured(2)).toLower());
    }
    return split;
}

#include "RunningHeads.h"

#include "LayoutAnalyzer.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace pdfconv {
namespace layout {

namespace {

// The share of the page's height at its top and at its foot where running heads stand.
constexpr double kZone = 0.16;

struct Candidate
{
    int page = 0;
    int block = -1; // or, when it is a table's row, -1
    Block text;
    bool top = true;
    double y = 0; // the middle of its box
    double size = 0;
    QString key;
    QStringList pieces; // the signatures of its pieces far apart, when it has several
    bool running = false;
};

double tolerance(Candidate const& c)
{
    return std::max(3.0, 0.6 * c.size);
}

// A page number as running heads print it: digits of any script (an Arabic page's own),
// perhaps between dashes or brackets.
int numberOf(QString const& text)
{
    static QRegularExpression const number(
        QStringLiteral("^[\\-\\x{2013}\\x{2014}\\[(]?(\\d{1,5})[\\-\\x{2013}\\x{2014}\\])]?$"),
        QRegularExpression::UseUnicodePropertiesOption);
    QRegularExpressionMatch const match = number.match(text.trimmed());
    if (!match.hasMatch())
        return -1;
    int n = 0;
    for (QChar c : match.capturedRef(1)) {
        if (c.digitValue() < 0)
            return -1; // a digit beyond the first plane
        n = 10 * n + c.digitValue();
    }
    return n;
}

// The text of a table's row as one block: a running head of pieces far apart can look like
// a row of a table to the table finder.
Block rowBlock(Table const& table, int row)
{
    Block out;
    Line line;
    for (auto const& cell : table.rows.at(row))
        for (auto const& block : cell.blocks)
            for (auto const& l : block.lines) {
                line.words += l.words;
                line.box = line.box.isNull() ? l.box : line.box.united(l.box);
                line.fontSize = std::max(line.fontSize, l.fontSize);
            }
    std::stable_sort(line.words.begin(), line.words.end(),
                     [](Word const& a, Word const& b) { return a.box.left() < b.box.left(); });
    if (!line.words.isEmpty()) {
        out.lines << line;
        out.box = line.box;
        out.fontSize = line.fontSize;
    }
    return out;
}

// A page's own number alone at its head or foot ("3", "Page 3", "- 3 -"), which even a page
// alone shows.
bool ownNumber(Candidate const& c)
{
    static QRegularExpression const alone(
        QStringLiteral("^(page )?[\\-\\x{2013}\\x{2014}\\[(]? ?# ?[\\-\\x{2013}\\x{2014}\\])]?$"));
    if (!alone.match(c.key).hasMatch())
        return false;
    for (auto const& line : c.text.lines)
        for (auto const& word : line.words)
            if (numberOf(word.text) == c.page + 1)
                return true;
    return false;
}

} // namespace

QString RunningHeads::signature(QString const& text)
{
    static QRegularExpression const digits(QStringLiteral("\\d+"), QRegularExpression::UseUnicodePropertiesOption);
    static QRegularExpression const roman(QStringLiteral("\\b[ivxlc]{1,7}\\b"));
    QString key = text.simplified().toLower();
    key.replace(digits, QStringLiteral("#"));
    // A short one may be a roman page number alone ("xii").
    if (key.size() <= 8)
        key.replace(roman, QStringLiteral("#"));
    return key;
}

QVector<RunningHeads::Page> RunningHeads::find(QVector<PageLayout const*> const& pages)
{
    QVector<Page> out(pages.size());
    if (pages.isEmpty())
        return out;
    BodySizeTracker body;
    for (PageLayout const* page : pages)
        body.add(*page);
    double const bodySize = body.bodyFontSize();

    // A line or two above or below all other text of the page, near its edge.
    QVector<Candidate> candidates;
    for (int p = 0; p < pages.size(); ++p) {
        PageLayout const& page = *pages.at(p);
        double const height = page.size.height();
        if (height <= 0)
            continue;
        auto const inZone = [&](QRectF const& box) {
            return box.bottom() <= kZone * height || box.top() >= (1 - kZone) * height;
        };
        QVector<Candidate> own;
        auto const consider = [&](Block const& block, int index) {
            if (block.lines.isEmpty() || block.lines.size() > 2 || block.lines.first().words.isEmpty() ||
                block.lines.first().words.first().rotation != 0 ||
                (bodySize > 0 && block.fontSize > 1.15 * bodySize))
                return;
            Candidate c;
            c.page = p;
            c.block = index;
            c.text = block;
            c.top = block.box.bottom() <= kZone * height;
            c.y = block.box.center().y();
            c.size = block.fontSize;
            c.key = signature(block.text());
            for (auto const& line : block.lines) {
                QString piece;
                for (int w = 0; w < line.words.size(); ++w) {
                    double const size = std::max(1.0, line.words.at(w).fontSize);
                    if (w > 0 && line.words.at(w).box.left() - line.words.at(w - 1).box.right() > 2 * size) {
                        c.pieces << signature(piece);
                        piece.clear();
                    }
                    piece += line.words.at(w).text + QLatin1Char(' ');
                }
                if (c.pieces.size() > 0 || block.lines.size() > 1)
                    c.pieces << signature(piece);
            }
            if (!c.key.isEmpty())
                own << c;
        };
        double bodyTop = height, bodyBottom = 0;
        for (int b = 0; b < page.blocks.size(); ++b) {
            QRectF const& box = page.blocks.at(b).box;
            if (inZone(box)) {
                consider(page.blocks.at(b), b);
                continue;
            }
            bodyTop = std::min(bodyTop, box.top());
            bodyBottom = std::max(bodyBottom, box.bottom());
        }
        for (auto const& table : page.tables) {
            int const rows = table.rowCount();
            if (rows == 0 || table.ruled)
                continue;
            Block const first = rowBlock(table, 0), last = rowBlock(table, rows - 1);
            double top = table.box.top(), bottom = table.box.bottom();
            if (!first.lines.isEmpty() && first.box.bottom() <= kZone * height && rows > 1) {
                consider(first, -1);
                top = table.rowEdges.value(1, top);
            }
            if (!last.lines.isEmpty() && last.box.top() >= (1 - kZone) * height && rows > 1) {
                consider(last, -1);
                bottom = table.rowEdges.value(rows - 1, bottom);
            }
            bodyTop = std::min(bodyTop, top);
            bodyBottom = std::max(bodyBottom, bottom);
        }
        for (auto const& c : own)
            if (c.top ? c.text.box.bottom() <= bodyTop + 1 : c.text.box.top() >= bodyBottom - 1)
                candidates << c;
    }

    // Repeated: the same signature at the same place on another page.
    QHash<QString, QVector<int>> bySignature;
    // A head of pieces far apart repeats when one of them does: the journal's name at the left
    // of every page, the authors' at the right of all but the first.
    for (int i = 0; i < candidates.size(); ++i) {
        QString const side = candidates.at(i).top ? QStringLiteral("t") : QStringLiteral("b");
        bySignature[side + candidates.at(i).key] << i;
        for (auto const& piece : candidates.at(i).pieces)
            if (piece != candidates.at(i).key && piece.size() > 1)
                bySignature[side + piece] << i;
    }
    for (auto const& group : qAsConst(bySignature))
        for (int i : group)
            for (int k : group) {
                Candidate& a = candidates[i];
                Candidate const& b = candidates.at(k);
                if (a.page != b.page && std::abs(a.y - b.y) <= tolerance(a)) {
                    a.running = true;
                    break;
                }
            }
    // At a place where running heads of at least three other pages stand, in their size: a
    // head that names the current section, which may change from page to page.
    QVector<Candidate const*> repeated;
    for (auto const& c : candidates)
        if (c.running)
            repeated << &c;
    QVector<bool> placed(candidates.size(), false);
    for (int i = 0; i < candidates.size(); ++i) {
        Candidate const& c = candidates.at(i);
        if (c.running)
            continue;
        QVector<int> others;
        for (int r = 0; r < repeated.size() && others.size() < 3; ++r) {
            Candidate const& o = *repeated.at(r);
            if (o.page != c.page && o.top == c.top && std::abs(o.y - c.y) <= tolerance(c) &&
                std::abs(o.size - c.size) <= 0.5 && !others.contains(o.page))
                others << o.page;
        }
        placed[i] = others.size() >= 3;
    }
    for (int i = 0; i < candidates.size(); ++i)
        candidates[i].running = candidates.at(i).running || placed.at(i) || ownNumber(candidates.at(i));

    // Page numbers: numbers that go up with the pages, on at least two of them.
    QHash<int, QSet<int>> pagesByOffset;
    for (auto const& c : candidates) {
        if (!c.running)
            continue;
        for (auto const& line : c.text.lines)
            for (auto const& word : line.words) {
                int const n = numberOf(word.text);
                if (n >= 0)
                    pagesByOffset[n - c.page].insert(c.page);
            }
    }
    for (auto& c : candidates) {
        if (!c.running)
            continue;
        Page& page = out[c.page];
        for (auto& line : c.text.lines)
            for (auto& word : line.words) {
                int const n = numberOf(word.text);
                if (n >= 0 && page.number == 0 &&
                    (pagesByOffset.value(n - c.page).size() >= 2 || (n == c.page + 1 && ownNumber(c)))) {
                    word.pageNumber = true;
                    page.number = n;
                }
            }
        (c.top ? page.header : page.footer) << c.text;
        if (c.block >= 0)
            page.blocks << c.block;
        else
            page.inTable = true;
    }
    auto const byTop = [](Block const& a, Block const& b) { return a.box.top() < b.box.top(); };
    for (auto& page : out) {
        std::stable_sort(page.header.begin(), page.header.end(), byTop);
        std::stable_sort(page.footer.begin(), page.footer.end(), byTop);
    }
    return out;
}

} // namespace layout
} // namespace pdfconv

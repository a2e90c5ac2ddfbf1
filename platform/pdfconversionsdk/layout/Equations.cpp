#include "Equations.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace pdfconv {
namespace layout {

namespace {

bool mathFace(QString const& fontName)
{
    static QRegularExpression const faces(
        QStringLiteral("math|^cm(mi|sy|ex|bsy|mib)\\d|^ms(am|bm)\\d|^eu(fm|rm|sm|ex)\\d|^rsfs|symbol|standardsym|"
                       "^stix|^esint|^wasy|^txsy|^pxsy|^msbm"),
        QRegularExpression::CaseInsensitiveOption);
    return !fontName.isEmpty() && faces.match(fontName).hasMatch();
}

bool mathSign(QChar c)
{
    static QString const signs = QStringLiteral("=<>+\u00B1\u00D7\u00F7\u2211\u220F\u222B\u221A\u2202\u221E\u2248\u2260"
                                                "\u2264\u2265\u221D\u2192\u2190\u2194\u21D2\u2208\u2209\u2282\u2283"
                                                "\u222A\u2229\u2227\u2228\u00AC\u2207\u2206\u2212\u22C5\u2032\u2033"
                                                "\u2261\u223C\u2243\u2245\u226A\u226B\u2200\u2203");
    ushort const u = c.unicode();
    return signs.contains(c) || (u >= 0x0391 && u <= 0x03C9) || (u >= 0x2200 && u <= 0x22FF);
}

// Names of functions that stand in formulas in upright type.
bool functionName(QString const& letters)
{
    static QStringList const names{"sin", "cos", "tan", "cot", "sec", "csc", "log", "exp", "lim", "max",
                                   "min", "det", "arg", "sup", "inf", "mod", "sinh", "cosh", "tanh", "erf",
                                   "deg", "dim", "ker", "gcd", "var", "cov", "arcsin", "arccos", "arctan"};
    return names.contains(letters.toLower());
}

// "(1)", "(2.3)", "(4a)": an equation's number.
bool isNumberLabel(QString const& text)
{
    static QRegularExpression const label(QStringLiteral("^\\(\\s*[A-Za-z]?\\d{1,3}(\\.\\d{1,3})?[a-z]?\\s*\\)$"));
    return label.match(text.simplified().remove(QLatin1Char(' '))).hasMatch();
}

QVector<Word const*> wordsOf(Line const& line)
{
    QVector<Word const*> out;
    for (auto const& w : line.words)
        out << &w;
    return out;
}

double sizeOf(Block const& block)
{
    return block.fontSize > 0 ? block.fontSize : 10;
}

Block joined(QVector<Line> const& lines, Block const& model, BlockKind kind)
{
    Block out = model;
    out.kind = kind;
    out.headingLevel = 0;
    out.lines = lines;
    out.box = QRectF();
    for (auto const& line : lines)
        out.box = out.box.isNull() ? line.box : out.box.united(line.box);
    return out;
}

void merge(Block& into, Block const& other)
{
    into.lines += other.lines;
    std::stable_sort(into.lines.begin(), into.lines.end(),
                     [](Line const& a, Line const& b) { return a.box.top() < b.box.top(); });
    into.box = into.box.united(other.box);
}

} // namespace

bool Equations::isMath(Word const& word)
{
    if (mathFace(word.fontName))
        return true;
    bool sign = false;
    for (QChar c : word.text) {
        if (c.isLetter() && !mathSign(c))
            return false;
        sign = sign || mathSign(c);
    }
    return sign;
}

bool Equations::isMathLine(QVector<Word const*> const& words)
{
    int math = 0, textLetters = 0;
    for (Word const* w : words) {
        if (w->monospace)
            return false; // code
        if (isMath(*w)) {
            ++math;
            continue;
        }
        QString letters;
        for (QChar c : w->text)
            if (c.isLetter())
                letters += c;
        // A variable set in the italic of the text face.
        if (letters.size() == 1 && w->italic)
            ++math;
        // Variables are single letters; words of text, and names of functions, are longer.
        if (letters.size() >= 2 && !functionName(letters))
            textLetters += letters.size();
    }
    return math > 0 && textLetters <= 3;
}

void Equations::mark(PageLayout& page)
{
    QVector<Block> out;
    out.reserve(page.blocks.size());
    for (auto const& block : page.blocks) {
        if (block.kind != BlockKind::Paragraph || block.lines.isEmpty()) {
            out << block;
            continue;
        }
        // The width of the text the line stands in: its column's, or its band's where the
        // mathematics' pieces were read as columns of their own.
        QRectF column = page.columns.value(block.column).box;
        int const band = page.columns.value(block.column).band;
        double width = column.isValid() ? column.width() : page.size.width();
        if (width < 0.3 * page.size.width()) {
            for (auto const& other : page.columns)
                if (other.band == band)
                    column = column.united(other.box);
            width = std::max(width, column.width());
        }
        // Lines of mathematics set apart: narrower than the column's text, or with a number.
        QVector<bool> math(block.lines.size(), false);
        bool any = false;
        for (int l = 0; l < block.lines.size(); ++l) {
            Line const& line = block.lines.at(l);
            bool const numbered = !line.words.isEmpty() && isNumberLabel(line.words.constLast().text);
            math[l] = isMathLine(wordsOf(line)) && (line.box.width() < 0.85 * width || numbered);
            any = any || math.at(l);
        }
        if (!any) {
            out << block;
            continue;
        }
        // A number alone on a line beside the mathematics belongs to it.
        for (int l = 0; l < block.lines.size(); ++l)
            if (!math.at(l) && isNumberLabel(block.lines.at(l).text()) &&
                ((l > 0 && math.at(l - 1)) || (l + 1 < block.lines.size() && math.at(l + 1))))
                math[l] = true;
        QVector<Line> run;
        for (int l = 0; l <= block.lines.size(); ++l) {
            if (l > 0 && (l == block.lines.size() || math.at(l) != math.at(l - 1))) {
                out << joined(run, block, math.at(l - 1) ? BlockKind::Equation : BlockKind::Paragraph);
                run.clear();
            }
            if (l < block.lines.size())
                run << block.lines.at(l);
        }
    }
    // A fraction's lines, and a number standing apart at the right, make one equation.
    for (int b = 0; b < out.size(); ++b) {
        if (out.at(b).kind != BlockKind::Equation)
            continue;
        for (int k = 0; k < out.size(); ++k) {
            if (k == b)
                continue;
            Block const& other = out.at(k);
            Block const& eq = out.at(b);
            if (other.kind == BlockKind::Heading)
                continue;
            double const size = std::max(sizeOf(eq), sizeOf(other));
            double const gap = std::max(other.box.top() - eq.box.bottom(), eq.box.top() - other.box.bottom());
            bool const across = std::min(eq.box.right(), other.box.right()) - std::max(eq.box.left(), other.box.left()) > 0;
            bool const label = isNumberLabel(other.text()) && other.box.left() >= eq.box.right() - 1 &&
                               other.box.center().y() > eq.box.top() && other.box.center().y() < eq.box.bottom();
            double const apart =
                std::max(other.box.left() - eq.box.right(), eq.box.left() - other.box.right());
            bool const beside = gap < 0 && apart < 4 * size; // the line a fraction's parts interrupt
            bool const part = other.kind == BlockKind::Equation && ((across && gap < 1.2 * size) || beside);
            if (!label && !part)
                continue;
            merge(out[b], other);
            out.removeAt(k);
            if (k < b)
                --b;
            k = -1; // the grown equation may reach others now
        }
    }
    page.blocks = out;
}

} // namespace layout
} // namespace pdfconv

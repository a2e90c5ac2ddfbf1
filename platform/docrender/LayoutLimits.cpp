#include "LayoutLimits.h"

#include <QHash>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <vector>

namespace docrender {

namespace {

// Where a paragraph from @p start is parted: at the last blank within the limit, else at the
// limit itself, never between the two halves of a surrogate pair.
int partEnd(QString const& text, int start, int end)
{
    int const limit = start + LayoutLimits::kMaxParagraph;
    if (end <= limit)
        return end;
    for (int i = limit; i > start + LayoutLimits::kMaxParagraph / 2; --i)
        if (text.at(i - 1).isSpace())
            return i;
    return text.at(limit - 1).isHighSurrogate() ? limit - 1 : limit;
}

bool isLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isNameChar(QChar c)
{
    return isLetter(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') ||
           c == QLatin1Char(':');
}

QSet<QString> const& voidElements()
{
    static QSet<QString> const names{"area",  "base",  "basefont", "br",    "col",     "embed",
                                     "frame", "hr",    "img",      "input", "isindex", "link",
                                     "meta",  "param", "source",   "track", "wbr"};
    return names;
}

QSet<QString> const& tableParts()
{
    static QSet<QString> const names{"tr", "td", "th", "tbody", "thead", "tfoot", "caption", "colgroup"};
    return names;
}

// Elements whose content is not markup: copied up to their end tag as they are.
bool isRawText(QString const& name)
{
    return name == QLatin1String("script") || name == QLatin1String("style") ||
           name == QLatin1String("title") || name == QLatin1String("textarea") ||
           name == QLatin1String("xmp");
}

struct Open
{
    QString name;
    bool kept;
};

class Nesting
{
public:
    // Whether the element opened now keeps its tags.
    bool open(QString const& name)
    {
        closeImplied(name);
        bool keep = m_kept < LayoutLimits::kMaxDepth;
        if (name == QLatin1String("table")) {
            keep = keep && m_tables < LayoutLimits::kMaxTableDepth;
        } else if (tableParts().contains(name)) {
            // The rows and cells of a table whose tags went lose theirs too.
            for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it)
                if (it->name == QLatin1String("table")) {
                    keep = keep && it->kept;
                    break;
                }
        }
        push(name, keep);
        return keep;
    }

    // Whether the end tag stays: it closes an element whose tags were kept. An end tag of
    // nothing open goes.
    bool close(QString const& name)
    {
        if (m_names.value(name) == 0)
            return false;
        // Elements left open inside it end with it, as browsers end them.
        for (;;) {
            Open const top = m_stack.back();
            pop();
            if (top.name == name)
                return top.kept;
        }
    }

private:
    // A new paragraph, item or cell ends the one before it.
    void closeImplied(QString const& name)
    {
        if (m_stack.empty())
            return;
        QString const& top = m_stack.back().name;
        bool const cell = name == QLatin1String("td") || name == QLatin1String("th");
        bool const term = name == QLatin1String("dt") || name == QLatin1String("dd");
        if ((name == QLatin1String("p") || name == QLatin1String("li") || name == QLatin1String("option")) &&
            top == name)
            pop();
        else if (cell && (top == QLatin1String("td") || top == QLatin1String("th")))
            pop();
        else if (term && (top == QLatin1String("dt") || top == QLatin1String("dd")))
            pop();
        else if (name == QLatin1String("tr")) {
            if (!m_stack.empty() &&
                (m_stack.back().name == QLatin1String("td") || m_stack.back().name == QLatin1String("th")))
                pop();
            if (!m_stack.empty() && m_stack.back().name == QLatin1String("tr"))
                pop();
        }
    }

    void push(QString const& name, bool keep)
    {
        m_stack.push_back({name, keep});
        ++m_names[name];
        if (keep) {
            ++m_kept;
            if (name == QLatin1String("table"))
                ++m_tables;
        }
    }

    void pop()
    {
        Open const& top = m_stack.back();
        --m_names[top.name];
        if (top.kept) {
            --m_kept;
            if (top.name == QLatin1String("table"))
                --m_tables;
        }
        m_stack.pop_back();
    }

    std::vector<Open> m_stack;
    QHash<QString, int> m_names; // how many of each are open
    int m_kept = 0;
    int m_tables = 0;
};

} // namespace

QString LayoutLimits::plainText(QString const& text, int* lines)
{
    QString out;
    out.reserve(text.size() + text.size() / kMaxParagraph + 1);
    int count = 0;
    int start = 0;
    int const n = text.size();
    while (start <= n) {
        int end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = n;
        ++count;
        for (int from = start; from < end;) {
            int const to = partEnd(text, from, end);
            out += text.midRef(from, to - from);
            if (to < end) {
                out += QLatin1Char('\n');
                ++count;
            }
            from = to;
        }
        if (end < n)
            out += QLatin1Char('\n');
        start = end + 1;
    }
    *lines = count;
    return out;
}

QString LayoutLimits::html(QString const& in, int* elements)
{
    QString out;
    out.reserve(in.size());
    Nesting nesting;
    int count = 0;
    int const n = in.size();
    int i = 0;
    while (i < n) {
        int const lt = in.indexOf(QLatin1Char('<'), i);
        if (lt < 0 || lt + 1 >= n) {
            out += in.midRef(i);
            break;
        }
        out += in.midRef(i, lt - i);
        if (in.midRef(lt, 4) == QLatin1String("<!--")) {
            int const end = in.indexOf(QLatin1String("-->"), lt + 4);
            i = end < 0 ? n : end + 3;
            out += in.midRef(lt, i - lt);
            continue;
        }
        QChar const next = in.at(lt + 1);
        bool const closing = next == QLatin1Char('/');
        if (!isLetter(closing ? (lt + 2 < n ? in.at(lt + 2) : QChar()) : next) && next != QLatin1Char('!') &&
            next != QLatin1Char('?')) {
            out += QLatin1Char('<'); // a "<" in the text
            i = lt + 1;
            continue;
        }
        // The tag runs to the first ">" outside quotes.
        int end = lt + 1;
        QChar quote;
        for (; end < n; ++end) {
            QChar const c = in.at(end);
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                quote = c;
            } else if (c == QLatin1Char('>')) {
                break;
            }
        }
        end = std::min(end + 1, n);
        QStringRef const tag = in.midRef(lt, end - lt);
        i = end;
        if (next == QLatin1Char('!') || next == QLatin1Char('?')) {
            out += tag;
            continue;
        }
        int nameEnd = lt + (closing ? 2 : 1);
        while (nameEnd < end && isNameChar(in.at(nameEnd)))
            ++nameEnd;
        QString const name = in.mid(lt + (closing ? 2 : 1), nameEnd - lt - (closing ? 2 : 1)).toLower();
        if (closing) {
            if (nesting.close(name))
                out += tag;
            continue;
        }
        ++count;
        bool const selfClosing = tag.endsWith(QLatin1String("/>"));
        if (voidElements().contains(name) || selfClosing) {
            out += tag;
            continue;
        }
        if (isRawText(name)) {
            int close = in.indexOf(QLatin1String("</") + name, i, Qt::CaseInsensitive);
            close = close < 0 ? n : close;
            int const closeEnd = close < n ? std::min(n, in.indexOf(QLatin1Char('>'), close) + 1) : n;
            out += tag;
            out += in.midRef(i, (closeEnd > close ? closeEnd : n) - i);
            i = closeEnd > close ? closeEnd : n;
            continue;
        }
        if (nesting.open(name))
            out += tag;
    }
    *elements = count;
    return out;
}

bool LayoutLimits::fitParagraphs(QTextDocument& document)
{
    if (document.blockCount() > kMaxParagraphs)
        return false;
    std::vector<int> longOnes; // positions of the paragraphs to part
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.length() - 1 > kMaxParagraph)
            longOnes.push_back(block.position());
    // From the end: parting moves what follows.
    for (auto it = longOnes.rbegin(); it != longOnes.rend(); ++it) {
        QTextBlock const block = document.findBlock(*it);
        QString const text = block.text();
        std::vector<int> cuts;
        for (int from = 0; from < text.size();) {
            int const to = partEnd(text, from, text.size());
            if (to < text.size())
                cuts.push_back(to);
            from = to;
        }
        QTextCursor cursor(&document);
        for (auto cut = cuts.rbegin(); cut != cuts.rend(); ++cut) {
            cursor.setPosition(block.position() + *cut);
            QTextBlockFormat format = cursor.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
            cursor.insertBlock(format);
        }
    }
    return document.blockCount() <= kMaxParagraphs;
}

} // namespace docrender

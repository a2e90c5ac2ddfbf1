#include "DocumentWriter.h"

#include <cmath>

namespace pdfconv {
namespace engine {

QString HtmlWriter::escape(QString const& text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (QChar const c : text) {
        ushort const u = c.unicode();
        switch (u) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        default:
            // Control characters and non-characters are not allowed in an HTML document.
            if ((u < 0x20 && u != '\t' && u != '\n') || (u >= 0x7F && u <= 0x9F) || u == 0xFFFE ||
                u == 0xFFFF)
                break;
            out += c;
        }
    }
    return out;
}

void HtmlWriter::begin(QString const& title, QSizeF const&)
{
    write(
        QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<title>%1</title>\n"
                       "<style>\n"
                       "body{font-family:Arial,Helvetica,sans-serif;line-height:1.4;margin:2em auto;"
                       "max-width:50em;padding:0 1em;color:#111}\n"
                       "section.page{padding-bottom:1.5em;margin-bottom:1.5em;border-bottom:1px solid #ccc}\n"
                       "section.page:last-of-type{border-bottom:none}\n"
                       "p{margin:0 0 .8em}\n"
                       "</style>\n</head>\n<body>\n")
            .arg(escape(title.isEmpty() ? QStringLiteral("Document") : title)));
}

void HtmlWriter::writePage(layout::PageLayout const& page, bool)
{
    if (page.bodyFontSize > 0 && m_bodySize <= 0)
        m_bodySize = page.bodyFontSize;
    QString out = QStringLiteral("<section class=\"page\" id=\"page-%1\">\n").arg(page.pageIndex + 1);
    for (auto const& block : page.blocks) {
        bool const heading = block.kind == layout::BlockKind::Heading;
        QString const tag = heading ? QStringLiteral("h%1").arg(block.headingLevel) : QStringLiteral("p");
        out += QLatin1Char('<') + tag;
        if (!heading && m_bodySize > 0 && std::abs(block.fontSize - m_bodySize) > 0.1 * m_bodySize)
            out += QStringLiteral(" style=\"font-size:%1pt\"").arg(std::lround(block.fontSize * 2) / 2.0);
        out += QLatin1Char('>');
        bool bold = false, italic = false;
        auto setStyle = [&](bool b, bool i) {
            if (italic && !i)
                out += QLatin1String("</i>");
            if (bold != b) {
                if (italic && i)
                    out += QLatin1String("</i>");
                out += b ? QLatin1String("<b>") : QLatin1String("</b>");
                if (italic && i)
                    out += QLatin1String("<i>");
            }
            if (!italic && i)
                out += QLatin1String("<i>");
            bold = b;
            italic = i;
        };
        for (int l = 0; l < block.lines.size(); ++l) {
            layout::Line const& line = block.lines.at(l);
            for (int w = 0; w < line.words.size(); ++w) {
                layout::Word const& word = line.words.at(w);
                setStyle(word.bold && !heading, word.italic);
                out += escape(word.text);
                out += w + 1 < line.words.size() ? line.separatorAfter(w) : block.separatorAfter(l);
            }
        }
        setStyle(false, false);
        out += QStringLiteral("</%1>\n").arg(tag);
    }
    out += QLatin1String("</section>\n");
    write(out);
}

void HtmlWriter::end()
{
    write("</body>\n</html>\n");
}

} // namespace engine
} // namespace pdfconv

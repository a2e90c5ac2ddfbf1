#include "DocumentWriter.h"

#include "layout/FontTraits.h"

#include <cmath>

namespace pdfconv {
namespace engine {

namespace {

// The font table names one face of each kind; the words pick the kind of their font.
int fontIndex(layout::Word const& w)
{
    if (w.monospace)
        return 2;
    return layout::FontTraits::fromPdfName(w.fontName).serif ? 1 : 0;
}

struct Run
{
    int font = 0;
    int halfPoints = 0;
    bool bold = false;
    bool italic = false;
    QString text;

    bool sameStyle(Run const& o) const
    {
        return font == o.font && halfPoints == o.halfPoints && bold == o.bold && italic == o.italic;
    }
};

} // namespace

QByteArray RtfWriter::escape(QString const& text)
{
    QByteArray out;
    out.reserve(text.size() + 8);
    for (QChar const c : text) {
        ushort const u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u < 0x20) {
            continue;
        } else if (u < 0x80) {
            out += char(u);
        } else {
            // \uN takes a signed 16-bit value; the '?' is what readers without Unicode show.
            out += "\\u" + QByteArray::number(int(short(u))) + '?';
        }
    }
    return out;
}

void RtfWriter::begin(QString const& title, QSizeF const& firstPageSize)
{
    int const width = firstPageSize.width() > 0 ? int(std::lround(firstPageSize.width() * 20)) : 11906;
    int const height = firstPageSize.height() > 0 ? int(std::lround(firstPageSize.height() * 20)) : 16838;
    write("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n"
          "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}"
          "{\\f2\\fmodern\\fcharset0 Courier New;}}\n");
    write("{\\info{\\title " + escape(title) + "}}\n");
    write("\\paperw" + QByteArray::number(width) + "\\paperh" + QByteArray::number(height) +
          "\\margl1134\\margr1134\\margt1134\\margb1134\\viewkind4\n");
}

void RtfWriter::writePage(layout::PageLayout const& page, bool)
{
    bool const breakBefore = page.pageIndex > 0;
    if (page.blocks.isEmpty()) {
        write(breakBefore ? "\\pard\\plain\\page\\par\n" : "\\pard\\plain\\par\n");
        return;
    }
    for (int b = 0; b < page.blocks.size(); ++b) {
        layout::Block const& block = page.blocks.at(b);
        QByteArray out = "\\pard\\plain\\sa120";
        if (block.kind == layout::BlockKind::Heading)
            out += "\\keepn\\outlinelevel" + QByteArray::number(block.headingLevel - 1);
        out += ' ';
        // Word's own files put a page break at the start of the next page's first paragraph.
        if (b == 0 && breakBefore)
            out += "\\page ";

        QVector<Run> runs;
        for (int l = 0; l < block.lines.size(); ++l) {
            layout::Line const& line = block.lines.at(l);
            for (int w = 0; w < line.words.size(); ++w) {
                layout::Word const& word = line.words.at(w);
                Run run{fontIndex(word), std::max(2, int(std::lround(word.fontSize * 2))), word.bold,
                        word.italic, word.text};
                run.text += w + 1 < line.words.size() ? line.separatorAfter(w) : block.separatorAfter(l);
                if (!runs.isEmpty() && runs.last().sameStyle(run))
                    runs.last().text += run.text;
                else
                    runs.push_back(run);
            }
        }
        for (auto const& run : runs) {
            out += "{\\f" + QByteArray::number(run.font) + "\\fs" + QByteArray::number(run.halfPoints);
            if (run.bold)
                out += "\\b";
            if (run.italic)
                out += "\\i";
            out += ' ' + escape(run.text) + '}';
        }
        out += "\\par\n";
        write(out);
    }
}

void RtfWriter::end()
{
    write("}\n");
}

} // namespace engine
} // namespace pdfconv

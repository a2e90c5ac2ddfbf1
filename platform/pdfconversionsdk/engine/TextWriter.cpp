#include "DocumentWriter.h"

namespace pdfconv {
namespace engine {

void TextWriter::begin(QString const&, QSizeF const&) {}

// Lines as they stand on the page, an empty line between blocks, a form feed between pages.
void TextWriter::writePage(layout::PageLayout const& page, bool lastPage)
{
    QString out;
    for (int b = 0; b < page.blocks.size(); ++b) {
        if (b > 0)
            out += QLatin1Char('\n');
        for (auto const& line : page.blocks.at(b).lines)
            out += line.text() + QLatin1Char('\n');
    }
    if (!lastPage)
        out += QLatin1Char('\f');
    write(out);
}

void TextWriter::end() {}

} // namespace engine
} // namespace pdfconv

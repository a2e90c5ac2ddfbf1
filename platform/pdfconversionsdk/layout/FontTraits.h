#pragma once

#include <QString>

namespace pdfconv {
namespace layout {

// What a PDF font name tells about its face. PDF text carries no style flags we can rely
// on, but producers name fonts after their face ("ABCDEF+Arial-BoldItalicMT", "Times,Bold").
struct FontTraits
{
    QString name;   // without the subset prefix
    QString family; // the name up to its style part
    bool bold = false;
    bool italic = false;
    bool monospace = false;
    bool serif = false;

    static FontTraits fromPdfName(QString const& pdfName);
};

} // namespace layout
} // namespace pdfconv

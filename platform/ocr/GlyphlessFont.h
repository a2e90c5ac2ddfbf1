#pragma once

#include <QByteArray>

namespace docquill::ocr {

/// A minimal TrueType font whose glyphs draw nothing: glyph 0 (.notdef) and glyph 1, both
/// kAdvance units wide on a kUnitsPerEm em. It carries the invisible text layer, where only
/// the positions and the Unicode mapping matter.
class GlyphlessFont
{
public:
    static int const kUnitsPerEm = 1000;
    static int const kAdvance = 500;
    static int const kAscent = 800;
    static int const kDescent = -200;

    /// The font file; the same bytes on every call.
    static QByteArray data();
    /// The name the font carries and the PDF uses.
    static char const* name() { return "GlyphLessFont"; }
};

} // namespace docquill::ocr

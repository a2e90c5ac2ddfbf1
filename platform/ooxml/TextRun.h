#pragma once

#include <QColor>
#include <QString>

namespace ooxml {

/// A stretch of text in one format, used by Word paragraphs and PowerPoint text boxes.
///
/// A '\n' in the text (also "\r\n" or a lone '\r') is a line break inside the paragraph, a '\t'
/// a tab. Characters that XML 1.0 cannot hold (most C0 controls, unpaired surrogates,
/// U+FFFE, U+FFFF) are dropped when written.
struct TextRun
{
    enum class Script
    {
        Normal,
        Superscript,
        Subscript
    };

    QString text;
    double fontSize = 11.0; ///< Points; clamped to what the target format accepts.
    bool bold = false;
    bool italic = false;
    QString fontFamily; ///< A font family name; empty: the document's default face.
    QColor colour;      ///< The text's colour; invalid: automatic (black).
    QColor highlight;   ///< The background behind the text; invalid: none.
    bool underline = false;
    bool strike = false;
    Script script = Script::Normal;
    /// The glyphs' width in per cent of their normal width: below 100 narrows the text. Word
    /// only; PowerPoint keeps its glyphs as they are.
    int widthScale = 100;
    /// Page: the number of the page it stands on, which Word works out; the text is what it
    /// shows until then. Word only.
    enum class Field
    {
        None,
        Page
    };
    Field field = Field::None;

    /// Everything but the text is the same, and neither is a field, whose text is its own.
    bool sameFormat(TextRun const& other) const
    {
        return fontSize == other.fontSize && bold == other.bold && italic == other.italic &&
               fontFamily == other.fontFamily && colour == other.colour && highlight == other.highlight &&
               underline == other.underline && strike == other.strike && script == other.script &&
               widthScale == other.widthScale && field == Field::None && other.field == Field::None;
    }
};

} // namespace ooxml

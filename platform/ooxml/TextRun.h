#pragma once

#include <QString>

namespace ooxml {

/// A stretch of text in one format, used by Word paragraphs and PowerPoint text boxes.
///
/// A '\n' in the text (also "\r\n" or a lone '\r') is a line break inside the paragraph, a '\t'
/// a tab. Characters that XML 1.0 cannot hold (most C0 controls, unpaired surrogates,
/// U+FFFE, U+FFFF) are dropped when written.
struct TextRun
{
    QString text;
    double fontSize = 11.0; ///< Points; clamped to what the target format accepts.
    bool bold = false;
    bool italic = false;
};

} // namespace ooxml

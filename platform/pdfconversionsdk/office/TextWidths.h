#pragma once

#include <ooxml/TextRun.h>

#include <QString>
#include <QVector>

namespace pdfconv {
namespace office {

// How wide text comes out in the family an office document names for it: the advances of
// the face fontconfig gives for that family and style, which is the face an office
// application on this machine draws. Faces are opened once per thread; widths of the first
// characters of Unicode are kept in a table per face.
class TextWidths
{
public:
    // Points; a face FreeType cannot read counts half an em a character.
    static double width(QString const& text, QString const& family, double size, bool bold, bool italic);
    static double width(ooxml::TextRun const& run);
    // The widths of the lines of runs that line breaks ('\n') part.
    static QVector<double> lineWidths(QVector<ooxml::TextRun> const& runs);
};

} // namespace office
} // namespace pdfconv

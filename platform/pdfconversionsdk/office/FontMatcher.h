#pragma once

#include "layout/PageLayout.h"

#include <QString>
#include <QStringList>

namespace pdfconv {
namespace office {

// The font family an office document names for the text of a PDF font: the PDF's own family
// when it is installed here, else an installed family of the same kind (serif, sans serif,
// monospaced), with metrics to match where there is one (Liberation for Arial, Times, Courier).
class FontMatcher
{
public:
    static QString family(layout::Word const& word);
    // Whether that family sets the word as wide as the PDF does: the PDF's own face, or one
    // made to its metrics.
    static bool sameWidths(layout::Word const& word);
    // The same against a given list of installed families (fontconfig's names).
    static QString family(layout::Word const& word, QStringList const& installed);
    // The families fontconfig knows on this machine, read once.
    static QStringList const& installedFamilies();
};

} // namespace office
} // namespace pdfconv

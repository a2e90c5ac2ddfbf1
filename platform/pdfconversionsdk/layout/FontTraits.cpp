#include "FontTraits.h"

#include <QRegularExpression>

namespace pdfconv {
namespace layout {

FontTraits FontTraits::fromPdfName(QString const& pdfName)
{
    FontTraits t;
    t.name = pdfName;
    // Subset fonts carry six capitals and a plus sign before the real name.
    if (t.name.size() > 7 && t.name.at(6) == QLatin1Char('+')) {
        bool prefix = true;
        for (int i = 0; i < 6; ++i)
            prefix = prefix && t.name.at(i) >= QLatin1Char('A') && t.name.at(i) <= QLatin1Char('Z');
        if (prefix)
            t.name = t.name.mid(7);
    }
    int const styleAt = t.name.indexOf(QRegularExpression(QStringLiteral("[-,]")));
    t.family = styleAt > 0 ? t.name.left(styleAt) : t.name;
    // Family names written together ("TimesNewRomanPS") keep their PostScript suffixes out.
    for (auto const* suffix : {"PSMT", "MT", "PS"}) {
        if (t.family.endsWith(QLatin1String(suffix)) && t.family.size() > int(qstrlen(suffix)) + 2) {
            t.family.chop(int(qstrlen(suffix)));
            break;
        }
    }

    QString const lower = t.name.toLower();
    QString const style = styleAt > 0 ? lower.mid(styleAt) : lower;
    t.bold = style.contains(QLatin1String("bold")) || style.contains(QLatin1String("black")) ||
             style.contains(QLatin1String("heavy")) || style.contains(QLatin1String("semibold")) ||
             style.contains(QLatin1String("demi"));
    // "Italic", and the URW faces' "ReguItal" and "MediItal".
    t.italic = (style.contains(QLatin1String("ital")) && !style.contains(QLatin1String("digital"))) ||
               style.contains(QLatin1String("oblique")) ||
               style.endsWith(QLatin1String("-it")) || style.contains(QLatin1String("-it,")) ||
               style.contains(QLatin1String("boldit"));
    t.monospace = lower.contains(QLatin1String("mono")) || lower.contains(QLatin1String("courier")) ||
                  lower.contains(QLatin1String("consol")) || lower.contains(QLatin1String("typewriter"));
    static QRegularExpression const serifNames(
        QStringLiteral("times|serif|roman|georgia|garamond|minion|cambria|palatino|book|cmr|nimbusrom"));
    // Style words ("Roman", "Book") name a weight, not a serif face: only the family tells.
    QString const family = t.family.toLower();
    t.serif = !family.contains(QLatin1String("sans")) && serifNames.match(family).hasMatch();
    // TeX's own faces tell their style in a few letters between "cm" (or "sf") and the design
    // size: "CMBX12" is bold, "CMTI10" italic, "CMSS10" sans serif, "CMTT9" typewriter.
    static QRegularExpression const tex(QStringLiteral("^(?:cm|sf)([a-z]{1,5})\\d{1,2}$"));
    QRegularExpressionMatch const texName = tex.match(family);
    if (texName.hasMatch()) {
        QString const shape = texName.captured(1);
        t.monospace = shape.endsWith(QLatin1String("tt"));
        bool const sans = shape.startsWith(QLatin1String("ss"));
        t.serif = !t.monospace && !sans && shape != QLatin1String("sy") && shape != QLatin1String("ex");
        t.bold = t.bold || shape.contains(QLatin1String("bx")) || shape == QLatin1String("b");
        t.italic = t.italic || shape.contains(QLatin1String("ti")) || shape.contains(QLatin1String("sl")) ||
                   shape == QLatin1String("mi") || shape == QLatin1String("ssi") ||
                   shape == QLatin1String("itt");
    }
    return t;
}

} // namespace layout
} // namespace pdfconv

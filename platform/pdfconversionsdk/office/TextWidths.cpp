#include "TextWidths.h"

#include <QHash>

#include <array>
#include <memory>
#include <mutex>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

namespace pdfconv {
namespace office {

namespace {

// Raised and lowered text: office applications set it at about this share of its size.
constexpr double kScriptScale = 0.6;

class Face
{
public:
    Face(FT_Library library, QByteArray const& file, int index)
    {
        if (!file.isEmpty() && FT_New_Face(library, file.constData(), index, &m_face) != 0)
            m_face = nullptr;
        m_table.fill(-1);
    }
    ~Face()
    {
        if (m_face)
            FT_Done_Face(m_face);
    }
    Face(Face const&) = delete;
    Face& operator=(Face const&) = delete;

    // In ems.
    double advance(uint code)
    {
        if (code < m_table.size()) {
            float& known = m_table[code];
            if (known < 0)
                known = float(measure(code));
            return known;
        }
        auto it = m_others.constFind(code);
        if (it == m_others.constEnd())
            it = m_others.insert(code, measure(code));
        return it.value();
    }

private:
    double measure(uint code) const
    {
        if (!m_face || m_face->units_per_EM == 0)
            return 0.5;
        FT_UInt const glyph = FT_Get_Char_Index(m_face, code);
        FT_Fixed advance = 0;
        if (FT_Get_Advance(m_face, glyph, FT_LOAD_NO_SCALE, &advance) != 0)
            return 0.5;
        return double(advance) / m_face->units_per_EM;
    }

    FT_Face m_face = nullptr;
    std::array<float, 0x250> m_table; // Latin scripts
    QHash<uint, double> m_others;
};

// The file of the face fontconfig picks for the family and style.
QPair<QByteArray, int> faceFile(QString const& family, bool bold, bool italic)
{
    static std::once_flag once;
    std::call_once(once, [] { FcInit(); });
    QPair<QByteArray, int> out{QByteArray(), 0};
    FcPattern* pattern = FcPatternCreate();
    QByteArray const name = family.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<FcChar8 const*>(name.constData()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* file = nullptr;
    int index = 0;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        out.first = QByteArray(reinterpret_cast<char const*>(file));
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
            out.second = index;
    }
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return out;
}

class Faces
{
public:
    Faces()
    {
        if (FT_Init_FreeType(&m_library) != 0)
            m_library = nullptr;
    }
    ~Faces()
    {
        m_faces.clear();
        if (m_library)
            FT_Done_FreeType(m_library);
    }

    Face& face(QString const& family, bool bold, bool italic)
    {
        QString const key = family + QLatin1Char(bold ? 'b' : 'r') + QLatin1Char(italic ? 'i' : 'u');
        auto it = m_faces.find(key);
        if (it == m_faces.end()) {
            QPair<QByteArray, int> const file =
                m_library ? faceFile(family, bold, italic) : QPair<QByteArray, int>();
            it = m_faces.insert(key, std::make_shared<Face>(m_library, file.first, file.second));
        }
        return **it;
    }

private:
    FT_Library m_library = nullptr;
    QHash<QString, std::shared_ptr<Face>> m_faces;
};

Faces& faces()
{
    // FreeType's library object must not be shared between threads.
    thread_local Faces own;
    return own;
}

} // namespace

double TextWidths::width(QString const& text, QString const& family, double size, bool bold, bool italic)
{
    Face& face = faces().face(family, bold, italic);
    double ems = 0;
    for (int i = 0; i < text.size(); ++i) {
        uint code = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        ems += face.advance(code);
    }
    return ems * size;
}

double TextWidths::width(ooxml::TextRun const& run)
{
    double const size =
        run.script == ooxml::TextRun::Script::Normal ? run.fontSize : kScriptScale * run.fontSize;
    return width(run.text, run.fontFamily, size, run.bold, run.italic) * run.widthScale / 100.0;
}

QVector<double> TextWidths::lineWidths(QVector<ooxml::TextRun> const& runs)
{
    QVector<double> lines{0};
    for (auto const& run : runs) {
        // A soft hyphen ends its line too, where it shows as a hyphen.
        int start = 0;
        for (int i = 0; i <= run.text.size(); ++i) {
            bool const end = i == run.text.size();
            QChar const c = end ? QChar() : run.text.at(i);
            if (!end && c != QLatin1Char('\n') && c != QChar(0x00AD))
                continue;
            ooxml::TextRun piece = run;
            piece.text = run.text.mid(start, i - start) + (c == QChar(0x00AD) ? QStringLiteral("-") : QString());
            if (!piece.text.isEmpty())
                lines.last() += width(piece);
            if (!end)
                lines << 0;
            start = i + 1;
        }
    }
    return lines;
}

} // namespace office
} // namespace pdfconv

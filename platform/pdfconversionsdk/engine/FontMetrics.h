#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <map>
#include <set>

namespace pdfconv {
namespace engine {

// Glyph advances of one font, in thousandths of the font size.
struct FontMetrics
{
    bool twoByte = false; // composite fonts: two-byte codes
    double defaultWidth = 500;
    std::map<int, double> widths;
    double scale = 1.0;    // Type 3 fonts measure in their own glyph space
    std::set<int> lamAlef; // codes of a glyph that stands for a lam and an alef together

    double width(int code) const
    {
        auto const it = widths.find(code);
        return (it == widths.end() ? defaultWidth : it->second) * scale;
    }
};

// What a font dictionary tells of its advances; damaged or hostile entries are passed over.
FontMetrics readMetrics(QPDFObjectHandle font);

} // namespace engine
} // namespace pdfconv

#include "FontMetrics.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace pdfconv {
namespace engine {

namespace {

// Codes a font's widths can name: one or two bytes.
constexpr long long kMaxCodes = 65536;

} // namespace

FontMetrics readMetrics(QPDFObjectHandle font)
{
    FontMetrics m;
    if (!font.isDictionary())
        return m;
    std::string const subtype = font.getKey("/Subtype").isName() ? font.getKey("/Subtype").getName() : "";
    if (subtype == "/Type0") {
        m.twoByte = true;
        m.defaultWidth = 1000;
        QPDFObjectHandle descendants = font.getKey("/DescendantFonts");
        QPDFObjectHandle cid = descendants.isArray() && descendants.getArrayNItems() > 0
                                   ? descendants.getArrayItem(0)
                                   : QPDFObjectHandle::newNull();
        if (!cid.isDictionary())
            return m;
        if (cid.getKey("/DW").isNumber())
            m.defaultWidth = cid.getKey("/DW").getNumericValue();
        QPDFObjectHandle w = cid.getKey("/W");
        if (!w.isArray())
            return m;
        // Two-byte codes name at most kMaxCodes glyphs: ranges are cut to them, read in 64 bits,
        // and a list that names them over and over again stops when they could all have been
        // named a few times.
        long long budget = 8 * kMaxCodes;
        int const n = w.getArrayNItems();
        for (int i = 0; i + 1 < n && budget > 0;) {
            QPDFObjectHandle first = w.getArrayItem(i);
            QPDFObjectHandle next = w.getArrayItem(i + 1);
            if (!first.isInteger())
                break;
            long long const c = first.getIntValue();
            if (next.isArray()) {
                int const count = next.getArrayNItems();
                for (long long k = 0; c >= 0 && c < kMaxCodes && k < count && c + k < kMaxCodes;
                     ++k, --budget)
                    if (next.getArrayItem(int(k)).isNumber())
                        m.widths[int(c + k)] = next.getArrayItem(int(k)).getNumericValue();
                i += 2;
            } else if (i + 2 < n && next.isInteger() && w.getArrayItem(i + 2).isNumber()) {
                long long const low = std::max(0LL, c);
                long long const high = std::min(next.getIntValue(), kMaxCodes - 1);
                double const width = w.getArrayItem(i + 2).getNumericValue();
                for (long long k = low; k <= high && budget > 0; ++k, --budget)
                    m.widths[int(k)] = width;
                i += 3;
            } else {
                break;
            }
        }
        return m;
    }
    QPDFObjectHandle descriptor = font.getKey("/FontDescriptor");
    if (descriptor.isDictionary() && descriptor.getKey("/MissingWidth").isNumber())
        m.defaultWidth = descriptor.getKey("/MissingWidth").getNumericValue();
    std::string const base = font.getKey("/BaseFont").isName() ? font.getKey("/BaseFont").getName() : "";
    if (base.find("Courier") != std::string::npos)
        m.defaultWidth = 600;
    QPDFObjectHandle widths = font.getKey("/Widths");
    // One-byte codes: a first code outside them is damage, and nothing is added to it.
    long long const firstChar =
        font.getKey("/FirstChar").isInteger() ? font.getKey("/FirstChar").getIntValue() : 0;
    if (widths.isArray() && firstChar >= 0 && firstChar < 256)
        for (int k = 0; k < widths.getArrayNItems() && firstChar + k < 256; ++k)
            if (widths.getArrayItem(k).isNumber())
                m.widths[int(firstChar + k)] = widths.getArrayItem(k).getNumericValue();
    if (subtype == "/Type3") {
        QPDFObjectHandle matrix = font.getKey("/FontMatrix");
        if (matrix.isMatrix())
            m.scale = std::abs(matrix.getArrayAsMatrix().a) * 1000.0;
    }
    return m;
}

} // namespace engine
} // namespace pdfconv

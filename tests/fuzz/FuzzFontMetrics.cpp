// Font dictionaries of any shape, read for the advances of their glyphs.
#include "FuzzSupport.h"

#include "engine/FontMetrics.h"

#include <cstdlib>
#include <exception>

using pdfconv::engine::FontMetrics;
using pdfconv::engine::readMetrics;

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    std::unique_ptr<QPDF> pdf = openFuzzedPdf(data, size);
    if (!pdf)
        return 0;
    for (QPDFObjectHandle& object : fuzzedObjects(*pdf)) {
        try {
            FontMetrics const metrics = readMetrics(object);
            // One or two bytes name a glyph: no font holds widths for more codes than that.
            if (metrics.widths.size() > 65536 ||
                (!metrics.widths.empty() &&
                 (metrics.widths.begin()->first < 0 || metrics.widths.rbegin()->first > 65535)))
                std::abort();
            for (int code : {0, 32, 255, 65535})
                (void)metrics.width(code);
        } catch (std::exception const&) {
            // qpdf refuses what a damaged object cannot give; the readers catch it the same way.
        }
    }
    return 0;
}

// Colour spaces of any shape (indexed tables, tint functions, Lab, patterns), each asked for
// the colours of the values a page may give it.
#include "FuzzSupport.h"

#include "engine/ColourSpace.h"

#include <cmath>
#include <exception>
#include <limits>
#include <string>

using pdfconv::engine::ColourSpace;

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    std::unique_ptr<QPDF> pdf = openFuzzedPdf(data, size);
    if (!pdf)
        return 0;
    std::vector<QPDFObjectHandle> objects = fuzzedObjects(*pdf, 500);
    // The resources of a page: the first dictionary that names colour spaces.
    QPDFObjectHandle resources = QPDFObjectHandle::newNull();
    std::vector<std::string> patterns{"/P0"};
    try {
        for (QPDFObjectHandle& object : objects) {
            if (object.isDictionary() && object.hasKey("/ColorSpace")) {
                resources = object;
                if (object.getKey("/Pattern").isDictionary())
                    for (std::string const& key : object.getKey("/Pattern").getKeys())
                        patterns.push_back(key);
                break;
            }
        }
    } catch (std::exception const&) {
    }
    double const nan = std::numeric_limits<double>::quiet_NaN();
    double const inf = std::numeric_limits<double>::infinity();
    for (double fill : {0.0, 0.5, 1.0, -1.0, 255.0, 1e300, -inf, nan}) {
        double values[64];
        for (double& v : values)
            v = fill;
        for (QPDFObjectHandle& object : objects) {
            // Resolving never throws: what cannot be read is an unknown space.
            auto const space = ColourSpace::resolve(object, resources);
            (void)space->initial();
            int const own = std::min(space->components(), 64);
            for (int count : {0, 1, 3, 4, own, 64})
                (void)space->colour(values, count, patterns[size_t(count) % patterns.size()], resources);
        }
    }
    return 0;
}

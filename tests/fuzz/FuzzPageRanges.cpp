// The pages a user types for a document, read against page counts from none to many, and the
// ranges kept of them read back into pages.
#include "pdf/PageRanges.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    if (size < 2 || size > 4096)
        return 0;
    int pageCount = 0;
    std::memcpy(&pageCount, data, 2);
    pageCount = pageCount % 20000 - 1;
    QString const text = QString::fromUtf8(reinterpret_cast<char const*>(data) + 2, int(size) - 2);
    PageRanges::Reading const reading = PageRanges::read(text, pageCount);
    if ((reading.problem == PageRanges::Reading::None) == reading.entries.isEmpty())
        std::abort();
    QSet<int> const pages = PageRanges::pages(reading.entries, pageCount);
    for (int page : pages)
        if (page < 1 || page > pageCount)
            std::abort();
    // Whatever kept text says, no page outside the document comes back.
    QStringList const kept = text.split(QLatin1Char(','));
    for (int page : PageRanges::pages(kept, pageCount))
        if (page < 1 || page > pageCount)
            std::abort();
    return 0;
}

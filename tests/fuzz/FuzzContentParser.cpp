// Content streams as a page holds them, read by the parser every reader of drawing uses.
#include "engine/ContentParser.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using pdfconv::engine::ContentParser;
using pdfconv::engine::Operand;

namespace {

size_t itemsOf(std::vector<Operand> const& operands)
{
    size_t n = 0;
    for (Operand const& o : operands)
        n += o.items.size() + itemsOf(o.items);
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    char const* begin = reinterpret_cast<char const*>(data);
    for (bool keepStrings : {true, false}) {
        ContentParser parser(begin, begin + size, keepStrings);
        std::vector<Operand> operands;
        std::string op;
        size_t operators = 0;
        while (parser.next(operands, op)) {
            // Each operator takes at least one byte, and no more operands or items are kept than promised.
            if (++operators > size || operands.size() > 64 || op.empty() ||
                itemsOf(operands) > ContentParser::kMaxItems)
                std::abort();
        }
    }
    return 0;
}

#pragma once

#include <string>
#include <vector>

namespace pdfconv {
namespace engine {

// An operand of a content-stream operator.
struct Operand
{
    enum class Kind : char
    {
        Number,
        Name,
        String,
        Array,
        Other // dictionaries, booleans, null
    };

    Kind kind = Kind::Other;
    double number = 0;
    std::string text;           // a name with its slash, or a string's bytes
    std::vector<Operand> items; // an array's

    bool isNumber() const { return kind == Kind::Number; }
    bool isName() const { return kind == Kind::Name; }
    bool isString() const { return kind == Kind::String; }
    bool isArray() const { return kind == Kind::Array; }
};

// Reads the operators of a decoded content stream with their operands. Much cheaper than
// building a qpdf object for every number; it reads what the drawing needs and skips the
// rest (dictionaries, the data of inline images).
class ContentParser
{
public:
    // Without @p keepStrings, string operands come empty: a reader that needs only the
    // operators and names passes over the text of a page at less cost.
    ContentParser(char const* begin, char const* end, bool keepStrings = true)
        : m_begin(begin), m_p(begin), m_end(end), m_keepStrings(keepStrings)
    {
    }

    // Array items kept over all operands of one operator, nested ones included: more would
    // take tens of bytes of memory for each byte of a stream of "[]".
    static constexpr size_t kMaxItems = 100000;

    // The next operator and the operands before it (at most 64 are kept); false at the end.
    // An inline image comes as the operator "BI", its data already passed over.
    bool next(std::vector<Operand>& operands, std::string& op);
    // How far into the stream reading has come: just past the operator next() gave.
    size_t offset() const { return size_t(m_p - m_begin); }

private:
    enum class Token
    {
        End,
        Number,
        Name,
        String,
        ArrayOpen,
        ArrayClose,
        DictOpen,
        DictClose,
        Word
    };

    Token token(Operand& value, std::string& word);
    void skipSpace();
    bool readArray(Operand& array, int depth);
    void skipDictionary(int depth);
    void skipInlineImage();

    char const* m_begin;
    char const* m_p;
    char const* m_end;
    bool m_keepStrings;
    size_t m_items = 0; // kept for the operator being read
};

} // namespace engine
} // namespace pdfconv

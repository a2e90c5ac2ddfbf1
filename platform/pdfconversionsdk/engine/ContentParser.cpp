#include "ContentParser.h"

#include <algorithm>
#include <cstring>

namespace pdfconv {
namespace engine {

namespace {

constexpr size_t kMaxOperands = 64;
constexpr int kMaxNesting = 32;

bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool isDelimiter(char c)
{
    return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' || c == '}' ||
           c == '/' || c == '%';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A number as PDF writes them (no exponent); false for anything else. Digits are gathered as
// an integer and divided once, so that the value is the one strtod gives.
bool parseNumber(char const* p, char const* end, double& out)
{
    static double const kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                     1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    unsigned long long mantissa = 0;
    int digits = 0, fraction = 0, dropped = 0;
    bool point = false;
    for (; p < end; ++p) {
        if (*p == '.' && !point) {
            point = true;
        } else if (*p >= '0' && *p <= '9') {
            ++digits;
            if (mantissa < 100000000000000000ULL) {
                mantissa = mantissa * 10 + unsigned(*p - '0');
                fraction += point ? 1 : 0;
            } else if (!point) {
                ++dropped; // a huge integer part: its lowest digits do not matter
            }
        } else {
            return false;
        }
    }
    if (digits == 0)
        return false;
    double value = double(mantissa);
    if (dropped > 0)
        value *= kPowers[std::min(dropped, 22)];
    else if (fraction > 0)
        value /= kPowers[std::min(fraction, 22)];
    out = negative ? -value : value;
    return true;
}

} // namespace

void ContentParser::skipSpace()
{
    while (m_p < m_end) {
        if (isSpace(*m_p)) {
            ++m_p;
        } else if (*m_p == '%') {
            while (m_p < m_end && *m_p != '\n' && *m_p != '\r')
                ++m_p;
        } else {
            return;
        }
    }
}

ContentParser::Token ContentParser::token(Operand& value, std::string& word)
{
    skipSpace();
    while (m_p < m_end && (*m_p == ')' || *m_p == '{' || *m_p == '}')) { // stray: passed over
        ++m_p;
        skipSpace();
    }
    if (m_p >= m_end)
        return Token::End;
    char const c = *m_p;
    if (c == '/') {
        char const* start = m_p++;
        while (m_p < m_end && !isSpace(*m_p) && !isDelimiter(*m_p))
            ++m_p;
        value.kind = Operand::Kind::Name;
        value.text.assign(start, size_t(m_p - start));
        if (value.text.find('#') != std::string::npos) {
            std::string decoded;
            for (size_t i = 0; i < value.text.size(); ++i) {
                int const hi = i + 2 < value.text.size() ? hexValue(value.text[i + 1]) : -1;
                int const lo = hi >= 0 ? hexValue(value.text[i + 2]) : -1;
                if (value.text[i] == '#' && lo >= 0) {
                    decoded += char(hi * 16 + lo);
                    i += 2;
                } else {
                    decoded += value.text[i];
                }
            }
            value.text = decoded;
        }
        return Token::Name;
    }
    if (c == '(') {
        value.kind = Operand::Kind::String;
        value.text.clear();
        int depth = 1;
        if (!m_keepStrings) {
            for (++m_p; m_p < m_end; ++m_p) {
                if (*m_p == '\\' && m_p + 1 < m_end)
                    ++m_p;
                else if (*m_p == '(')
                    ++depth;
                else if (*m_p == ')' && --depth == 0)
                    break;
            }
            m_p = std::min(m_p + 1, m_end);
            return Token::String;
        }
        for (++m_p; m_p < m_end; ++m_p) {
            char ch = *m_p;
            if (ch == '(') {
                ++depth;
            } else if (ch == ')') {
                if (--depth == 0) {
                    ++m_p;
                    break;
                }
            } else if (ch == '\\' && m_p + 1 < m_end) {
                ch = *++m_p;
                switch (ch) {
                case 'n':
                    ch = '\n';
                    break;
                case 'r':
                    ch = '\r';
                    break;
                case 't':
                    ch = '\t';
                    break;
                case 'b':
                    ch = '\b';
                    break;
                case 'f':
                    ch = '\f';
                    break;
                case '\r': // a line continued
                    if (m_p + 1 < m_end && m_p[1] == '\n')
                        ++m_p;
                    continue;
                case '\n':
                    continue;
                default:
                    if (ch >= '0' && ch <= '7') {
                        int code = ch - '0';
                        for (int k = 0; k < 2 && m_p + 1 < m_end && m_p[1] >= '0' && m_p[1] <= '7'; ++k)
                            code = code * 8 + (*++m_p - '0');
                        ch = char(code);
                    }
                    break;
                }
            }
            value.text += ch;
        }
        return Token::String;
    }
    if (c == '<') {
        if (m_p + 1 < m_end && m_p[1] == '<') {
            m_p += 2;
            return Token::DictOpen;
        }
        value.kind = Operand::Kind::String;
        value.text.clear();
        if (!m_keepStrings) {
            while (m_p < m_end && *m_p != '>')
                ++m_p;
            m_p = std::min(m_p + 1, m_end);
            return Token::String;
        }
        int high = -1;
        for (++m_p; m_p < m_end && *m_p != '>'; ++m_p) {
            int const v = hexValue(*m_p);
            if (v < 0)
                continue;
            if (high < 0) {
                high = v;
            } else {
                value.text += char(high * 16 + v);
                high = -1;
            }
        }
        if (high >= 0)
            value.text += char(high * 16);
        if (m_p < m_end)
            ++m_p;
        return Token::String;
    }
    if (c == '>') {
        m_p += m_p + 1 < m_end && m_p[1] == '>' ? 2 : 1;
        return Token::DictClose;
    }
    if (c == '[' || c == ']') {
        ++m_p;
        return c == '[' ? Token::ArrayOpen : Token::ArrayClose;
    }
    char const* start = m_p;
    while (m_p < m_end && !isSpace(*m_p) && !isDelimiter(*m_p))
        ++m_p;
    if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.') {
        if (parseNumber(start, m_p, value.number)) {
            value.kind = Operand::Kind::Number;
            return Token::Number;
        }
    }
    word.assign(start, size_t(m_p - start));
    return Token::Word;
}

bool ContentParser::readArray(Operand& array, int depth)
{
    array.kind = Operand::Kind::Array;
    array.items.clear();
    std::string word;
    for (;;) {
        Operand item;
        Token const t = token(item, word);
        switch (t) {
        case Token::End:
        case Token::ArrayClose:
            return true;
        case Token::ArrayOpen:
            if (depth < kMaxNesting)
                readArray(item, depth + 1);
            break;
        case Token::DictOpen:
            skipDictionary(depth + 1);
            item.kind = Operand::Kind::Other;
            break;
        case Token::Word:
            item.kind = Operand::Kind::Other; // true, false, null; an operator here is damage
            break;
        default:
            break;
        }
        if (t != Token::DictClose && m_items < kMaxItems) {
            ++m_items;
            array.items.push_back(std::move(item));
        }
    }
}

void ContentParser::skipDictionary(int depth)
{
    Operand ignored;
    std::string word;
    for (;;) {
        Token const t = token(ignored, word);
        if (t == Token::End || t == Token::DictClose)
            return;
        if (t == Token::DictOpen && depth < kMaxNesting)
            skipDictionary(depth + 1);
        else if (t == Token::ArrayOpen && depth < kMaxNesting)
            readArray(ignored, depth + 1);
    }
}

namespace {

// A size or count from an inline image's dictionary: -1 for anything no image can have.
long long dimension(Operand const& value, double largest)
{
    return value.isNumber() && value.number > 0 && value.number <= largest
               ? static_cast<long long>(value.number)
               : -1;
}

// How many bytes the unfiltered data of an image of that shape holds; -1 when it cannot be.
long long imageBytes(long long width, long long height, long long bits, long long components)
{
    long long rowBits = 0, bytes = 0;
    if (width <= 0 || height <= 0 || bits <= 0 || components <= 0 ||
        __builtin_mul_overflow(width, bits * components, &rowBits) ||
        __builtin_mul_overflow((rowBits + 7) / 8, height, &bytes))
        return -1;
    return bytes;
}

} // namespace

void ContentParser::skipInlineImage()
{
    // The image's dictionary, up to ID: its size tells how far the data runs, unless filtered.
    long long width = -1, height = -1, bits = 8, components = -1;
    bool filtered = false;
    std::string key, word;
    for (;;) {
        Operand value;
        Token const t = token(value, word);
        if (t == Token::End)
            return;
        if (t == Token::Word && word == "ID")
            break;
        if (t == Token::Name && key.empty()) {
            key = value.text;
            continue;
        }
        if (t == Token::ArrayOpen)
            readArray(value, 1);
        else if (t == Token::DictOpen)
            skipDictionary(1);
        if (key == "/W" || key == "/Width")
            width = dimension(value, 1e15);
        else if (key == "/H" || key == "/Height")
            height = dimension(value, 1e15);
        else if (key == "/BPC" || key == "/BitsPerComponent")
            bits = dimension(value, 32);
        else if (key == "/F" || key == "/Filter")
            filtered = true;
        else if ((key == "/IM" || key == "/ImageMask") && t == Token::Word && word == "true") {
            components = 1;
            bits = 1;
        } else if (key == "/CS" || key == "/ColorSpace")
            components = value.text == "/G" || value.text == "/DeviceGray"      ? 1
                         : value.text == "/RGB" || value.text == "/DeviceRGB"   ? 3
                         : value.text == "/CMYK" || value.text == "/DeviceCMYK" ? 4
                         : value.isArray()                                      ? 1 // indexed
                                                                                : -1;
        key.clear();
    }
    if (m_p < m_end && isSpace(*m_p))
        ++m_p; // the one white-space character after ID
    char const* const data = m_p;
    long long const bytes = filtered ? -1 : imageBytes(width, height, bits, components);
    // Data shorter than its size says is looked through for its end from the start.
    if (bytes > 0 && bytes <= m_end - m_p)
        m_p += bytes;
    // EI standing alone ends the data.
    for (char const* q = m_p; q + 1 < m_end; ++q) {
        if (q[0] == 'E' && q[1] == 'I' && (q == data || isSpace(q[-1])) &&
            (q + 2 == m_end || isSpace(q[2]))) {
            m_p = q + 2;
            return;
        }
    }
    m_p = m_end;
}

bool ContentParser::next(std::vector<Operand>& operands, std::string& op)
{
    operands.clear();
    m_items = 0;
    Operand value;
    for (;;) {
        Token const t = token(value, op);
        switch (t) {
        case Token::End:
            return false;
        case Token::Number:
        case Token::Name:
        case Token::String:
            break;
        case Token::ArrayOpen:
            readArray(value, 1);
            break;
        case Token::DictOpen:
            skipDictionary(1);
            value.kind = Operand::Kind::Other;
            break;
        case Token::ArrayClose:
        case Token::DictClose:
            continue;
        case Token::Word:
            // Operators are short: looked at by length first, as most of a stream is operators.
            if ((op.size() == 4 && (op == "true" || op == "null")) || (op.size() == 5 && op == "false")) {
                value.kind = Operand::Kind::Other;
                break;
            }
            if (op.size() == 2 && op[0] == 'B' && op[1] == 'I')
                skipInlineImage();
            return true;
        }
        if (operands.size() < kMaxOperands)
            operands.push_back(std::move(value));
        value = Operand();
    }
}

} // namespace engine
} // namespace pdfconv

#include "ocr/GlyphlessFont.h"

#include <QVector>

#include <utility>

namespace docquill::ocr {

namespace {

class BigEndian
{
public:
    BigEndian& u16(int v)
    {
        m_bytes.append(char((v >> 8) & 0xff));
        m_bytes.append(char(v & 0xff));
        return *this;
    }
    BigEndian& u32(quint32 v)
    {
        u16(int(v >> 16));
        return u16(int(v & 0xffff));
    }
    BigEndian& tag(char const* t)
    {
        m_bytes.append(t, 4);
        return *this;
    }
    BigEndian& bytes(QByteArray const& b)
    {
        m_bytes.append(b);
        return *this;
    }
    QByteArray const& result() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

quint32 checksum(QByteArray data)
{
    while (data.size() % 4)
        data.append('\0');
    quint32 sum = 0;
    for (int i = 0; i < data.size(); i += 4) {
        sum += (quint32(uchar(data[i])) << 24) | (quint32(uchar(data[i + 1])) << 16) |
               (quint32(uchar(data[i + 2])) << 8) | quint32(uchar(data[i + 3]));
    }
    return sum;
}

QByteArray utf16be(char const* latin)
{
    BigEndian out;
    for (char const* p = latin; *p; ++p)
        out.u16(*p);
    return out.result();
}

QByteArray nameTable()
{
    // Windows Unicode names: family, subfamily, full name, PostScript name.
    QVector<std::pair<int, QByteArray>> const names = {{1, utf16be(GlyphlessFont::name())},
                                                       {2, utf16be("Regular")},
                                                       {4, utf16be(GlyphlessFont::name())},
                                                       {6, utf16be(GlyphlessFont::name())}};
    BigEndian table;
    int const count = names.size();
    table.u16(0).u16(count).u16(6 + 12 * count);
    QByteArray strings;
    for (auto const& [id, text] : names) {
        table.u16(3).u16(1).u16(0x409).u16(id).u16(text.size()).u16(strings.size());
        strings.append(text);
    }
    return table.bytes(strings).result();
}

} // namespace

QByteArray GlyphlessFont::data()
{
    int const glyphs = 2;
    QVector<std::pair<char const*, QByteArray>> tables;

    // Format 4 with only the closing segment: no character maps to a glyph; the PDF maps
    // character ids to glyphs itself.
    tables.append({"cmap", BigEndian()
                               .u16(0)
                               .u16(1)
                               .u16(3)
                               .u16(1)
                               .u32(12)
                               .u16(4)
                               .u16(24)
                               .u16(0)
                               .u16(2)
                               .u16(2)
                               .u16(0)
                               .u16(0)
                               .u16(0xffff)
                               .u16(0)
                               .u16(0xffff)
                               .u16(1)
                               .u16(0)
                               .result()});
    // Both glyphs are empty, so the glyph table holds nothing but its padding.
    tables.append({"glyf", QByteArray(4, '\0')});
    tables.append({"head", BigEndian()
                               .u32(0x00010000)
                               .u32(0x00010000)
                               .u32(0) // checksum adjustment, set below
                               .u32(0x5F0F3CF5)
                               .u16(0x000B)
                               .u16(kUnitsPerEm)
                               .u32(0)
                               .u32(0)
                               .u32(0)
                               .u32(0) // created, modified
                               .u16(0)
                               .u16(kDescent & 0xffff)
                               .u16(kAdvance)
                               .u16(kAscent)
                               .u16(0)
                               .u16(8)
                               .u16(2)
                               .u16(0)
                               .u16(0)
                               .result()});
    tables.append({"hhea", BigEndian()
                               .u32(0x00010000)
                               .u16(kAscent)
                               .u16(kDescent & 0xffff)
                               .u16(0)
                               .u16(kAdvance)
                               .u16(0)
                               .u16(0)
                               .u16(kAdvance)
                               .u16(1)
                               .u16(0)
                               .u16(0)
                               .u16(0)
                               .u16(0)
                               .u16(0)
                               .u16(0)
                               .u16(0)
                               .u16(glyphs)
                               .result()});
    tables.append({"hmtx", BigEndian().u16(kAdvance).u16(0).u16(kAdvance).u16(0).result()});
    tables.append({"loca", BigEndian().u16(0).u16(0).u16(0).result()});
    tables.append({"maxp", BigEndian()
                               .u32(0x00010000)
                               .u16(glyphs)
                               .u16(0)
                               .u16(0)
                               .u16(0)
                               .u16(0)
                               .u16(2)
                               .u16(0)
                               .u16(0)
                               .u16(0)
                               .u16(0)
                               .u16(0)
                               .u16(0)
                               .u16(0)
                               .u16(0)
                               .result()});
    tables.append({"name", nameTable()});
    tables.append({"post", BigEndian()
                               .u32(0x00030000)
                               .u32(0)
                               .u16(-100 & 0xffff)
                               .u16(50)
                               .u32(1)
                               .u32(0)
                               .u32(0)
                               .u32(0)
                               .u32(0)
                               .result()});

    int const count = tables.size();
    int searchRange = 1, entrySelector = 0;
    while (searchRange * 2 <= count) {
        searchRange *= 2;
        ++entrySelector;
    }
    BigEndian directory;
    directory.u32(0x00010000)
        .u16(count)
        .u16(searchRange * 16)
        .u16(entrySelector)
        .u16(count * 16 - searchRange * 16);
    QByteArray body;
    int offset = 12 + 16 * count;
    int headOffset = 0;
    for (auto const& [tag, table] : tables) {
        if (qstrcmp(tag, "head") == 0)
            headOffset = offset;
        directory.tag(tag).u32(checksum(table)).u32(quint32(offset)).u32(quint32(table.size()));
        QByteArray padded = table;
        while (padded.size() % 4)
            padded.append('\0');
        body.append(padded);
        offset += padded.size();
    }
    QByteArray font = directory.result() + body;
    quint32 const adjustment = 0xB1B0AFBAu - checksum(font);
    for (int i = 0; i < 4; ++i)
        font[headOffset + 8 + i] = char((adjustment >> (24 - 8 * i)) & 0xff);
    return font;
}

} // namespace docquill::ocr

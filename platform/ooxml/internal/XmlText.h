#pragma once

#include <QByteArray>
#include <QColor>
#include <QIODevice>
#include <QString>

#include <vector>

// Text and XML helpers shared by the writers; not part of the public API.
namespace ooxml::internal {

// The text without the characters XML 1.0 cannot hold: C0 controls other than tab, LF and CR,
// unpaired surrogates, U+FFFE and U+FFFF.
QString xmlSafe(QString const& text);
// "\r\n" and lone '\r' turned into '\n': a literal CR would not survive an XML parser.
QString unixLineEnds(QString const& text);
// Leading, trailing or doubled whitespace, which XML readers drop without xml:space="preserve".
bool needsSpacePreserve(QString const& text);
// "RRGGBB", as both Word and DrawingML write colours.
QString hexColour(QColor const& colour);
// At most `length` UTF-16 units, never ending inside a surrogate pair.
QString truncated(QString const& text, int length);

// Writes XML as QXmlStreamWriter would (the same bytes), straight into UTF-8: names are ASCII
// literals, text is made XML-safe. Documents of many pages spend much of their writing here.
class XmlWriter
{
public:
    XmlWriter();
    // Writes straight to `device` instead of memory; finish() then returns nothing.
    explicit XmlWriter(QIODevice* device);
    XmlWriter(XmlWriter const&) = delete;
    XmlWriter& operator=(XmlWriter const&) = delete;

    void start(char const* name);
    void empty(char const* name);
    void end();
    void attr(char const* name, QString const& value);
    void attr(char const* name, char const* value);
    void attr(char const* name, qint64 value);
    void attr(char const* name, int value) { attr(name, qint64(value)); }
    void text(QString const& text);
    // <name>text</name>, with xml:space="preserve" when the text needs it.
    void textElement(char const* name, QString const& text);
    // A ready-made, trusted fragment (fixed markup of our own).
    void raw(char const* fragment);

    QByteArray finish();
    // A write to the device failed.
    bool hasError() const { return m_error; }

private:
    void closeTag();
    void escaped(QString const& text, bool attribute);
    void flush(bool always);

    QIODevice* m_device = nullptr;
    QByteArray m_data;
    std::vector<char const*> m_open; // elements started and not ended
    bool m_tagOpen = false;          // "<name ..." written, its ">" not yet
    bool m_emptyOpen = false;        // ... and it ends there with "/>"
    bool m_error = false;
};

} // namespace ooxml::internal

#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QXmlStreamWriter>

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

// A thin layer over QXmlStreamWriter: names are ASCII literals, text is made XML-safe.
class XmlWriter
{
public:
    XmlWriter();
    // Writes straight to `device` instead of memory; finish() then returns nothing.
    explicit XmlWriter(QIODevice* device);
    XmlWriter(XmlWriter const&) = delete;
    XmlWriter& operator=(XmlWriter const&) = delete;

    void start(char const* name) { m_xml.writeStartElement(QLatin1String(name)); }
    void empty(char const* name) { m_xml.writeEmptyElement(QLatin1String(name)); }
    void end() { m_xml.writeEndElement(); }
    void attr(char const* name, QString const& value);
    void attr(char const* name, char const* value) { attr(name, QString::fromLatin1(value)); }
    void attr(char const* name, qint64 value) { attr(name, QString::number(value)); }
    void attr(char const* name, int value) { attr(name, QString::number(value)); }
    void text(QString const& text);
    // <name>text</name>, with xml:space="preserve" when the text needs it.
    void textElement(char const* name, QString const& text);
    // A ready-made, trusted fragment (fixed markup of our own).
    void raw(char const* fragment);

    QByteArray finish();
    // A write to the device failed.
    bool hasError() const { return m_xml.hasError(); }

private:
    QByteArray m_data;
    QXmlStreamWriter m_xml;
};

} // namespace ooxml::internal

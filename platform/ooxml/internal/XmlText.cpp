#include "internal/XmlText.h"

namespace ooxml::internal {

namespace {

bool isXmlChar(char16_t u)
{
    if (u < 0x20)
        return u == 0x09 || u == 0x0A || u == 0x0D;
    return u != 0xFFFE && u != 0xFFFF;
}

} // namespace

QString xmlSafe(QString const& text)
{
    QString out;
    out.reserve(text.size());
    int const size = text.size();
    for (int i = 0; i < size; ++i) {
        QChar const c = text.at(i);
        if (c.isHighSurrogate()) {
            if (i + 1 < size && text.at(i + 1).isLowSurrogate()) {
                out += c;
                out += text.at(++i);
            }
            continue;
        }
        if (c.isLowSurrogate() || !isXmlChar(c.unicode()))
            continue;
        out += c;
    }
    return out;
}

QString unixLineEnds(QString const& text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

bool needsSpacePreserve(QString const& text)
{
    if (text.isEmpty())
        return false;
    if (text.front().isSpace() || text.back().isSpace())
        return true;
    for (int i = 1; i < text.size(); ++i) {
        if (text.at(i).isSpace() && text.at(i - 1).isSpace())
            return true;
    }
    return text.contains(QLatin1Char('\t')) || text.contains(QLatin1Char('\n'));
}

QString hexColour(QColor const& colour)
{
    return QString::asprintf("%02X%02X%02X", colour.red(), colour.green(), colour.blue());
}

QString truncated(QString const& text, int length)
{
    if (text.size() <= length)
        return text;
    if (length > 0 && text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

XmlWriter::XmlWriter() : m_xml(&m_data)
{
    m_xml.writeStartDocument(QStringLiteral("1.0"), true);
}

XmlWriter::XmlWriter(QIODevice* device) : m_xml(device)
{
    m_xml.writeStartDocument(QStringLiteral("1.0"), true);
}

void XmlWriter::attr(char const* name, QString const& value)
{
    m_xml.writeAttribute(QLatin1String(name), xmlSafe(value));
}

void XmlWriter::text(QString const& text)
{
    m_xml.writeCharacters(xmlSafe(text));
}

void XmlWriter::textElement(char const* name, QString const& text)
{
    QString const safe = xmlSafe(text);
    m_xml.writeStartElement(QLatin1String(name));
    if (needsSpacePreserve(safe))
        m_xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    m_xml.writeCharacters(safe);
    m_xml.writeEndElement();
}

void XmlWriter::raw(char const* fragment)
{
    // Closes a pending start tag before the fragment goes in after it.
    m_xml.writeCharacters(QString());
    m_xml.device()->write(fragment);
}

QByteArray XmlWriter::finish()
{
    m_xml.writeEndDocument();
    return m_data;
}

} // namespace ooxml::internal

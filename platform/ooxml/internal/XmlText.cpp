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

namespace {
char const kHeader[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>";
}

XmlWriter::XmlWriter()
{
    m_data += kHeader;
}

XmlWriter::XmlWriter(QIODevice* device) : m_device(device)
{
    m_data += kHeader;
}

void XmlWriter::closeTag()
{
    if (!m_tagOpen)
        return;
    m_data += m_emptyOpen ? "/>" : ">";
    m_tagOpen = m_emptyOpen = false;
}

void XmlWriter::flush(bool always)
{
    if (!m_device || m_data.isEmpty() || (!always && m_data.size() < 1 << 16))
        return;
    if (m_device->write(m_data) != m_data.size())
        m_error = true;
    m_data.clear();
}

void XmlWriter::start(char const* name)
{
    closeTag();
    flush(false);
    m_data += '<';
    m_data += name;
    m_open.push_back(name);
    m_tagOpen = true;
}

void XmlWriter::empty(char const* name)
{
    closeTag();
    flush(false);
    m_data += '<';
    m_data += name;
    m_tagOpen = m_emptyOpen = true;
}

void XmlWriter::end()
{
    if (m_open.empty())
        return;
    if (m_tagOpen && !m_emptyOpen) {
        m_data += "/>";
        m_tagOpen = false;
    } else {
        closeTag();
        m_data += "</";
        m_data += m_open.back();
        m_data += '>';
    }
    m_open.pop_back();
}

// UTF-8 with the characters XML cannot hold left out (as xmlSafe()), and markup escaped as
// QXmlStreamWriter escapes it: in attributes also line breaks and tabs.
void XmlWriter::escaped(QString const& text, bool attribute)
{
    int const size = text.size();
    QChar const* const chars = text.constData();
    for (int i = 0; i < size; ++i) {
        char16_t const u = chars[i].unicode();
        if (u < 0x80) {
            switch (u) {
            case '<':
                m_data += "&lt;";
                break;
            case '>':
                m_data += "&gt;";
                break;
            case '&':
                m_data += "&amp;";
                break;
            case '"':
                m_data += "&quot;";
                break;
            case '\n':
                m_data += attribute ? "&#10;" : "\n";
                break;
            case '\r':
                m_data += attribute ? "&#13;" : "\r";
                break;
            case '\t':
                m_data += attribute ? "&#9;" : "\t";
                break;
            default:
                if (u >= 0x20)
                    m_data += char(u);
                break;
            }
        } else if (u < 0x800) {
            m_data += char(0xC0 | (u >> 6));
            m_data += char(0x80 | (u & 0x3F));
        } else if (QChar::isHighSurrogate(u)) {
            if (i + 1 < size && chars[i + 1].isLowSurrogate()) {
                char32_t const c = QChar::surrogateToUcs4(u, chars[++i].unicode());
                m_data += char(0xF0 | (c >> 18));
                m_data += char(0x80 | ((c >> 12) & 0x3F));
                m_data += char(0x80 | ((c >> 6) & 0x3F));
                m_data += char(0x80 | (c & 0x3F));
            }
        } else if (!QChar::isLowSurrogate(u) && u != 0xFFFE && u != 0xFFFF) {
            m_data += char(0xE0 | (u >> 12));
            m_data += char(0x80 | ((u >> 6) & 0x3F));
            m_data += char(0x80 | (u & 0x3F));
        }
    }
}

void XmlWriter::attr(char const* name, QString const& value)
{
    m_data += ' ';
    m_data += name;
    m_data += "=\"";
    escaped(value, true);
    m_data += '"';
}

void XmlWriter::attr(char const* name, char const* value)
{
    attr(name, QString::fromLatin1(value));
}

void XmlWriter::attr(char const* name, qint64 value)
{
    m_data += ' ';
    m_data += name;
    m_data += "=\"";
    m_data += QByteArray::number(value);
    m_data += '"';
}

void XmlWriter::text(QString const& text)
{
    closeTag();
    escaped(text, false);
    flush(false);
}

void XmlWriter::textElement(char const* name, QString const& text)
{
    start(name);
    if (needsSpacePreserve(xmlSafe(text)))
        attr("xml:space", "preserve");
    this->text(text);
    end();
}

void XmlWriter::raw(char const* fragment)
{
    closeTag();
    m_data += fragment;
}

QByteArray XmlWriter::finish()
{
    while (!m_open.empty())
        end();
    closeTag();
    m_data += '\n';
    flush(true);
    return m_device ? QByteArray() : m_data;
}

} // namespace ooxml::internal

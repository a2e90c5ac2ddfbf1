#pragma once

#include <QByteArray>
#include <QString>

class QTextCodec;

namespace docrender {

// Turns the bytes of text sources into text: a byte order mark decides, then valid UTF-8, then
// the local 8-bit encoding.
class TextDecoder
{
public:
    static QString decodePlainText(QByteArray const& data);
    // Honours a BOM or a charset declared in a meta tag before guessing.
    static QString decodeHtml(QByteArray const& data);
    static bool isValidUtf8(QByteArray const& data);
    // The local 8-bit encoding; Windows-1252 where the locale is UTF-8 or plain ASCII, since
    // bytes that are not valid UTF-8 cannot be read as the locale's encoding then.
    static QTextCodec* localEightBitCodec();
};

} // namespace docrender

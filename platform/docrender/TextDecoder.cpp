#include "TextDecoder.h"

#include <QTextCodec>

namespace docrender {

namespace {

QTextCodec* codecForBom(QByteArray const& data)
{
    if (data.startsWith("\xEF\xBB\xBF"))
        return QTextCodec::codecForName("UTF-8");
    if (data.startsWith(QByteArray("\xFF\xFE\x00\x00", 4)))
        return QTextCodec::codecForName("UTF-32LE");
    if (data.startsWith(QByteArray("\x00\x00\xFE\xFF", 4)))
        return QTextCodec::codecForName("UTF-32BE");
    if (data.startsWith("\xFF\xFE"))
        return QTextCodec::codecForName("UTF-16LE");
    if (data.startsWith("\xFE\xFF"))
        return QTextCodec::codecForName("UTF-16BE");
    return nullptr;
}

QString decodeWith(QTextCodec* codec, QByteArray const& data)
{
    // The codec skips its own byte order mark only in its stateful form.
    QTextCodec::ConverterState state;
    QString text = codec->toUnicode(data.constData(), data.size(), &state);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

} // namespace

bool TextDecoder::isValidUtf8(QByteArray const& data)
{
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(data.constData(), data.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

QTextCodec* TextDecoder::localEightBitCodec()
{
    QTextCodec* const locale = QTextCodec::codecForLocale();
    int const mib = locale ? locale->mibEnum() : 0;
    if (!locale || mib == 106 || mib == 3) // UTF-8, US-ASCII
        return QTextCodec::codecForName("windows-1252");
    return locale;
}

QString TextDecoder::decodePlainText(QByteArray const& data)
{
    if (QTextCodec* const bom = codecForBom(data))
        return decodeWith(bom, data);
    if (isValidUtf8(data))
        return QString::fromUtf8(data);
    return localEightBitCodec()->toUnicode(data);
}

QString TextDecoder::decodeHtml(QByteArray const& data)
{
    if (QTextCodec* const bom = codecForBom(data))
        return decodeWith(bom, data);
    QTextCodec* const fallback = isValidUtf8(data) ? QTextCodec::codecForName("UTF-8") : localEightBitCodec();
    return decodeWith(QTextCodec::codecForHtml(data, fallback), data);
}

} // namespace docrender

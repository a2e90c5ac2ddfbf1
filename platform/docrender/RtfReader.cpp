#include "RtfReader.h"

#include "ImageObjectHandler.h"

#include <QImage>
#include <QSet>
#include <QTextCodec>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace docrender {

namespace {

constexpr int kMaxDepth = 5000;
constexpr qreal kTwipsPerLayoutPixel = 15.0; // 1440 twips per inch, 96 layout pixels per inch
constexpr qreal kMaxFontPoints = 1638;
// Indents and spacing beyond a page's size (22 inches, in twips) lay nothing out differently.
constexpr int kMaxSpacingTwips = 22 * 1440;

qreal twips(int value)
{
    return qBound(-kMaxSpacingTwips, value, kMaxSpacingTwips) / kTwipsPerLayoutPixel;
}

QSet<QByteArray> const& skippedDestinations()
{
    static QSet<QByteArray> const names{"stylesheet",
                                        "info",
                                        "header",
                                        "headerl",
                                        "headerr",
                                        "headerf",
                                        "footer",
                                        "footerl",
                                        "footerr",
                                        "footerf",
                                        "footnote",
                                        "annotation",
                                        "pn",
                                        "xe",
                                        "tc",
                                        "txe",
                                        "rxe",
                                        "fldinst",
                                        "objdata",
                                        "nonshppict",
                                        "datafield",
                                        "themedata",
                                        "colorschememapping",
                                        "latentstyles",
                                        "datastore",
                                        "listtable",
                                        "listoverridetable",
                                        "revtbl",
                                        "rsidtbl",
                                        "generator",
                                        "xmlnstbl",
                                        "mmathPr",
                                        "pgdsctbl",
                                        "filetbl",
                                        "userprops",
                                        "docvar",
                                        "template",
                                        "private",
                                        "atnid",
                                        "atnauthor",
                                        "bkmkstart",
                                        "bkmkend",
                                        "shpinst",
                                        "sp",
                                        "sn",
                                        "sv"};
    return names;
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

} // namespace

RtfReader::RtfReader(QTextDocument* document) : m_document(document) {}

QTextCodec* RtfReader::codecForCodePage(int codePage)
{
    if (codePage == 65001)
        return QTextCodec::codecForName("UTF-8");
    if (codePage == 10000)
        return QTextCodec::codecForName("Apple Roman");
    QByteArray const number = QByteArray::number(codePage);
    for (QByteArray const& prefix : {QByteArray("windows-"), QByteArray("CP"), QByteArray("IBM")}) {
        if (QTextCodec* const codec = QTextCodec::codecForName(prefix + number))
            return codec;
    }
    return QTextCodec::codecForName("windows-1252");
}

QTextCodec* RtfReader::codecForCharset(int charset) const
{
    switch (charset) {
    case 0:
    case 1:
        return m_defaultCodec;
    case 2:
        return QTextCodec::codecForName("ISO-8859-1");
    case 77:
        return codecForCodePage(10000);
    case 128:
        return codecForCodePage(932);
    case 129:
        return codecForCodePage(949);
    case 134:
        return codecForCodePage(936);
    case 136:
        return codecForCodePage(950);
    case 161:
        return codecForCodePage(1253);
    case 162:
        return codecForCodePage(1254);
    case 163:
        return codecForCodePage(1258);
    case 177:
        return codecForCodePage(1255);
    case 178:
        return codecForCodePage(1256);
    case 186:
        return codecForCodePage(1257);
    case 204:
        return codecForCodePage(1251);
    case 222:
        return codecForCodePage(874);
    case 238:
        return codecForCodePage(1250);
    case 255:
        return codecForCodePage(437);
    default:
        return m_defaultCodec;
    }
}

bool RtfReader::read(QByteArray const& data, QString* error)
{
    if (!data.startsWith("{\\rtf")) {
        *error = "the file is not an RTF document";
        return false;
    }
    m_cursor = QTextCursor(m_document);
    m_defaultCodec = codecForCodePage(1252);
    m_state = State();
    m_state.codec = m_defaultCodec;
    m_state.charFormat.setFontPointSize(12);
    m_stack.clear();

    bool ignorable = false;
    int const size = data.size();
    int i = 0;
    bool started = false;
    while (i < size) {
        char const c = data[i];
        if (c == '{') {
            flushBytes();
            m_skipChars = 0;
            if (m_stack.size() >= kMaxDepth) {
                *error = "the RTF document nests too deeply";
                return false;
            }
            beginGroup();
            started = true;
            ++i;
        } else if (c == '}') {
            flushBytes();
            m_skipChars = 0;
            endGroup();
            ++i;
            if (started && m_stack.isEmpty())
                break; // end of the document; anything after the last brace is not RTF
        } else if (c == '\\' && i + 1 < size) {
            char const next = data[i + 1];
            if ((next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z')) {
                int j = i + 1;
                while (j < size && j - i <= 32 &&
                       ((data[j] >= 'a' && data[j] <= 'z') || (data[j] >= 'A' && data[j] <= 'Z')))
                    ++j;
                QByteArray const word = data.mid(i + 1, j - i - 1);
                bool hasParam = false;
                bool negative = false;
                long long param = 0;
                if (j < size && data[j] == '-' && j + 1 < size && data[j + 1] >= '0' && data[j + 1] <= '9') {
                    negative = true;
                    ++j;
                }
                int digits = 0;
                while (j < size && data[j] >= '0' && data[j] <= '9') {
                    if (digits < 10)
                        param = param * 10 + (data[j] - '0');
                    ++digits;
                    ++j;
                }
                hasParam = digits > 0;
                if (negative)
                    param = -param;
                if (j < size && data[j] == ' ')
                    ++j;
                i = j;
                if (word == "bin" && hasParam) {
                    // Raw bytes follow; they belong to a picture or are skipped.
                    qint64 const count = qBound<qint64>(0, param, size - i);
                    if (m_state.destination == Destination::Picture)
                        m_pictureHex.append(data.mid(i, int(count)).toHex());
                    i += int(count);
                    continue;
                }
                if (m_skipChars > 0) {
                    --m_skipChars;
                    continue;
                }
                if (ignorable) {
                    ignorable = false;
                    if (word != "shppict") {
                        flushBytes();
                        m_state.destination = Destination::Skip;
                        continue;
                    }
                }
                controlWord(word, hasParam, int(qBound<long long>(INT_MIN, param, INT_MAX)));
            } else if (next == '\'') {
                if (i + 3 < size && isHexDigit(data[i + 2]) && isHexDigit(data[i + 3])) {
                    char const byte = char(hexValue(data[i + 2]) * 16 + hexValue(data[i + 3]));
                    if (m_skipChars > 0)
                        --m_skipChars;
                    else
                        textByte(byte);
                }
                i += 4;
            } else if (next == '\r' || next == '\n') {
                controlWord("par", false, 0);
                i += 2;
            } else {
                i += 2;
                if (m_skipChars > 0) {
                    --m_skipChars;
                    continue;
                }
                if (next == '*')
                    ignorable = true;
                else
                    controlSymbol(next);
            }
        } else if (c == '\r' || c == '\n') {
            ++i;
        } else {
            ++i;
            if (m_skipChars > 0) {
                --m_skipChars;
                continue;
            }
            if (c == '\t')
                controlWord("tab", false, 0);
            else
                textByte(c);
        }
    }
    flushBytes();
    QTextBlockFormat format = m_state.blockFormat;
    if (m_breakBefore && m_blockHasContent)
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    m_cursor.setBlockFormat(format);
    return true;
}

void RtfReader::beginGroup()
{
    m_stack.push_back(m_state);
}

void RtfReader::endGroup()
{
    if (m_stack.isEmpty())
        return;
    Destination const leaving = m_state.destination;
    if (leaving == Destination::FontTable)
        finishFontEntry();
    State const parent = m_stack.takeLast();
    if (leaving == Destination::Picture && parent.destination != Destination::Picture)
        finishPicture();
    bool const fontTableDone =
        leaving == Destination::FontTable && parent.destination != Destination::FontTable;
    m_state = parent;
    if (fontTableDone && m_fonts.contains(m_defaultFont)) {
        // The default font is known only now; the body inherits it.
        Font const& font = m_fonts[m_defaultFont];
        if (!font.family.isEmpty())
            m_state.charFormat.setFontFamily(font.family);
        m_state.codec = font.codec ? font.codec : m_defaultCodec;
        m_state.fontIndex = m_defaultFont;
    }
}

void RtfReader::controlWord(QByteArray const& word, bool hasParam, int param)
{
    flushBytes();
    Destination const destination = m_state.destination;
    if (destination == Destination::Skip)
        return;
    if (skippedDestinations().contains(word)) {
        m_state.destination = Destination::Skip;
        return;
    }
    if (destination == Destination::FontTable) {
        if (word == "f" && hasParam) {
            if (!m_fontName.isEmpty())
                finishFontEntry();
            m_fontEntryIndex = param;
            m_fontEntry = Font();
        } else if (word == "fcharset") {
            m_fontEntry.codec = codecForCharset(param);
        } else if (word == "cpg" && hasParam) {
            m_fontEntry.codec = codecForCodePage(param);
        }
        return;
    }
    if (destination == Destination::ColorTable) {
        if (word == "red")
            m_red = param;
        else if (word == "green")
            m_green = param;
        else if (word == "blue")
            m_blue = param;
        else
            return;
        m_colorSet = true;
        return;
    }
    if (destination == Destination::Picture) {
        if (word == "pngblip")
            m_pictureKind = "png";
        else if (word == "jpegblip")
            m_pictureKind = "jpeg";
        else if (word == "picwgoal")
            m_pictureGoalWidth = param;
        else if (word == "pichgoal")
            m_pictureGoalHeight = param;
        else if (word == "picscalex" && param > 0)
            m_pictureScaleX = param;
        else if (word == "picscaley" && param > 0)
            m_pictureScaleY = param;
        return;
    }

    QTextCharFormat& cf = m_state.charFormat;
    QTextBlockFormat& bf = m_state.blockFormat;
    bool const on = !hasParam || param != 0;
    if (word == "fonttbl") {
        m_state.destination = Destination::FontTable;
        m_fontName.clear();
        m_fontEntryIndex = -1;
    } else if (word == "colortbl") {
        m_state.destination = Destination::ColorTable;
        m_colors.clear();
        m_colorSet = false;
        m_red = m_green = m_blue = 0;
    } else if (word == "pict") {
        m_state.destination = Destination::Picture;
        m_pictureHex.clear();
        m_pictureKind.clear();
        m_pictureGoalWidth = m_pictureGoalHeight = 0;
        m_pictureScaleX = m_pictureScaleY = 100;
    } else if (word == "par" || word == "sect" || word == "row" || word == "nestrow") {
        endParagraph();
    } else if (word == "page") {
        pageBreak();
    } else if (word == "line") {
        appendText(QString(QChar::LineSeparator));
    } else if (word == "tab" || word == "cell" || word == "nestcell") {
        appendText(QStringLiteral("\t"));
    } else if (word == "u" && hasParam) {
        appendText(QString(QChar(ushort(param < 0 ? param + 65536 : param))));
        m_skipChars = m_state.unicodeSkip;
    } else if (word == "uc") {
        m_state.unicodeSkip = qMax(0, param);
    } else if (word == "ansicpg" && hasParam) {
        m_defaultCodec = codecForCodePage(param);
        if (m_state.fontIndex < 0)
            m_state.codec = m_defaultCodec;
    } else if (word == "mac") {
        m_defaultCodec = codecForCodePage(10000);
        m_state.codec = m_defaultCodec;
    } else if (word == "pc") {
        m_defaultCodec = codecForCodePage(437);
        m_state.codec = m_defaultCodec;
    } else if (word == "pca") {
        m_defaultCodec = codecForCodePage(850);
        m_state.codec = m_defaultCodec;
    } else if (word == "deff" && hasParam) {
        m_defaultFont = param;
    } else if (word == "f" && hasParam) {
        m_state.fontIndex = param;
        Font const font = m_fonts.value(param);
        if (!font.family.isEmpty())
            cf.setFontFamily(font.family);
        m_state.codec = font.codec ? font.codec : m_defaultCodec;
    } else if (word == "fs" && hasParam && param > 0) {
        // Word's own limit; a larger size only makes one letter fill many pages.
        cf.setFontPointSize(qMin(param / 2.0, kMaxFontPoints));
    } else if (word == "b") {
        cf.setFontWeight(on ? QFont::Bold : QFont::Normal);
    } else if (word == "i") {
        cf.setFontItalic(on);
    } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw") {
        cf.setFontUnderline(on);
    } else if (word == "ulnone") {
        cf.setFontUnderline(false);
    } else if (word == "strike") {
        cf.setFontStrikeOut(on);
    } else if (word == "super") {
        cf.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    } else if (word == "sub") {
        cf.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    } else if (word == "nosupersub") {
        cf.setVerticalAlignment(QTextCharFormat::AlignNormal);
    } else if (word == "cf") {
        QColor const color = m_colors.value(param);
        if (color.isValid())
            cf.setForeground(color);
        else
            cf.clearForeground();
    } else if (word == "cb" || word == "highlight" || word == "chcbpat") {
        QColor const color = m_colors.value(param);
        if (color.isValid() && param > 0)
            cf.setBackground(color);
        else
            cf.clearBackground();
    } else if (word == "plain") {
        cf = QTextCharFormat();
        cf.setFontPointSize(12);
        Font const font = m_fonts.value(m_defaultFont);
        if (!font.family.isEmpty())
            cf.setFontFamily(font.family);
        m_state.codec = font.codec ? font.codec : m_defaultCodec;
        m_state.fontIndex = m_defaultFont;
    } else if (word == "pard") {
        bf = QTextBlockFormat();
    } else if (word == "ql") {
        bf.setAlignment(Qt::AlignLeft);
    } else if (word == "qr") {
        bf.setAlignment(Qt::AlignRight);
    } else if (word == "qc") {
        bf.setAlignment(Qt::AlignHCenter);
    } else if (word == "qj") {
        bf.setAlignment(Qt::AlignJustify);
    } else if (word == "li") {
        bf.setLeftMargin(twips(param));
    } else if (word == "ri") {
        bf.setRightMargin(twips(param));
    } else if (word == "fi") {
        bf.setTextIndent(twips(param));
    } else if (word == "sb") {
        bf.setTopMargin(twips(param));
    } else if (word == "sa") {
        bf.setBottomMargin(twips(param));
    } else if (word == "emdash") {
        appendText(QString(QChar(0x2014)));
    } else if (word == "endash") {
        appendText(QString(QChar(0x2013)));
    } else if (word == "bullet") {
        appendText(QString(QChar(0x2022)));
    } else if (word == "lquote") {
        appendText(QString(QChar(0x2018)));
    } else if (word == "rquote") {
        appendText(QString(QChar(0x2019)));
    } else if (word == "ldblquote") {
        appendText(QString(QChar(0x201C)));
    } else if (word == "rdblquote") {
        appendText(QString(QChar(0x201D)));
    } else if (word == "emspace" || word == "enspace" || word == "qmspace") {
        appendText(QStringLiteral(" "));
    }
}

void RtfReader::controlSymbol(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        textByte(symbol);
        break;
    case '~':
        flushBytes();
        appendText(QString(QChar(0x00A0)));
        break;
    case '_':
        flushBytes();
        appendText(QString(QChar(0x2011)));
        break;
    default: // optional hyphen, index entries and the like
        break;
    }
}

void RtfReader::textByte(char byte)
{
    switch (m_state.destination) {
    case Destination::Text:
        if (m_state.codec != m_pendingCodec)
            flushBytes();
        m_pendingCodec = m_state.codec;
        m_pendingBytes.append(byte);
        break;
    case Destination::FontTable:
        if (byte == ';')
            finishFontEntry();
        else
            m_fontName.append(byte);
        break;
    case Destination::ColorTable:
        if (byte == ';') {
            m_colors.append(m_colorSet ? QColor(m_red, m_green, m_blue) : QColor());
            m_colorSet = false;
            m_red = m_green = m_blue = 0;
        }
        break;
    case Destination::Picture:
        if (isHexDigit(byte))
            m_pictureHex.append(byte);
        break;
    case Destination::Skip:
        break;
    }
}

void RtfReader::flushBytes()
{
    if (m_pendingBytes.isEmpty())
        return;
    QTextCodec* const codec = m_pendingCodec ? m_pendingCodec : m_defaultCodec;
    QString const text = codec->toUnicode(m_pendingBytes);
    m_pendingBytes.clear();
    appendText(text);
}

void RtfReader::appendText(QString const& text)
{
    if (m_state.destination != Destination::Text || text.isEmpty())
        return;
    m_cursor.insertText(text, m_state.charFormat);
    m_blockHasContent = true;
}

void RtfReader::endParagraph()
{
    QTextBlockFormat format = m_state.blockFormat;
    if (m_breakBefore)
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    m_cursor.setBlockFormat(format);
    m_cursor.insertBlock(m_state.blockFormat, m_state.charFormat);
    m_breakBefore = false;
    m_blockHasContent = false;
}

void RtfReader::pageBreak()
{
    endParagraph();
    m_breakBefore = true;
}

void RtfReader::finishFontEntry()
{
    if (m_fontEntryIndex < 0) {
        m_fontName.clear();
        return;
    }
    QTextCodec* const codec = m_fontEntry.codec ? m_fontEntry.codec : m_defaultCodec;
    m_fontEntry.family = codec->toUnicode(m_fontName).trimmed();
    m_fonts[m_fontEntryIndex] = m_fontEntry;
    m_fontName.clear();
    m_fontEntryIndex = -1;
    m_fontEntry = Font();
}

void RtfReader::finishPicture()
{
    if (m_pictureKind.isEmpty() || m_pictureHex.isEmpty())
        return;
    // Placed as stored; the size limit is the one web pages get.
    QImage const image = ImageObjectHandler::decode(QByteArray::fromHex(m_pictureHex), false);
    m_pictureHex.clear();
    if (image.isNull())
        return;
    QUrl const name(QStringLiteral("rtfpicture:%1").arg(++m_pictures));
    m_document->addResource(QTextDocument::ImageResource, name, image);
    QTextImageFormat format;
    format.setName(name.toString());
    if (m_pictureGoalWidth > 0 && m_pictureGoalHeight > 0) {
        // In floating point: a goal size times its scale is beyond any integer.
        format.setWidth(qreal(m_pictureGoalWidth) * m_pictureScaleX / 100.0 / kTwipsPerLayoutPixel);
        format.setHeight(qreal(m_pictureGoalHeight) * m_pictureScaleY / 100.0 / kTwipsPerLayoutPixel);
    }
    m_cursor.insertImage(format);
    m_blockHasContent = true;
}

} // namespace docrender

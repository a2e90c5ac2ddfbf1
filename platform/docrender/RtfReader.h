#pragma once

#include <QByteArray>
#include <QColor>
#include <QMap>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVector>

class QTextCodec;
class QTextDocument;

namespace docrender {

// Reads RTF into a text document: paragraphs, character formatting, fonts and their code pages,
// colours, Unicode escapes, page breaks and PNG/JPEG pictures. Tables come out as tab-separated
// lines; headers, footers, footnotes and field instructions are left out.
class RtfReader
{
public:
    explicit RtfReader(QTextDocument* document);
    bool read(QByteArray const& data, QString* error);

private:
    enum class Destination
    {
        Text,
        Skip,
        FontTable,
        ColorTable,
        Picture
    };

    struct State
    {
        QTextCharFormat charFormat;
        QTextBlockFormat blockFormat;
        Destination destination = Destination::Text;
        QTextCodec* codec = nullptr;
        int unicodeSkip = 1;
        int fontIndex = -1;
    };

    struct Font
    {
        QString family;
        QTextCodec* codec = nullptr;
    };

    void controlWord(QByteArray const& word, bool hasParam, int param);
    void controlSymbol(char symbol);
    void textByte(char byte);
    void appendText(QString const& text);
    void flushBytes();
    void endParagraph();
    void pageBreak();
    void beginGroup();
    void endGroup();
    void finishFontEntry();
    void finishPicture();
    QTextCodec* codecForCharset(int charset) const;
    static QTextCodec* codecForCodePage(int codePage);

    QTextDocument* m_document;
    QTextCursor m_cursor;
    QVector<State> m_stack;
    State m_state;
    QByteArray m_pendingBytes;
    QTextCodec* m_pendingCodec = nullptr;
    QTextCodec* m_defaultCodec = nullptr;
    int m_defaultFont = -1;
    int m_skipChars = 0;
    QMap<int, Font> m_fonts;
    Font m_fontEntry;
    int m_fontEntryIndex = -1;
    QByteArray m_fontName;
    QVector<QColor> m_colors;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colorSet = false;
    QByteArray m_pictureHex;
    QByteArray m_pictureKind;
    int m_pictureGoalWidth = 0;
    int m_pictureGoalHeight = 0;
    int m_pictureScaleX = 100;
    int m_pictureScaleY = 100;
    int m_pictures = 0;
    bool m_breakBefore = false;
    bool m_blockHasContent = false;
};

} // namespace docrender

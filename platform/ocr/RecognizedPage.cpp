#include "ocr/RecognizedPage.h"

namespace docquill::ocr {

namespace {

// Scripts written without spaces between words, and the full-width punctuation that sits
// directly against its neighbours.
bool isUnspacedScript(uint c)
{
    return (c >= 0x2E80 && c <= 0x2FDF)       // radicals
           || (c >= 0x3040 && c <= 0x31FF)    // kana, bopomofo
           || (c >= 0x3400 && c <= 0x4DBF)    // Han extension A
           || (c >= 0x4E00 && c <= 0x9FFF)    // Han
           || (c >= 0xF900 && c <= 0xFAFF)    // Han compatibility
           || (c >= 0x20000 && c <= 0x3FFFF); // Han supplementary planes
}

bool isWidePunctuation(uint c)
{
    return (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF00 && c <= 0xFF65);
}

uint firstCodePoint(QString const& s)
{
    if (s.isEmpty())
        return 0;
    if (s.size() > 1 && s.at(0).isHighSurrogate() && s.at(1).isLowSurrogate())
        return QChar::surrogateToUcs4(s.at(0), s.at(1));
    return s.at(0).unicode();
}

uint lastCodePoint(QString const& s)
{
    int const n = s.size();
    if (n == 0)
        return 0;
    if (n > 1 && s.at(n - 1).isLowSurrogate() && s.at(n - 2).isHighSurrogate())
        return QChar::surrogateToUcs4(s.at(n - 2), s.at(n - 1));
    return s.at(n - 1).unicode();
}

} // namespace

bool joinsWithoutSpace(QString const& before, QString const& after)
{
    uint const a = lastCodePoint(before);
    uint const b = firstCodePoint(after);
    if (isWidePunctuation(a) || isWidePunctuation(b))
        return true;
    return isUnspacedScript(a) && isUnspacedScript(b);
}

QSizeF RecognizedPage::pointSize() const
{
    if (dpi <= 0)
        return {};
    return QSizeF(imageSize.width() * 72.0 / dpi, imageSize.height() * 72.0 / dpi);
}

bool RecognizedPage::spaceAfter(int wordIndex) const
{
    if (wordIndex < 0 || wordIndex + 1 >= words.size())
        return false;
    RecognizedWord const& word = words.at(wordIndex);
    RecognizedWord const& next = words.at(wordIndex + 1);
    return word.line == next.line && !joinsWithoutSpace(word.text, next.text);
}

void RecognizedPage::composeText()
{
    text.clear();
    for (int i = 0; i < lines.size(); ++i) {
        RecognizedLine const& line = lines.at(i);
        if (i > 0 && line.paragraph != lines.at(i - 1).paragraph)
            text += QLatin1Char('\n');
        for (int w = line.firstWord; w < line.firstWord + line.wordCount; ++w) {
            text += words.at(w).text;
            if (spaceAfter(w))
                text += QLatin1Char(' ');
        }
        text += QLatin1Char('\n');
    }
}

} // namespace docquill::ocr

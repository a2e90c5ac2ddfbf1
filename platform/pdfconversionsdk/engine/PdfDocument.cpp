#include "PdfDocument.h"

#include "JobSink.h"
#include "PageStyles.h"
#include "layout/FontTraits.h"
#include "layout/LayoutAnalyzer.h"
#include "layout/ScriptOrder.h"

#include <ocr/PdfPassword.h>

#include <pdfconv/base/ResultCode.h>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <map>
#include <mutex>

namespace pdfconv {
namespace engine {

namespace {

std::mutex g_sinkMutex;
JobSink* g_sink = nullptr;
int g_messageBudget = 0;
// Messages raised on this thread while a document opens; they tell an unsupported
// security handler from a wrong password, which poppler reports alike.
thread_local QStringList* t_openMessages = nullptr;

void popplerMessage(std::string const& message, void*)
{
    QString const text = QString::fromUtf8(message.data(), int(message.size())).trimmed();
    if (t_openMessages && t_openMessages->size() < 50)
        t_openMessages->append(text);
    std::lock_guard<std::mutex> lock(g_sinkMutex);
    if (g_sink && g_messageBudget > 0) {
        --g_messageBudget;
        g_sink->log(true, QStringLiteral("poppler: ") + text);
    }
}

// The pages whose text is being read without care, with when each reading started.
std::mutex g_readingMutex;
std::map<int, std::chrono::steady_clock::time_point> g_readings;

class ReadingClock
{
public:
    explicit ReadingClock(int page) : m_page(page)
    {
        std::lock_guard<std::mutex> lock(g_readingMutex);
        g_readings[page] = std::chrono::steady_clock::now();
    }
    ~ReadingClock()
    {
        std::lock_guard<std::mutex> lock(g_readingMutex);
        g_readings.erase(m_page);
    }
    ReadingClock(ReadingClock const&) = delete;
    ReadingClock& operator=(ReadingClock const&) = delete;

private:
    int m_page;
};

// Tells the sink that a page was read, however its reading ends.
class PageRead
{
public:
    explicit PageRead(int page) : m_page(page) {}
    ~PageRead() { PdfDocument::pageRead(m_page); }
    PageRead(PageRead const&) = delete;
    PageRead& operator=(PageRead const&) = delete;

private:
    int m_page;
};

} // namespace

void PdfDocument::pageRead(int page)
{
    std::lock_guard<std::mutex> lock(g_sinkMutex);
    if (g_sink)
        g_sink->pageRead(page);
}

void PdfDocument::routeMessages(JobSink* sink)
{
    std::lock_guard<std::mutex> lock(g_sinkMutex);
    g_sink = sink;
    g_messageBudget = 300;
    poppler::set_debug_error_function(popplerMessage, nullptr);
}

PdfDocument::Opened PdfDocument::open(QString const& path, std::string const& password)
{
    Opened result;
    QFileInfo const info(path);
    QFile file(path);
    if (path.isEmpty() || !info.isFile() || !file.open(QIODevice::ReadOnly)) {
        result.code = base::FileNotFound;
        result.reason = QStringLiteral("cannot read the input file");
        return result;
    }
    // poppler accepts a header anywhere in the first kilobyte, as readers do.
    QByteArray const head = file.read(1024);
    file.close();
    if (!head.contains("%PDF-")) {
        result.code = base::NotPdf;
        result.reason = head.isEmpty() ? QStringLiteral("the file is empty")
                                       : QStringLiteral("the file has no PDF header");
        return result;
    }

    QStringList messages;
    t_openMessages = &messages;
    try {
        std::string const file = QFile::encodeName(path).toStdString();
        for (std::string const& form :
             docquill::ocr::PdfPassword::forms(QByteArray::fromStdString(password))) {
            result.document.reset(poppler::document::load_from_file(file, form, form));
            result.password = form;
            if (!result.document || !result.document->is_locked())
                break;
        }
    } catch (std::bad_alloc const&) {
        t_openMessages = nullptr;
        result.code = base::OutOfMemory;
        result.reason = QStringLiteral("out of memory while opening");
        return result;
    }
    t_openMessages = nullptr;

    if (!result.document) {
        result.code = base::NotPdf;
        result.reason = QStringLiteral("the PDF cannot be read: ") + messages.join(QStringLiteral("; "));
        return result;
    }
    if (result.document->is_locked()) {
        bool unsupported = false;
        for (auto const& m : messages)
            unsupported = unsupported || m.contains(QLatin1String("security handler"), Qt::CaseInsensitive) ||
                          m.contains(QLatin1String("unsupported"), Qt::CaseInsensitive);
        result.code = unsupported ? base::SecurityError : base::PasswordError;
        result.reason = unsupported ? QStringLiteral("unsupported security handler: ") +
                                          messages.join(QStringLiteral("; "))
                                    : QStringLiteral("the password is missing or wrong");
        result.document.reset();
        return result;
    }
    result.pageCount = result.document->pages();
    if (result.pageCount <= 0) {
        result.code = base::NotPdf;
        result.reason = QStringLiteral("the document has no pages");
        result.document.reset();
    }
    return result;
}

QSizeF PdfDocument::pageSize(poppler::page const& page)
{
    poppler::rectf const r = page.page_rect(poppler::crop_box);
    QSizeF size(r.width(), r.height());
    if (page.orientation() == poppler::page::landscape || page.orientation() == poppler::page::seascape)
        size.transpose();
    return size;
}

namespace {

// poppler joins a superscript or subscript to the word it touches ("CO2", "m2"): glyphs
// clearly smaller than the rest of the word become words of their own.
void splitScripts(poppler::text_box const& b, layout::Word& w, QVector<layout::Word>& words)
{
    int const n = w.text.size();
    if (n < 2 || w.rotation != 0) {
        words.push_back(std::move(w));
        return;
    }
    QVector<QRectF> chars(n);
    double tallest = 0;
    for (int i = 0; i < n; ++i) {
        poppler::rectf const r = b.char_bbox(size_t(i));
        chars[i] = QRectF(r.x(), r.y(), r.width(), r.height());
        tallest = std::max(tallest, chars[i].height());
    }
    auto const small = [&](int i) { return chars[i].height() < 0.75 * tallest; };
    bool mixed = false;
    for (int i = 1; i < n; ++i)
        mixed = mixed || small(i) != small(0);
    if (!mixed || tallest <= 0) {
        words.push_back(std::move(w));
        return;
    }
    int start = 0;
    for (int i = 1; i <= n; ++i) {
        if (i < n && small(i) == small(start))
            continue;
        layout::Word part = w;
        part.text = w.text.mid(start, i - start);
        QRectF box;
        double height = 0;
        for (int k = start; k < i; ++k) {
            box = box.isNull() ? chars[k] : box.united(chars[k]);
            height = std::max(height, chars[k].height());
        }
        part.box = box;
        part.fontSize = w.fontSize * height / tallest;
        part.spaceAfter = i == n && w.spaceAfter;
        words.push_back(part);
        start = i;
    }
}

// Where a lam and an alef share one glyph (the PDF library splits a glyph of two letters into
// two halves): the lam's index. With the page's lam-alef glyphs known, the two letters meet
// inside one of them; otherwise their halves must be equal, and a lam and alef that end the
// word as drawn (the article, its alef rightmost) count as letters of their own.
QVector<int> ligaturePairs(poppler::text_box const& b, QString const& text, QVector<QRectF> const* glyphs)
{
    QVector<int> pairs;
    for (int i = 0; i + 1 < text.size(); ++i) {
        ushort const alef = text.at(i + 1).unicode();
        if (text.at(i).unicode() != 0x0644 ||
            (alef != 0x0627 && alef != 0x0623 && alef != 0x0625 && alef != 0x0622))
            continue;
        poppler::rectf const lam = b.char_bbox(size_t(i));
        poppler::rectf const next = b.char_bbox(size_t(i + 1));
        if (glyphs) {
            double const meet = lam.x() + lam.width();
            double const middle = lam.y() + lam.height() / 2;
            for (QRectF const& g : *glyphs)
                if (meet > g.left() + 0.25 * g.width() && meet < g.right() - 0.25 * g.width() &&
                    middle > g.top() && middle < g.bottom()) {
                    pairs << i;
                    break;
                }
            continue;
        }
        bool article = true;
        for (int k = i + 2; k < text.size(); ++k)
            article = article && !text.at(k).isLetter();
        if (article)
            continue;
        if (lam.width() > 0 && std::abs(lam.width() - next.width()) < 0.005 &&
            std::abs(lam.x() + lam.width() - next.x()) < 0.005 && std::abs(lam.y() - next.y()) < 0.005)
            pairs << i;
    }
    return pairs;
}

} // namespace

QVector<layout::Word> PdfDocument::readWords(poppler::page const& page, QVector<QRectF> const* lamAlefGlyphs)
{
    std::vector<poppler::text_box> boxes = page.text_list(poppler::page::text_list_include_font);
    QVector<layout::Word> words;
    words.reserve(int(boxes.size()));
    QHash<QByteArray, layout::FontTraits> fonts;
    QVector<QPair<int, int>> ligatures; // word, letter
    for (auto const& b : boxes) {
        layout::Word w;
        poppler::ustring const text = b.text();
        w.text = QString::fromUtf16(reinterpret_cast<char16_t const*>(text.data()), int(text.size()));
        poppler::rectf const r = b.bbox();
        w.box = QRectF(r.x(), r.y(), r.width(), r.height());
        w.rotation = b.rotation() & 3;
        w.spaceAfter = b.has_space_after();
        if (b.has_font_info()) {
            w.fontSize = b.get_font_size();
            QByteArray const name = QByteArray::fromStdString(b.get_font_name());
            auto it = fonts.find(name);
            if (it == fonts.end())
                it = fonts.insert(name, layout::FontTraits::fromPdfName(QString::fromLatin1(name)));
            w.fontName = it->name;
            w.fontFamily = it->family;
            w.bold = it->bold;
            w.italic = it->italic;
            w.monospace = it->monospace;
            w.serif = it->serif;
        }
        int const before = words.size();
        QVector<int> const pairs = ligaturePairs(b, w.text, lamAlefGlyphs);
        splitScripts(b, w, words);
        if (words.size() == before + 1)
            for (int i : pairs)
                ligatures.push_back({before, i});
    }
    // A lam-alef ligature gives its two letters in reading order while the word around it
    // stands as drawn: they turn round with the word unless put as drawn first.
    if (!ligatures.isEmpty() && layout::ScriptOrder::drawnRightToLeft(words))
        for (auto const& at : ligatures) {
            QString& text = words[at.first].text;
            QChar const lam = text.at(at.second);
            text[at.second] = text.at(at.second + 1);
            text[at.second + 1] = lam;
        }
    layout::ScriptOrder::toLogical(words);
    return words;
}

layout::PageLayout PdfDocument::readLayout(poppler::page const& page, int pageIndex, bool careful,
                                           bool tables, QVector<QLineF> const& rulings, PageStyles* styles,
                                           QVector<layout::Rule> const& rulingStyles,
                                           QVector<QRectF> const* lamAlefGlyphs)
{
    PageRead const read(pageIndex);
    QSizeF const size = pageSize(page);
    auto const analyze = [&](QVector<layout::Word> list) {
        if (styles)
            styles->styleWords(list);
        layout::PageLayout layout =
            tables ? layout::LayoutAnalyzer::analyzeWithTables(list, size, pageIndex, rulings, rulingStyles)
                   : layout::LayoutAnalyzer::analyze(list, size, pageIndex);
        if (styles)
            styles->styleLayout(layout);
        return layout;
    };
    if (!careful) {
        ReadingClock const clock(pageIndex);
        return analyze(readWords(page, lamAlefGlyphs));
    }
    // Text in the order it is drawn costs less even for a page of many thousand words, and
    // tells how many there are before the full reading starts.
    poppler::ustring const raw = page.text(poppler::rectf(), poppler::page::raw_order_layout);
    QString const text = QString::fromUtf16(reinterpret_cast<char16_t const*>(raw.data()), int(raw.size()));
    int words = 0;
    bool inWord = false;
    for (QChar c : text) {
        bool const space = c.isSpace();
        words += !space && !inWord ? 1 : 0;
        inWord = !space;
    }
    if (words > kMaxLayoutWords) {
        QStringList lines = text.split(QRegularExpression(QStringLiteral("[\\n\\f]")));
        for (auto& line : lines)
            line = line.simplified();
        return layout::LayoutAnalyzer::plainText(lines, size, pageIndex);
    }
    return analyze(readWords(page, lamAlefGlyphs));
}

int PdfDocument::longestReading(qint64* elapsedMs)
{
    std::lock_guard<std::mutex> lock(g_readingMutex);
    int page = -1;
    auto oldest = std::chrono::steady_clock::time_point::max();
    for (auto const& reading : g_readings)
        if (reading.second < oldest) {
            oldest = reading.second;
            page = reading.first;
        }
    *elapsedMs =
        page < 0
            ? 0
            : std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - oldest)
                  .count();
    return page;
}

} // namespace engine
} // namespace pdfconv

#include "ocr/TextRecognizer.h"

#include "ocr/OcrModel.h"

#include <QPainter>
#include <QTransform>

#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <new>
#include <vector>

namespace docquill::ocr {

namespace {

// Tesseract keeps box coordinates in 16-bit integers.
int const kMaxImageSide = 32000;

bool cancelRequested(void* flag, int)
{
    return static_cast<std::atomic_bool const*>(flag)->load();
}

QString takeText(char* text)
{
    QString result = text ? QString::fromUtf8(text) : QString();
    delete[] text;
    // The engine marks words read against the line's direction with left-to-right and
    // right-to-left marks: left in a word, they keep a search for the word from finding it.
    result.remove(QChar(0x200E)).remove(QChar(0x200F));
    return result.trimmed();
}

QRectF toPoints(QRect const& r, int dpi)
{
    qreal const k = 72.0 / dpi;
    return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
}

// A line read with less confidence than this may be in another script; the other reading
// replaces it when it is at least this sure and clearly surer.
double const kSureLine = 75;
double const kGoodLine = 80;
double const kClearlyBetter = 10;

// A measured skew smaller than this is left as it is; one this sure or less is no measure.
double const kLeastSkewDegrees = 0.1;
float const kLeastSkewConfidence = 3.0f;

// How far the page's text lines turn clockwise, in degrees; 0 when they are level or the
// measure is unsure (few lines, pictures).
double skewOf(QImage const& gray)
{
    PIX* pix = pixCreate(gray.width(), gray.height(), 1);
    if (!pix)
        return 0;
    l_uint32* const data = pixGetData(pix);
    int const wordsPerLine = pixGetWpl(pix);
    for (int y = 0; y < gray.height(); ++y) {
        uchar const* source = gray.constScanLine(y);
        l_uint32* const line = data + size_t(y) * size_t(wordsPerLine);
        for (int x = 0; x < gray.width(); ++x) {
            if (source[x] < 128)
                SET_DATA_BIT(line, x);
        }
    }
    l_float32 angle = 0, confidence = 0;
    bool const measured = pixFindSkew(pix, &angle, &confidence) == 0;
    pixDestroy(&pix);
    if (!measured || confidence < kLeastSkewConfidence || std::abs(angle) < kLeastSkewDegrees)
        return 0;
    return angle;
}

// The page turned by degrees clockwise onto paper large enough for all of it; toOriginal maps
// its pixels back onto the page.
QImage turned(QImage const& gray, double degrees, QTransform& toOriginal)
{
    QTransform turn;
    turn.rotate(degrees);
    QRect const bounds = turn.mapRect(QRectF(QPointF(0, 0), QSizeF(gray.size()))).toAlignedRect();
    QTransform const forward = turn * QTransform::fromTranslate(-bounds.left(), -bounds.top());
    QImage result(bounds.size(), QImage::Format_Grayscale8);
    result.fill(255);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(forward);
    painter.drawImage(0, 0, gray);
    painter.end();
    toOriginal = forward.inverted();
    return result;
}

QRect mappedBox(QTransform const& transform, QRect const& box)
{
    QRect result(QPoint(0, 0), box.size());
    result.moveCenter(transform.map(QRectF(box).center()).toPoint());
    return result;
}

// Moves what was read on a straightened page back onto the page as it is: each box keeps its
// size around its mapped centre, each baseline takes the page's slant again.
void mapToOriginal(RecognizedPage& page, QTransform const& toOriginal, QSize const& size, int dpi)
{
    page.imageSize = size;
    for (RecognizedLine& line : page.lines) {
        line.pixelRect = mappedBox(toOriginal, line.pixelRect);
        line.pointRect = toPoints(line.pixelRect, dpi);
        line.pixelBaseline = toOriginal.map(line.pixelBaseline);
    }
    for (RecognizedWord& word : page.words) {
        word.pixelRect = mappedBox(toOriginal, word.pixelRect);
        word.pointRect = toPoints(word.pixelRect, dpi);
    }
}

// A word's box that reaches over its neighbour in the line (Arabic words read as one block of
// lines come with boxes twice their width) ends where the neighbour begins: placed over the
// page, such boxes put the words of a text layer into one another.
void keepWordsApart(RecognizedPage& page, RecognizedLine const& line)
{
    for (int i = line.firstWord + 1; i < line.firstWord + line.wordCount; ++i) {
        RecognizedWord& a = page.words[i - 1];
        RecognizedWord& b = page.words[i];
        bool const leftward = b.pixelRect.center().x() < a.pixelRect.center().x();
        RecognizedWord& left = leftward ? b : a;
        RecognizedWord& right = leftward ? a : b;
        if (left.pixelRect.right() < right.pixelRect.left())
            continue;
        // The wider box gives way.
        if (left.pixelRect.width() >= right.pixelRect.width()) {
            if (right.pixelRect.left() - 1 > left.pixelRect.left())
                left.pixelRect.setRight(right.pixelRect.left() - 1);
        } else if (left.pixelRect.right() + 1 < right.pixelRect.right()) {
            right.pixelRect.setLeft(left.pixelRect.right() + 1);
        }
        left.pointRect = toPoints(left.pixelRect, page.dpi);
        right.pointRect = toPoints(right.pixelRect, page.dpi);
    }
}

// Dark specks of this many pixels at 300 dpi or fewer, touching no other ink, are dust or toner:
// the page analysis reads them as letters and marks, most where its own noise filter is off.
int const kSpeckPixels = 4;
// A page darker than this share is a picture, no page of text with specks on it.
double const kMostInk = 0.2;

void removeSpecks(QImage& gray, int dpi)
{
    int const largest = std::max(1, int(kSpeckPixels * (dpi / 300.0) * (dpi / 300.0)));
    int const width = gray.width(), height = gray.height();
    uchar* const bits = gray.bits();
    if (!bits)
        return;
    size_t const stride = size_t(gray.bytesPerLine());
    auto pixel = [&](int x, int y) -> uchar& { return bits[size_t(y) * stride + size_t(x)]; };
    qint64 dark = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            dark += pixel(x, y) < 128 ? 1 : 0;
    }
    if (dark == 0 || dark > kMostInk * width * height)
        return;
    std::vector<bool> seen(size_t(width) * size_t(height), false);
    std::vector<QPoint> stack, speck;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (pixel(x, y) >= 128 || seen[size_t(y) * size_t(width) + size_t(x)])
                continue;
            // The whole of the ink this pixel belongs to, eight ways connected.
            seen[size_t(y) * size_t(width) + size_t(x)] = true;
            stack.assign(1, QPoint(x, y));
            speck.clear();
            int size = 0;
            while (!stack.empty()) {
                QPoint const p = stack.back();
                stack.pop_back();
                if (++size <= largest)
                    speck.push_back(p);
                for (int ny = std::max(0, p.y() - 1); ny <= std::min(height - 1, p.y() + 1); ++ny) {
                    for (int nx = std::max(0, p.x() - 1); nx <= std::min(width - 1, p.x() + 1); ++nx) {
                        size_t const at = size_t(ny) * size_t(width) + size_t(nx);
                        if (!seen[at] && pixel(nx, ny) < 128) {
                            seen[at] = true;
                            stack.push_back(QPoint(nx, ny));
                        }
                    }
                }
            }
            if (size <= largest) {
                for (QPoint const& p : speck)
                    pixel(p.x(), p.y()) = 255;
            }
        }
    }
}

// Large print is read smaller: the engine's page analysis joins and splits the words of letters
// much taller than ordinary print at 300 dpi. A page whose small letters are typically taller
// than this many pixels is read again with them this tall.
double const kLargeXHeight = 34;
double const kUsualXHeight = 26;

// The page made smaller by scale (below 1), each pixel the mean of the pixels it covers.
QImage shrunk(QImage const& gray, double scale)
{
    int const width = std::max(1, int(gray.width() * scale)),
              height = std::max(1, int(gray.height() * scale));
    QImage result(width, height, QImage::Format_Grayscale8);
    if (result.isNull())
        return result;
    // A pixel of the page falls into at most two columns (and two rows) of the result: its
    // column and the share of it that falls there.
    std::vector<int> column(size_t(gray.width()));
    std::vector<float> share(size_t(gray.width()));
    for (int x = 0; x < gray.width(); ++x) {
        double const from = x * scale;
        int const c = int(from);
        column[size_t(x)] = c;
        share[size_t(x)] = c + 1 >= from + scale ? 1.f : float((c + 1 - from) / scale);
    }
    // Sums for the row being filled and the one after it; the last pixels of a row may fall
    // past the last whole column, into two more.
    std::vector<float> sums(size_t(2 * (width + 2)), 0.f);
    float* current = sums.data();
    float* next = current + width + 2;
    float const area = float(scale * scale);
    int row = 0;
    auto finish = [&] {
        if (row < height) {
            uchar* line = result.scanLine(row);
            for (int c = 0; c < width; ++c)
                line[c] = uchar(std::clamp(int(current[c] * area + 0.5f), 0, 255));
        }
        std::swap(current, next);
        std::fill(next, next + width + 2, 0.f);
        ++row;
    };
    for (int y = 0; y < gray.height(); ++y) {
        double const from = y * scale;
        int const r = int(from);
        float const upper = r + 1 >= from + scale ? 1.f : float((r + 1 - from) / scale);
        while (row < r)
            finish();
        uchar const* source = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x) {
            float const value = source[x];
            int const c = column[size_t(x)];
            float const left = value * share[size_t(x)], right = value - left;
            current[c] += left * upper;
            current[c + 1] += right * upper;
            next[c] += left * (1 - upper);
            next[c + 1] += right * (1 - upper);
        }
    }
    while (row < height)
        finish();
    return result;
}

QRect enlarged(QRect const& r, double factor)
{
    return QRect(qRound(r.x() * factor), qRound(r.y() * factor), qRound(r.width() * factor),
                 qRound(r.height() * factor));
}

// What was read on a page made smaller by scale, moved onto the page at its own size.
void enlarge(RecognizedPage& page, double scale, QSize const& size, int dpi)
{
    double const factor = 1 / scale;
    page.imageSize = size;
    page.dpi = dpi;
    for (RecognizedLine& line : page.lines) {
        line.pixelRect = enlarged(line.pixelRect, factor);
        line.pointRect = toPoints(line.pixelRect, dpi);
        line.pixelBaseline = QLineF(line.pixelBaseline.p1() * factor, line.pixelBaseline.p2() * factor);
        line.xHeight *= factor;
    }
    for (RecognizedWord& word : page.words) {
        word.pixelRect = enlarged(word.pixelRect, factor);
        word.pointRect = toPoints(word.pixelRect, dpi);
    }
}

} // namespace

void TextRecognizer::limitLibraryThreads()
{
    // libgomp reads OMP_THREAD_LIMIT once, while the libraries load and before any code of
    // ours runs. Allowing no active parallel region has the same effect and can be set now,
    // but it is a setting of the calling thread: every thread that drives an engine sets it.
    // Without it, each engine starts a team of threads per network layer and parallel engines
    // slow each other down by orders of magnitude.
    using SetLevels = void (*)(int);
    static SetLevels const setLevels =
        reinterpret_cast<SetLevels>(dlsym(RTLD_DEFAULT, "omp_set_max_active_levels"));
    if (setLevels)
        setLevels(0);

    static std::once_flag once;
    std::call_once(once, [] {
        // Tesseract's diagnostics ("Empty page!!") go to its debug file, a process-wide setting
        // that is safe to change only before engines run.
        tesseract::TessBaseAPI quiet;
        quiet.SetVariable("debug_file", "/dev/null");
    });
}

QImage TextRecognizer::grayscale(QImage const& image)
{
    if (image.format() == QImage::Format_Grayscale8)
        return image;
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_Grayscale8);
    // Transparent areas would turn black; a scan's background is paper.
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    return flat.convertToFormat(QImage::Format_Grayscale8);
}

TextRecognizer::TextRecognizer() = default;

TextRecognizer::~TextRecognizer() = default;

bool TextRecognizer::start(OcrModel const& model, int sdkLanguage)
{
    QString const spec = model.languageSpec(sdkLanguage);
    if (spec.isEmpty()) {
        m_started = false;
        m_error = QStringLiteral("language number %1 is not available in the model").arg(sdkLanguage);
        return false;
    }
    return start(model, spec);
}

bool TextRecognizer::start(OcrModel const& model, QString const& languageSpec)
{
    m_started = false;
    m_languageSpec.clear();
    if (!model.supports(languageSpec)) {
        m_error = QStringLiteral("language \"%1\" is not available in the model").arg(languageSpec);
        return false;
    }
    limitLibraryThreads();
    try {
        if (m_api)
            m_api->End();
        else
            m_api = std::make_unique<tesseract::TessBaseAPI>();
        QByteArray const folder = model.folder().toUtf8();
        QByteArray const languages = languageSpec.toUtf8();
        if (m_api->Init(folder.constData(), languages.constData(), tesseract::OEM_LSTM_ONLY) != 0) {
            m_error = QStringLiteral("the language data \"%1\" does not load").arg(languageSpec);
            return false;
        }
        // Layout analysis of a whole page, as the command line does it.
        m_api->SetPageSegMode(tesseract::PSM_AUTO);
        // The page analysis takes lines of Arabic letters, whose dots and marks stand apart
        // from them, for noise and drops them whole, without a word of warning.
        if (languageSpec.split(QLatin1Char('+')).contains(QStringLiteral("ara")) ||
            languageSpec.split(QLatin1Char('+')).contains(QStringLiteral("Arabic"))) {
            m_api->SetVariable("textord_noise_rejrows", "0");
            m_api->SetVariable("textord_noise_rejwords", "0");
        }
    } catch (std::bad_alloc const&) {
        m_error = QStringLiteral("out of memory while loading \"%1\"").arg(languageSpec);
        return false;
    } catch (std::exception const& e) {
        m_error = QStringLiteral("loading \"%1\" failed: %2").arg(languageSpec, QString::fromUtf8(e.what()));
        return false;
    }
    m_languageSpec = languageSpec;
    m_started = true;
    m_error.clear();
    return true;
}

PreparedPage PreparedPage::band(int top, int height) const
{
    PreparedPage part = *this;
    QRect const rows = QRect(0, top, level.width(), height).intersected(level.rect());
    part.level = rows.isEmpty() ? QImage() : level.copy(rows);
    part.toOriginal = QTransform::fromTranslate(0, rows.top()) * toOriginal;
    return part;
}

PreparedPage TextRecognizer::prepare(QImage image, int dpi)
{
    PreparedPage prepared;
    if (image.isNull() || dpi <= 0 || image.width() > kMaxImageSide || image.height() > kMaxImageSide)
        return prepared;
    // Lines read straight: a slant of a degree already costs words, most in scripts whose
    // letters carry dots.
    QImage gray = grayscale(image);
    image = QImage();
    removeSpecks(gray, dpi);
    double const skew = skewOf(gray);
    prepared.level = skew == 0 ? gray : turned(gray, skew, prepared.toOriginal);
    prepared.originalSize = gray.size();
    prepared.dpi = dpi;
    return prepared;
}

double TextRecognizer::confidence(RecognizedPage const& page, int firstWord, int wordCount)
{
    int const end = wordCount < 0 ? page.words.size() : std::min(page.words.size(), firstWord + wordCount);
    double sum = 0, letters = 0;
    for (int i = std::max(0, firstWord); i < end; ++i) {
        RecognizedWord const& word = page.words.at(i);
        int n = 0;
        for (QChar const c : word.text)
            n += c.isLetterOrNumber() ? 1 : 0;
        sum += double(word.confidence) * n;
        letters += n;
    }
    return letters > 0 ? sum / letters : 0;
}

bool TextRecognizer::recognize(QImage const& image, int dpi, RecognizedPage& page,
                               std::atomic_bool const* cancel)
{
    page = RecognizedPage();
    if (image.isNull() || dpi <= 0 || image.width() > kMaxImageSide || image.height() > kMaxImageSide) {
        m_error = QStringLiteral("unsuitable image (%1x%2 at %3 dpi)")
                      .arg(image.width())
                      .arg(image.height())
                      .arg(dpi);
        return false;
    }
    PreparedPage prepared;
    try {
        prepared = prepare(image, dpi);
    } catch (std::bad_alloc const&) {
        m_error = QStringLiteral("out of memory during recognition");
        return false;
    }
    if (prepared.isNull()) {
        m_error = QStringLiteral("out of memory during recognition");
        return false;
    }
    return recognize(prepared, page, cancel);
}

double TextRecognizer::scaleFor(RecognizedPage const& page)
{
    // The x-height of the lines that hold most of the page's words.
    QVector<QPair<qreal, int>> heights;
    int words = 0;
    for (RecognizedLine const& line : page.lines) {
        if (line.xHeight > 0) {
            heights.append({line.xHeight, line.wordCount});
            words += line.wordCount;
        }
    }
    if (words == 0)
        return 1;
    std::sort(heights.begin(), heights.end());
    int counted = 0;
    for (auto const& [height, count] : qAsConst(heights)) {
        counted += count;
        if (2 * counted >= words)
            return height > kLargeXHeight ? kUsualXHeight / height : 1;
    }
    return 1;
}

bool TextRecognizer::recognize(PreparedPage const& prepared, RecognizedPage& page, std::atomic_bool const* cancel,
                               Layout layout, double scale)
{
    page = RecognizedPage();
    if (!m_started) {
        m_error = QStringLiteral("the engine is not started");
        return false;
    }
    if (prepared.isNull()) {
        m_error = QStringLiteral("unsuitable image");
        return false;
    }
    try {
        bool const smaller = scale > 0 && scale < 1;
        QImage const image = smaller ? shrunk(prepared.level, scale) : prepared.level;
        if (image.isNull())
            throw std::bad_alloc();
        m_api->SetPageSegMode(layout == Layout::Block ? tesseract::PSM_SINGLE_BLOCK : tesseract::PSM_AUTO);
        bool const read = recognizeGray(
            image, smaller ? std::max(1, qRound(prepared.dpi * scale)) : prepared.dpi, page, cancel);
        m_api->SetPageSegMode(tesseract::PSM_AUTO);
        if (read) {
            if (smaller)
                enlarge(page, scale, prepared.level.size(), prepared.dpi);
            if (!prepared.toOriginal.isIdentity())
                mapToOriginal(page, prepared.toOriginal, prepared.originalSize, prepared.dpi);
            page.imageSize = prepared.originalSize;
            return true;
        }
    } catch (std::bad_alloc const&) {
        m_error = QStringLiteral("out of memory during recognition");
    } catch (std::exception const& e) {
        m_error = QStringLiteral("recognition failed: %1").arg(QString::fromUtf8(e.what()));
    }
    page = RecognizedPage();
    m_api->SetPageSegMode(tesseract::PSM_AUTO);
    m_api->Clear();
    return false;
}

bool TextRecognizer::readLinesAgain(PreparedPage const& prepared, RecognizedPage& page,
                                    std::atomic_bool const* cancel)
{
    if (!m_started || prepared.isNull() || page.lines.isEmpty())
        return m_started;
    QTransform const toLevel = prepared.toOriginal.inverted();
    QVector<QVector<RecognizedWord>> replaced(page.lines.size());
    bool any = false;
    try {
        m_api->SetPageSegMode(tesseract::PSM_SINGLE_LINE);
        for (int i = 0; i < page.lines.size(); ++i) {
            RecognizedLine const& line = page.lines.at(i);
            double const own = confidence(page, line.firstWord, line.wordCount);
            if (own >= kSureLine)
                continue;
            // The line where it lies on the level page, with a little of the paper around it.
            QRect box = mappedBox(toLevel, line.pixelRect);
            int const pad = std::max(2, box.height() / 4);
            box = box.adjusted(-pad, -pad, pad, pad).intersected(prepared.level.rect());
            if (box.isEmpty())
                continue;
            RecognizedPage reading;
            if (!recognizeGray(prepared.level.copy(box), prepared.dpi, reading, cancel)) {
                m_api->SetPageSegMode(tesseract::PSM_AUTO);
                return false;
            }
            double const other = confidence(reading);
            if (reading.words.isEmpty() || other < kGoodLine || other < own + kClearlyBetter)
                continue;
            QTransform const toPage = QTransform::fromTranslate(box.left(), box.top()) * prepared.toOriginal;
            for (RecognizedWord word : qAsConst(reading.words)) {
                word.pixelRect = mappedBox(toPage, word.pixelRect);
                word.pointRect = toPoints(word.pixelRect, prepared.dpi);
                word.line = i;
                replaced[i].append(word);
            }
            any = true;
        }
        m_api->SetPageSegMode(tesseract::PSM_AUTO);
    } catch (std::exception const& e) {
        m_api->SetPageSegMode(tesseract::PSM_AUTO);
        m_api->Clear();
        m_error = QStringLiteral("reading lines again failed: %1").arg(QString::fromUtf8(e.what()));
        return false;
    }
    if (!any)
        return true;
    QVector<RecognizedWord> words;
    for (int i = 0; i < page.lines.size(); ++i) {
        RecognizedLine& line = page.lines[i];
        int const first = words.size();
        if (!replaced.at(i).isEmpty()) {
            words += replaced.at(i);
        } else {
            for (int w = line.firstWord; w < line.firstWord + line.wordCount; ++w)
                words.append(page.words.at(w));
        }
        line.firstWord = first;
        line.wordCount = words.size() - first;
    }
    page.words = words;
    page.composeText();
    return true;
}

bool TextRecognizer::recognizeGray(QImage const& gray, int dpi, RecognizedPage& page,
                                   std::atomic_bool const* cancel)
{
    limitLibraryThreads();
    m_api->SetImage(gray.constBits(), gray.width(), gray.height(), 1, int(gray.bytesPerLine()));
    m_api->SetSourceResolution(dpi);

    tesseract::ETEXT_DESC monitor;
    if (cancel) {
        monitor.cancel = &cancelRequested;
        monitor.cancel_this = const_cast<std::atomic_bool*>(cancel);
    }
    int const status = m_api->Recognize(&monitor);
    if (cancel && cancel->load()) {
        m_error = QStringLiteral("cancelled");
        m_api->Clear();
        return false;
    }
    if (status != 0) {
        m_error = QStringLiteral("the engine could not recognise the image");
        m_api->Clear();
        return false;
    }

    page.imageSize = gray.size();
    page.dpi = dpi;
    page.languageSpec = m_languageSpec;
    std::unique_ptr<tesseract::ResultIterator> it(m_api->GetIterator());
    if (it) {
        using tesseract::RIL_BLOCK;
        using tesseract::RIL_PARA;
        using tesseract::RIL_TEXTLINE;
        using tesseract::RIL_WORD;
        it->Begin();
        do {
            if (it->Empty(RIL_WORD))
                continue;
            if (it->IsAtBeginningOf(RIL_BLOCK))
                ++page.blockCount;
            if (it->IsAtBeginningOf(RIL_PARA) || page.paragraphCount == 0)
                ++page.paragraphCount;
            if (it->IsAtBeginningOf(RIL_TEXTLINE) || page.lines.isEmpty()) {
                RecognizedLine line;
                int l = 0, t = 0, r = 0, b = 0;
                if (it->BoundingBox(RIL_TEXTLINE, &l, &t, &r, &b))
                    line.pixelRect = QRect(l, t, r - l, b - t);
                line.pointRect = toPoints(line.pixelRect, dpi);
                if (it->Baseline(RIL_TEXTLINE, &l, &t, &r, &b) && r > l)
                    line.pixelBaseline = QLineF(l, t, r, b);
                else
                    line.pixelBaseline = QLineF(line.pixelRect.bottomLeft(), line.pixelRect.bottomRight());
                float rowHeight = 0, descenders = 0, ascenders = 0;
                it->RowAttributes(&rowHeight, &descenders, &ascenders);
                line.xHeight = std::max(0.f, rowHeight - ascenders + descenders);
                line.paragraph = page.paragraphCount - 1;
                line.block = qMax(0, page.blockCount - 1);
                line.firstWord = page.words.size();
                page.lines.append(line);
            }
            RecognizedWord word;
            word.text = takeText(it->GetUTF8Text(RIL_WORD));
            if (word.text.isEmpty())
                continue;
            int l = 0, t = 0, r = 0, b = 0;
            it->BoundingBox(RIL_WORD, &l, &t, &r, &b);
            word.pixelRect = QRect(l, t, r - l, b - t);
            word.pointRect = toPoints(word.pixelRect, dpi);
            word.confidence = it->Confidence(RIL_WORD);
            word.line = page.lines.size() - 1;
            page.words.append(word);
            ++page.lines.last().wordCount;
        } while (it->Next(RIL_WORD));
    }
    m_api->Clear();

    // Lines whose words were all blank carry nothing; paragraphs and blocks are numbered
    // again over the lines that remain.
    QVector<RecognizedLine> lines;
    int paragraphs = 0, blocks = 0, previousParagraph = -1, previousBlock = -1;
    for (RecognizedLine line : qAsConst(page.lines)) {
        if (line.wordCount == 0)
            continue;
        for (int i = line.firstWord; i < line.firstWord + line.wordCount; ++i)
            page.words[i].line = lines.size();
        if (line.paragraph != previousParagraph)
            ++paragraphs;
        if (line.block != previousBlock)
            ++blocks;
        previousParagraph = line.paragraph;
        previousBlock = line.block;
        line.paragraph = paragraphs - 1;
        line.block = blocks - 1;
        lines.append(line);
    }
    page.lines = lines;
    for (RecognizedLine const& line : qAsConst(page.lines))
        keepWordsApart(page, line);
    page.paragraphCount = paragraphs;
    page.blockCount = blocks;

    page.composeText();
    return true;
}

} // namespace docquill::ocr

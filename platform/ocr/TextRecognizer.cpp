#include "ocr/TextRecognizer.h"

#include "ocr/OcrModel.h"

#include <QPainter>

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

#include <dlfcn.h>

#include <mutex>
#include <new>

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
    QString const result = text ? QString::fromUtf8(text).trimmed() : QString();
    delete[] text;
    return result;
}

QRectF toPoints(QRect const& r, int dpi)
{
    qreal const k = 72.0 / dpi;
    return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
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

bool TextRecognizer::recognize(QImage const& image, int dpi, RecognizedPage& page,
                               std::atomic_bool const* cancel)
{
    page = RecognizedPage();
    if (!m_started) {
        m_error = QStringLiteral("the engine is not started");
        return false;
    }
    if (image.isNull() || dpi <= 0 || image.width() > kMaxImageSide || image.height() > kMaxImageSide) {
        m_error = QStringLiteral("unsuitable image (%1x%2 at %3 dpi)")
                      .arg(image.width())
                      .arg(image.height())
                      .arg(dpi);
        return false;
    }
    try {
        if (recognizeGray(grayscale(image), dpi, page, cancel))
            return true;
    } catch (std::bad_alloc const&) {
        m_error = QStringLiteral("out of memory during recognition");
    } catch (std::exception const& e) {
        m_error = QStringLiteral("recognition failed: %1").arg(QString::fromUtf8(e.what()));
    }
    page = RecognizedPage();
    m_api->Clear();
    return false;
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
    page.paragraphCount = paragraphs;
    page.blockCount = blocks;

    QString& text = page.text;
    for (int i = 0; i < page.lines.size(); ++i) {
        RecognizedLine const& line = page.lines.at(i);
        if (i > 0 && line.paragraph != page.lines.at(i - 1).paragraph)
            text += QLatin1Char('\n');
        for (int w = line.firstWord; w < line.firstWord + line.wordCount; ++w) {
            text += page.words.at(w).text;
            if (page.spaceAfter(w))
                text += QLatin1Char(' ');
        }
        text += QLatin1Char('\n');
    }
    return true;
}

} // namespace docquill::ocr

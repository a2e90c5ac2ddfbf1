#include "ocr/ScriptDetector.h"

#include "ocr/OcrModel.h"
#include "ocr/TextRecognizer.h"

#include <tesseract/baseapi.h>

#include <new>

namespace docquill::ocr {

namespace {

// Letters at this resolution still tell their script apart, and a page costs a fraction of
// its recognition to look at.
int const kDetectionDpi = 150;

// Letters the detection looks at before it names a script: tesseract's default, and the least
// for a guess.
char const* const kEnoughCharacters = "50";
char const* const kFewCharacters = "10";

// A script named this far above the next one needs no second look; Latin pages stand far
// above it, pages in scripts that share letter shapes with Latin (Greek) near it.
float const kClearScript = 2.0f;

} // namespace

ScriptDetector::ScriptDetector() = default;

ScriptDetector::~ScriptDetector() = default;

bool ScriptDetector::start(OcrModel const& model)
{
    m_api.reset();
    if (!model.canDetectScripts()) {
        m_error = QStringLiteral("the model has no script detection data");
        return false;
    }
    TextRecognizer::limitLibraryThreads();
    try {
        auto api = std::make_unique<tesseract::TessBaseAPI>();
        QByteArray const folder = model.folder().toUtf8();
        // The detection data drives the older classifier only.
        if (api->Init(folder.constData(), OcrModel::kScriptDetectionData, tesseract::OEM_TESSERACT_ONLY) !=
            0) {
            m_error = QStringLiteral("the script detection data does not load");
            return false;
        }
        api->SetPageSegMode(tesseract::PSM_OSD_ONLY);
        m_api = std::move(api);
    } catch (std::exception const& e) {
        m_error =
            QStringLiteral("loading the script detection data failed: %1").arg(QString::fromUtf8(e.what()));
        return false;
    }
    m_error.clear();
    return true;
}

bool ScriptDetector::detect(QImage const& image, int dpi, DetectedScript& script)
{
    script = DetectedScript();
    if (!m_api) {
        m_error = QStringLiteral("the detector is not started");
        return false;
    }
    if (image.isNull() || dpi <= 0) {
        m_error = QStringLiteral("unsuitable image");
        return false;
    }
    try {
        QImage const gray = TextRecognizer::grayscale(image);
        // Most pages tell their script clearly at a low resolution; the others (scripts whose
        // letters join into long words, scripts that share letter shapes with others) are
        // looked at in the whole resolution too, and the surer answer counts.
        bool found = false;
        if (dpi > kDetectionDpi) {
            // Smooth scaling gives 32-bit pixels; the detection takes one byte a pixel.
            QImage const small = TextRecognizer::grayscale(
                gray.scaledToWidth(qMax(1, gray.width() * kDetectionDpi / dpi), Qt::SmoothTransformation));
            found = detectGray(small, kDetectionDpi, script);
            if (found && script.confidence >= kClearScript)
                return true;
        }
        DetectedScript whole;
        if (detectGray(gray, dpi, whole) && (!found || whole.confidence > script.confidence)) {
            script = whole;
            found = true;
        }
        if (found) {
            m_error.clear();
            return true;
        }
        // A short page, or one of few long words: a guess from fewer letters, which is only
        // trusted for choosing among the scripts the model reads.
        m_api->SetVariable("min_characters_to_try", kFewCharacters);
        found = detectGray(gray, dpi, script);
        m_api->SetVariable("min_characters_to_try", kEnoughCharacters);
        script.fromLittleText = found;
        return found;
    } catch (std::bad_alloc const&) {
        m_error = QStringLiteral("out of memory during script detection");
    } catch (std::exception const& e) {
        m_error = QStringLiteral("script detection failed: %1").arg(QString::fromUtf8(e.what()));
    }
    m_api->Clear();
    return false;
}

bool ScriptDetector::detectGray(QImage const& gray, int dpi, DetectedScript& script)
{
    TextRecognizer::limitLibraryThreads();
    m_api->SetImage(gray.constBits(), gray.width(), gray.height(), 1, int(gray.bytesPerLine()));
    m_api->SetSourceResolution(dpi);
    int degrees = 0;
    float orientationConfidence = 0, scriptConfidence = 0;
    char const* name = nullptr;
    bool const found =
        m_api->DetectOrientationScript(&degrees, &orientationConfidence, &name, &scriptConfidence);
    m_api->Clear();
    if (!found || !name) {
        m_error = QStringLiteral("too little text to tell its script");
        return false;
    }
    script.name = QString::fromUtf8(name);
    script.confidence = scriptConfidence;
    m_error.clear();
    return true;
}

} // namespace docquill::ocr

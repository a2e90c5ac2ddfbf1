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
        // Most pages tell their script at a low resolution; scripts whose letters join into
        // long words (Devanagari) need the whole resolution to show enough of them.
        if (dpi > kDetectionDpi) {
            QImage const small =
                gray.scaledToWidth(qMax(1, gray.width() * kDetectionDpi / dpi), Qt::SmoothTransformation);
            if (detectGray(small, kDetectionDpi, script))
                return true;
        }
        if (detectGray(gray, dpi, script))
            return true;
        // A short page, or one of few long words: a guess from fewer letters, which is only
        // trusted for choosing among the scripts the model reads.
        m_api->SetVariable("min_characters_to_try", kFewCharacters);
        bool const found = detectGray(gray, dpi, script);
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

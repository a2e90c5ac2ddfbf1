#pragma once

#include <QImage>
#include <QString>

#include <memory>

namespace tesseract {
class TessBaseAPI;
}

namespace docquill::ocr {

class OcrModel;

/// What orientation-and-script detection found on a page.
struct DetectedScript
{
    QString name;         ///< the script's name as the detection data has it ("Latin", "Cyrillic", ...)
    float confidence = 0; ///< how far the best script stands above the next one; 0 when unsure
    bool fromLittleText = false; ///< named from the few letters of a short page: a guess
};

/// Tells which script a page is written in, with the model's orientation-and-script data.
/// Not thread-safe: one detector per thread, like TextRecognizer.
class ScriptDetector
{
public:
    ScriptDetector();
    ~ScriptDetector();
    ScriptDetector(ScriptDetector const&) = delete;
    ScriptDetector& operator=(ScriptDetector const&) = delete;

    /// False when the model has no usable detection data.
    bool start(OcrModel const& model);
    /// False when the page holds too little text to tell, or on failure (errorString).
    bool detect(QImage const& image, int dpi, DetectedScript& script);
    QString errorString() const { return m_error; }

private:
    bool detectGray(QImage const& gray, int dpi, DetectedScript& script);

    std::unique_ptr<tesseract::TessBaseAPI> m_api;
    QString m_error;
};

} // namespace docquill::ocr

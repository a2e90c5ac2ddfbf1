#pragma once

#include "ocr/RecognizedPage.h"

#include <QImage>
#include <QString>

#include <atomic>
#include <memory>

namespace tesseract {
class TessBaseAPI;
}

namespace docquill::ocr {

class OcrModel;

/// One tesseract engine. Not thread-safe: use one engine per thread. The engine itself runs
/// single-threaded; parallelism comes from several engines (see PdfRecognizer).
class TextRecognizer
{
public:
    TextRecognizer();
    ~TextRecognizer();
    TextRecognizer(TextRecognizer const&) = delete;
    TextRecognizer& operator=(TextRecognizer const&) = delete;

    /// Starts the engine for a tesseract language string of the model ("eng", "eng+fra").
    bool start(OcrModel const& model, QString const& languageSpec);
    /// Starts the engine for an SDK language number (SdkLanguage, 1 to 6).
    bool start(OcrModel const& model, int sdkLanguage);
    bool isStarted() const { return m_started; }
    QString languageSpec() const { return m_languageSpec; }

    /// Recognises an image of a page at dpi dots per inch into page. Returns false on failure
    /// or when cancel becomes true during the work (page is then left empty).
    bool recognize(QImage const& image, int dpi, RecognizedPage& page,
                   std::atomic_bool const* cancel = nullptr);

    /// Why the last start or recognition failed.
    QString errorString() const { return m_error; }

    /// Keeps tesseract's own OpenMP threads off on the calling thread. Engines call it before
    /// every start and recognition; it is public for code that drives tesseract in other ways.
    static void limitLibraryThreads();
    /// The page in 8-bit grey as the engines take it; transparent areas become paper white.
    static QImage grayscale(QImage const& image);

private:
    bool recognizeGray(QImage const& gray, int dpi, RecognizedPage& page, std::atomic_bool const* cancel);

    std::unique_ptr<tesseract::TessBaseAPI> m_api;
    QString m_languageSpec;
    QString m_error;
    bool m_started = false;
};

} // namespace docquill::ocr

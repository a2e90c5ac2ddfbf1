#pragma once

#include "ocr/RecognizedPage.h"

#include <QImage>
#include <QString>
#include <QTransform>

#include <atomic>
#include <memory>

namespace tesseract {
class TessBaseAPI;
}

namespace docquill::ocr {

class OcrModel;

/// A page made ready for the engines once, so that several can read it: in grey, its lines
/// turned level when they slant.
struct PreparedPage
{
    QImage level;          ///< 8-bit grey, lines level
    QTransform toOriginal; ///< from pixels of level onto the page as given
    QSize originalSize;
    int dpi = 0;

    bool isNull() const { return level.isNull(); }
    /// The rows [top, top + height) of the page, for reading a sample of it; what is read there
    /// lies on the page as given.
    PreparedPage band(int top, int height) const;
};

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
    /// How the engine finds the text of a page.
    enum class Layout
    {
        Page, ///< blocks, columns and lines, as the command line does it
        Block ///< the page as one block of lines: short pages whose few lines the page analysis breaks up
    };
    /// The same for a prepared page, read at scale (up to 1) of its size; what is read lies on
    /// the page as given either way.
    bool recognize(PreparedPage const& prepared, RecognizedPage& page, std::atomic_bool const* cancel = nullptr,
                   Layout layout = Layout::Page, double scale = 1);
    /// Reads the lines of page that its engine read with little confidence again with this
    /// engine, and keeps this reading where it is sure and clearly better: a heading in Latin
    /// letters over text in another script. False on failure or cancel (page then unchanged).
    bool readLinesAgain(PreparedPage const& prepared, RecognizedPage& page,
                        std::atomic_bool const* cancel = nullptr);

    /// Why the last start or recognition failed.
    QString errorString() const { return m_error; }

    /// Keeps tesseract's own OpenMP threads off on the calling thread. Engines call it before
    /// every start and recognition; it is public for code that drives tesseract in other ways.
    static void limitLibraryThreads();
    /// The page in 8-bit grey as the engines take it; transparent areas become paper white.
    static QImage grayscale(QImage const& image);
    /// The page as the engines read it; a null page for an image they cannot take. Moved in,
    /// an 8-bit grey page is made ready in place.
    static PreparedPage prepare(QImage image, int dpi);
    /// The mean confidence (0 to 100) of a reading's words, each weighed by its letters, so
    /// that specks read as dots count little; 0 without words.
    static double confidence(RecognizedPage const& page, int firstWord = 0, int wordCount = -1);
    /// The scale at which a page read as page reads best: below 1 for large print, whose letters
    /// are larger than the engine's page analysis is made for; 1 for others.
    static double scaleFor(RecognizedPage const& page);

private:
    bool recognizeGray(QImage const& gray, int dpi, RecognizedPage& page, std::atomic_bool const* cancel);

    std::unique_ptr<tesseract::TessBaseAPI> m_api;
    QString m_languageSpec;
    QString m_error;
    bool m_started = false;
};

} // namespace docquill::ocr

#pragma once

#include "ocr/OcrStatus.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>

namespace poppler {
class document;
}

namespace docquill::ocr {

/// A PDF opened with poppler for rendering pages to images. Not thread-safe: open one per thread.
class PdfPageSource
{
public:
    PdfPageSource();
    ~PdfPageSource();
    PdfPageSource(PdfPageSource const&) = delete;
    PdfPageSource& operator=(PdfPageSource const&) = delete;

    /// Opens the PDF; the password may be empty and may be the user or the owner password,
    /// in any of its forms (PdfPassword).
    Status open(QString const& path, QByteArray const& password);
    int pageCount() const;
    /// True when the page already has a text layer (any non-blank extractable text).
    bool pageHasText(int index) const;
    /// Renders a page as shown (crop box, page rotation) in grey at dpi dots per inch. Very
    /// large pages get a lower resolution, reported in usedDpi. Null image on failure.
    QImage renderPage(int index, int dpi, int* usedDpi = nullptr) const;
    QString errorString() const { return m_error; }

    /// Upper bound on the pixels of one rendered page; larger pages are rendered coarser.
    static qint64 const kMaxPixels = 60'000'000;

    /// Tells a missing file, a file that is not a PDF and a damaged PDF apart.
    static Status classifyUnreadable(QString const& path);

private:
    std::unique_ptr<poppler::document> m_document;
    mutable QString m_error;
};

} // namespace docquill::ocr

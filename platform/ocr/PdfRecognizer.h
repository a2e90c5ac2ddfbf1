#pragma once

#include "ocr/OcrModel.h"
#include "ocr/OcrStatus.h"
#include "ocr/RecognizedPage.h"

#include <QString>
#include <QVector>

#include <atomic>
#include <functional>

namespace docquill::ocr {

/// How PdfRecognizer::recognize works through a PDF.
struct RecognitionOptions
{
    int dpi = 300;
    /// Worker threads, each with its own poppler document and engine; 0 uses every core.
    int threads = 0;
    /// Pages to consider (0-based); empty means all pages.
    QVector<int> pages;
    /// Pages that already have text are reported as HadText and not recognised.
    bool skipPagesWithText = true;
    /// Reads each page with the data of the script that detection finds on it (the model must
    /// be able to detect scripts); the language string is then used for pages whose script
    /// cannot be told. A page in a script the model has no data for fails the recognition.
    bool byScript = false;
    /// Set by another thread to stop; pages not reached stay NotProcessed.
    std::atomic_bool const* cancel = nullptr;
    /// Told the index of each page dealt with (recognised, failed, or with text of its own),
    /// from the recognising threads; a watcher learns from it that the work goes on.
    std::function<void(int page)> pageDone;
};

/// The outcome of recognising a PDF: one entry per page of the document.
struct PdfRecognition
{
    Status status = Status::Ok;
    QString error;
    QVector<PageOutcome> pages;
};

/// Renders and recognises the pages of a PDF in parallel, one engine per thread.
class PdfRecognizer
{
public:
    /// Status Ok when every page asked for has text or was recognised. The first failing page
    /// stops the others (RecognitionFailed); a cancel gives Cancelled.
    static PdfRecognition recognize(QString const& pdfPath, QByteArray const& password, OcrModel const& model,
                                    QString const& languageSpec,
                                    RecognitionOptions const& options = RecognitionOptions());
};

} // namespace docquill::ocr

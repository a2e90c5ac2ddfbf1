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
    /// be able to detect scripts). Where detection is unsure (little text, letters shared
    /// between scripts), the page is read with the data of each script the model holds and
    /// the surest reading is kept. A page in a script the model has no data for, or that no
    /// data reads with confidence, fails the recognition.
    bool byScript = false;
    /// With byScript, the SDK number of the language the user chose (9 to 59), or 6 when it is
    /// not known: its script wins where readings are equally sure, and it picks the data for
    /// scripts that several languages share (OcrModel::scriptSpec).
    int language = SdkLatinScripts;
    /// The memory the run may count on, in bytes; 0 reads what the system has available.
    /// Fewer threads run where it does not hold their engines.
    qint64 availableMemory = 0;
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

    /// The threads a run of pages uses: the threads asked for (every core for 0), no more than
    /// the pages, and no more than the available memory holds engines for; at least one.
    static int threadCount(RecognitionOptions const& options, OcrModel const& model, QString const& languageSpec,
                           int pages);
    /// What one thread is counted to hold: its page images, the tesseract working set and the
    /// engines it may start, in bytes.
    static qint64 memoryPerThread(RecognitionOptions const& options, OcrModel const& model,
                                  QString const& languageSpec);
};

} // namespace docquill::ocr

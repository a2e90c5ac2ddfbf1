// The module the helper loads for text recognition: the conversions' use of the recognition
// layer, with tesseract and its libraries behind it.

#include "RecognitionModule.h"
#include "JobSink.h"

#include <ocr/OcrModel.h>
#include <ocr/PdfRecognizer.h>
#include <ocr/SearchablePdfWriter.h>

#include <pdfconv/base/ResultCode.h>

#include <QFileInfo>

namespace pdfconv {
namespace engine {

using docquill::ocr::Status;

namespace {

// Scans are read at the resolution recognition does best with.
constexpr int kRecognitionDpi = 300;

docquill::ocr::RecognitionOptions recognitionOptions(Job const& job)
{
    docquill::ocr::RecognitionOptions options;
    options.dpi = kRecognitionDpi;
    options.threads = job.threads;
    return options;
}

// Loads the job's model and picks the language data, and for the number that stands for
// many languages script detection. 0, or OcrFailed with the reason logged.
int prepare(Job const& job, docquill::ocr::OcrModel& model, QString& languageSpec,
            docquill::ocr::RecognitionOptions& options, JobSink& sink)
{
    if (job.modelFolder.isEmpty()) {
        sink.log(false, QStringLiteral("text recognition needs the document AI model, which is not loaded"));
        return base::OcrFailed;
    }
    // The library tried every language of the model when it loaded it; loading each again
    // here would cost more than recognising a page.
    if (!model.load(job.modelFolder, false)) {
        sink.log(false, QStringLiteral("the text-recognition model does not load: ") + model.errorString());
        return base::OcrFailed;
    }
    // The automatic choice reads every Latin-script language of the model; a language of 6
    // named by the user is read as 6 is, with its data where its script is met.
    bool const named = docquill::ocr::OcrModel::isNamedLanguage(job.ocrLanguage);
    int const language = job.ocrLanguage == base::OCRLanguageAuto || named ? int(base::OCRLanguageLatin)
                                                                           : job.ocrLanguage;
    languageSpec = model.languageSpec(language);
    if (languageSpec.isEmpty()) {
        sink.log(false,
                 QStringLiteral("the model has no data for recognition language %1").arg(job.ocrLanguage));
        return base::OcrFailed;
    }
    options = recognitionOptions(job);
    options.pageDone = [&sink](int page) { sink.pageRead(page); };
    // 6 stands for every language the caller could not name: each page is read with the data
    // of the script it is written in.
    options.byScript = language == base::OCRLanguageLatin && model.canDetectScripts();
    options.language = named ? job.ocrLanguage : int(base::OCRLanguageLatin);
    sink.log(true, options.byScript
                       ? QStringLiteral("recognising each page by its script, %1 where it cannot "
                                        "be told")
                             .arg(languageSpec)
                       : QStringLiteral("recognising with %1").arg(languageSpec));
    return base::Success;
}

// How each page's language data was chosen, where it had to be.
void logNotes(QVector<docquill::ocr::PageOutcome> const& pages, JobSink& sink)
{
    for (docquill::ocr::PageOutcome const& page : pages) {
        if (!page.note.isEmpty())
            sink.log(true, page.note);
    }
}

// Recognises the given pages (0-based), or every page without text when the list is empty.
int recognize(Job const& job, QVector<int> const& pages, QVector<docquill::ocr::PageOutcome>& outcomes,
              JobSink& sink)
{
    docquill::ocr::OcrModel model;
    QString spec;
    docquill::ocr::RecognitionOptions options;
    int const prepared = prepare(job, model, spec, options, sink);
    if (prepared != base::Success)
        return prepared;
    options.pages = pages;
    options.skipPagesWithText = pages.isEmpty();
    docquill::ocr::PdfRecognition result = docquill::ocr::PdfRecognizer::recognize(
        job.input, QByteArray::fromStdString(job.password), model, spec, options);
    logNotes(result.pages, sink);
    if (result.status != Status::Ok) {
        sink.log(false, QStringLiteral("text recognition failed: ") + result.error);
        // Whatever stopped the recognition, the conversion failed in it.
        return result.status == Status::OutOfMemory || result.status == Status::Unreadable
                   ? recognitionCode(result.status)
                   : int(base::OcrFailed);
    }
    outcomes = result.pages;
    return base::Success;
}

int searchablePdf(Job const& job, poppler::document const& doc, int pageCount, JobSink& sink)
{
    QByteArray const password = QByteArray::fromStdString(job.password);
    QString error;
    Status status = Status::Ok;
    if (job.modelFolder.isEmpty()) {
        // Without the model only a file that needs no recognition can be made searchable.
        QVector<docquill::ocr::PageOutcome> kept(pageCount);
        for (int i = 0; i < pageCount; ++i) {
            if (!pageHasText(doc, i)) {
                sink.log(false, QStringLiteral("page %1 needs text recognition, but the document AI model is "
                                               "not loaded")
                                    .arg(i + 1));
                return base::OcrFailed;
            }
            kept[i].kind = docquill::ocr::PageOutcome::HadText;
        }
        status = docquill::ocr::SearchablePdfWriter::write(job.input, password, job.staging, kept, &error);
    } else {
        docquill::ocr::OcrModel model;
        QString spec;
        docquill::ocr::RecognitionOptions options;
        int const prepared = prepare(job, model, spec, options, sink);
        if (prepared != base::Success)
            return prepared;
        docquill::ocr::PdfRecognition const recognition =
            docquill::ocr::PdfRecognizer::recognize(job.input, password, model, spec, options);
        logNotes(recognition.pages, sink);
        status = recognition.status;
        error = recognition.error;
        if (status == Status::Ok)
            status = docquill::ocr::SearchablePdfWriter::write(job.input, password, job.staging, recognition.pages,
                                                               &error);
    }
    if (status != Status::Ok) {
        sink.log(false, QStringLiteral("searchable PDF failed: ") + error);
        return recognitionCode(status);
    }
    sink.pageDone(pageCount, pageCount);
    return base::Success;
}

int checkModel(Job const& job, JobSink& sink)
{
    QFileInfo const folder(job.input);
    if (job.input.isEmpty() || !folder.exists()) {
        sink.log(true, QStringLiteral("document AI model not found: ") + job.input);
        return base::FileNotFound;
    }
    docquill::ocr::OcrModel model;
    if (!model.load(job.input)) {
        sink.log(false, QStringLiteral("document AI model not usable: ") + model.errorString());
        return base::OcrFailed;
    }
    if (!model.errorString().isEmpty())
        sink.log(false, model.errorString());
    for (auto const& language : model.languages())
        sink.fileWritten(language);
    return base::Success;
}

} // namespace

} // namespace engine
} // namespace pdfconv

extern "C" __attribute__((visibility("default"))) pdfconv::engine::RecognitionModule const*
pdfconv_recognition_module()
{
    static pdfconv::engine::RecognitionModule const entries{
        &pdfconv::engine::recognize, &pdfconv::engine::searchablePdf, &pdfconv::engine::checkModel};
    return &entries;
}

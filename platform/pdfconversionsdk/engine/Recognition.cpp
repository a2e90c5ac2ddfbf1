#include "Recognition.h"

#include "JobSink.h"

#include <ocr/PdfRecognizer.h>
#include <ocr/SearchablePdfWriter.h>

#include <pdfconv/base/ResultCode.h>

#include <QFileInfo>

#include <poppler-document.h>
#include <poppler-page.h>

#include <cmath>
#include <memory>

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

// The type size of a recognised word, from its line: the distance from the top of the line
// (ascenders and capitals) to its baseline is about 0.8 em in common faces.
double fontSize(docquill::ocr::RecognizedPage const& page, docquill::ocr::RecognizedWord const& word)
{
    double em = word.pointRect.height();
    if (word.line >= 0 && word.line < page.lines.size() && page.dpi > 0) {
        docquill::ocr::RecognizedLine const& line = page.lines.at(word.line);
        double const ascent = line.pixelBaseline.center().y() - line.pixelRect.top();
        em = ascent > 0 ? ascent * 72.0 / page.dpi / 0.8 : line.pointRect.height() / 1.05;
    }
    return std::max(4.0, std::round(em * 2) / 2);
}

bool pageHasText(poppler::document const& doc, int index)
{
    std::unique_ptr<poppler::page> page(doc.create_page(index));
    if (!page)
        return false;
    // Raw order: a page of many scattered words would keep the layout reading busy.
    for (char c : page->text(poppler::rectf(), poppler::page::raw_order_layout).to_utf8())
        if (!std::isspace(static_cast<unsigned char>(c)))
            return true;
    return false;
}

} // namespace

int Recognition::code(Status status)
{
    switch (status) {
    case Status::Ok:
        return base::Success;
    case Status::Cancelled:
        return base::Cancelled;
    case Status::FileNotFound:
        return base::FileNotFound;
    case Status::PasswordError:
        return base::PasswordError;
    case Status::NotPdf:
        return base::NotPdf;
    case Status::Damaged:
        return base::PageError;
    case Status::OutOfMemory:
        return base::OutOfMemory;
    case Status::NoModel:
    case Status::UnknownLanguage:
    case Status::RecognitionFailed:
        return base::OcrFailed;
    case Status::OutputFailed:
    case Status::InvalidArgument:
        break;
    }
    return base::OutputError;
}

int Recognition::prepare(Job const& job, docquill::ocr::OcrModel& model, QString& languageSpec,
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
    // The automatic choice reads every Latin-script language of the model.
    int const language =
        job.ocrLanguage == base::OCRLanguageAuto ? int(base::OCRLanguageLatin) : job.ocrLanguage;
    languageSpec = model.languageSpec(language);
    if (languageSpec.isEmpty()) {
        sink.log(false,
                 QStringLiteral("the model has no data for recognition language %1").arg(job.ocrLanguage));
        return base::OcrFailed;
    }
    options = recognitionOptions(job);
    // 6 stands for every language the caller could not name: each page is read with the data
    // of the script it is written in.
    options.byScript = language == base::OCRLanguageLatin && model.canDetectScripts();
    sink.log(true, options.byScript
                       ? QStringLiteral("recognising each page by its script, %1 where it cannot "
                                        "be told")
                             .arg(languageSpec)
                       : QStringLiteral("recognising with %1").arg(languageSpec));
    return base::Success;
}

int Recognition::recognize(Job const& job, QVector<int> const& pages,
                           QVector<docquill::ocr::PageOutcome>& outcomes, JobSink& sink)
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
    if (result.status != Status::Ok) {
        sink.log(false, QStringLiteral("text recognition failed: ") + result.error);
        // Whatever stopped the recognition, the conversion failed in it.
        return result.status == Status::OutOfMemory ? int(base::OutOfMemory) : int(base::OcrFailed);
    }
    outcomes = result.pages;
    return base::Success;
}

bool Recognition::anyPageWithoutText(poppler::document const& doc, int pageCount)
{
    for (int i = 0; i < pageCount; ++i)
        if (!pageHasText(doc, i))
            return true;
    return false;
}

QVector<layout::Word> Recognition::words(docquill::ocr::RecognizedPage const& page)
{
    QVector<layout::Word> out;
    out.reserve(page.words.size());
    for (int i = 0; i < page.words.size(); ++i) {
        docquill::ocr::RecognizedWord const& r = page.words.at(i);
        layout::Word w;
        w.text = r.text;
        w.box = r.pointRect;
        // A slanted scan's line climbs or falls along the page; its words are set level with
        // its start, so the layout finds the line recognition found and not pieces of two.
        if (r.line >= 0 && r.line < page.lines.size() && page.dpi > 0) {
            docquill::ocr::RecognizedLine const& line = page.lines.at(r.line);
            QLineF const base = line.pixelBaseline;
            if (std::abs(base.dx()) > 1) {
                double const drift =
                    (r.pixelRect.center().x() - line.pixelRect.left()) * base.dy() / base.dx();
                w.box.translate(0, -drift * 72.0 / page.dpi);
            }
        }
        w.fontSize = fontSize(page, r);
        w.spaceAfter = page.spaceAfter(i);
        out.push_back(w);
    }
    return out;
}

int Recognition::searchablePdf(Job const& job, poppler::document const& doc, int pageCount, JobSink& sink)
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
        status = docquill::ocr::SearchablePdfWriter::convert(job.input, password, job.staging, model, spec,
                                                             options, &error);
    }
    if (status != Status::Ok) {
        sink.log(false, QStringLiteral("searchable PDF failed: ") + error);
        return code(status);
    }
    sink.pageDone(pageCount, pageCount);
    return base::Success;
}

int Recognition::checkModel(Job const& job, JobSink& sink)
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

} // namespace engine
} // namespace pdfconv

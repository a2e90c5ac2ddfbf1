#include "Job.h"

#include "DocumentWriter.h"
#include "JobSink.h"
#include "PageImageRenderer.h"
#include "PdfDocument.h"
#include "layout/LayoutAnalyzer.h"

#include <pdfconv/base/ResultCode.h>

#include <QFileInfo>

#include <poppler-document.h>
#include <poppler-page.h>

#include <memory>

namespace pdfconv {
namespace engine {

namespace {

std::unique_ptr<DocumentWriter> makeWriter(Target target)
{
    switch (target) {
    case Target::Text:
        return std::make_unique<TextWriter>();
    case Target::Rtf:
        return std::make_unique<RtfWriter>();
    case Target::Html:
        return std::make_unique<HtmlWriter>();
    default:
        return nullptr;
    }
}

int writeDocument(Job const& job, poppler::document const& doc, int pageCount, JobSink& sink)
{
    std::unique_ptr<DocumentWriter> writer = makeWriter(job.target);
    if (!writer->open(job.staging)) {
        sink.log(false, QStringLiteral("cannot write the output: ") + writer->errorString());
        return base::OutputError;
    }
    poppler::ustring const docTitle = doc.get_title();
    QString title =
        QString::fromUtf16(reinterpret_cast<char16_t const*>(docTitle.data()), int(docTitle.size()))
            .trimmed();
    if (title.isEmpty())
        title = job.baseName;

    layout::BodySizeTracker bodySize;
    for (int i = 0; i < pageCount; ++i) {
        std::unique_ptr<poppler::page> page(doc.create_page(i));
        if (!page) {
            sink.log(false, QStringLiteral("page %1 cannot be read").arg(i + 1));
            return base::PageError;
        }
        QSizeF const size = PdfDocument::pageSize(*page);
        layout::PageLayout layout = layout::LayoutAnalyzer::analyze(PdfDocument::readWords(*page), size, i);
        bodySize.add(layout);
        layout::LayoutAnalyzer::markHeadings(layout, bodySize.bodyFontSize());
        if (i == 0)
            writer->begin(title, size);
        writer->writePage(layout, i + 1 == pageCount);
        sink.pageDone(i + 1, pageCount);
    }
    writer->end();
    if (!writer->close()) {
        sink.log(false, QStringLiteral("cannot write the output: ") + writer->errorString());
        return base::OutputError;
    }
    return base::Success;
}

} // namespace

int runJob(Job const& job, JobSink& sink)
{
    switch (job.target) {
    case Target::Text:
    case Target::Rtf:
    case Target::Html:
    case Target::Image:
        break;
    default:
        sink.log(false, QStringLiteral("this output format is not available yet"));
        return base::OutputError;
    }
    try {
        PdfDocument::Opened opened = PdfDocument::open(job.input, job.password);
        if (!opened.document) {
            sink.log(false, opened.reason);
            return opened.code;
        }
        sink.opened(opened.pageCount);
        if (job.target == Target::Image)
            return PageImageRenderer::run(job, *opened.document, opened.pageCount, sink);
        return writeDocument(job, *opened.document, opened.pageCount, sink);
    } catch (std::bad_alloc const&) {
        sink.log(false, QStringLiteral("out of memory"));
        return base::OutOfMemory;
    } catch (std::exception const& e) {
        sink.log(false, QStringLiteral("conversion failed: ") + QString::fromLocal8Bit(e.what()));
        return base::PageError;
    }
}

} // namespace engine
} // namespace pdfconv

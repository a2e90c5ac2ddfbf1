#pragma once

#include "Job.h"

#include <ocr/OcrStatus.h>
#include <ocr/PdfRecognizer.h>

#include <pdfconv/base/ResultCode.h>

#include <QVector>

#include <poppler-document.h>
#include <poppler-page.h>

#include <cctype>
#include <memory>

namespace pdfconv {
namespace engine {

class JobSink;

// Text recognition lives in a module of its own, loaded by the helper only for a conversion
// that recognises: its engines and their libraries would otherwise load at every start.
// These are its entries, as Recognition describes them.
struct RecognitionModule
{
    int (*recognize)(Job const& job, QVector<int> const& pages, QVector<docquill::ocr::PageOutcome>& outcomes,
                     JobSink& sink);
    int (*searchablePdf)(Job const& job, poppler::document const& doc, int pageCount, JobSink& sink);
    int (*checkModel)(Job const& job, JobSink& sink);
};

// The name the module's table is found by.
constexpr char kRecognitionEntry[] = "pdfconv_recognition_module";
constexpr char kRecognitionLibrary[] = "libpdfconvrecognition.so";

inline int recognitionCode(docquill::ocr::Status status)
{
    using docquill::ocr::Status;
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
    case Status::Unreadable:
        return base::OcrUnreadable;
    case Status::DiskFull:
        return base::DiskFull;
    case Status::OutputFailed:
    case Status::InvalidArgument:
        break;
    }
    return base::OutputError;
}

inline bool pageHasText(poppler::document const& doc, int index)
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

} // namespace engine
} // namespace pdfconv

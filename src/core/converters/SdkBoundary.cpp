#include "converters/SdkBoundary.h"

#include <pdfconv/common/LibraryManager.h>

#include <atomic>

namespace {

SdkBoundary makeReal()
{
    using pdfconv::common::LibraryManager;
    using pdfconv::conversion::PdfConversion;
    SdkBoundary calls{};
    calls.setLogger = &LibraryManager::SetLogger;
    calls.initialize = &LibraryManager::Initialize;
    calls.setDocumentAIModel = &LibraryManager::SetDocumentAIModel;
    calls.setOCRLanguage = &LibraryManager::SetOCRLanguage;
    calls.startWord = &PdfConversion::StartPDFToWord;
    calls.startExcel = &PdfConversion::StartPDFToExcel;
    calls.startPpt = &PdfConversion::StartPDFToPpt;
    calls.startHtml = &PdfConversion::StartPDFToHtml;
    calls.startTxt = &PdfConversion::StartPDFToTxt;
    calls.startRtf = &PdfConversion::StartPDFToRtf;
    calls.startImage = &PdfConversion::StartPDFToImage;
    calls.startSearchablePdf = &PdfConversion::StartPDFToSearchablePdf;
    calls.cancel = &PdfConversion::Cancel;
    return calls;
}

SdkBoundary g_real = makeReal();
SdkBoundary g_test{};
// Cancel may read the table from the GUI thread while the worker converts.
std::atomic<SdkBoundary const*> g_current{&g_real};

} // namespace

SdkBoundary const& SdkBoundary::current()
{
    return *g_current.load();
}

SdkBoundary SdkBoundary::real()
{
    return g_real;
}

void SdkBoundary::setForTesting(SdkBoundary const& calls)
{
    g_test = calls;
    g_current.store(&g_test);
}

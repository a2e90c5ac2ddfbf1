#pragma once

#include <pdfconv/base/ConvertOptions.h>
#include <pdfconv/conversion/PdfConversion.h>

// Every call the converters make into the conversion SDK goes through this table, so tests
// can record what reaches the SDK. Production code never changes it.
struct SdkBoundary
{
    using StartFn = int (*)(char const*, char const*, char const*, pdfconv::base::ConvertOptions const&,
                            pdfconv::conversion::ProgressCallback);

    void (*setLogger)(bool, bool);
    int (*initialize)(char const*);
    int (*setDocumentAIModel)(char const*, pdfconv::base::OCRLanguage);
    int (*setOCRLanguage)(pdfconv::base::OCRLanguage);
    StartFn startWord;
    StartFn startExcel;
    StartFn startPpt;
    StartFn startHtml;
    StartFn startTxt;
    StartFn startRtf;
    StartFn startImage;
    StartFn startSearchablePdf;
    void (*cancel)();

    // The table in use: the real SDK unless a test replaced it.
    static SdkBoundary const& current();
    static SdkBoundary real();
    // Test seam: replaces the table; pass real() to restore.
    static void setForTesting(SdkBoundary const& calls);
};

#pragma once

#include "options/ConvertOption.h"

#include <pdfconv/base/ConvertOptions.h>

#include <QString>

// One conversion of a PDF into one target format through the conversion SDK.
class PDFConverter
{
public:
    PDFConverter();
    virtual ~PDFConverter();
    PDFConverter(PDFConverter const&) = delete;
    PDFConverter& operator=(PDFConverter const&) = delete;

    // The SDK's result code, unchanged.
    virtual int convert(QString const& input, QString const& output, QString const& password,
                        ConvertOption const& option) = 0;

    // Makes a PDF of an image, a working copy in the Temp folder (PDFUtils::makeWorkingCopy);
    // its path, or empty on failure.
    QString image2Pdf(QString const& imagePath);
    void setOCRLanguage(int language);
    // The language the SDK is to read with: the stored number, and where that stands for the
    // languages the dialog lists by name (6), the one of them at the stored index of its list.
    static int recognitionLanguage(ConvertOption const& option);

    // Test seam: forget the per-thread SDK set-up so the next converter runs it again.
    static void resetSetupForTesting();

protected:
    // The record every SDK converter starts from; byte 0 carries m_enableAI.
    pdfconv::base::ConvertOptions baseOptions() const;
    // Sets byte 7 and the SDK's recognition language when the option asks for OCR.
    void applyOcr(pdfconv::base::ConvertOptions& record, ConvertOption const& option);

    bool m_enableAI = false;
};

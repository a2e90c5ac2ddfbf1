#pragma once

#include "processors/Convertible.h"
#include "processors/IFileProcessor.h"
#include "processors/PDFCreatable.h"

// Processor of an image: converted through a PDF made of it, or made into a PDF.
class ImageProcessor : public IFileProcessor, public PDFCreatable, public Convertible
{
public:
    ImageProcessor();
    ~ImageProcessor() override;

    Convertible* getConverter() override { return this; }
    PDFCreatable* getCreator() override { return this; }
    void setConvertOption(ConvertOption const& option) override;
    void setOutputPdfName(QString const& name) override { setNewPdfName(name); }

    Result convert(QString const& input, QString const& outDir, QString const& password) override;
    Result createPdf(QString const& input, QString const& outDir, QString const& password) override;
};

#pragma once

#include "processors/IFileProcessor.h"
#include "processors/PDFCreatable.h"

// Processor of any other document: it can only be made into a PDF.
class OtherProcessor : public IFileProcessor, public PDFCreatable
{
public:
    OtherProcessor() = default;
    ~OtherProcessor() override;

    PDFCreatable* getCreator() override { return this; }
    void setOutputPdfName(QString const& name) override { setNewPdfName(name); }

    Result createPdf(QString const& input, QString const& outDir, QString const& password) override;
};

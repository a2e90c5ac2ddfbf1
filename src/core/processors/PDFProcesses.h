#pragma once

#include "processors/Convertible.h"
#include "processors/IFileProcessor.h"
#include "processors/PDFCreatable.h"

// Processor of a PDF: converts it, or "creates" it by copying, after cutting its page range.
class PDFProcesses : public IFileProcessor, public PDFCreatable, public Convertible
{
public:
    PDFProcesses() = default;
    ~PDFProcesses() override;

    Convertible* getConverter() override { return this; }
    PDFCreatable* getCreator() override { return this; }
    void setConvertOption(ConvertOption const& option) override;
    void setPageRanges(QStringList const& ranges) override;
    void setOutputPdfName(QString const& name) override { setNewPdfName(name); }
    QStringList pageRanges() const { return m_pageRanges; }
    // The file's protection is one only qpdf reads right: the conversion gets qpdf's unprotected copy.
    void setUnprotectFirst(bool on) { m_unprotectFirst = on; }

    Result convert(QString const& input, QString const& outDir, QString const& password) override;
    Result createPdf(QString const& input, QString const& outDir, QString const& password) override;

    // Cuts the page range into a working copy; false when the range selects no page of the file.
    bool processPdfPageCutting(QString& input, QString& password);

private:
    QStringList m_pageRanges;
    bool m_unprotectFirst = false;
};

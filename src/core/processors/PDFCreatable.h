#pragma once

#include "engines/Result.h"

class CreateEngine;

// The PDF-making role of a processor; owns its creation engine.
class PDFCreatable
{
public:
    PDFCreatable();
    virtual ~PDFCreatable();
    PDFCreatable(PDFCreatable const&) = delete;
    PDFCreatable& operator=(PDFCreatable const&) = delete;

    // Stores name + ".pdf" (always appended).
    void setNewPdfName(QString const& name) { m_newPdfName = name + QStringLiteral(".pdf"); }
    QString newPdfName() const { return m_newPdfName; }

    virtual Result createPdf(QString const& input, QString const& outDir, QString const& password) = 0;

protected:
    // Makes the stored name free in outDir and returns the full output path.
    QString freeOutputPath(QString const& outDir);

    CreateEngine* m_createEngine;
    QString m_newPdfName;
};

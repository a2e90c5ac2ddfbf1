#pragma once

#include "engines/Result.h"
#include "utils/CommonUtils.h"

class CreateEngine;

// The PDF-making role of a processor; owns its creation engine.
class PDFCreatable
{
public:
    PDFCreatable();
    virtual ~PDFCreatable();
    PDFCreatable(PDFCreatable const&) = delete;
    PDFCreatable& operator=(PDFCreatable const&) = delete;

    // The user's own output: the name with ".pdf", unless it ends so already.
    void setNewPdfName(QString const& name)
    {
        m_newPdfName = CommonUtils::pdfFileName(name);
        m_mergePart = false;
    }
    // The same for a part of a merge: a working file, written without protection and readable
    // by its owner alone.
    void setMergePartName(QString const& name)
    {
        m_newPdfName = name + QStringLiteral(".pdf");
        m_mergePart = true;
    }
    QString newPdfName() const { return m_newPdfName; }

    virtual Result createPdf(QString const& input, QString const& outDir, QString const& password) = 0;

protected:
    // Makes the stored name free in outDir and returns the full output path; empty when the
    // name is no file name of its own (the creation then reports CreateErrorOutputName).
    QString freeOutputPath(QString const& outDir);
    // The result of a creation whose name freeOutputPath refused.
    static Result refusedName();
    // A merge part made by the helper: only its owner may read it.
    void restrictPart(QString const& path) const;

    CreateEngine* m_createEngine;
    QString m_newPdfName;
    bool m_mergePart = false;
};

#pragma once

#include "engines/Result.h"

// Makes a PDF from a document or image, through the PdfCreator helper or the document layer.
class CreateEngine
{
public:
    CreateEngine() = default;
    virtual ~CreateEngine();

    Result run(QString const& input, QString const& output, QString const& password);
    Result createPdfForMac(QString const& input, QString const& output);
    Result createPdfForWindows(QString const& input, QString const& output);

    void setCreateFilename(QString const& name) { m_createFilename = name; }
    QString getCreateFilename() const { return m_createFilename; }

private:
    QString m_createFilename;
};

#pragma once

#include "common/ConvertTypes.h"
#include "options/ConvertOption.h"

#include <QStringList>

class Convertible;
class PDFCreatable;

// What a file item sees of its processor; the defaults are those of a file that can do nothing.
class IFileProcessor
{
public:
    IFileProcessor() = default;
    virtual ~IFileProcessor();
    IFileProcessor(IFileProcessor const&) = delete;
    IFileProcessor& operator=(IFileProcessor const&) = delete;

    virtual Convertible* getConverter() { return nullptr; }
    virtual PDFCreatable* getCreator() { return nullptr; }
    virtual void setConvertOption(ConvertOption const&) {}
    virtual void setPageRanges(QStringList const&) {}
    virtual void setOutputPdfName(QString const&) {}

    void setConvertFormat(ConvertType type) { m_convertType = type; }
    ConvertType convertFormat() const { return m_convertType; }

protected:
    ConvertType m_convertType = ToOcrPdf;
};

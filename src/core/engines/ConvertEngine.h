#pragma once

#include "common/ConvertTypes.h"
#include "engines/Result.h"
#include "options/ConvertOption.h"

#include <QStringList>

// Converts one PDF (or image, through a PDF made of it) into the target format.
class ConvertEngine
{
public:
    ConvertEngine() = default;
    virtual ~ConvertEngine();

    Result run(QString const& input, QString const& outDir, QString password);

    void setType(ConvertType const& type) { m_type = type; }
    void setConvertOption(ConvertOption const& option) { m_option = option; }
    void setPageRanges(QStringList const& ranges) { m_pageRanges = ranges; }
    void setOCREnable(bool enable) { m_ocrEnable = enable; }
    void setImageInput(bool imageInput) { m_imageInput = imageInput; }
    bool enableIRISFeature();

    ConvertOption const& convertOption() const { return m_option; }

private:
    bool m_imageInput = false;
    bool m_ocrEnable = true;
    ConvertType m_type = ToOcrPdf;
    ConvertOption m_option;
    QStringList m_pageRanges;
};

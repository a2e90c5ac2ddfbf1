#pragma once

#include "converters/PDFConverter.h"

// PDF to PowerPoint presentation (pptx).
class PDF2PPT : public PDFConverter
{
public:
    PDF2PPT() = default;
    ~PDF2PPT() override;

    int convert(QString const& input, QString const& output, QString const& password,
                ConvertOption const& option) override;
};

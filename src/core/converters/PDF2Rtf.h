#pragma once

#include "converters/PDFConverter.h"

// PDF to RTF document.
class PDF2Rtf : public PDFConverter
{
public:
    PDF2Rtf() = default;
    ~PDF2Rtf() override;

    int convert(QString const& input, QString const& output, QString const& password,
                ConvertOption const& option) override;
};

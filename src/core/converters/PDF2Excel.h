#pragma once

#include "converters/PDFConverter.h"

// PDF to Excel workbook (xlsx).
class PDF2Excel : public PDFConverter
{
public:
    PDF2Excel() = default;
    ~PDF2Excel() override;

    int convert(QString const& input, QString const& output, QString const& password,
                ConvertOption const& option) override;
};

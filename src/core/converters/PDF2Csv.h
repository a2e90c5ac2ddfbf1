#pragma once

#include "converters/PDFConverter.h"

// PDF to CSV files, one per sheet, into an output folder.
class PDF2Csv : public PDFConverter
{
public:
    PDF2Csv() = default;
    ~PDF2Csv() override;

    int convert(QString const& input, QString const& output, QString const& password,
                ConvertOption const& option) override;
};

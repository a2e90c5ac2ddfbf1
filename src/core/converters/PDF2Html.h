#pragma once

#include "converters/PDFConverter.h"

// PDF to HTML page.
class PDF2Html : public PDFConverter
{
public:
    PDF2Html() = default;
    ~PDF2Html() override;

    int convert(QString const& input, QString const& output, QString const& password,
                ConvertOption const& option) override;
};

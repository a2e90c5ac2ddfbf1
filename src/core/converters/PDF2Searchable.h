#pragma once

#include "converters/PDFConverter.h"

// PDF to Searchable PDF: recognised text over scanned pages.
class PDF2Searchable : public PDFConverter
{
public:
    PDF2Searchable() = default;
    ~PDF2Searchable() override;

    int convert(QString const& input, QString const& output, QString const& password,
                ConvertOption const& option) override;
};

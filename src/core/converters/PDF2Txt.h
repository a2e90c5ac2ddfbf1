#pragma once

#include "converters/PDFConverter.h"

// PDF to Plain text.
class PDF2Txt : public PDFConverter
{
public:
    PDF2Txt() = default;
    ~PDF2Txt() override;

    int convert(QString const& input, QString const& output, QString const& password,
                ConvertOption const& option) override;
};

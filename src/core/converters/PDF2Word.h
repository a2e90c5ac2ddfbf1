#pragma once

#include "converters/PDFConverter.h"

// PDF to Word document (docx).
class PDF2Word : public PDFConverter
{
public:
    PDF2Word() = default;
    ~PDF2Word() override;

    int convert(QString const& input, QString const& output, QString const& password,
                ConvertOption const& option) override;
};

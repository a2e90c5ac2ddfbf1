#pragma once

#include "converters/PDF2iWork.h"

// PDF to Apple Numbers spreadsheet, through Excel.
class PDF2Numbers : public PDF2iWork
{
public:
    PDF2Numbers();
    ~PDF2Numbers() override;

    int convert(QString const& input, QString const& output, QString const& password,
                ConvertOption const& option) override;
};

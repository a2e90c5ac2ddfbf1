#pragma once

#include "converters/PDF2iWork.h"

// PDF to Apple Keynote presentation, through PowerPoint.
class PDF2Keynote : public PDF2iWork
{
public:
    PDF2Keynote();
    ~PDF2Keynote() override;

    int convert(QString const& input, QString const& output, QString const& password,
                ConvertOption const& option) override;
};

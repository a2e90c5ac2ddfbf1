#pragma once

#include "converters/PDF2iWork.h"

// PDF to Apple Pages document, through Word.
class PDF2Pages : public PDF2iWork
{
public:
    PDF2Pages();
    ~PDF2Pages() override;

    int convert(QString const& input, QString const& output, QString const& password,
                ConvertOption const& option) override;
};

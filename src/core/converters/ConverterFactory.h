#pragma once

#include "common/ConvertTypes.h"

class PDFConverter;

class ConverterFactory
{
public:
    // A new converter for the target (the caller deletes it), or null when there is none.
    static PDFConverter* converterCrete(ConvertType const& type);
};

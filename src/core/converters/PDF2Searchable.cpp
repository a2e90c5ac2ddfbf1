#include "converters/PDF2Searchable.h"

#include "converters/SdkBoundary.h"

PDF2Searchable::~PDF2Searchable() = default;

int PDF2Searchable::convert(QString const& input, QString const& output, QString const& password,
                            ConvertOption const& option)
{
    pdfconv::base::ConvertOptions record = baseOptions();
    applyOcr(record, option);
    // Recognition is what this target is, ticked or not, so it always reads the row's language:
    // otherwise the language last set in the process would be used.
    if (!option.m_ocrEnabled)
        setOCRLanguage(recognitionLanguage(option));
    return SdkBoundary::current().startSearchablePdf(input.toUtf8().constData(),
                                                     password.toUtf8().constData(),
                                                     output.toUtf8().constData(), record, nullptr);
}

#include "converters/PDF2Rtf.h"

#include "converters/SdkBoundary.h"

PDF2Rtf::~PDF2Rtf() = default;

int PDF2Rtf::convert(QString const& input, QString const& output, QString const& password,
                     ConvertOption const& option)
{
    pdfconv::base::ConvertOptions record = baseOptions();
    applyOcr(record, option);
    return SdkBoundary::current().startRtf(input.toUtf8().constData(), password.toUtf8().constData(),
                                           output.toUtf8().constData(), record, nullptr);
}

#include "converters/PDF2PPT.h"

#include "converters/SdkBoundary.h"

PDF2PPT::~PDF2PPT() = default;

int PDF2PPT::convert(QString const& input, QString const& output, QString const& password,
                     ConvertOption const& option)
{
    pdfconv::base::ConvertOptions record = baseOptions();
    applyOcr(record, option);
    return SdkBoundary::current().startPpt(input.toUtf8().constData(), password.toUtf8().constData(),
                                           output.toUtf8().constData(), record, nullptr);
}

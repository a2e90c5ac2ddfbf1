#include "converters/PDF2Txt.h"

#include "converters/SdkBoundary.h"

PDF2Txt::~PDF2Txt() = default;

int PDF2Txt::convert(QString const& input, QString const& output, QString const& password,
                     ConvertOption const& option)
{
    pdfconv::base::ConvertOptions record = baseOptions();
    record.keepLayout = false;
    applyOcr(record, option);
    return SdkBoundary::current().startTxt(input.toUtf8().constData(), password.toUtf8().constData(),
                                           output.toUtf8().constData(), record, nullptr);
}

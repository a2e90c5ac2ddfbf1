#include "converters/PDF2Html.h"

#include "converters/SdkBoundary.h"

PDF2Html::~PDF2Html() = default;

int PDF2Html::convert(QString const& input, QString const& output, QString const& password,
                      ConvertOption const& option)
{
    pdfconv::base::ConvertOptions record = baseOptions();
    applyOcr(record, option);
    return SdkBoundary::current().startHtml(input.toUtf8().constData(), password.toUtf8().constData(),
                                            output.toUtf8().constData(), record, nullptr);
}

#include "converters/PDF2Excel.h"

#include "converters/SdkBoundary.h"

PDF2Excel::~PDF2Excel() = default;

int PDF2Excel::convert(QString const& input, QString const& output, QString const& password,
                       ConvertOption const& option)
{
    pdfconv::base::ConvertOptions record = baseOptions();
    record.excelAllContent = option.m_excelAllContent;
    record.excelSheetPerTable = option.m_excelSheetPerTable;
    applyOcr(record, option);
    return SdkBoundary::current().startExcel(input.toUtf8().constData(), password.toUtf8().constData(),
                                             output.toUtf8().constData(), record, nullptr);
}

#include "converters/PDF2Numbers.h"

PDF2Numbers::PDF2Numbers() : PDF2iWork(QStringLiteral("xlsx2numbers.scpt")) {}

PDF2Numbers::~PDF2Numbers() = default;

int PDF2Numbers::convert(QString const& input, QString const& output, QString const& password,
                         ConvertOption const& option)
{
    pdfconv::base::ConvertOptions record = baseOptions();
    record.excelAllContent = option.m_excelAllContent;
    record.excelSheetPerTable = option.m_excelSheetPerTable;
    // Numbers exports never recognise text, whatever the option says.
    return convertThrough(SdkBoundary::current().startExcel, input, output, password, record,
                          QStringLiteral("%1.xlsx"));
}

#include "converters/PDF2Csv.h"

#include "converters/SdkBoundary.h"
#include <QDir>
#include <QFileInfo>

PDF2Csv::~PDF2Csv() = default;

int PDF2Csv::convert(QString const& input, QString const& output, QString const& password,
                     ConvertOption const& option)
{
    pdfconv::base::ConvertOptions record = baseOptions();
    record.csvOutput = true;
    applyOcr(record, option);
    bool const made = !QFileInfo::exists(output) && QDir().mkpath(output);
    int const code = SdkBoundary::current().startExcel(input.toUtf8().constData(), password.toUtf8().constData(),
                                                       output.toUtf8().constData(), record, nullptr);
    // A failure leaves no empty folder of ours behind.
    if (code != 0 && made)
        QDir().rmdir(output);
    return code;
}

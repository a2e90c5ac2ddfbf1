#include "converters/PDF2Keynote.h"

PDF2Keynote::PDF2Keynote() : PDF2iWork(QStringLiteral("ppt2keynote.scpt")) {}

PDF2Keynote::~PDF2Keynote() = default;

int PDF2Keynote::convert(QString const& input, QString const& output, QString const& password,
                         ConvertOption const& option)
{
    pdfconv::base::ConvertOptions record = baseOptions();
    applyOcr(record, option);
    return convertThrough(SdkBoundary::current().startPpt, input, output, password, record,
                          QStringLiteral("%1.pptx"));
}

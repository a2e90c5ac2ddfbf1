#include "converters/PDF2Pages.h"

PDF2Pages::PDF2Pages() : PDF2iWork(QStringLiteral("doc2pages.scpt")) {}

PDF2Pages::~PDF2Pages() = default;

int PDF2Pages::convert(QString const& input, QString const& output, QString const& password,
                       ConvertOption const& option)
{
    pdfconv::base::ConvertOptions record = baseOptions();
    record.wordLayout = option.m_flowingText ? 1 : 0;
    applyOcr(record, option);
    return convertThrough(SdkBoundary::current().startWord, input, output, password, record,
                          QStringLiteral("%1.docx"));
}

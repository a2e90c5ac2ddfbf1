#include "converters/PDF2Word.h"

#include "converters/SdkBoundary.h"
#include "engines/ResultCodes.h"

#include <QtDebug>

#include <exception>

PDF2Word::~PDF2Word() = default;

int PDF2Word::convert(QString const& input, QString const& output, QString const& password,
                      ConvertOption const& option)
{
    try {
        pdfconv::base::ConvertOptions record = baseOptions();
        record.wordLayout = option.m_flowingText ? 1 : 0;
        applyOcr(record, option);
        return SdkBoundary::current().startWord(input.toUtf8().constData(), password.toUtf8().constData(),
                                                output.toUtf8().constData(), record, nullptr);
    } catch (std::exception const& e) {
        qWarning() << "convert" << __LINE__ << e.what();
        return ConvertErrorUnknown;
    }
}

#include "engines/ConvertEngine.h"

#include "converters/ConverterFactory.h"
#include "converters/PDFConverter.h"
#include "engines/ResultCodes.h"
#include "pdf/PDFUtils.h"
#include "utils/CommonUtils.h"

#include <QRegularExpression>
#include <QtDebug>

#include <memory>

ConvertEngine::~ConvertEngine() = default;

Result ConvertEngine::run(QString const& input, QString const& outDir, QString password)
{
    qDebug() << "run" << __LINE__ << "Input file :" << input << "convert to " << outDir;
    Result result;
    // A target outside the table has no suffix and no converter.
    if (m_type < ToOcrPdf || m_type > ToNumbers)
        return result;
    if (m_type >= ToJpg && m_type <= ToTiff)
        m_option.m_imageType = m_type - ToJpg;

    QString suffix =
        QStringLiteral(".") + QString::fromStdString(convertFormatSuffix[static_cast<std::size_t>(m_type)]);
    qDebug() << "run" << __LINE__ << "Converter type: " << suffix;
    bool keepName = m_type == ToCsv || (m_type >= ToJpg && m_type <= ToTiff);
    result.path = CommonUtils::generatePredictedFilename(input, outDir, suffix, keepName);

    std::unique_ptr<PDFConverter> converter(ConverterFactory::converterCrete(m_type));
    if (!converter)
        return result;
    if (m_imageInput) {
        QString pdf = converter->image2Pdf(input);
        if (pdf.isEmpty()) {
            qWarning() << "run" << __LINE__ << "image2Pdf error.";
            result.code = ConvertErrorImageUnreadable;
        } else {
            result.code = converter->convert(pdf, result.path, password, m_option);
            PDFUtils::removeWorkingCopy(pdf);
        }
    } else {
        result.code = converter->convert(input, result.path, password, m_option);
    }
    return result;
}

bool ConvertEngine::enableIRISFeature()
{
    static const QRegularExpression oneToFifteen(QStringLiteral("^(1[0-5]|[1-9])$"));
    const QStringList parts = m_option.m_ocrLanguageList.split(',');
    for (auto const& part : parts) {
        if (!oneToFifteen.match(part).hasMatch())
            return true;
    }
    return false;
}

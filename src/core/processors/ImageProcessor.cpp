#include "processors/ImageProcessor.h"

#include "engines/ConvertEngine.h"
#include "engines/CreateEngine.h"

ImageProcessor::ImageProcessor()
{
    m_convertEngine->setImageInput(true);
}

ImageProcessor::~ImageProcessor() = default;

void ImageProcessor::setConvertOption(ConvertOption const& option)
{
    m_convertEngine->setConvertOption(option);
}

Result ImageProcessor::convert(QString const& input, QString const& outDir, QString const&)
{
    m_convertEngine->setType(m_convertType);
    return m_convertEngine->run(input, outDir, QString());
}

Result ImageProcessor::createPdf(QString const& input, QString const& outDir, QString const& password)
{
    QString const output = freeOutputPath(outDir);
    if (output.isEmpty())
        return refusedName();
    Result result = m_createEngine->run(input, output, password);
    restrictPart(result.path);
    return result;
}

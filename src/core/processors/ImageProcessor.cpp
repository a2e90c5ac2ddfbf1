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
    Result result = m_createEngine->run(input, freeOutputPath(outDir), password);
    restrictPart(result.path);
    return result;
}

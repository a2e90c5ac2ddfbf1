#include "processors/OtherProcessor.h"

#include "engines/CreateEngine.h"

OtherProcessor::~OtherProcessor() = default;

Result OtherProcessor::createPdf(QString const& input, QString const& outDir, QString const& password)
{
    Result result = m_createEngine->run(input, freeOutputPath(outDir), password);
    restrictPart(result.path);
    return result;
}

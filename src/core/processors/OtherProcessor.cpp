#include "processors/OtherProcessor.h"

#include "engines/CreateEngine.h"

OtherProcessor::~OtherProcessor() = default;

Result OtherProcessor::createPdf(QString const& input, QString const& outDir, QString const& password)
{
    QString const output = freeOutputPath(outDir);
    if (output.isEmpty())
        return refusedName();
    Result result = m_createEngine->run(input, output, password);
    restrictPart(result.path);
    return result;
}

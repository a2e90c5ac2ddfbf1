#include "processors/PDFProcesses.h"

#include "engines/ConvertEngine.h"
#include "pdf/PDFUtils.h"

#include <QFile>

PDFProcesses::~PDFProcesses() = default;

void PDFProcesses::setConvertOption(ConvertOption const& option)
{
    m_convertEngine->setConvertOption(option);
}

void PDFProcesses::setPageRanges(QStringList const& ranges)
{
    m_pageRanges = ranges;
    m_convertEngine->setPageRanges(ranges);
}

void PDFProcesses::processPdfPageCutting(QString& input, QString& password)
{
    if (m_pageRanges.isEmpty())
        return;
    input = PDFUtils::pdfPagesCut(input, password, m_pageRanges);
    password.clear();
}

Result PDFProcesses::convert(QString const& input, QString const& outDir, QString const& password)
{
    QString source = input;
    QString pass = password;
    processPdfPageCutting(source, pass);
    m_convertEngine->setType(m_convertType);
    return m_convertEngine->run(source, outDir, pass);
}

Result PDFProcesses::createPdf(QString const& input, QString const& outDir, QString const& password)
{
    Result result;
    QString output = freeOutputPath(outDir);
    QString source = input;
    QString pass = password;
    processPdfPageCutting(source, pass);
    result.code = QFile::copy(source, output) ? 0 : -1;
    result.path = output;
    return result;
}

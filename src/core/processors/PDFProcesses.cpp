#include "processors/PDFProcesses.h"

#include "engines/ConvertEngine.h"
#include "engines/ResultCodes.h"
#include "pdf/PDFUtils.h"

#include <DiskFull.h>

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

bool PDFProcesses::processPdfPageCutting(QString& input, QString& password)
{
    if (m_pageRanges.isEmpty()) {
        if (!m_unprotectFirst)
            return true;
        // A cut is unprotected already; the whole file needs a copy of its own.
        QString const copy = PDFUtils::unprotectedWorkingCopy(input, password);
        if (copy.isEmpty())
            return true; // the conversion then says why the file cannot be read
        input = copy;
        password.clear();
        return true;
    }
    int pages = -1;
    input = PDFUtils::pdfPagesCut(input, password, m_pageRanges, &pages);
    password.clear();
    return pages != 0;
}

Result PDFProcesses::convert(QString const& input, QString const& outDir, QString const& password)
{
    QString source = input;
    QString pass = password;
    if (!processPdfPageCutting(source, pass)) {
        Result nothing;
        nothing.code = ConvertErrorPageOrContent;
        return nothing;
    }
    m_convertEngine->setType(m_convertType);
    Result result = m_convertEngine->run(source, outDir, pass);
    // The cut is a decrypted copy: it goes as soon as the file is done.
    if (source != input)
        PDFUtils::removeWorkingCopy(source);
    return result;
}

Result PDFProcesses::createPdf(QString const& input, QString const& outDir, QString const& password)
{
    QString output = freeOutputPath(outDir);
    if (output.isEmpty())
        return refusedName();
    Result result;
    result.path = output;
    QString source = input;
    QString pass = password;
    if (!processPdfPageCutting(source, pass)) {
        result.code = CreateErrorFailure;
        return result;
    }
    // A merge part must open without the file's password and must not pass its protection on.
    if (m_mergePart) {
        result.code = PDFUtils::writeUnprotected(source, pass, output) ? 0 : -1;
    } else {
        int const error = PDFUtils::copyToNewFile(source, output);
        result.code = error == 0 ? 0 : diskfull::isFull(error) ? int(CreateErrorDiskFull) : -1;
    }
    if (source != input)
        PDFUtils::removeWorkingCopy(source);
    return result;
}

#include "processors/PDFCreatable.h"

#include "engines/CreateEngine.h"
#include "engines/ResultCodes.h"
#include "utils/CommonUtils.h"

#include <QDir>
#include <QFile>

PDFCreatable::PDFCreatable() : m_createEngine(new CreateEngine()) {}

PDFCreatable::~PDFCreatable()
{
    delete m_createEngine;
}

QString PDFCreatable::freeOutputPath(QString const& outDir)
{
    // The row refuses such names before a run; nothing may be written outside outDir anyway.
    if (CommonUtils::checkOutputName(m_newPdfName) != CommonUtils::OutputNameUsable)
        return QString();
    CommonUtils::duplicateFilenameHandle(outDir, m_newPdfName);
    return QDir(outDir).filePath(m_newPdfName);
}

Result PDFCreatable::refusedName()
{
    Result result;
    result.code = CreateErrorOutputName;
    return result;
}

void PDFCreatable::restrictPart(QString const& path) const
{
    if (m_mergePart && QFile::exists(path))
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

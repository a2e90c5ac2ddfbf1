#include "processors/PDFCreatable.h"

#include "engines/CreateEngine.h"
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
    CommonUtils::duplicateFilenameHandle(outDir, m_newPdfName);
    return QDir(outDir).filePath(m_newPdfName);
}

void PDFCreatable::restrictPart(QString const& path) const
{
    if (m_mergePart && QFile::exists(path))
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

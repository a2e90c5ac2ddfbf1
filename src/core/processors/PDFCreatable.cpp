#include "processors/PDFCreatable.h"

#include "engines/CreateEngine.h"
#include "utils/CommonUtils.h"

#include <QDir>

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

#include "pdf/PDFMergeService.h"

#include "common/ProductConstants.h"
#include "items/FileItem.h"
#include "pdf/MergeFunction.h"

#include <QDir>
#include <QFile>
#include <QUuid>
#include <QtDebug>

PDFMergeService& PDFMergeService::instance()
{
    static PDFMergeService service;
    return service;
}

QString PDFMergeService::tempDir() const
{
    return QDir::homePath() + g_tempDirPath;
}

void PDFMergeService::addMergeFile(FileItem* item, int)
{
    QString uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    item->setOutputPdfName(uuid);
    m_parts.append(tempDir() + uuid + QStringLiteral(".pdf"));
}

bool PDFMergeService::merge(QString const& outDir, QString& outputPath)
{
    return MergeFunction::instance()->creatorPdfMerge(m_parts, outDir, outputPath);
}

bool PDFMergeService::clearTempFiles()
{
    QDir dir(tempDir());
    if (!dir.exists()) {
        qDebug() << "clearTempFiles" << __LINE__ << "Folder does not exist:" << dir.path();
        return false;
    }
    bool ok = true;
    for (auto const& entry : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        if (entry.isFile() && !QFile::remove(entry.absoluteFilePath()))
            ok = false;
    }
    return ok;
}

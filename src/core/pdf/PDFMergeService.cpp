#include "pdf/PDFMergeService.h"

#include "items/FileItem.h"
#include "pdf/MergeFunction.h"
#include "utils/TempFolder.h"

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
    return TempFolder::path();
}

void PDFMergeService::addMergeFile(FileItem* item, int)
{
    QString uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    item->setMergePartName(uuid);
    QString part = tempDir() + uuid + QStringLiteral(".pdf");
    m_parts.append(part);
    m_named.insert(part);
}

bool PDFMergeService::merge(QString const& outDir, QString& outputPath)
{
    bool merged = MergeFunction::instance()->creatorPdfMerge(m_parts, outDir, outputPath);
    m_merged = merged ? MergeFunction::instance()->mergedCount() : 0;
    m_diskFull = !merged && MergeFunction::instance()->diskFull();
    // Parts may be decrypted copies of the user's files: none outlives the merge.
    for (auto const& part : qAsConst(m_parts)) {
        QFile::remove(part);
        m_named.remove(part);
    }
    return merged;
}

bool PDFMergeService::clearTempFiles()
{
    QDir dir(tempDir());
    if (!dir.exists()) {
        qDebug() << "clearTempFiles" << __LINE__ << "Folder does not exist:" << dir.path();
        return false;
    }
    bool ok = true;
    for (auto it = m_named.begin(); it != m_named.end();) {
        if (QFile::exists(*it) && !QFile::remove(*it)) {
            ok = false;
            ++it;
        } else {
            it = m_named.erase(it);
        }
    }
    return ok;
}

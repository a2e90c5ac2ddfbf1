#pragma once

#include <QStringList>

class FileItem;

// The parts of one merged creation run, in the order they were queued.
class PDFMergeService
{
public:
    static PDFMergeService& instance();

    QString tempDir() const;
    void reset() { m_parts.clear(); }
    // Gives the item a random output name and records its part in the Temp folder.
    void addMergeFile(FileItem* item, int index);
    bool merge(QString const& outDir, QString& outputPath);
    bool clearTempFiles();
    QStringList mergeList() const { return m_parts; }

private:
    PDFMergeService() = default;

    QStringList m_parts;
};

#pragma once

#include <QSet>
#include <QStringList>

class FileItem;

// The parts of one merged creation run, in the order they were queued.
class PDFMergeService
{
public:
    static PDFMergeService& instance();

    QString tempDir() const;
    // Forgets the last run's list; parts of it still on disk stay known to clearTempFiles.
    void reset()
    {
        m_parts.clear();
        m_merged = 0;
        m_diskFull = false;
    }
    // Gives the item a random part name and records its part in the Temp folder.
    void addMergeFile(FileItem* item, int index);
    // Joins the parts into "Merge.pdf" in outDir; the parts are removed then, merged or not.
    bool merge(QString const& outDir, QString& outputPath);
    // Removes the parts this service named that are still on disk. Nothing else in the Temp
    // folder is touched: it may be a working copy that the other page is converting.
    bool clearTempFiles();
    QStringList mergeList() const { return m_parts; }
    // The parts that the last merge put into its file.
    int mergedCount() const { return m_merged; }
    // The last merge failed because the output folder's disk is full.
    bool diskFull() const { return m_diskFull; }

private:
    PDFMergeService() = default;

    QStringList m_parts;
    int m_merged = 0;
    bool m_diskFull = false;
    QSet<QString> m_named; // every part named and not yet removed
};

#pragma once

#include "common/ConvertTypes.h"

#include "pdf/PdfProbe.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

class FileItem;
class PdfProbeProcess;

// The items of one page in the order they were added; owns them.
class FileItemList : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(FileItemList)

public:
    explicit FileItemList(FunctionMode mode, QObject* parent = nullptr);
    ~FileItemList() override;

    // Why a path given to addFiles did not become an item.
    enum class Refusal
    {
        Folder,
        Empty,
        Damaged,
        // No file (or link to one) at the path: gone since it was chosen.
        Missing,
        // Its reading crashed, took too long or too much memory.
        Unreadable,
    };
    struct RefusedFile
    {
        QString path;
        Refusal reason;
    };
    // Adds the paths that are new to the page; returns those refused, in order (paths already
    // on the page are not refused, only skipped). A PDF that the application does not read at
    // once (PDFFileItem::initPDF) is added being read: the PdfProbe helper reads it, and refusedAfterReading
    // may still take it away.
    QList<RefusedFile> addFiles(QStringList const& paths);
    // Whether any item is still being read.
    bool isReading() const { return !m_readings.isEmpty(); }
    void removeAt(int i);
    void removeOne(FileItem* item);
    void clear();

    int fileCount() const { return m_items.size(); }
    bool isEmpty() const { return m_items.isEmpty(); }
    FileItem* getFileItem(int i) const { return m_items.value(i); }
    QList<FileItem*> allItems() const { return m_items; }
    bool userPasswordLocked() const;
    // Whether the page's Start button is enabled.
    bool allowedRun() const;

signals:
    void notEncrypted(QString filename);
    // A reading refused the item: it is removed from the list right after this signal.
    void refusedAfterReading(FileItem* item, FileItemList::RefusedFile file);
    // A reading has given the item its icon, lock and page count.
    void itemRead(FileItem* item);
    // The last item being read has its answer.
    void readingEnded();

private:
    void startReadings();
    void readingDone(FileItem* item, PdfProbe::Facts const& facts);

    FunctionMode m_mode;
    QList<FileItem*> m_items;
    QList<FileItem*> m_pdfItems;
    QStringList m_paths;
    // Items being read, with their helper once it runs; a few helpers run at a time.
    QHash<FileItem*, PdfProbeProcess*> m_readings;
    QList<FileItem*> m_readingQueue;
};

#pragma once

#include "common/ConvertTypes.h"

#include <QList>
#include <QObject>
#include <QStringList>

class FileItem;

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
    };
    struct RefusedFile
    {
        QString path;
        Refusal reason;
    };
    // Adds the paths that are new to the page; returns those refused, in order (paths already
    // on the page are not refused, only skipped).
    QList<RefusedFile> addFiles(QStringList const& paths);
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

private:
    FunctionMode m_mode;
    QList<FileItem*> m_items;
    QList<FileItem*> m_pdfItems;
    QStringList m_paths;
};

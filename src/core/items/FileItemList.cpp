#include "items/FileItemList.h"

#include "items/ImageFileItem.h"
#include "items/OtherFileItem.h"
#include "items/PDFFileItem.h"
#include "utils/CommonUtils.h"

#include <QFileInfo>

#include <algorithm>
#include <memory>

FileItemList::FileItemList(FunctionMode mode, QObject* parent) : QObject(parent), m_mode(mode) {}

FileItemList::~FileItemList()
{
    clear();
}

QList<FileItemList::RefusedFile> FileItemList::addFiles(QStringList const& paths)
{
    QList<RefusedFile> refused;
    for (auto const& path : paths) {
        if (m_paths.contains(path))
            continue;
        QFileInfo const info(path);
        // A folder is never a file to convert, whatever its name says.
        if (info.isDir()) {
            refused.append({path, Refusal::Folder});
            continue;
        }
        // A row for a file that is not there could only fail when it runs.
        if (!info.exists()) {
            refused.append({path, Refusal::Missing});
            continue;
        }
        FileItem* item = nullptr;
        if (info.suffix().contains(QLatin1String("pdf"), Qt::CaseInsensitive)) {
            if (info.size() == 0) {
                refused.append({path, Refusal::Empty});
                continue;
            }
            auto pdf = std::make_unique<PDFFileItem>(path);
            if (!pdf->initPDF()) {
                refused.append({path, Refusal::Damaged});
                continue;
            }
            item = pdf.release();
            m_pdfItems.append(item);
        } else if (CommonUtils::CheckIsPhoto(path)) {
            item = new ImageFileItem(path);
        } else {
            item = new OtherFileItem(path);
        }
        m_items.append(item);
        m_paths.append(path);
    }
    return refused;
}

void FileItemList::removeAt(int i)
{
    if (i < 0 || i >= m_items.size())
        return;
    FileItem* item = m_items.at(i);
    m_pdfItems.removeOne(item);
    delete item;
    m_items.removeAt(i);
    m_paths.removeAt(i);
}

void FileItemList::removeOne(FileItem* item)
{
    int index = m_items.indexOf(item);
    if (index < 0)
        return;
    removeAt(index);
}

void FileItemList::clear()
{
    for (int i = m_items.size() - 1; i >= 0; --i)
        removeAt(i);
}

bool FileItemList::userPasswordLocked() const
{
    return std::any_of(m_pdfItems.cbegin(), m_pdfItems.cend(), [](FileItem* i) { return i->isEncrypted(); });
}

bool FileItemList::allowedRun() const
{
    if (m_pdfItems.isEmpty())
        return true;
    bool allLocked =
        std::all_of(m_pdfItems.cbegin(), m_pdfItems.cend(), [](FileItem* i) { return i->isEncrypted(); });
    bool anyUntreated =
        std::any_of(m_items.cbegin(), m_items.cend(), [](FileItem* i) { return i->isUntreated(); });
    return !allLocked && anyUntreated;
}

#include "items/FileItemList.h"

#include "items/ImageFileItem.h"
#include "items/OtherFileItem.h"
#include "items/PDFFileItem.h"
#include "pdf/PdfProbeProcess.h"
#include "utils/CommonUtils.h"

#include <QFileInfo>

#include <algorithm>
#include <memory>

namespace {
// Rebuilding reads a whole file: a few at a time keep the machine answering.
constexpr int kReadingsAtOnce = 2;
} // namespace

FileItemList::FileItemList(FunctionMode mode, QObject* parent) : QObject(parent), m_mode(mode) {}

FileItemList::~FileItemList()
{
    // Helpers still reading are stopped with their items; nobody is told any more.
    blockSignals(true);
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
            if (item->isBeingRead()) {
                m_readings.insert(item, nullptr);
                m_readingQueue.append(item);
            }
        } else if (CommonUtils::CheckIsPhoto(path)) {
            item = new ImageFileItem(path);
        } else {
            item = new OtherFileItem(path);
        }
        m_items.append(item);
        m_paths.append(path);
    }
    startReadings();
    return refused;
}

void FileItemList::startReadings()
{
    int running = 0;
    for (PdfProbeProcess* process : qAsConst(m_readings))
        running += process ? 1 : 0;
    while (running < kReadingsAtOnce && !m_readingQueue.isEmpty()) {
        FileItem* item = m_readingQueue.takeFirst();
        auto* process = new PdfProbeProcess(item->filePath(), this);
        m_readings.insert(item, process);
        connect(process, &PdfProbeProcess::finished, this,
                [this, item](PdfProbe::Facts const& facts) { readingDone(item, facts); });
        process->start();
        ++running;
    }
}

void FileItemList::readingDone(FileItem* item, PdfProbe::Facts const& facts)
{
    PdfProbeProcess* process = m_readings.take(item);
    if (process)
        process->deleteLater();
    auto* pdf = qobject_cast<PDFFileItem*>(item);
    if (pdf && pdf->takeReading(facts)) {
        emit itemRead(item);
    } else {
        Refusal const reason = facts.verdict == PdfProbe::Damaged ? Refusal::Damaged : Refusal::Unreadable;
        emit refusedAfterReading(item, {item->filePath(), reason});
        removeOne(item);
    }
    startReadings();
    if (m_readings.isEmpty())
        emit readingEnded();
}

void FileItemList::removeAt(int i)
{
    if (i < 0 || i >= m_items.size())
        return;
    FileItem* item = m_items.at(i);
    m_pdfItems.removeOne(item);
    // Its helper is stopped; the reading of the others goes on.
    m_readingQueue.removeOne(item);
    if (m_readings.contains(item)) {
        delete m_readings.take(item);
        startReadings();
        if (m_readings.isEmpty())
            emit readingEnded();
    }
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
    // Whether a file being read is locked is not known yet.
    if (isReading())
        return false;
    bool allLocked =
        std::all_of(m_pdfItems.cbegin(), m_pdfItems.cend(), [](FileItem* i) { return i->isEncrypted(); });
    bool anyUntreated =
        std::any_of(m_items.cbegin(), m_items.cend(), [](FileItem* i) { return i->isUntreated(); });
    return !allLocked && anyUntreated;
}

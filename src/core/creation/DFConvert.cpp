#include "creation/DFConvert.h"

#include "engines/ResultCodes.h"

#include <DFDocumentSDK.h>

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QThread>
#include <QtDebug>

#include <atomic>
#include <exception>

namespace {

// Loading may end on the layer's own thread.
class LoadDelegate : public DFDocumentLoadDelegate
{
public:
    void DFDocumentLoadDelegate_loadStart(DFDocument*) override
    {
        qDebug() << "DFDocumentLoadDelegate_loadStart";
    }
    void DFDocumentLoadDelegate_loadEnd(DFDocument*) override
    {
        m_endFlag.store(true);
        qDebug() << "DFDocumentLoadDelegate_loadEnd";
    }
    bool ended() const { return m_endFlag.load(); }

private:
    std::atomic<bool> m_endFlag{false};
};

// A little beyond the layer's own limit, so the layer reports its time-out first.
constexpr int kLoadWaitSeconds = DFDocument::kLoadTimeLimitSeconds + 5;

QString bookmarkKey(QString const& key)
{
    return QStringLiteral("bookmarks/") + key;
}

} // namespace

int DFConvert(const QString& input, const QString& output)
{
    try {
        LoadDelegate delegate;
        std::shared_ptr<DFDocument> source = DFDocument::documentWithPath(input);
        source->setLoadDelegate(&delegate);
        source->loadDocument();
        for (int waited = 0; !delegate.ended(); ++waited) {
            if (waited >= kLoadWaitSeconds)
                throw DFException(DFDocumentLoadException, QStringLiteral("loading did not end"));
            QThread::sleep(1);
        }

        std::shared_ptr<DFDocFormat> format =
            DFDocFormat::formatWithName(QString::fromLatin1(DFDocFormatPDF));
        std::shared_ptr<DFMutableDocument> target = DFMutableDocument::documentWithFilePath(output, format);
        target->setPageSize(DFSize{595.0, 842.0});
        target->setQuality(3);

        long const count = source->pageCount();
        target->setCount(count);
        target->beginEncode();
        target->setIsLast(false);
        source->setDecodeType(target->needDecodetype());
        source->beginDecode();
        for (long i = 0; i < count; ++i) {
            if (i == count - 1)
                target->setIsLast(true);
            target->setIsGet1(false);
            std::shared_ptr<DFPage> page = source->pageAtIndex(i);
            if (page)
                target->addPage(page);
        }
        source->endDeocde();
        target->setIsLast(true);
        target->endEncode();
    } catch (DFException const& e) {
        qWarning() << "DFConvert" << __LINE__ << "DFConvert Error" << e.what();
        if (e.cause() == DFCauseUnreadable)
            return CreateErrorDocumentDamaged;
        if (e.cause() == DFCauseDiskFull)
            return CreateErrorDiskFull;
        return -1;
    } catch (std::exception const& e) {
        qWarning() << "DFConvert" << __LINE__ << "DFConvert Error" << e.what();
        return -1;
    }
    // Success means a PDF is there to show for it.
    if (!QFileInfo(output).isFile()) {
        qWarning() << "DFConvert" << __LINE__ << "DFConvert Error: nothing written at" << output;
        return -1;
    }
    return 0;
}

void saveSecurityBookmark(QString key, QString folderPath)
{
    if (!QFileInfo(folderPath).isDir()) {
        qDebug() << "saveSecurityBookmark" << __LINE__ << "Error creating bookmark: "
                 << "no folder at" << folderPath;
        return;
    }
    qDebug() << "saveSecurityBookmark" << __LINE__ << "Creating bookmark success";
    QSettings().setValue(bookmarkKey(key), QDir(folderPath).absolutePath());
}

void recoverySecurityBookmark(QString key)
{
    QString folder = QSettings().value(bookmarkKey(key)).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        qDebug() << "recoverySecurityBookmark" << __LINE__ << "Error resolving bookmark: "
                 << "no folder for" << key;
        return;
    }
    qDebug() << "recoverySecurityBookmark" << __LINE__ << "Resolving bookmark success";
}

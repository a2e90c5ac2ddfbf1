#pragma once

#include "common/ConvertTypes.h"
#include "options/ConvertOption.h"

#include <QObject>
#include <QString>
#include <QStringList>

class IFileProcessor;

// One added file: its path, password, icon, page count, processed state, and the processor
// that converts it or makes a PDF of it. Created, changed and destroyed on the GUI thread;
// the worker only calls fileConvert, pdfCreate and startProcess.
class FileItem : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(FileItem)

public:
    explicit FileItem(QString path, QObject* parent = nullptr);
    ~FileItem() override;

    virtual bool isEncrypted() const { return false; }
    // A PDF that the helper still reads: its lock and page count are not known yet.
    bool isBeingRead() const { return m_beingRead; }
    virtual int pdfCreate(QString const& input, QString const& outDir);
    virtual int fileConvert(QString const& input, QString const& outDir);
    virtual void setConvertOption(ConvertOption const& option);
    virtual void setCompressionOption(CompressionOption const&) {}

    QString fileName() const;
    QString fileBaseName() const;
    QString filePath() const { return m_filePath; }
    QString fileType() const;
    QString getFileIcon() const { return m_iconName; }
    QString password() const { return m_password; }

    bool isUntreated() const { return !m_processed; }
    void changeProcessCompletionMark() { m_processed = false; }
    int pageCount() const { return m_pageCount; }

    // Queued or running: from the moment the controller queues the item until its result is
    // counted or the run drops it. The worker reads the item meanwhile, so nothing that it
    // reads may change: the setters below do nothing while the item is busy. GUI thread.
    bool isBusy() const { return m_busy; }
    void setBusy(bool busy);

    void fileProcessFinished(int code);
    void startProcess();
    void stopProcess();

    void setConvertType(ConvertType const& type);
    void setOutputPdfName(QString const& name);
    // The output name of a merge part: a working file of the merge, not the user's output.
    void setMergePartName(QString const& name);
    void changePageRange(QStringList const& ranges);
    QString getCreatorPdfOutputName() const { return QString(); }

    QString formatBytesOfFile() const;
    static QString formatFileSize(qint64 bytes);

    IFileProcessor* processor() const { return m_processor; }

signals:
    void processFinishedSignal(int code);
    void processing();
    void processed();
    void outputFileSignal(QString path);
    void unlockSuccess();
    // The helper's reading has given the icon, lock and page count.
    void readingFinished();
    void busyChanged(bool busy);

protected:
    bool m_processed = false;
    bool m_busy = false;
    bool m_beingRead = false;
    QString m_password;
    QString m_iconName;
    QString m_filePath;
    int m_pageCount = 1;
    IFileProcessor* m_processor = nullptr;
};

#pragma once

#include <QObject>
#include <QStringList>

#include <vector>

class QPDF;
class QPDFObjectHandle;

// Appends the pages, in order, at the end of the document.
void qpdfAddPages(QPDF& pdf, std::vector<QPDFObjectHandle>& pages);

// Joins the PDFs of a merged run into "Merge.pdf" in the output folder.
class MergeFunction : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(MergeFunction)

public:
    explicit MergeFunction(QObject* parent = nullptr);
    ~MergeFunction() override;

    static MergeFunction* instance();

    // Parts that are missing are skipped; false only when no part exists or qpdf fails.
    // outputPath names the merged file even when the merge fails.
    bool creatorPdfMerge(QStringList& inputs, QString const& outDir, QString& outputPath);
    // How many inputs the last successful merge put into its file.
    int mergedCount() const { return m_merged; }
    // The last merge failed for a full disk.
    bool diskFull() const { return m_diskFull; }

    static MergeFunction* m_instance;

signals:
    void mergeProgress(int percent);

private:
    int m_merged = 0;
    bool m_diskFull = false;
};

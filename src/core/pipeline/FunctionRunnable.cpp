#include "pipeline/FunctionRunnable.h"

#include "items/FileItem.h"

FunctionRunnable::FunctionRunnable(FunctionMode mode, FileItem* item, QString const& outDir, QObject* parent)
    : QObject(parent), m_item(item), m_outputDir(outDir), m_mode(mode)
{
    setAutoDelete(true);
}

FunctionRunnable::~FunctionRunnable() = default;

void FunctionRunnable::run()
{
    if (!m_item || (m_mode != ModeCreate && m_mode != ModeConvert)) {
        emit finished(-1);
        return;
    }
    m_item->startProcess();
    int code = m_mode == ModeCreate ? m_item->pdfCreate(m_item->filePath(), m_outputDir)
                                    : m_item->fileConvert(m_item->filePath(), m_outputDir);
    emit finished(code);
}

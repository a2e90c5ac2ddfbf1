#include "pipeline/TaskRunnable.h"

#include "items/FileItem.h"
#include "pipeline/TaskExecutor.h"
#include "pipeline/ThreadHandoff.h"

TaskRunnable::TaskRunnable(FileItem* item, QString const& outDir, TaskExecutor* executor, QObject* parent)
    : QObject(parent), m_item(item), m_outputDir(outDir), m_executor(executor),
      m_cancelled(std::make_shared<RunnableState>())
{
    m_cancelled->cancelled.exchange(false);
    setAutoDelete(true);
}

TaskRunnable::~TaskRunnable()
{
    // Disconnecting may destroy the controller's slot, which the GUI thread may just have run.
    handoffAcquire(m_cancelled.get());
}

void TaskRunnable::run()
{
    handoffAcquire(this);
    m_cancelled->started.store(true);
    int code = -1;
    if (m_item && m_executor && !m_cancelled->cancelled.load()) {
        m_item->startProcess();
        code = 1;
        if (!m_cancelled->cancelled.load())
            code = m_executor->execute(m_item, m_outputDir);
    }
    m_cancelled->finished.store(true);
    handoffRelease(m_cancelled.get());
    emit finished(code);
}

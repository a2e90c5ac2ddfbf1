#include "pipeline/TaskController.h"

#include "converters/SdkBoundary.h"
#include "items/FileItem.h"
#include "pdf/PDFMergeService.h"
#include "pipeline/TaskExecutor.h"
#include "pipeline/TaskExecutorFactory.h"
#include "pipeline/TaskRunnable.h"
#include "pipeline/ThreadHandoff.h"
#include "relay/SignalTransferStation.h"

#include <QCoreApplication>
#include <QThreadPool>
#include <QtDebug>

QList<TaskController*> TaskController::s_controllers;

QThreadPool* TaskController::workerPool()
{
    // Not Qt's global pool: Qt converts images there for every window it opens, so a file in
    // progress on it would keep every new dialog and menu waiting until the file is done.
    static QThreadPool pool;
    static bool const oneWorker = [] {
        pool.setMaxThreadCount(1);
        pool.setExpiryTimeout(-1);
        return true;
    }();
    Q_UNUSED(oneWorker)
    return &pool;
}

TaskController::TaskController(QObject* parent) : QObject(parent)
{
    workerPool();
    s_controllers.append(this);
    // Otherwise the pool, waited for at exit, would run the queued files after the interface is gone.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &TaskController::stopAllRuns);
}

TaskController::~TaskController()
{
    s_controllers.removeOne(this);
}

void TaskController::startTasks(QList<FileItem*> const& items, QString const& outDir, FunctionMode mode,
                                bool merge)
{
    m_mode = mode;
    m_merge = merge;
    m_outputDir = outDir;
    m_total = 0;
    m_completed = 0;
    m_runnables.clear();
    m_stopped = false;
    qDebug() << "startTasks" << __LINE__ << "Task start =======>>>";

    // The merge service is shared with the other page, which may be running: only a merged
    // run resets it, and it clears only the parts it made itself.
    PDFMergeService& service = PDFMergeService::instance();
    QString folder = outDir;
    if (m_merge) {
        service.reset();
        folder = service.tempDir();
        service.clearTempFiles();
    }

    for (int i = 0; i < items.size(); ++i) {
        FileItem* item = items.at(i);
        if (!item->isUntreated() || item->isEncrypted() || item->isBusy() || item->isBeingRead())
            continue;
        emit taskApplyOptions(i);
        TaskExecutor* executor = TaskExecutorFactory::create(m_mode);
        auto* runnable = new TaskRunnable(item, folder, executor);
        std::shared_ptr<RunnableState> state = runnable->state();
        m_runnables.append({item, runnable, executor, state});
        connect(runnable, &TaskRunnable::finished, this,
                [this, item, executor, state](int code) { onRunnableFinished(item, code, executor, state); });
        if (m_merge)
            service.addMergeFile(item, i);
        ++m_total;
        ++m_outstanding;
        item->setBusy(true);
        handoffRelease(runnable);
        workerPool()->start(runnable, 0);
    }
    m_running = m_total > 0;
    if (m_running)
        emit taskStarted();
}

void TaskController::onRunnableFinished(FileItem* item, int code, TaskExecutor* executor,
                                        std::shared_ptr<RunnableState> const& state)
{
    handoffAcquire(state.get());
    --m_outstanding;
    // The worker is done with the item: it may be edited again.
    item->setBusy(false);
    if (!m_stopped)
        handleTaskFinished(item, code);
    for (int i = 0; i < m_runnables.size(); ++i) {
        if (m_runnables.at(i).state == state) {
            m_runnables.removeAt(i);
            break;
        }
    }
    delete executor;
    // The worker may now drop this slot (with its captures) as it deletes the runnable.
    handoffRelease(state.get());
}

void TaskController::handleTaskFinished(FileItem* item, int code, int)
{
    ++m_completed;
    if (code != 0)
        emit taskError(item, code);
    emit taskProgress(m_completed, m_total);
    if (m_merge) {
        // A part that failed is left out of the merge: its row says why.
        if (code != 0)
            item->fileProcessFinished(code);
        else
            item->stopProcess();
        if (m_total > 0)
            emit mergeProgress(static_cast<int>(static_cast<float>(m_completed) / m_total * 60));
    } else {
        item->fileProcessFinished(code);
    }
    // After a cancel several results may still be on their way: the run ends with the last.
    if (m_completed >= m_total && m_outstanding == 0)
        endRun();
}

void TaskController::endRun()
{
    m_running = false;
    if (m_merge) {
        PDFMergeService& service = PDFMergeService::instance();
        QString path;
        bool ok = service.merge(m_outputDir, path);
        emit mergeCounted(service.mergedCount(), service.mergeList().size());
        if (!ok && service.diskFull())
            emit mergeDiskFull();
        emit mergeCompleted(ok, path);
    }
    emit taskFinished();
}

void TaskController::cancelTasks()
{
    // An idle page has no run to end; a late click must not report a second end.
    if (!m_running)
        return;
    // Only a file of this page in progress has its helpers stopped: the worker is shared.
    bool inProgress = false;
    for (auto const& pending : qAsConst(m_runnables))
        inProgress = inProgress || (pending.state->started.load() && !pending.state->finished.load());
    // The queue is emptied first: stopped earlier, the conversion in progress would free the
    // worker to start the next file of the run before it is taken out.
    dropRun();
    SdkBoundary::current().cancel();
    if (inProgress)
        SignalTransferStation::instance()->transmitStopTaskSignal();
    if (m_outstanding == 0)
        endRun();
}

void TaskController::dropRun()
{
    for (auto const& pending : m_runnables) {
        // Before run() starts the pool still owns a live runnable that tryTake can remove;
        // afterwards only the shared state may be touched.
        if (!pending.state->started.load() && workerPool()->tryTake(pending.runnable)) {
            delete pending.runnable;
            delete pending.executor;
            pending.item->setBusy(false);
            --m_outstanding;
            continue;
        }
        pending.state->cancelled.exchange(true);
    }
    m_runnables.clear();
    m_total = 0;
    m_completed = 0;
}

void TaskController::stopAllRuns()
{
    // Every page's queue is emptied before waiting, or the wait would run the other page's files.
    bool running = false;
    for (TaskController* controller : qAsConst(s_controllers)) {
        if (!controller->m_running)
            continue;
        running = true;
        controller->m_running = false;
        controller->m_stopped = true;
        controller->dropRun();
    }
    // Only once no queue holds a file: the worker, freed, finds nothing to start.
    if (running) {
        SdkBoundary::current().cancel();
        SignalTransferStation::instance()->transmitStopTaskSignal();
    }
    workerPool()->waitForDone();
    if (running)
        PDFMergeService::instance().clearTempFiles();
}

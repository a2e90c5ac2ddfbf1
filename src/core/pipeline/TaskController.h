#pragma once

#include "common/ConvertTypes.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class FileItem;
class QThreadPool;
class TaskExecutor;
class TaskRunnable;
struct RunnableState;

// Runs one page's untreated, unlocked items one after another on the single worker.
class TaskController : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(TaskController)

public:
    explicit TaskController(QObject* parent = nullptr);
    ~TaskController() override;

    void startTasks(QList<FileItem*> const& items, QString const& outDir, FunctionMode mode, bool merge);
    void cancelTasks();
    void handleTaskFinished(FileItem* item, int code, int = 0);

    // At quit: every live controller's run is cancelled, files still queued never start, the
    // file in progress is asked to stop and waited for, nothing is merged and the merge parts
    // made so far are removed. Called on QCoreApplication::aboutToQuit; calling it again does
    // nothing more.
    static void stopAllRuns();
    // The one worker thread that both pages queue their files on, one after another.
    static QThreadPool* workerPool();

    int total() const { return m_total; }
    int completed() const { return m_completed; }
    // Files of the run still queued or in progress, a cancelled one included until it reports.
    int outstanding() const { return m_outstanding; }

signals:
    void taskStarted();
    void taskProgress(int completed, int total);
    void taskFinished();
    void taskApplyOptions(int index);
    void taskError(FileItem* item, int code);
    void mergeProgress(int percent);
    // Just before mergeCompleted: how many of the run's files the merged file holds.
    void mergeCounted(int merged, int total);
    // Just before a failed mergeCompleted: the output folder's disk is full.
    void mergeDiskFull();
    void mergeCompleted(bool success, QString finalPath);

private:
    // A runnable of the current run whose result has not arrived. The runnable pointer is
    // used only while its state says it has not started: once run() began, the pool may
    // delete it at any moment.
    struct Pending
    {
        FileItem* item;
        TaskRunnable* runnable;
        TaskExecutor* executor;
        std::shared_ptr<RunnableState> state;
    };

    void onRunnableFinished(FileItem* item, int code, TaskExecutor* executor,
                            std::shared_ptr<RunnableState> const& state);
    void endRun();
    // Takes the run's queued runnables out of the pool and flags the started ones.
    void dropRun();

    int m_total = 0;
    int m_completed = 0;
    FunctionMode m_mode = ModeConvert;
    bool m_merge = false;
    QString m_outputDir;
    QList<Pending> m_runnables;
    bool m_running = false;
    int m_outstanding = 0;  // queued runnables whose result has not arrived
    bool m_stopped = false; // the run was stopped at quit: late results end nothing

    static QList<TaskController*> s_controllers; // every live controller, GUI thread only
};

#pragma once

#include "common/ConvertTypes.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class FileItem;
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

    int total() const { return m_total; }
    int completed() const { return m_completed; }

signals:
    void taskStarted();
    void taskProgress(int completed, int total);
    void taskFinished();
    void taskApplyOptions(int index);
    void taskError(FileItem* item, int code);
    void mergeProgress(int percent);
    void mergeCompleted(bool success, QString finalPath);

private:
    // A runnable of the current run whose result has not arrived. The runnable pointer is
    // used only while its state says it has not started: once run() began, the pool may
    // delete it at any moment.
    struct Pending
    {
        TaskRunnable* runnable;
        TaskExecutor* executor;
        std::shared_ptr<RunnableState> state;
    };

    void onRunnableFinished(FileItem* item, int code, TaskExecutor* executor,
                            std::shared_ptr<RunnableState> const& state);
    void endRun();

    int m_total = 0;
    int m_completed = 0;
    FunctionMode m_mode = ModeConvert;
    bool m_merge = false;
    QString m_outputDir;
    QList<Pending> m_runnables;
    bool m_running = false;
    int m_outstanding = 0; // queued runnables whose result has not arrived
};

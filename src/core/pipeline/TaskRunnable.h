#pragma once

#include <QObject>
#include <QRunnable>
#include <QString>

#include <atomic>
#include <memory>

class FileItem;
class TaskExecutor;

// What the controller may still touch of a runnable after the pool deleted it.
struct RunnableState
{
    std::atomic<bool> cancelled{false};
    std::atomic<bool> started{false};
    std::atomic<bool> finished{false};
};

// One file of a run on the worker; the pool deletes it when run() returns.
class TaskRunnable : public QObject, public QRunnable
{
    Q_OBJECT
    Q_DISABLE_COPY(TaskRunnable)

public:
    TaskRunnable(FileItem* item, QString const& outDir, TaskExecutor* executor, QObject* parent = nullptr);
    ~TaskRunnable() override;

    void run() override;
    void cancel() { m_cancelled->cancelled.exchange(true); }
    std::shared_ptr<RunnableState> state() const { return m_cancelled; }

signals:
    void finished(int code);

private:
    FileItem* m_item;
    QString m_outputDir;
    TaskExecutor* m_executor;
    std::shared_ptr<RunnableState> m_cancelled;
};

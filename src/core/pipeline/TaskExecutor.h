#pragma once

#include <QString>

class FileItem;

// One operation over one file item, run on the worker.
class TaskExecutor
{
public:
    TaskExecutor() = default;
    virtual ~TaskExecutor();
    TaskExecutor(TaskExecutor const&) = delete;
    TaskExecutor& operator=(TaskExecutor const&) = delete;

    virtual int execute(FileItem* item, QString const& outDir) = 0;
};

#pragma once

#include "common/ConvertTypes.h"

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

class ConvertExecutor : public TaskExecutor
{
public:
    int execute(FileItem* item, QString const& outDir) override;
};

class CreateExecutor : public TaskExecutor
{
public:
    int execute(FileItem* item, QString const& outDir) override;
};

class TaskExecutorFactory
{
public:
    // A new executor for the mode (the caller owns it), or null for modes without one.
    static TaskExecutor* create(FunctionMode mode);
};

#pragma once

#include "pipeline/TaskExecutor.h"

class ConvertExecutor : public TaskExecutor
{
public:
    int execute(FileItem* item, QString const& outDir) override;
};

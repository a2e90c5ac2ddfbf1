#pragma once

#include "pipeline/TaskExecutor.h"

class CreateExecutor : public TaskExecutor
{
public:
    int execute(FileItem* item, QString const& outDir) override;
};

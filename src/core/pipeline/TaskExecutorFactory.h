#pragma once

#include "common/ConvertTypes.h"

class TaskExecutor;

class TaskExecutorFactory
{
public:
    // A new executor for the mode (the caller owns it), or null for modes without one.
    static TaskExecutor* create(FunctionMode mode);
};

#include "pipeline/TaskExecutorFactory.h"

#include "pipeline/ConvertExecutor.h"
#include "pipeline/CreateExecutor.h"

TaskExecutor* TaskExecutorFactory::create(FunctionMode mode)
{
    switch (mode) {
    case ModeConvert:
        return new ConvertExecutor();
    case ModeCreate:
        return new CreateExecutor();
    default:
        return nullptr;
    }
}

#include "pipeline/TaskExecutor.h"

#include "items/FileItem.h"

TaskExecutor::~TaskExecutor() = default;

int ConvertExecutor::execute(FileItem* item, QString const& outDir)
{
    return item->fileConvert(item->filePath(), outDir);
}

int CreateExecutor::execute(FileItem* item, QString const& outDir)
{
    return item->pdfCreate(item->filePath(), outDir);
}

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

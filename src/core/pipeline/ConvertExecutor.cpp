#include "pipeline/ConvertExecutor.h"

#include "items/FileItem.h"

int ConvertExecutor::execute(FileItem* item, QString const& outDir)
{
    return item->fileConvert(item->filePath(), outDir);
}

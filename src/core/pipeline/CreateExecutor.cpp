#include "pipeline/CreateExecutor.h"

#include "items/FileItem.h"

int CreateExecutor::execute(FileItem* item, QString const& outDir)
{
    return item->pdfCreate(item->filePath(), outDir);
}

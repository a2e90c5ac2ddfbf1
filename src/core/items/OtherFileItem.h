#pragma once

#include "items/FileItem.h"

// Any document that is neither a PDF nor an image: it can only be made into a PDF.
class OtherFileItem : public FileItem
{
public:
    explicit OtherFileItem(QString const& path, QObject* parent = nullptr);
    ~OtherFileItem() override;

    static bool checkCategory(QString& suffix, QString& list);
    static bool checkCategoryIsWord(QString& suffix);
    static bool checkCategoryIsPPT(QString& suffix);
    static bool checkCategoryIsCAD(QString& suffix);
    static bool checkCategoryIsExcel(QString& suffix);
    static bool checkCategoryIsiWork(QString& suffix);

private:
    void initFileIcon();
};

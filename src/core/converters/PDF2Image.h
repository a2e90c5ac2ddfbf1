#pragma once

#include "converters/PDFConverter.h"

// PDF to one image per page in an output folder, or all pages joined into one image.
class PDF2Image : public PDFConverter
{
public:
    PDF2Image() = default;
    ~PDF2Image() override;

    int convert(QString const& input, QString const& output, QString const& password,
                ConvertOption const& option) override;

    bool adjoinPages(QString const& pageFolder, QString const& outputFile, ConvertOption const& option);
    static QString getImageSuffix(pdfconv::base::ImageType type);
};

#pragma once

#include "common/ConvertTypes.h"
#include "common/OcrLanguages.h"

#include <QString>

// The options of one file's conversion, copied by value from the row into the file item.
class ConvertOption
{
public:
    ConvertOption() = default;

    // Copies every field but the HTML page option, the page-image format and the language list.
    void copyConfigure(ConvertOption const& source, ConvertType const& type);

    bool operator==(ConvertOption const& other) const;
    bool operator!=(ConvertOption const& other) const { return !(*this == other); }

    bool m_csvSingleSheet = true;
    bool m_ocrEnabled = false;
    bool m_excelAllContent = true;
    bool m_excelSheetPerTable = true;
    int m_htmlPageOption = 0;
    int m_ocrLanguage = OcrEnglish; // the SDK's recognition language number
    int m_imageType = 0;            // pdfconv::base::ImageType, 0 jpg .. 4 tiff
    int m_ocrLanguageIndex = 14;    // "English" in the dialog's sorted language box
    bool m_flowingText = true;
    QString m_ocrLanguageList = QStringLiteral("20");
    double m_imageScale = 1.0;
    bool m_adjoinPages = false;
    unsigned int m_separatorWidth = 1;
    unsigned int m_separatorColor = 0xFFFFFFFFu; // ARGB, opaque white
};

// The options record of the compress mode; accepted and ignored.
class CompressionOption
{
};

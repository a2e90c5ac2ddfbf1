#include "options/ConvertOption.h"

void ConvertOption::copyConfigure(ConvertOption const& source, ConvertType const&)
{
    m_csvSingleSheet = source.m_csvSingleSheet;
    m_ocrEnabled = source.m_ocrEnabled;
    m_excelAllContent = source.m_excelAllContent;
    m_excelSheetPerTable = source.m_excelSheetPerTable;
    m_ocrLanguage = source.m_ocrLanguage;
    m_ocrLanguageIndex = source.m_ocrLanguageIndex;
    m_flowingText = source.m_flowingText;
    m_imageScale = source.m_imageScale;
    m_adjoinPages = source.m_adjoinPages;
    m_separatorWidth = source.m_separatorWidth;
    m_separatorColor = source.m_separatorColor;
}

bool ConvertOption::operator==(ConvertOption const& other) const
{
    return m_csvSingleSheet == other.m_csvSingleSheet && m_ocrEnabled == other.m_ocrEnabled &&
           m_excelAllContent == other.m_excelAllContent &&
           m_excelSheetPerTable == other.m_excelSheetPerTable && m_htmlPageOption == other.m_htmlPageOption &&
           m_ocrLanguage == other.m_ocrLanguage && m_imageType == other.m_imageType &&
           m_ocrLanguageIndex == other.m_ocrLanguageIndex && m_flowingText == other.m_flowingText &&
           m_ocrLanguageList == other.m_ocrLanguageList && m_imageScale == other.m_imageScale &&
           m_adjoinPages == other.m_adjoinPages && m_separatorWidth == other.m_separatorWidth &&
           m_separatorColor == other.m_separatorColor;
}

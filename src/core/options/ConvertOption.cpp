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

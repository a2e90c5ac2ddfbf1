#include "items/OtherFileItem.h"

#include "processors/OtherProcessor.h"

#include <QFileInfo>

OtherFileItem::OtherFileItem(QString const& path, QObject* parent) : FileItem(path, parent)
{
    m_processor = new OtherProcessor();
    initFileIcon();
}

OtherFileItem::~OtherFileItem() = default;

bool OtherFileItem::checkCategory(QString& suffix, QString& list)
{
    return list.split(',').contains(suffix, Qt::CaseInsensitive);
}

bool OtherFileItem::checkCategoryIsWord(QString& suffix)
{
    QString list = QStringLiteral("dot,dotx,doc,docx,dotm,docm");
    return checkCategory(suffix, list);
}

bool OtherFileItem::checkCategoryIsPPT(QString& suffix)
{
    QString list = QStringLiteral("ppt,ppsx,potx,ppsm,potm,pptm,pptx");
    return checkCategory(suffix, list);
}

bool OtherFileItem::checkCategoryIsCAD(QString& suffix)
{
    QString list = QStringLiteral("dwg,dwf,dxf,dgn,rvt");
    return checkCategory(suffix, list);
}

bool OtherFileItem::checkCategoryIsExcel(QString& suffix)
{
    QString list = QStringLiteral("xls,xlsx,xlt,xltx,xlsm,xltm");
    return checkCategory(suffix, list);
}

bool OtherFileItem::checkCategoryIsiWork(QString& suffix)
{
    QString list = QStringLiteral("pages,key,numbers");
    return checkCategory(suffix, list);
}

void OtherFileItem::initFileIcon()
{
    QString suffix = QFileInfo(m_filePath).suffix();
    auto is = [&suffix](const char* one) {
        return suffix.compare(QLatin1String(one), Qt::CaseInsensitive) == 0;
    };
    if (checkCategoryIsWord(suffix))
        m_iconName = QStringLiteral("WORD-3x.png");
    else if (checkCategoryIsPPT(suffix))
        m_iconName = QStringLiteral("PPT-3x.png");
    else if (checkCategoryIsCAD(suffix))
        m_iconName = QStringLiteral("CAD-3x.png");
    else if (checkCategoryIsExcel(suffix))
        m_iconName = QStringLiteral("EXCEL-3x.png");
    else if (is("txt"))
        m_iconName = QStringLiteral("TXT-3x.png");
    else if (is("epub"))
        m_iconName = QStringLiteral("EPUB-3x.png");
    else if (is("html"))
        m_iconName = QStringLiteral("HTML-3x.png");
    else if (is("rtf"))
        m_iconName = QStringLiteral("RTF-3x.png");
    else if (is("pages"))
        m_iconName = QStringLiteral("Pages.png");
    else if (is("key"))
        m_iconName = QStringLiteral("Key.png");
    else if (is("numbers"))
        m_iconName = QStringLiteral("Numbers.png");
    else
        m_iconName = QStringLiteral("OTHER-3x.png");
}

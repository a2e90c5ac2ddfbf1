#include "DFDocFormat.h"

DFDocFormat::DFDocFormat(QString name) : m_name(std::move(name)) {}

std::shared_ptr<DFDocFormat> DFDocFormat::formatWithName(QString const& name)
{
    if (name != QLatin1String(DFDocFormatPDF))
        return nullptr;
    return std::shared_ptr<DFDocFormat>(new DFDocFormat(name));
}

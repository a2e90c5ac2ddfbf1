#include "settings/RegistryTool.h"

#include "common/ProductConstants.h"

#include <QCoreApplication>
#include <QSettings>

RegistryTool* RegistryTool::m_instance = nullptr;

RegistryTool::RegistryTool(QObject* parent) : QObject(parent)
{
    QCoreApplication::setOrganizationName(g_organization);
    QString application = g_product_name;
    application.remove(QLatin1Char(' '));
    QCoreApplication::setApplicationName(application);
    m_settings =
        new QSettings(QSettings::NativeFormat, QSettings::UserScope, g_organization, application, this);
}

RegistryTool::~RegistryTool() = default;

RegistryTool* RegistryTool::getInstance()
{
    if (!m_instance)
        m_instance = new RegistryTool();
    return m_instance;
}

void RegistryTool::setLanguageVal(int value)
{
    m_settings->setValue(QStringLiteral("language"), value);
}

int RegistryTool::getLanguageVal()
{
    return m_settings->value(QStringLiteral("language"), 1).toInt();
}

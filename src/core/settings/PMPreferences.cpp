#include "settings/PMPreferences.h"

#include "common/ProductConstants.h"

#include <QDir>
#include <QFile>
#include <QSettings>

PMPreferences* PMPreferences::m_instance = nullptr;

PMPreferences::PMPreferences()
{
    m_settings = new QSettings(configFilePath(), QSettings::IniFormat);
}

PMPreferences::~PMPreferences()
{
    delete m_settings;
}

PMPreferences* PMPreferences::getInstance()
{
    if (!m_instance)
        m_instance = new PMPreferences();
    return m_instance;
}

QString PMPreferences::configFilePath()
{
    m_configDir = QDir::homePath() + g_configDirPath;
    QString path = m_configDir + QStringLiteral("Docquill.ini");
    // Append mode creates a missing file and never changes an existing one.
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.close();
    return path;
}

void PMPreferences::setValue(QString const& group, QString const& key, QVariant const& value)
{
    m_settings->beginGroup(group);
    m_settings->setValue(key, value);
    m_settings->sync();
    m_settings->endGroup();
}

void PMPreferences::setOCRInstalled(bool installed)
{
    setValue(QStringLiteral("OCR"), QStringLiteral("IsInstall"), installed);
}

bool PMPreferences::getOCRInstalled() const
{
    return m_settings->value(QStringLiteral("OCR/IsInstall"), false).toBool();
}

void PMPreferences::setOCRMode(int mode)
{
    setValue(QStringLiteral("OCR"), QStringLiteral("Mode"), mode);
}

int PMPreferences::getOCRMode() const
{
    return m_settings->value(QStringLiteral("OCR/Mode"), 1).toInt();
}

void PMPreferences::saveOcrLanguages(QString& languages)
{
    setValue(QStringLiteral("OCR"), QStringLiteral("RecogniseLanguages"), languages);
}

QString PMPreferences::getOcrLanguages() const
{
    // Stored as one text or as a list of texts: both come back as "3,20".
    return m_settings->value(QStringLiteral("OCR/RecogniseLanguages"), QStringLiteral("20"))
        .toStringList()
        .join(QLatin1Char(','));
}

void PMPreferences::saveOutputFolder(QString const& folder)
{
    setValue(QStringLiteral("General"), QStringLiteral("output"), folder);
}

QString PMPreferences::getOutputFolder() const
{
    return m_settings->value(QStringLiteral("General/output"), QString()).toString();
}

void PMPreferences::saveLastOpenDir(QString folder)
{
    setValue(QStringLiteral("General"), QStringLiteral("lastOpenDir"), folder);
}

QString PMPreferences::getLasteOpenDir() const
{
    return m_settings->value(QStringLiteral("General/lastOpenDir"), QStringLiteral("/")).toString();
}

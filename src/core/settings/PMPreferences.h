#pragma once

#include <QString>
#include <QVariant>

class QSettings;

// The INI settings file "Docquill.ini" in the Config folder. Every setter is on disk
// when it returns.
class PMPreferences
{
public:
    PMPreferences();
    ~PMPreferences();
    PMPreferences(PMPreferences const&) = delete;
    PMPreferences& operator=(PMPreferences const&) = delete;

    static PMPreferences* getInstance();

    // Computes the Config folder, creates an empty settings file when none exists, returns its path.
    QString configFilePath();

    void setOCRInstalled(bool installed);
    bool getOCRInstalled() const;
    void setOCRMode(int mode);
    int getOCRMode() const;
    void saveOcrLanguages(QString& languages);
    QString getOcrLanguages() const;
    void saveOutputFolder(QString const& folder);
    QString getOutputFolder() const;
    void saveLastOpenDir(QString folder);
    QString getLasteOpenDir() const;

    static PMPreferences* m_instance;

private:
    void setValue(QString const& group, QString const& key, QVariant const& value);

    QSettings* m_settings = nullptr;
    QString m_configDir;
};

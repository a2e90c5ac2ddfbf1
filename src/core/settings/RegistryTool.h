#pragma once

#include <QObject>

class QSettings;

// The user's native preference store; holds the interface language.
class RegistryTool : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(RegistryTool)

public:
    explicit RegistryTool(QObject* parent = nullptr);
    ~RegistryTool() override;

    static RegistryTool* getInstance();

    void setLanguageVal(int value);
    int getLanguageVal();

    static RegistryTool* m_instance;

private:
    QSettings* m_settings = nullptr;
};

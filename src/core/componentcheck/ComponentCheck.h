#pragma once

#include <QCoreApplication>
#include <QString>

class ComponentCheck;
class DownloadDialog;
class InstallModule;

// One add-on component: where its package comes from, how to tell it is present, how to
// fetch and install it.
struct ComponentCheckerStruct
{
    bool m_unused = false;
    QString m_url;
    QString m_packageMd5;
    QString m_prompt;
    bool (ComponentCheck::*m_check)() = nullptr;
    bool (DownloadDialog::*m_download)(QString) = nullptr;
    bool (InstallModule::*m_install)(QString const&) = nullptr;
};

// Decides whether the OCR model is present and intact and, when it is not, asks the user
// whether to fetch it, then reuses an intact package or downloads one, and installs it.
// The one unit of the core that shows dialogs (GUI thread only).
class ComponentCheck
{
    Q_DECLARE_TR_FUNCTIONS(ComponentCheck)

public:
    static ComponentCheck* m_instance;
    static ComponentCheck* instance();

    bool checkOCRModuleMd5();
    bool checkOCRComponent();
    bool checkComponent(ComponentCheckerStruct& record);
    bool installationPackageCheck(QString packagePath, QString md5);
    bool verifyMd5(QString path, QString md5);
    QString getMd5(QString const& path);
    bool checkCadComponent();
    bool checkHtmlComponent();

    // Tests: the OCR package is fetched from here instead of its published address.
    static void setOcrUrlForTests(QString const& url);

    // Every failed download or installation is told, with its reason.
    static void reportFailure(QString const& reason);

private:
    static QString modelPath();
    static QString packagePath(QString const& url);
};

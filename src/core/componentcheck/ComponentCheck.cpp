#include "componentcheck/ComponentCheck.h"

#include "common/ProductConstants.h"
#include "download/DownloadDialog.h"
#include "language/GLanguage.h"
#include "module/InstallModule.h"
#include "module/ModuleDigest.h"
#include "support/MainWindowAccess.h"
#include "support/MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QtDebug>

ComponentCheck* ComponentCheck::m_instance = nullptr;

namespace {
QString g_ocrUrlForTests;
} // namespace

ComponentCheck* ComponentCheck::instance()
{
    if (!m_instance)
        m_instance = new ComponentCheck;
    return m_instance;
}

void ComponentCheck::setOcrUrlForTests(QString const& url)
{
    g_ocrUrlForTests = url;
}

QString ComponentCheck::modelPath()
{
    return QCoreApplication::applicationDirPath() +
           QStringLiteral("/../Resources/resource/models/documentai.model");
}

QString ComponentCheck::packagePath(QString const& url)
{
    return QDir::homePath() + g_downloadDirPath + QUrl(url).fileName(QUrl::FullyDecoded);
}

bool ComponentCheck::checkOCRModuleMd5()
{
    QString path = modelPath();
    if (!QFileInfo::exists(path)) {
        qWarning() << "checkOCRModuleMd5" << __LINE__ << "checkOCRComponent() =>>> not exists";
        return false;
    }
    bool result = verifyMd5(path, baseOcrMd5);
    qDebug() << "checkOCRModuleMd5" << __LINE__ << "checkOCRComponent() =>>>"
             << "OCR module exists,"
             << "verifyMd5 Result :" << (result ? "true" : "false");
    return result;
}

bool ComponentCheck::checkOCRComponent()
{
    ComponentCheckerStruct record;
    record.m_url = g_ocrUrlForTests.isEmpty() ? baseOcrDownloadUrl : g_ocrUrlForTests;
    record.m_packageMd5 = baseOcrInstallPackMd5;
    record.m_prompt = QCoreApplication::translate("GLanguage", GLanguage::getString(StrOcrDownloadPrompt));
    record.m_check = &ComponentCheck::checkOCRModuleMd5;
    record.m_download = &DownloadDialog::downloadOCR;
    record.m_install = &InstallModule::installOCRModule;
    bool result = instance()->checkComponent(record);
    qDebug() << "checkOCRComponent" << __LINE__ << "Result " << int(result);
    return result;
}

bool ComponentCheck::checkComponent(ComponentCheckerStruct& record)
{
    if (record.m_check && (instance()->*record.m_check)())
        return true;
    qDebug() << "checkComponent" << __LINE__ << record.m_prompt;
    QWidget* parent = MainWindowAccess::instance();
    MessageBox::Button answer = MessageBox::information(
        parent, QCoreApplication::translate("GLanguage", GLanguage::getString(StrInfo)), record.m_prompt,
        MessageBox::Buttons(QMessageBox::Ok | QMessageBox::Cancel), QMessageBox::NoButton);
    if (answer != QMessageBox::Ok || !record.m_download || !record.m_install)
        return false;

    QString package = packagePath(record.m_url);
    if (!installationPackageCheck(package, record.m_packageMd5)) {
        DownloadDialog dialog(parent);
        dialog.show();
        if (!(dialog.*record.m_download)(record.m_url)) {
            // A download the user stopped needs no word.
            if (!dialog.failureReason().isEmpty())
                reportFailure(dialog.failureReason());
            return false;
        }
    } else if (!(InstallModule::instance()->*record.m_install)(package)) {
        reportFailure(InstallModule::instance()->errorString());
        return false;
    }
    // Installed counts only once the component passes its own check.
    if (record.m_check && !(instance()->*record.m_check)()) {
        qWarning() << "checkComponent" << __LINE__ << "the installed component fails its check";
        reportFailure(tr("The installed OCR module is damaged. Please try again."));
        return false;
    }
    return true;
}

void ComponentCheck::reportFailure(QString const& reason)
{
    MessageBox::warning(MainWindowAccess::instance(), tr("Installation Failed"), reason, QMessageBox::Ok);
}

bool ComponentCheck::installationPackageCheck(QString packagePath, QString md5)
{
    return verifyMd5(packagePath, md5);
}

bool ComponentCheck::verifyMd5(QString path, QString md5)
{
    // Nothing readable has the empty digest, which must never pass for a match.
    QString digest = getMd5(path);
    return !digest.isEmpty() && digest == md5;
}

QString ComponentCheck::getMd5(QString const& path)
{
    return ::getMd5(path);
}

bool ComponentCheck::checkCadComponent()
{
    return true;
}

bool ComponentCheck::checkHtmlComponent()
{
    return true;
}

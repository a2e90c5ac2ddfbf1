#include "update/QNetWorkProcess.h"

#include "common/ProductConstants.h"
#include "language/GLanguage.h"
#include "support/MainWindowAccess.h"
#include "support/MessageBox.h"

#include "Orvane.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QSettings>
#include <QUrl>
#include <QVersionNumber>

namespace {

const QString g_ignoreKey = QStringLiteral("Ignore_version");
const int g_codeNewest = 201;
const int g_codeNewVersion = 400;
const int g_codeTooFrequent = 403;

QString glanguage(StringIndex index)
{
    return QCoreApplication::translate("GLanguage", GLanguage::getString(index));
}

} // namespace

QNetWorkProcess::QNetWorkProcess(QObject* parent) : QObject(parent)
{
    QCoreApplication::setOrganizationName(g_organization);
    QCoreApplication::setApplicationName(g_product_name);
    QString const configDir = QDir::homePath() + g_configDirPath;
    m_settings = new QSettings(QSettings::NativeFormat, QSettings::UserScope,
                               QCoreApplication::organizationName(), QCoreApplication::applicationName());
    m_orvane = Orvane::gInstance();
    m_orvane->OrvaneInitApp(g_product_id, g_version, configDir);
}

QNetWorkProcess::~QNetWorkProcess()
{
    delete m_settings;
}

QNetWorkProcess* QNetWorkProcess::shareInstance(QObject* parent)
{
    static QNetWorkProcess* gNetWorkPro = nullptr;
    if (!gNetWorkPro)
        gNetWorkPro = new QNetWorkProcess(parent);
    return gNetWorkPro;
}

void QNetWorkProcess::version_check_clicked()
{
    m_userAsked = true;
}

void QNetWorkProcess::checkUpdate()
{
    int code = 0;
    QString version;
    QString downloadUrl;
    bool const ok = m_orvane->checkVersionUpdate(code, version, downloadUrl);
    qDebug() << "checkUpdate" << __LINE__ << ok << code << version << m_userAsked;

    if (!ok) {
        if (!m_userAsked)
            return;
        if (code == g_codeTooFrequent)
            MessageBox::information(MainWindowAccess::instance(), tr("Software Update"),
                                    glanguage(StrRequestsTooFrequent));
        else
            MessageBox::information(MainWindowAccess::instance(), tr("Note"), glanguage(StrNetworkError));
        return;
    }
    if (code == g_codeNewest) {
        if (m_userAsked)
            MessageBox::information(
                MainWindowAccess::instance(), tr("Software Update"),
                QStringLiteral("%1 %2 %3").arg(g_product_name, g_version, glanguage(StrNewestVersion)));
        return;
    }
    if (code != g_codeNewVersion)
        return;
    // Anyone on the way to a plain-http service writes the reply: its link must not choose
    // what the desktop opens.
    if (!isTrustedDownload(downloadUrl, m_orvane->serviceAddress())) {
        qWarning() << "checkUpdate" << __LINE__ << "download link refused:" << downloadUrl.left(200);
        if (m_userAsked)
            MessageBox::information(MainWindowAccess::instance(), tr("Software Update"),
                                    tr("The update information could not be read."));
        return;
    }
    offerNewVersion(version, downloadUrl);
}

bool QNetWorkProcess::isTrustedDownload(QString const& link, QString const& service)
{
    QUrl const url(link, QUrl::StrictMode);
    if (!url.isValid())
        return false;
    if (url == QUrl(g_link_download))
        return true;
    QString const host = QUrl(service).host();
    return url.scheme() == QLatin1String("https") && url.userInfo().isEmpty() && !host.isEmpty() &&
           url.host().compare(host, Qt::CaseInsensitive) == 0;
}

void QNetWorkProcess::offerNewVersion(QString const& version, QString const& downloadUrl)
{
    QVariant const stored = m_settings->value(g_ignoreKey);
    QString const ignored = stored.isNull() ? QString() : stored.toString();
    if (isSkipped(ignored, version)) {
        qDebug() << "offerNewVersion" << __LINE__ << "skipped by" << ignored;
        return;
    }

    MessageBox::Button const answer = MessageBox::information(
        nullptr, tr("Software Update"),
        tr("A new version of %1 is available! \r\n%1 %2 is now available---you have %3. Would you like to "
           "download it now?")
            .arg(g_product_name, version, g_version),
        MessageBox::Buttons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Ignore));
    if (answer == QMessageBox::Ignore)
        m_settings->setValue(g_ignoreKey, version);
    else if (answer == QMessageBox::Yes)
        QDesktopServices::openUrl(QUrl(downloadUrl));
}

// Versions compare by their numbers, so 7.10.0 counts as newer than 7.9.0; texts that do not
// start with a number keep the plain text order.
bool QNetWorkProcess::isSkipped(QString const& ignored, QString const& offered)
{
    if (ignored.isEmpty())
        return false;
    QVersionNumber const ignoredNumber = QVersionNumber::fromString(ignored);
    QVersionNumber const offeredNumber = QVersionNumber::fromString(offered);
    if (ignoredNumber.isNull() || offeredNumber.isNull())
        return QString::compare(ignored, offered) >= 0;
    return QVersionNumber::compare(ignoredNumber.normalized(), offeredNumber.normalized()) >= 0;
}

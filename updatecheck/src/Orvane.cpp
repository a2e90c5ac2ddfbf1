#include "Orvane.h"

#include "QNetWorkProcess.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QSysInfo>
#include <QUrl>

namespace {

// Scheme and host are ours; no real server exists under the reserved .example domain, so an
// unchanged build simply finds no service and reports code 0, unless the settings name another.
QString const g_interface_check_update =
    QStringLiteral("https://updates.docquill.example/API/update_information/");

QString& serviceOriginOverride()
{
    static QString origin;
    return origin;
}

// The start of a service text, enough to tell what came; the log never takes a whole body.
QString logPrefix(QString const& text)
{
    constexpr int kLoggedChars = 200;
    if (text.size() <= kLoggedChars)
        return text;
    return text.left(kLoggedChars) + QStringLiteral("... (%1 characters)").arg(text.size());
}

// Where a service of one's own is named: the application's settings file in the configuration
// folder it hands over. The address ends before the query, which the check appends.
QString configuredEndpoint(QString const& configDir)
{
    if (configDir.isEmpty())
        return QString();
    QSettings settings(QDir(configDir).filePath(QStringLiteral("Docquill.ini")), QSettings::IniFormat);
    // An address with a comma comes back from the INI format as a list.
    QString const text = settings.value(QStringLiteral("Update/ServiceAddress"))
                             .toStringList()
                             .join(QLatin1Char(','))
                             .trimmed();
    if (text.isEmpty())
        return QString();
    QUrl const url(text, QUrl::StrictMode);
    bool const usable = url.isValid() && !url.host().isEmpty() && !url.hasQuery() && !url.hasFragment() &&
                        (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"));
    if (!usable) {
        qWarning() << "configuredEndpoint" << __LINE__
                   << "not an http(s) address, ignored:" << logPrefix(text);
        return QString();
    }
    return text;
}

QString serviceEndpoint(QString const& configDir)
{
    QString const& origin = serviceOriginOverride();
    if (origin.isEmpty()) {
        QString const configured = configuredEndpoint(configDir);
        return configured.isEmpty() ? g_interface_check_update : configured;
    }
    QUrl const replacement(origin);
    QUrl endpoint(g_interface_check_update);
    endpoint.setScheme(replacement.scheme());
    endpoint.setHost(replacement.host());
    endpoint.setPort(replacement.port());
    return endpoint.toString();
}

// Stable per machine and per product, and opaque: only a digest of the machine id leaves the
// machine, never the id itself. Machines without a machine id fall back to their host name.
QString makeDeviceId(QString const& productId)
{
    QByteArray machine = QSysInfo::machineUniqueId();
    if (machine.isEmpty())
        machine = QSysInfo::machineHostName().toUtf8();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData("Orvane device id\n");
    hash.addData(machine);
    hash.addData("\n");
    hash.addData(productId.toUtf8());
    return QString::fromLatin1(hash.result().left(16).toHex());
}

} // namespace

Orvane* Orvane::gInstance()
{
    static Orvane* gOrvane = new Orvane;
    return gOrvane;
}

void Orvane::OrvaneInitApp(QString productId, QString version, QString configDir)
{
    m_productId = std::move(productId);
    m_version = std::move(version);
    m_configDir = std::move(configDir);
    m_deviceId = makeDeviceId(m_productId);
}

bool Orvane::checkVersionUpdate(int& code, QString& version, QString& downloadUrl)
{
    // The values go in as they are: product id, version and device id are plain tokens.
    QString const url = QStringLiteral("%1?product_id=%2&version=%3&device_id=%4")
                            .arg(serviceEndpoint(m_configDir), m_productId, m_version, m_deviceId);

    QString reply;
    int status = 0;
    QNetWorkProcess::shareInstance(m_configDir, nullptr)->httpGET(url, reply, status);

    code = 0;
    if (status != 200) {
        code = status;
        return false;
    }
    qDebug() << __FUNCTION__ << __LINE__ << logPrefix(reply);

    QByteArray bytes = reply.toLocal8Bit();
    int const nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    QJsonDocument const document = QJsonDocument::fromJson(bytes);
    QJsonObject const object = document.object();
    code = object.value(QStringLiteral("code")).toInt(0);
    if (document.isNull())
        return false;

    switch (code) {
    case 200:
        qDebug() << __FUNCTION__ << __LINE__ << logPrefix(object.value(QStringLiteral("msg")).toString());
        return false;
    case 201:
        return true;
    case 400:
        version = object.value(QStringLiteral("version")).toString();
        downloadUrl = object.value(QStringLiteral("download_url")).toString();
        return true;
    default:
        return false;
    }
}

QString Orvane::serviceAddress() const
{
    return serviceEndpoint(m_configDir);
}

void Orvane::setServiceOriginForTesting(QString const& origin)
{
    serviceOriginOverride() = origin;
}

#include "module/InstallModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtDebug>

InstallModule* InstallModule::m_instance = nullptr;

namespace {

// Replaces destination/name by staged/name with two renames: at every moment the name holds
// either the old entry whole or the new one whole. The old one comes back when the second
// rename fails.
bool moveIntoPlace(QString const& staged, QString const& destination, QString const& name,
                   QString const& aside)
{
    QString const target = destination + QLatin1Char('/') + name;
    QString const old = aside + QLatin1Char('/') + name;
    bool const hadOld = QFileInfo::exists(target) || QFileInfo(target).isSymLink();
    if (hadOld && !QDir().rename(target, old))
        return false;
    if (QDir().rename(staged + QLatin1Char('/') + name, target))
        return true;
    if (hadOld)
        QDir().rename(old, target);
    return false;
}

} // namespace

QString InstallModule::unwritable(QString const& folder)
{
    return tr("The folder %1 cannot be written.").arg(QDir::toNativeSeparators(QDir::cleanPath(folder)));
}

InstallModule* InstallModule::instance()
{
    if (!m_instance)
        m_instance = new InstallModule;
    return m_instance;
}

bool InstallModule::install(QString const& package, QString const& destination)
{
    m_error.clear();
    // Unpacked beside the destination and moved in only when whole: an unpack that fails or
    // is cut short leaves the installed module as it was, never a mix of old and new files.
    bool const made = QDir().mkpath(destination);
    QTemporaryDir staging(QDir(destination).absoluteFilePath(QStringLiteral(".staging-XXXXXX")));
    if (!made || !staging.isValid()) {
        qWarning() << "install" << __LINE__ << "cannot unpack into" << destination;
        m_error = unwritable(destination);
        return false;
    }
    QProcess process;
    process.start(QStringLiteral("unzip"),
                  {QStringLiteral("-o"), package, QStringLiteral("-d"), staging.path()},
                  QIODevice::ReadWrite);
    qDebug() << "install" << __LINE__ << "packgePath:" << package;
    if (!process.waitForStarted(3000)) {
        qWarning() << "install" << __LINE__ << "Failed to start the process.";
        qWarning() << "install" << __LINE__ << "Error output:" << process.readAllStandardError();
        m_error = tr("The unzip tool could not be started.");
        return false;
    }
    // unzip is never answered anything.
    process.closeWriteChannel();
    if (!process.waitForFinished(30000)) {
        qWarning() << "install" << __LINE__ << "Process failed to finish within the timeout period.";
        qWarning() << "install" << __LINE__ << "Error output:" << process.readAllStandardError();
        process.kill();
        process.waitForFinished(1000);
        m_error = tr("Unpacking the package took too long.");
        return false;
    }
    // A killed unzip has no exit code of its own; it must not read as 0.
    int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    qDebug() << "install" << __LINE__ << "Install exit code:" << code;
    if (code != 0) {
        qWarning() << "install" << __LINE__ << "Process exited with error code:" << code;
        qWarning() << "install" << __LINE__ << "Error output:" << process.readAllStandardError();
        m_error = tr("The package is damaged and could not be unpacked.");
        return false;
    }

    QTemporaryDir aside(QDir(destination).absoluteFilePath(QStringLiteral(".replaced-XXXXXX")));
    if (!aside.isValid()) {
        m_error = unwritable(destination);
        return false;
    }
    QStringList const entries =
        QDir(staging.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (QString const& name : entries) {
        if (!moveIntoPlace(staging.path(), destination, name, aside.path())) {
            qWarning() << "install" << __LINE__ << "cannot move" << name << "into" << destination;
            m_error = unwritable(destination);
            return false;
        }
    }
    return true;
}

bool InstallModule::installOCRModule(QString const& package)
{
    return install(package,
                   QCoreApplication::applicationDirPath() + QStringLiteral("/../Resources/resource/models"));
}

bool InstallModule::installCADModule(QString const& package)
{
    return install(package, QCoreApplication::applicationDirPath() + QStringLiteral("/Lib/"));
}

bool InstallModule::installHtml2pdf(QString const& package)
{
    return install(package, QCoreApplication::applicationDirPath() + QStringLiteral("/Lib/"));
}

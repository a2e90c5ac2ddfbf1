#include "module/InstallModule.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtDebug>

InstallModule* InstallModule::m_instance = nullptr;

InstallModule* InstallModule::instance()
{
    if (!m_instance)
        m_instance = new InstallModule;
    return m_instance;
}

bool InstallModule::install(QString const& package, QString const& destination)
{
    QProcess process;
    process.start(QStringLiteral("unzip"), {QStringLiteral("-o"), package, QStringLiteral("-d"), destination},
                  QIODevice::ReadWrite);
    qDebug() << "install" << __LINE__ << "packgePath:" << package;
    if (!process.waitForStarted(3000)) {
        qWarning() << "install" << __LINE__ << "Failed to start the process.";
        qWarning() << "install" << __LINE__ << "Error output:" << process.readAllStandardError();
        return false;
    }
    // unzip is never answered anything.
    process.closeWriteChannel();
    if (!process.waitForFinished(30000)) {
        qWarning() << "install" << __LINE__ << "Process failed to finish within the timeout period.";
        qWarning() << "install" << __LINE__ << "Error output:" << process.readAllStandardError();
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    // A killed unzip has no exit code of its own; it must not read as 0.
    int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    qDebug() << "install" << __LINE__ << "Install exit code:" << code;
    if (code != 0) {
        qWarning() << "install" << __LINE__ << "Process exited with error code:" << code;
        qWarning() << "install" << __LINE__ << "Error output:" << process.readAllStandardError();
    }
    return code == 0;
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

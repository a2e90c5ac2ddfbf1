#include "creation/MacAppChecker.h"

#include <QProcess>
#include <QtDebug>

MacAppChecker::MacAppChecker(QString appName) : m_appName(std::move(appName)) {}

bool MacAppChecker::isInstalled()
{
    QProcess process;
    process.start(QStringLiteral("mdfind"),
                  {QStringLiteral("kMDItemContentType"), QStringLiteral("=="),
                   QStringLiteral("com.apple.application-bundle"), QStringLiteral("&&"),
                   QStringLiteral("kMDItemFSName"), QStringLiteral("=="),
                   QStringLiteral("%1.app").arg(m_appName)},
                  QIODevice::ReadWrite);
    process.waitForFinished(10000);
    QByteArray bytes = process.readAllStandardOutput();
    int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    QString text = QString::fromLatin1(bytes);
    qDebug() << "isInstalled" << __LINE__ << text;
    QStringList lines = text.split('\n');
    bool installed = !lines.isEmpty() && !lines.first().isEmpty();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(1000);
    }
    return installed;
}

#include "FileManager.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

// A file manager started by bus activation may take a while to answer.
constexpr int kCallTimeoutMs = 10000;

void openFolder(QUrl const& folder)
{
    QDesktopServices::openUrl(folder);
}

} // namespace

void FileManager::showItem(QString const& path)
{
    if (path.isEmpty())
        return;
    QFileInfo const info(path);
    QUrl const folder = QUrl::fromLocalFile(info.absolutePath());
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !QCoreApplication::instance()) {
        openFolder(folder);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(info.absoluteFilePath()).toString()} << QString();
    auto* watcher =
        new QDBusPendingCallWatcher(bus.asyncCall(call, kCallTimeoutMs), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [folder](QDBusPendingCallWatcher* finished) {
                         if (finished->isError())
                             openFolder(folder);
                         finished->deleteLater();
                     });
}

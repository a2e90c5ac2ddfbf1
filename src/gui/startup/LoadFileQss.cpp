#include "startup/LoadFileQss.h"

#include <QApplication>
#include <QFile>

void LoadFileQss::setQssStyle(QString const& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray content = file.readAll();
    int const nul = content.indexOf('\0');
    if (nul >= 0)
        content.truncate(nul);
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        app->setStyleSheet(QString::fromLatin1(content));
}

#include "TestArtefacts.h"

#include <QDir>

QString TestArtefacts::save(QPixmap const& picture, QString const& name)
{
    QString folder = qEnvironmentVariable("DOCQUILL_ARTEFACTS");
    if (folder.isEmpty())
        folder = QDir::tempPath() + QStringLiteral("/docquill-artefacts");
    if (!QDir().mkpath(folder))
        return QString();
    QString const path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    return picture.save(path, "PNG") ? path : QString();
}

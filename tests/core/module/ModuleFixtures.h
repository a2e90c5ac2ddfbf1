#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

// Writes bytes at path, creating the folders on the way.
inline bool writeFile(QString const& path, QByteArray const& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Packs folder into package with the build's own packer.
inline bool pack(QString const& folder, QString const& package)
{
    QProcess packer;
    packer.start(QStringLiteral(DOCQUILL_PACKMODULE), {folder, package});
    return packer.waitForFinished(60000) && packer.exitStatus() == QProcess::NormalExit &&
           packer.exitCode() == 0;
}

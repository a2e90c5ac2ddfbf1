#include "converters/PDF2iWork.h"

#include "utils/CommonUtils.h"
#include "utils/TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtDebug>

namespace {
QString g_scriptRunner = QStringLiteral("/usr/bin/osascript");

QString utf8UpToNul(QByteArray bytes)
{
    int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return QString::fromUtf8(bytes);
}
} // namespace

PDF2iWork::PDF2iWork(QString const& scriptName)
    : m_scriptPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../Resources/Scripts/") +
                   scriptName)
{
}

PDF2iWork::~PDF2iWork() = default;

void PDF2iWork::setScriptRunnerForTesting(QString const& program)
{
    g_scriptRunner = program;
}

int PDF2iWork::runScript(QStringList& arguments)
{
    QStringList processArgs{m_scriptPath};
    processArgs << arguments;
    qDebug() << "runScript" << __LINE__ << processArgs.join(' ');

    QProcess process;
    process.start(g_scriptRunner, processArgs, QIODevice::ReadWrite);
    if (!process.waitForStarted(8000)) {
        qWarning() << "runScript" << __LINE__ << "Failed to launch Keynote.app";
        qDebug() << "runScript" << __LINE__ << process.errorString();
        return -1;
    }
    process.closeWriteChannel();
    process.waitForFinished(-1);
    QString errorText = utf8UpToNul(process.readAllStandardError());
    QString outputText = utf8UpToNul(process.readAllStandardOutput());
    bool ok = false;
    int result = outputText.trimmed().toInt(&ok);
    if (!ok)
        result = 0;
    // A script that dies without printing a number must not read as a successful export.
    if (result == 0 && (process.exitStatus() == QProcess::CrashExit ||
                        (outputText.trimmed().isEmpty() && process.exitCode() != 0)))
        result = process.exitStatus() == QProcess::CrashExit ? -1 : process.exitCode();
    if (result != 0)
        qWarning() << "runScript" << __LINE__ << errorText;
    return result;
}

QString PDF2iWork::intermediatePath(QString const& input, QString const& pattern)
{
    QString tempDir = TempFolder::path();
    QString name = pattern.arg(QFileInfo(input).baseName());
    CommonUtils::duplicateFilenameHandle(tempDir, name);
    return tempDir + name;
}

int PDF2iWork::convertThrough(SdkBoundary::StartFn start, QString const& input, QString const& output,
                              QString const& password, pdfconv::base::ConvertOptions const& record,
                              QString const& pattern)
{
    QString office = intermediatePath(input, pattern);
    int code = start(input.toUtf8().constData(), password.toUtf8().constData(), office.toUtf8().constData(),
                     record, nullptr);
    if (code != 0)
        return code;
    QStringList arguments{office, output};
    int rc = runScript(arguments);
    if (QFile::exists(office))
        QFile::remove(office);
    return rc;
}

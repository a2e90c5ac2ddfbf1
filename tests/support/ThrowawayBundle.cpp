#include "ThrowawayBundle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {
constexpr char s_variable[] = "DOCQUILL_THROWAWAY_BUNDLE";

int fail(char const* text)
{
    std::fprintf(stderr, "ThrowawayBundle: %s\n", text);
    return 1;
}

int runCopy(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QFileInfo executable(QCoreApplication::applicationFilePath());
    QDir realBundle(executable.absolutePath() + QStringLiteral("/.."));
    QTemporaryDir dir;
    if (!dir.isValid())
        return fail("cannot make a temporary folder");
    QString bundle = dir.filePath(QStringLiteral("bundle"));
    QString copy = bundle + QStringLiteral("/MacOS/") + executable.fileName();
    if (!QDir().mkpath(bundle + QStringLiteral("/MacOS")) ||
        !QDir().mkpath(bundle + QStringLiteral("/Resources/resource")) ||
        !QFile::link(realBundle.absoluteFilePath(QStringLiteral("Frameworks")),
                     bundle + QStringLiteral("/Frameworks")) ||
        !QFile::copy(executable.absoluteFilePath(), copy))
        return fail("cannot build the bundle");

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(s_variable), bundle);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(copy, app.arguments().mid(1));
    if (!child.waitForFinished(-1))
        return fail("the copy did not run");
    if (child.exitStatus() != QProcess::NormalExit)
        return fail("the copy crashed");
    return child.exitCode();
}
} // namespace

bool ThrowawayBundle::runTestsInside(int argc, char** argv, int& exitCode)
{
    if (qEnvironmentVariableIsSet(s_variable))
        return false;
    exitCode = runCopy(argc, argv);
    return true;
}

QString ThrowawayBundle::path()
{
    return qEnvironmentVariable(s_variable);
}

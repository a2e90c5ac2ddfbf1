#include "support/DesktopOpener.h"

#include "support/MainWindowAccess.h"
#include "support/MessageBox.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QProcess>

namespace {

// An opener that fails does so at once; one that runs the browser or file manager in the
// foreground ends with that program, and how that program ends says nothing about the opening.
constexpr qint64 kVerdictMs = 10000;

DesktopOpener* g_opener = nullptr;

} // namespace

DesktopOpener::DesktopOpener(QObject* parent) : QObject(parent) {}

void DesktopOpener::install()
{
    if (g_opener)
        return;
    g_opener = new DesktopOpener(QCoreApplication::instance());
    for (char const* scheme : {"http", "https", "file"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), g_opener, "open");
}

void DesktopOpener::open(QUrl const& url)
{
    auto* process = new QProcess(this);
    // The opened program may outlive the opener and write to its output; nothing reads it.
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    connect(process, &QProcess::errorOccurred, this, [this, process, url](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        qWarning() << "open" << __LINE__ << "xdg-open could not be started:" << process->errorString();
        process->deleteLater();
        report(url);
    });
    connect(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            [this, process, url, clock](int code, QProcess::ExitStatus status) {
                bool const failed =
                    (status != QProcess::NormalExit || code != 0) && clock.elapsed() < kVerdictMs;
                process->deleteLater();
                if (failed) {
                    qWarning() << "open" << __LINE__ << "xdg-open failed with" << code << "for" << url;
                    report(url);
                }
            });
    process->start(QStringLiteral("xdg-open"),
                   {url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)});
}

void DesktopOpener::report(QUrl const& url)
{
    QString const text =
        url.isLocalFile()
            ? tr("No application could be started to open this location. You can find it here:\n%1")
                  .arg(url.toLocalFile())
            : tr("No web browser could be started for this address. Copy it into a browser to open it:\n%1")
                  .arg(url.toString());
    MessageBox::information(MainWindowAccess::instance(), tr("Note"), text);
}

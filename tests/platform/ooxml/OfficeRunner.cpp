#include "OfficeRunner.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

bool OfficeRunner::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

bool OfficeRunner::convert(QStringList const& files, QString const& filter, QString const& outputFolder,
                           QString* log, QStringList const& extraArguments)
{
    QTemporaryDir profile;
    QStringList arguments{QStringLiteral("-env:UserInstallation=") +
                              QUrl::fromLocalFile(profile.path()).toString(),
                          QStringLiteral("--headless"), QStringLiteral("--norestore")};
    arguments << extraArguments << QStringLiteral("--convert-to") << filter << QStringLiteral("--outdir")
              << outputFolder << files;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStandardPaths::findExecutable(QStringLiteral("soffice")), arguments);
    bool const finished = process.waitForFinished(120000);
    *log = QString::fromLocal8Bit(process.readAll());
    if (!finished) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString OfficeRunner::pdfText(QString const& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

namespace {

QString pdfInfo(QStringList const& arguments, QString const& label)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), arguments);
    process.waitForFinished(60000);
    QString const out = QString::fromUtf8(process.readAllStandardOutput());
    QRegularExpression const line(QStringLiteral("^%1:\\s*(.*)$").arg(label),
                                  QRegularExpression::MultilineOption);
    return line.match(out).captured(1).trimmed();
}

} // namespace

int OfficeRunner::pdfPages(QString const& pdf)
{
    return pdfInfo({pdf}, QStringLiteral("Pages")).toInt();
}

QString OfficeRunner::pdfPageSize(QString const& pdf, int page)
{
    QString const number = QString::number(page);
    QString const size = pdfInfo({QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdf},
                                 QStringLiteral("Page +%1 size").arg(page));
    // "841.89 x 595.276 pts (A4)" -> "842 x 595"
    QRegularExpression const numbers(QStringLiteral("([0-9.]+) x ([0-9.]+)"));
    QRegularExpressionMatch const m = numbers.match(size);
    return QStringLiteral("%1 x %2")
        .arg(qRound(m.captured(1).toDouble()))
        .arg(qRound(m.captured(2).toDouble()));
}

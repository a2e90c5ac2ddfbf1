#include "TestPdf.h"

#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>

namespace TestPdf {

bool write(QString const& path, QStringList const& pageTexts)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(24);
    painter.setFont(font);
    for (int i = 0; i < pageTexts.size(); ++i) {
        if (i > 0)
            writer.newPage();
        painter.drawText(QPointF(72, 120), pageTexts.at(i));
    }
    return painter.end();
}

bool writePages(QString const& path, int n)
{
    QStringList texts;
    for (int i = 1; i <= n; ++i)
        texts << QStringLiteral("Page %1").arg(i);
    return write(path, texts);
}

bool encrypt(QString const& in, QString const& out, QString const& user, QString const& owner, int bits)
{
    QStringList args{QStringLiteral("--encrypt"), user, owner, QString::number(bits)};
    if (bits < 256)
        args.prepend(QStringLiteral("--allow-weak-crypto"));
    args << QStringLiteral("--") << in << out;
    return QProcess::execute(QStringLiteral("qpdf"), args) == 0;
}

QString text(QString const& path, QString const& password)
{
    QProcess process;
    QStringList args;
    if (!password.isEmpty())
        args << QStringLiteral("-upw") << password;
    args << path << QStringLiteral("-");
    process.start(QStringLiteral("pdftotext"), args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pageCount(QString const& path, QString const& password)
{
    QProcess process;
    QStringList args;
    if (!password.isEmpty())
        args << QStringLiteral("--password=") + password;
    args << QStringLiteral("--show-npages") << path;
    process.start(QStringLiteral("qpdf"), args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return -1;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed().toInt();
}

bool isEncrypted(QString const& path)
{
    // qpdf answers 0 for an encrypted file and 2 for one that is not.
    return QProcess::execute(QStringLiteral("qpdf"), {QStringLiteral("--is-encrypted"), path}) == 0;
}

} // namespace TestPdf

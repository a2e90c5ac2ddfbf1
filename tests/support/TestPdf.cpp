#include "TestPdf.h"

#include <QFile>
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

int writeWithoutCrossReferences(QString const& path, int megabytes)
{
    QByteArray line = "BT /F1 12 Tf 72 720 Td (A line of text on the page) Tj ET\n";
    QByteArray const content = line.repeated(56);
    int const pages = qMax(1, int(qint64(megabytes) * 1024 * 1024 / (content.size() + 180)));
    QByteArray pdf = "%PDF-1.7\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n";
    pdf += "2 0 obj\n<< /Type /Pages /Count " + QByteArray::number(pages) + " /Kids [";
    for (int i = 0; i < pages; ++i)
        pdf += QByteArray::number(3 + 2 * i) + " 0 R ";
    pdf += "] >>\nendobj\n";
    for (int i = 0; i < pages; ++i) {
        int const page = 3 + 2 * i;
        pdf += QByteArray::number(page) +
               " 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents " +
               QByteArray::number(page + 1) + " 0 R >>\nendobj\n";
        pdf += QByteArray::number(page + 1) + " 0 obj\n<< /Length " + QByteArray::number(content.size()) +
               " >>\nstream\n" + content + "\nendstream\nendobj\n";
    }
    // The trailer stays; the table it points to is gone.
    pdf += "trailer\n<< /Size " + QByteArray::number(3 + 2 * pages) + " /Root 1 0 R >>\nstartxref\n" +
           QByteArray::number(pdf.size()) + "\n%%EOF\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return 0;
    return pages;
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

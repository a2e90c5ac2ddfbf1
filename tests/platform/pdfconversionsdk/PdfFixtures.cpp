#include "PdfFixtures.h"

#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>

namespace PdfFixtures {

bool writePdf(QString const& path, QList<Page> const& pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72); // one unit is one point
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    QRectF const area(56, 56, 595 - 112, 842 - 112);
    for (int p = 0; p < pages.size(); ++p) {
        if (p > 0)
            writer.newPage();
        Page const& page = pages.at(p);
        double top = area.top();
        if (!page.title.isEmpty()) {
            QFont title(QStringLiteral("DejaVu Sans"));
            title.setPointSizeF(22);
            title.setBold(true);
            painter.setFont(title);
            QRectF used;
            painter.drawText(QRectF(area.left(), top, area.width(), 60), Qt::TextWordWrap, page.title, &used);
            top = used.bottom() + 18;
        }
        QFont body(QStringLiteral("DejaVu Serif"));
        body.setPointSizeF(11);
        painter.setFont(body);
        double const gutter = 28;
        double const colWidth = (area.width() - gutter * (page.columns - 1)) / page.columns;
        int column = 0;
        double y = top;
        for (auto const& text : page.paragraphs) {
            QRectF const box(area.left() + column * (colWidth + gutter), y, colWidth, area.bottom() - y);
            QRectF used;
            painter.drawText(box, Qt::TextWordWrap, text, &used);
            y = used.bottom() + 12;
            if (page.columns > 1 && y > area.bottom() - 150 && column + 1 < page.columns) {
                ++column;
                y = top;
            }
        }
    }
    return painter.end();
}

bool writeTablePdf(QString const& path, QList<QList<QStringList>> const& tables, bool ruled,
                   QStringList const& header)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPointSizeF(10);
    painter.setFont(body);
    for (int t = 0; t < tables.size(); ++t) {
        if (t > 0)
            writer.newPage();
        painter.drawText(QRectF(56, 60, 480, 40), Qt::TextWordWrap,
                         QStringLiteral("Figures of table %1 follow below.").arg(t + 1));
        QList<QStringList> const rows =
            header.isEmpty() ? tables.at(t) : QList<QStringList>{header} + tables.at(t);
        double const left = 80, top = 120, cellWidth = 110, cellHeight = 24;
        int const columns = rows.isEmpty() ? 0 : rows.first().size();
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows.at(r).size(); ++c)
                painter.drawText(
                    QRectF(left + c * cellWidth + 6, top + r * cellHeight, cellWidth - 12, cellHeight),
                    (r == 0 && !header.isEmpty() ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                    rows.at(r).at(c));
        if (ruled) {
            painter.setPen(QPen(Qt::black, 0.8));
            for (int r = 0; r <= rows.size(); ++r)
                painter.drawLine(QPointF(left, top + r * cellHeight),
                                 QPointF(left + columns * cellWidth, top + r * cellHeight));
            for (int c = 0; c <= columns; ++c)
                painter.drawLine(QPointF(left + c * cellWidth, top),
                                 QPointF(left + c * cellWidth, top + rows.size() * cellHeight));
        }
        painter.drawText(QRectF(56, top + rows.size() * cellHeight + 30, 480, 40), Qt::TextWordWrap,
                         QStringLiteral("The end of page %1.").arg(t + 1));
    }
    return painter.end();
}

bool writeScanPdf(QString const& path, QStringList const& lines, QSizeF const& pageSize, int dpi,
                  double fontSize)
{
    double const k = dpi / 72.0;
    QImage image(qRound(pageSize.width() * k), qRound(pageSize.height() * k), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setPixelSize(qRound(fontSize * k));
        painter.setFont(font);
        painter.setPen(Qt::black);
        double baseline = 36 * k + fontSize * k;
        for (auto const& line : lines) {
            painter.drawText(QPointF(36 * k, baseline), line);
            baseline += fontSize * 1.6 * k;
        }
    }
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(pageSize, QPageSize::Point));
    writer.setResolution(dpi);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.drawImage(QRectF(0, 0, image.width(), image.height()), image);
    return painter.end();
}

bool writeSharedPicturePdf(QString const& path, int pages)
{
    QImage picture(600, 850, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            picture.setPixel(x, y, qRgb(seed >> 24, (seed >> 16) & 0xff, (x + y) & 0xff));
        }
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            writer.newPage();
        painter.drawImage(QRectF(0, 0, 595, 842), picture); // one image object: stored once
    }
    return painter.end();
}

QString words(QString const& prefix, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("%1%2").arg(prefix).arg(i);
    return list.join(QLatin1Char(' '));
}

bool encrypt(QString const& input, QString const& output, QStringList const& encryptArgs)
{
    QProcess qpdf;
    // Weak (RC4) encryption has to be allowed before --encrypt opens its own options.
    qpdf.start(QStringLiteral("qpdf"),
               QStringList{QStringLiteral("--allow-weak-crypto"), QStringLiteral("--encrypt")} + encryptArgs +
                   QStringList{QStringLiteral("--"), input, output});
    return qpdf.waitForFinished(30000) && qpdf.exitStatus() == QProcess::NormalExit && qpdf.exitCode() == 0;
}

QString pdfToText(QString const& path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return QString();
    return QString::fromUtf8(tool.readAllStandardOutput());
}

} // namespace PdfFixtures

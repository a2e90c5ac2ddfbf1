#include "SyntheticScan.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QTransform>

namespace {

QStringList const kVocabulary = {
    "account", "almost",   "answer",  "autumn", "balance", "border",  "bridge",  "camera",  "carpet",
    "castle",  "center",   "change",  "church", "circle",  "column",  "common",  "corner",  "country",
    "cotton",  "credit",   "danger",  "decide", "degree",  "design",  "dinner",  "doctor",  "during",
    "energy",  "engine",   "family",  "farmer", "figure",  "finger",  "flower",  "forest",  "garden",
    "gather",  "golden",   "ground",  "harbor", "history", "island",  "journey", "kitchen", "ladder",
    "letter",  "little",   "market",  "master", "meadow",  "minute",  "modern",  "moment",  "morning",
    "mother",  "mountain", "number",  "object", "office",  "orange",  "paper",   "pencil",  "people",
    "planet",  "pocket",   "police",  "powder", "quarter", "rabbit",  "record",  "report",  "river",
    "saddle",  "season",   "second",  "silver", "simple",  "spring",  "square",  "station", "stone",
    "street",  "summer",   "supper",  "system", "table",   "thunder", "ticket",  "timber",  "travel",
    "valley",  "village",  "weather", "window", "winter",  "wonder",  "yellow",  "north",   "south",
    "harvest"};

} // namespace

QStringList SyntheticScan::words() const
{
    QStringList all;
    for (QStringList const& line : lines)
        all += line;
    return all;
}

SyntheticScan SyntheticScan::make(int lineCount, int seed, int dpi)
{
    SyntheticScan scan;
    scan.dpi = dpi;
    QSizeF const a4 = QPageSize(QPageSize::A4).size(QPageSize::Point);
    scan.image =
        QImage(qRound(a4.width() * dpi / 72), qRound(a4.height() * dpi / 72), QImage::Format_Grayscale8);
    scan.image.setDotsPerMeterX(qRound(dpi / 0.0254));
    scan.image.setDotsPerMeterY(qRound(dpi / 0.0254));
    scan.image.fill(Qt::white);

    QRandomGenerator random{quint32(seed)};
    QPainter painter(&scan.image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSizeF(11);
    painter.setFont(font);
    painter.setPen(Qt::black);
    QFontMetricsF const metrics(font, &scan.image);
    qreal const pixelsPerPoint = dpi / 72.0;
    qreal const left = 72 * pixelsPerPoint;
    qreal const right = scan.image.width() - 72 * pixelsPerPoint;
    qreal baseline = 90 * pixelsPerPoint;
    qreal const bottom = scan.image.height() - 72 * pixelsPerPoint;
    for (int i = 0; i < lineCount && baseline + metrics.descent() < bottom; ++i) {
        QStringList line;
        QString text;
        for (;;) {
            QString const word = kVocabulary.at(int(random.bounded(kVocabulary.size())));
            QString const longer = text.isEmpty() ? word : text + QLatin1Char(' ') + word;
            if (metrics.horizontalAdvance(longer) > right - left)
                break;
            text = longer;
            line << word;
        }
        painter.drawText(QPointF(left, baseline), text);
        QRectF const box(left, baseline - metrics.ascent(), metrics.horizontalAdvance(text),
                         metrics.ascent() + metrics.descent());
        scan.lines << line;
        scan.lineRects << QRectF(box.x() / pixelsPerPoint, box.y() / pixelsPerPoint,
                                 box.width() / pixelsPerPoint, box.height() / pixelsPerPoint);
        baseline += metrics.height() * 1.6;
    }
    return scan;
}

SyntheticScan SyntheticScan::fromLines(QStringList const& lines, QString const& family, int dpi)
{
    SyntheticScan scan;
    scan.dpi = dpi;
    QFont font(family);
    font.setPixelSize(qRound(14 * dpi / 72.0));
    QImage probe(1, 1, QImage::Format_Grayscale8);
    QFontMetricsF const metrics(font, &probe);
    qreal width = 0;
    for (QString const& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    qreal const margin = dpi / 2.0;
    scan.image =
        QImage(qRound(width + 2 * margin), qRound(lines.size() * metrics.height() * 1.6 + 2 * margin),
               QImage::Format_Grayscale8);
    scan.image.fill(Qt::white);
    QPainter painter(&scan.image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    qreal baseline = margin + metrics.ascent();
    qreal const pixelsPerPoint = dpi / 72.0;
    for (QString const& line : lines) {
        painter.drawText(QPointF(margin, baseline), line);
        scan.lines << line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        scan.lineRects << QRectF(margin / pixelsPerPoint, (baseline - metrics.ascent()) / pixelsPerPoint,
                                 metrics.horizontalAdvance(line) / pixelsPerPoint,
                                 (metrics.ascent() + metrics.descent()) / pixelsPerPoint);
        baseline += metrics.height() * 1.6;
    }
    return scan;
}

SyntheticScan SyntheticScan::atTopOfA4() const
{
    SyntheticScan scan = *this;
    QSizeF const a4 = QPageSize(QPageSize::A4).size(QPageSize::Point);
    scan.image = QImage(qRound(a4.width() * dpi / 72), qRound(a4.height() * dpi / 72), QImage::Format_Grayscale8);
    scan.image.fill(Qt::white);
    QPainter painter(&scan.image);
    painter.drawImage(0, 0, image);
    return scan;
}

SyntheticScan SyntheticScan::scanned(double degrees, quint32 seed) const
{
    SyntheticScan scan = *this;
    QTransform turn;
    QPointF const centre(image.width() / 2.0, image.height() / 2.0);
    turn.translate(centre.x(), centre.y());
    turn.rotate(degrees);
    turn.translate(-centre.x(), -centre.y());
    scan.image.fill(Qt::white);
    {
        QPainter painter(&scan.image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setTransform(turn);
        painter.drawImage(0, 0, image);
    }
    QRandomGenerator random(seed);
    for (int y = 0; y < scan.image.height(); ++y) {
        uchar* line = scan.image.scanLine(y);
        for (int x = 0; x < scan.image.width(); ++x) {
            // Roughly normal grain, sigma about 10 levels.
            int const grain =
                int(random.bounded(21)) + int(random.bounded(21)) + int(random.bounded(21)) - 30;
            line[x] = uchar(qBound(0, line[x] + grain, 255));
        }
    }
    int const specks = scan.image.width() * scan.image.height() / 3000;
    for (int i = 0; i < specks; ++i) {
        int const x = int(random.bounded(scan.image.width() - 1)),
                  y = int(random.bounded(scan.image.height() - 1));
        uchar const value = random.bounded(2) ? 40 : 230;
        scan.image.scanLine(y)[x] = value;
        scan.image.scanLine(y + 1)[x + 1] = value;
    }
    qreal const pixelsPerPoint = dpi / 72.0;
    for (QRectF& box : scan.lineRects) {
        QPointF const middle = turn.map(box.center() * pixelsPerPoint) / pixelsPerPoint;
        box.moveCenter(middle);
    }
    return scan;
}

bool SyntheticScan::writePdf(QString const& path, QVector<SyntheticScan> const& pages)
{
    if (pages.isEmpty())
        return false;
    QPdfWriter writer(path);
    writer.setResolution(pages.first().dpi);
    QPainter painter;
    for (int i = 0; i < pages.size(); ++i) {
        SyntheticScan const& page = pages.at(i);
        QSizeF const points(page.image.width() * 72.0 / page.dpi, page.image.height() * 72.0 / page.dpi);
        writer.setPageSize(QPageSize(points, QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        if (i == 0 ? !painter.begin(&writer) : !writer.newPage())
            return false;
        QSizeF const device(writer.width(), writer.height());
        painter.drawImage(QRectF(QPointF(0, 0), device), page.image);
    }
    return painter.end();
}

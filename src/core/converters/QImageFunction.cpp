#include "converters/QImageFunction.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QtDebug>

bool QImageFunction::imageMosaic(QStringList& images, QString const& out, unsigned int lineWidth,
                                 unsigned int color)
{
    int const n = images.size();
    // One page adjoins to its own image, framed like a longer one.
    if (n < 1)
        return false;
    qDebug() << "imageMosaic" << __LINE__ << QStringLiteral("Rgb rgb #%1").arg(color, 8, 16, QChar('0'));

    QImage first(images.first());
    int const w = static_cast<int>(lineWidth);
    int const half = w / 2;
    int const width = first.width();
    int const step = first.height();
    QImage canvas(width, step * n, QImage::Format_BGR888);
    if (canvas.isNull()) {
        qWarning() << "imageMosaic" << __LINE__ << "cannot make a canvas of" << width << "x" << step * n;
        return false;
    }
    // Images of other heights leave gaps: show them white rather than stale memory.
    canvas.fill(Qt::white);

    {
        QPainter painter(&canvas);
        painter.setPen(QPen(QColor::fromRgba(color), w));
        painter.drawImage(0, 0, first);
        for (int i = 1; i < n; ++i) {
            painter.drawImage(0, step * i, QImage(images.at(i)));
            painter.drawLine(w + half, step * i + half, width - 2 * w + half, step * i + half);
        }
        painter.drawRect(QRect(half, half, width - w, canvas.height() - w));
    }

    if (!canvas.save(out)) {
        qWarning() << "imageMosaic" << __LINE__ << "cannot save" << out;
        return false;
    }
    // The page images go only once the joined image is safely written.
    QFileInfo firstInfo(images.first());
    if (firstInfo.exists()) {
        QDir pageFolder = firstInfo.absoluteDir();
        qDebug() << "imageMosaic" << __LINE__ << pageFolder.absolutePath();
        pageFolder.removeRecursively();
    }
    return true;
}

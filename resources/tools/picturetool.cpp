// Build-time renderer of the application's pictures.
//
//   picturetool render <in.svg> <out.png|out.ico> <width> <height> [normal|pressed|disabled|hover]
//   picturetool spinner <in.svg> <out.gif> <size> <frames>
//   picturetool sheet <out.png> <picture>...
//
// A variant recolours the SVG text before rendering: every colour in the sources is written as
// rgb(r,g,b), so one source serves a picture and its pressed, disabled and hover states.

#include "GifWriter.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QtMath>

#include <cstdio>
#include <functional>

namespace {

using Recolour = std::function<QColor(QColor)>;

QColor const kBlue(81, 160, 251);
QColor const kBlueDeep(57, 147, 242);
QColor const kBluePressed(36, 115, 238);

QColor pressed(QColor c)
{
    struct Step
    {
        QColor from, to;
    };
    static Step const steps[] = {
        {kBlue, kBluePressed},
        {kBlueDeep, QColor(28, 98, 214)},
        {QColor(255, 255, 255), QColor(229, 233, 238)},
        {QColor(239, 244, 247), QColor(214, 224, 233)},
        {QColor(181, 181, 181), QColor(140, 140, 140)},
    };
    for (auto const& step : steps)
        if (step.from == c)
            return step.to;
    return c.darker(125);
}

// Grey of the same lightness, washed halfway towards white.
QColor disabled(QColor c)
{
    int const grey = qGray(c.rgb());
    int const washed = grey + (255 - grey) * 45 / 100;
    return QColor(washed, washed, washed);
}

// Neutral grey glyphs light up in the product blue.
QColor hover(QColor c)
{
    bool const neutral = c.red() == c.green() && c.green() == c.blue() && c.red() < 255;
    return neutral ? kBlueDeep : c;
}

bool variantByName(QString const& name, Recolour* recolour)
{
    if (name == "normal")
        *recolour = nullptr;
    else if (name == "pressed")
        *recolour = pressed;
    else if (name == "disabled")
        *recolour = disabled;
    else if (name == "hover")
        *recolour = hover;
    else
        return false;
    return true;
}

QByteArray recoloured(QByteArray const& svg, Recolour const& recolour)
{
    if (!recolour)
        return svg;
    static QRegularExpression const rgb(R"(rgb\(\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*\))");
    QString const text = QString::fromUtf8(svg);
    QString result;
    int done = 0;
    auto it = rgb.globalMatch(text);
    while (it.hasNext()) {
        auto const m = it.next();
        QColor const c =
            recolour(QColor(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()));
        result += text.midRef(done, m.capturedStart() - done);
        result += QString("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
        done = m.capturedEnd();
    }
    result += text.midRef(done);
    return result.toUtf8();
}

// QtSvg reports what it cannot draw as warnings in its own category; those are faults of a source.
// Other chatter of a headless run (no runtime folder and the like) is not worth a build line.
QStringList g_svgWarnings;

void collectSvgWarnings(QtMsgType type, QMessageLogContext const& context, QString const& message)
{
    bool const svg = type != QtDebugMsg && QByteArray(context.category).startsWith("qt.svg");
    if (svg)
        g_svgWarnings.append(message);
    if (svg || type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

bool fail(QString const& message)
{
    std::fprintf(stderr, "picturetool: %s\n", qPrintable(message));
    return false;
}

// Renders the SVG to size, turned by degrees about its centre. The source's aspect ratio must match
// the target's, so no picture is ever stretched.
bool renderSvg(QString const& path, Recolour const& recolour, QSize size, qreal degrees, QImage* image)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QString("cannot read %1").arg(path));
    g_svgWarnings.clear();
    QSvgRenderer renderer(recoloured(file.readAll(), recolour));
    if (!renderer.isValid())
        return fail(QString("%1 is not a valid SVG").arg(path));
    QSizeF const view = renderer.viewBoxF().size();
    if (qAbs(view.width() / view.height() - qreal(size.width()) / size.height()) > 0.01)
        return fail(QString("%1: view box %2x%3 does not fit %4x%5")
                        .arg(path)
                        .arg(view.width())
                        .arg(view.height())
                        .arg(size.width())
                        .arg(size.height()));

    *image = QImage(size, QImage::Format_ARGB32_Premultiplied);
    image->fill(Qt::transparent);
    QPainter painter(image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    QPointF const centre(size.width() / 2.0, size.height() / 2.0);
    painter.translate(centre);
    painter.rotate(degrees);
    painter.translate(-centre);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    painter.end();
    if (!g_svgWarnings.isEmpty())
        return fail(QString("%1: %2").arg(path, g_svgWarnings.join("; ")));
    return true;
}

// Writes through a QSaveFile, so a failed run leaves no half-written output behind.
bool save(QString const& path, QByteArray const& format, std::function<bool(QIODevice*)> const& write)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || !write(&out) || !out.commit())
        return fail(QString("cannot write %1 as %2").arg(path, QString(format)));
    return true;
}

bool saveImage(QImage const& image, QString const& path)
{
    QByteArray const format = QFileInfo(path).suffix().toLower().toLatin1();
    return save(path, format, [&](QIODevice* device) {
        QImageWriter writer(device, format);
        return writer.write(image.convertToFormat(QImage::Format_ARGB32));
    });
}

bool render(QStringList const& args)
{
    Recolour recolour;
    if (args.size() < 4 || args.size() > 5 || !variantByName(args.value(4, "normal"), &recolour))
        return fail("render <in.svg> <out> <width> <height> [normal|pressed|disabled|hover]");
    QSize const size(args[2].toInt(), args[3].toInt());
    if (size.isEmpty())
        return fail("bad size");
    QImage image;
    return renderSvg(args[0], recolour, size, 0, &image) && saveImage(image, args[1]);
}

bool spinner(QStringList const& args)
{
    int const side = args.value(2).toInt();
    int const frameCount = args.value(3).toInt();
    if (args.size() != 4 || side <= 0 || frameCount <= 1)
        return fail("spinner <in.svg> <out.gif> <size> <frames>");
    QVector<QImage> frames;
    for (int i = 0; i < frameCount; ++i) {
        QImage frame;
        if (!renderSvg(args[0], nullptr, QSize(side, side), 360.0 * i / frameCount, &frame))
            return false;
        frames.append(frame);
    }
    // One turn a second.
    QByteArray const gif = encodeAnimatedGif(frames, qMax(2, 100 / frameCount));
    return save(args[1], "gif", [&](QIODevice* device) { return device->write(gif) == gif.size(); });
}

// All pictures at their pixel size, once on white and once on the light background, names under each.
bool sheet(QStringList const& args)
{
    if (args.size() < 2)
        return fail("sheet <out.png> <picture>...");
    int const width = 2000, gap = 24;
    QFont font;
    font.setFamily("DejaVu Sans");
    font.setPixelSize(22);
    QFontMetrics const metrics(font);

    struct Cell
    {
        QImage image;
        QString name;
        QPoint at;
    };
    QVector<Cell> cells;
    int x = gap, y = gap, rowHeight = 0;
    for (auto const& path : args.mid(1)) {
        // Every frame of an animation, to see it turn.
        QImageReader reader(path);
        for (int frame = 0; reader.canRead(); ++frame) {
            QImage const image = reader.read();
            if (image.isNull())
                return fail(QString("cannot read %1").arg(path));
            QString const name = QFileInfo(path).fileName() + (frame > 0 ? QString(" %1").arg(frame) : "");
            int const cellWidth = qMax(image.width(), metrics.horizontalAdvance(name));
            if (x + cellWidth > width - gap) {
                x = gap;
                y += rowHeight + gap;
                rowHeight = 0;
            }
            cells.append({image, name, QPoint(x, y)});
            x += cellWidth + gap;
            rowHeight = qMax(rowHeight, image.height() + metrics.height() + 4);
        }
    }
    int const panelHeight = y + rowHeight + gap;

    QImage out(width, 2 * panelHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&out);
    painter.setFont(font);
    QColor const backgrounds[] = {Qt::white, QColor(239, 244, 247)};
    for (int panel = 0; panel < 2; ++panel) {
        int const top = panel * panelHeight;
        painter.fillRect(0, top, width, panelHeight, backgrounds[panel]);
        for (auto const& cell : cells) {
            QPoint const at = cell.at + QPoint(0, top);
            painter.drawImage(at, cell.image);
            painter.setPen(Qt::black);
            painter.drawText(at + QPoint(0, cell.image.height() + 4 + metrics.ascent()), cell.name);
        }
    }
    painter.end();
    return saveImage(out, args[0]);
}

} // namespace

int main(int argc, char** argv)
{
    // Runs during the build, where there may be no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(collectSvgWarnings);
    QGuiApplication app(argc, argv);

    QStringList args = app.arguments().mid(1);
    QString const command = args.isEmpty() ? QString() : args.takeFirst();
    bool ok = false;
    if (command == "render")
        ok = render(args);
    else if (command == "spinner")
        ok = spinner(args);
    else if (command == "sheet")
        ok = sheet(args);
    else
        fail("usage: picturetool render|spinner|sheet ...");
    return ok ? 0 : 1;
}

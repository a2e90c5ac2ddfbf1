// Start-up of the built application to its first painted window, on a display (run it as
// "xvfb-run -a bench_startup"): the time until the window is shown, and until its picture is no
// longer blank. Several fresh starts in fresh homes; prints figures, asserts nothing.
#include "TestHome.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

QString xdotool(QStringList const& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(5000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

// A window whose picture has more than a handful of colours has been painted.
bool painted(QRect const& area)
{
    QImage const picture = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(),
                                                                        area.height()).toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 7)
        for (int x = 0; x < picture.width(); x += 7)
            colours.insert(picture.pixel(x, y));
    return colours.size() > 8;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QString const program = QCoreApplication::applicationDirPath() + "/Docquill";
    QList<double> shown, firstPaint;
    for (int run = 0; run < 5; ++run) {
        TestHome home;
        QProcess docquill;
        docquill.setStandardOutputFile(QProcess::nullDevice());
        docquill.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        docquill.start(program, {});
        QString window;
        while (window.isEmpty() && clock.elapsed() < 30000)
            window = xdotool({"search", "--onlyvisible", "--name", "^Tarvello Docquill$"}).split('\n').value(0);
        shown << clock.nsecsElapsed() / 1e6;
        QString const geometry = xdotool({"getwindowgeometry", "--shell", window});
        auto value = [&](char const* key) {
            for (QString const& line : geometry.split('\n'))
                if (line.startsWith(key))
                    return line.section('=', 1).toInt();
            return 0;
        };
        QRect const area(value("X"), value("Y"), value("WIDTH"), value("HEIGHT"));
        while (!painted(area) && clock.elapsed() < 30000)
            QThread::msleep(5);
        firstPaint << clock.nsecsElapsed() / 1e6;
        docquill.kill();
        docquill.waitForFinished(5000);
    }
    std::sort(shown.begin(), shown.end());
    std::sort(firstPaint.begin(), firstPaint.end());
    std::printf("start-up: window shown after %.0f ms (median of 5, fastest %.0f), first painted after "
                "%.0f ms (median, fastest %.0f)\n",
                shown.at(2), shown.first(), firstPaint.at(2), firstPaint.first());
    return 0;
}

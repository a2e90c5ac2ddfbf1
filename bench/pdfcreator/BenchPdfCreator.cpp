// Prints how long it takes to make PDFs from 100 images (one helper run each, as the converters
// do, and in process) and from a text file of about 50 pages.
#include "DocRender.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QImage photo(int w, int h, int seed)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    QRandomGenerator random{quint32(seed)};
    image.fill(QColor::fromHsv(seed * 7 % 360, 80, 230));
    for (int i = 0; i < 60; ++i) {
        p.setBrush(QColor::fromHsv(random.bounded(360), 180, 200));
        p.drawEllipse(random.bounded(w), random.bounded(h), random.bounded(w / 3) + 10,
                      random.bounded(h / 3) + 10);
    }
    p.drawText(20, 40, QString("Image %1").arg(seed));
    return image;
}

double perSecond(int count, qint64 ms)
{
    return ms > 0 ? count * 1000.0 / ms : 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    QString const helper = QCoreApplication::applicationDirPath() + "/PdfCreator";

    // 100 images: half 1600 x 1200 JPEGs (embedded as they are), half 1200 x 900 PNGs (deflated).
    QStringList images;
    qint64 bytes = 0;
    for (int i = 0; i < 100; ++i) {
        bool const jpeg = i % 2 == 0;
        QString const name = dir.filePath(QString("image%1.%2").arg(i).arg(jpeg ? "jpg" : "png"));
        photo(jpeg ? 1600 : 1200, jpeg ? 1200 : 900, i).save(name);
        bytes += QFile(name).size();
        images << name;
    }
    std::printf("100 images, %.1f MB in all (50 JPEG 1600x1200, 50 PNG 1200x900)\n", bytes / 1e6);

    QElapsedTimer timer;
    timer.start();
    int failures = 0;
    for (QString const& image : images) {
        QProcess process;
        process.start(helper, {"-input", image, "-output", image + ".helper.pdf"});
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            ++failures;
    }
    qint64 const helperMs = timer.elapsed();
    std::printf("  PdfCreator, one run per image: %lld ms in all, %.1f ms an image (%.1f images/s)%s\n",
                static_cast<long long>(helperMs), helperMs / 100.0, perSecond(100, helperMs),
                failures ? qPrintable(QString(", %1 FAILED").arg(failures)) : "");

    timer.restart();
    failures = 0;
    for (QString const& image : images)
        failures += docrender::renderToPdf(image, image + ".inproc.pdf").ok() ? 0 : 1;
    qint64 const inProcessMs = timer.elapsed();
    std::printf("  renderers in process:          %lld ms in all, %.1f ms an image%s\n",
                static_cast<long long>(inProcessMs), inProcessMs / 100.0,
                failures ? qPrintable(QString(", %1 FAILED").arg(failures)) : "");

    // About 50 A4 pages of 10-point monospaced text.
    QString const text = dir.filePath("fifty-pages.txt");
    {
        QFile file(text);
        file.open(QIODevice::WriteOnly);
        for (int line = 1; line <= 50 * 62; ++line)
            file.write(QString("%1 The quick brown fox jumps over the lazy dog, and keeps running.\n")
                           .arg(line, 5)
                           .toUtf8());
    }
    timer.restart();
    QProcess process;
    process.start(helper, {"-input", text, "-output", text + ".pdf"});
    bool const ok = process.waitForFinished(300000) && process.exitCode() == 0;
    qint64 const textMs = timer.elapsed();
    docrender::RenderResult const check = docrender::renderToPdf(text, text + ".check.pdf");
    std::printf("text file, %lld KB: PdfCreator %lld ms for %d pages (%.1f ms a page)%s\n",
                static_cast<long long>(QFile(text).size() / 1024), static_cast<long long>(textMs),
                check.pageCount, check.pageCount ? double(textMs) / check.pageCount : 0.0,
                ok ? "" : ", FAILED");
    return 0;
}

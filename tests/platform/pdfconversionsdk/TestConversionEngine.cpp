#include "TestHome.h"
#include "engine/Job.h"
#include "engine/JobSink.h"

#include <pdfconv/base/ResultCode.h>

#include <QDir>
#include <QLinearGradient>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QtTest>

#include <mutex>

using namespace pdfconv;

namespace {

class RecordingSink : public engine::JobSink
{
public:
    void log(bool, QString const&) override {}
    void opened(int) override {}
    void pageDone(int, int) override {}
    void fileWritten(QString const& name) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_files << name;
    }
    QStringList files()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_files;
    }

private:
    std::mutex m_mutex;
    QStringList m_files;
};

// A large first page full of drawing, then small quick ones.
bool writeSlowFirstPage(QString const& path, int smallPages)
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(QPageSize(QSizeF(1200, 1600), QPageSize::Point));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int i = 0; i < 60; ++i) {
        QLinearGradient gradient(0, i * 5, 1600, 2200 - i * 5);
        gradient.setColorAt(0, QColor::fromHsv(i % 360, 200, 220));
        gradient.setColorAt(1, QColor::fromHsv((i * 7) % 360, 120, 160));
        painter.setBrush(gradient);
        painter.setOpacity(0.3);
        painter.drawEllipse(QRectF((i * 37) % 1400, (i * 53) % 2000, 200 + i, 200 + i / 2));
    }
    painter.setOpacity(1);
    for (int p = 0; p < smallPages; ++p) {
        writer.setPageSize(QPageSize(QSizeF(72, 72), QPageSize::Point));
        writer.newPage();
        painter.drawText(QPointF(10, 40), QString::number(p + 2));
    }
    return painter.end();
}

} // namespace

class TestConversionEngine : public QObject
{
    Q_OBJECT

private:
    TestHome m_home;

private slots:
    // poppler sets up shared state on first use without a lock, so the first page is done
    // alone before the page threads start: its image is always the first one written.
    void firstPageBeforeTheOthers()
    {
        QString const input = m_home.filePath("slow-first.pdf");
        QVERIFY(writeSlowFirstPage(input, 12));
        QString const staging = m_home.filePath("pages");
        QVERIFY(QDir().mkpath(staging));
        engine::Job job;
        job.target = engine::Target::Image;
        job.input = input;
        job.staging = staging;
        job.baseName = QStringLiteral("slow");
        job.threads = 4;
        RecordingSink sink;
        QCOMPARE(engine::runJob(job, sink), int(base::Success));
        QStringList const files = sink.files();
        QCOMPARE(files.size(), 13);
        QCOMPARE(files.first(), QStringLiteral("slow_001.jpg"));
    }
};

QTEST_MAIN(TestConversionEngine)
#include "TestConversionEngine.moc"

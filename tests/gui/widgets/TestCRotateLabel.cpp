#include "widgets/CRotateLabel.h"

#include <QtTest>

#include <QPainter>
#include <QTimer>

class TestCRotateLabel : public QObject
{
    Q_OBJECT

    // A label with a picture that has no transparent pixel, so anything drawn shows.
    static void setSolidPixmap(CRotateLabel& label)
    {
        QPixmap pixmap(24, 24);
        pixmap.fill(Qt::blue);
        label.setPixmap(pixmap);
        label.setScaledContents(true);
        label.resize(24, 24);
    }

    static int paintedPixels(QWidget& widget)
    {
        QImage image(widget.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += qAlpha(image.pixel(x, y)) > 0;
        return count;
    }

private slots:
    void drawsOnlyWhileStarted()
    {
        CRotateLabel label;
        setSolidPixmap(label);
        label.show();
        QVERIFY(label.isTimerActive());
        QCOMPARE(paintedPixels(label), 0);

        label.begin();
        QVERIFY(paintedPixels(label) > 0);

        label.stop();
        QVERIFY(!label.isVisible());
        QVERIFY(!label.isTimerActive());
    }

    void oneTimerThatRunsWhileVisible()
    {
        CRotateLabel label;
        for (int i = 0; i < 3; ++i) {
            label.show();
            QVERIFY(label.isTimerActive());
            label.hide();
            QVERIFY(!label.isTimerActive());
        }
        QCOMPARE(label.findChildren<QTimer*>().size(), 1);
    }

    void angleContinuesAndWraps()
    {
        CRotateLabel label;
        label.begin();
        for (int i = 0; i < 5; ++i)
            label.onRotateTimer();
        QCOMPARE(label.angle(), 40.0);
        label.stop();
        label.begin();
        QCOMPARE(label.angle(), 40.0);
        // 45 steps of 8 degrees make one turn.
        for (int i = 5; i < 45; ++i)
            label.onRotateTimer();
        QCOMPARE(label.angle(), 0.0);
    }
};

QTEST_MAIN(TestCRotateLabel)
#include "TestCRotateLabel.moc"

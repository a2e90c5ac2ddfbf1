#include "DragDriver.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>
#include <QtTest>

void dragInWindow(QWindow* window, QPoint from, QList<QPoint> const& points,
                  std::function<void()> const& whileOver)
{
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    // The drag runs its own event loop from the first move past the start distance on, so the
    // rest of the gesture is played by a timer inside it.
    int step = 0;
    QTimer player;
    player.setInterval(60);
    QObject::connect(&player, &QTimer::timeout, [&] {
        if (step < points.size()) {
            QTest::mouseMove(window, points.at(step++));
            return;
        }
        player.stop();
        if (whileOver)
            whileOver();
        QTest::mouseRelease(window, Qt::LeftButton, {}, points.isEmpty() ? from : points.last());
    });
    player.start();
    QTest::mouseMove(window, from + QPoint(0, 2 * QApplication::startDragDistance()));
    QTRY_VERIFY_WITH_TIMEOUT(!player.isActive(), 10000);
    QTest::qWait(50);
}

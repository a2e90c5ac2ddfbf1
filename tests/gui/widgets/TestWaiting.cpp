#include "widgets/Waiting.h"

#include <QtTest>

#include <QApplication>

namespace {

QList<Waiting*> indicators()
{
    QList<Waiting*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* waiting = dynamic_cast<Waiting*>(widget))
            found << waiting;
    return found;
}

} // namespace

class TestWaiting : public QObject
{
    Q_OBJECT

private slots:
    // Must stay first: nothing may have started the indicator yet.
    void stopBeforeStartDoesNothing()
    {
        Waiting::stop();
        QVERIFY(indicators().isEmpty());
    }

    void oneIndicatorReused()
    {
        Waiting::start();
        QCOMPARE(indicators().size(), 1);
        Waiting* waiting = indicators().first();
        QVERIFY(waiting->isVisible());
        QCOMPARE(waiting->size(), QSize(48, 48));
        QVERIFY(waiting->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(waiting->testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(waiting->windowModality(), Qt::ApplicationModal);

        Waiting::stop();
        QVERIFY(!waiting->isVisible());
        Waiting::start();
        QCOMPARE(indicators(), QList<Waiting*>{waiting});
        QVERIFY(waiting->isVisible());
        Waiting::stop();
    }
};

QTEST_MAIN(TestWaiting)
#include "TestWaiting.moc"

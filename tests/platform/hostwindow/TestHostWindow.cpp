#include "WindowCreator.h"

#include <QtTest>

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QTimer>

// A main window that may keep itself open.
class Hosted : public QWidget
{
public:
    explicit Hosted(bool refuse) : m_refuse(refuse) {}

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(!m_refuse); }

private:
    bool m_refuse;
};

class TestHostWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Only the host's close handler may end the event loop here.
        QApplication::setQuitOnLastWindowClosed(false);
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 800, 600));
    }

    void geometry_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("minimumHeight");
        QTest::addColumn<QRect>("host");
        QTest::addColumn<int>("hostMinimumHeight");
        QTest::newRow("fits the screen") << QSize(300, 200) << 150 << QRect(250, 177, 300, 246) << 196;
        QTest::newRow("odd sizes") << QSize(301, 201) << 0 << QRect(250, 177, 301, 247) << 46;
        QTest::newRow("taller than the screen") << QSize(400, 700) << 300 << QRect(200, 0, 400, 600) << 346;
        QTest::newRow("wider than the screen") << QSize(914, 640) << 0 << QRect(0, 0, 800, 600) << 46;
    }

    void geometry()
    {
        QFETCH(QSize, size);
        QFETCH(int, minimumHeight);
        QFETCH(QRect, host);
        QFETCH(int, hostMinimumHeight);

        auto* mainWindow = new QWidget;
        mainWindow->resize(size);
        mainWindow->setMinimumHeight(minimumHeight);
        mainWindow->show();
        WindowCreator creator;
        QCOMPARE(creator.hostWindow(), nullptr);
        creator.setWindowTitle(QStringLiteral("ignored"));
        creator.createWindow(mainWindow);

        QWidget* window = creator.hostWindow();
        QVERIFY(window && window->isWindow() && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Tarvello Docquill"));
        QCOMPARE(window->size(), host.size());
        // The offscreen platform's frame is 2 pixels: it pushes a window at the screen's edge in.
        QPoint const offset = window->geometry().topLeft() - host.topLeft();
        QVERIFY2(offset.x() >= 0 && offset.x() <= 2 && offset.y() >= 0 && offset.y() <= 2,
                 qPrintable(QString("%1, %2").arg(window->x()).arg(window->y())));
        QCOMPARE(window->minimumSize(), QSize(host.width(), hostMinimumHeight));
        QCOMPARE(window->maximumSize(), QSize(host.width(), 600));

        // The hosted widget fills the host below the 46-pixel title area.
        QCOMPARE(mainWindow->parentWidget(), window);
        QVERIFY(mainWindow->isVisible());
        QTRY_COMPARE(mainWindow->geometry(), QRect(0, 46, host.width(), host.height() - 46));
        QImage const shot = window->grab().toImage();
        QCOMPARE(shot.pixelColor(shot.width() / 2, 20), QColor(239, 244, 247));

        creator.setWindowTitle(QStringLiteral("Other"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Other"));
    }

    // A hosted widget with work in progress may refuse the close: the window stays, nothing quits.
    void closingQuits_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("accepted") << false;
        QTest::newRow("refused by the hosted widget") << true;
    }

    void closingQuits()
    {
        QFETCH(bool, refused);
        auto* mainWindow = new Hosted(refused);
        mainWindow->resize(200, 100);
        WindowCreator creator;
        creator.createWindow(mainWindow);
        QWidget* window = creator.hostWindow();
        QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
        QTimer::singleShot(0, window, &QWidget::close);
        QTimer::singleShot(refused ? 500 : 5000, qApp, [] { QCoreApplication::exit(3); });
        QCOMPARE(QApplication::exec(), refused ? 3 : 0);
        QCOMPARE(quitting.count(), 1); // exec() says so however it ends
        QCOMPARE(window->isVisible(), refused);
    }
};

QTEST_MAIN(TestHostWindow)
#include "TestHostWindow.moc"

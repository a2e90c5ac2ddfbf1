#include "list/CustomListWidget.h"

#include "items/FileItem.h"
#include "items/FileItemList.h"
#include "rows/FileItemWidget.h"
#include "support/DialogTestMode.h"

#include "DragDriver.h"
#include "TestArtefacts.h"
#include "TestHome.h"

#include <QtTest>

#include <QScrollBar>
#include <QWindow>

// Records the regions the list's viewport repaints.
class PaintRecorder : public QObject
{
public:
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

class TestCustomListWidget : public QObject
{
    Q_OBJECT

    TestHome m_home;
    FileItemList m_files{ModeCreate};

    // A list of n rows of 90 px over the first n files, shown.
    void fill(CustomListWidget& list, int n)
    {
        list.resize(600, 300);
        for (int i = 0; i < n; ++i) {
            auto* row = new QListWidgetItem(&list);
            row->setSizeHint(QSize(list.minimumWidth(), 90));
            list.setItemWidget(row, new FileItemWidget(m_files.getFileItem(i), &list));
        }
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
    }

    static QStringList order(CustomListWidget& list)
    {
        QStringList names;
        for (int i = 0; i < list.count(); ++i)
            names << list.getItemData(i)->fileBaseName();
        return names;
    }

    // A point of the viewport in the list window's coordinates.
    static QPoint inWindow(CustomListWidget& list, QPoint viewportPoint)
    {
        return list.viewport()->mapTo(&list, viewportPoint);
    }

    // The rows (viewport y) where the drop line's colour shows.
    static QList<int> lineRows(CustomListWidget& list)
    {
        QImage const picture = list.viewport()->grab().toImage();
        QList<int> rows;
        for (int y = 0; y < picture.height(); ++y)
            if (picture.pixelColor(3, y) == QColor(66, 133, 244))
                rows << y;
        return rows;
    }

private slots:
    void initTestCase()
    {
        DialogTestMode::setEnabled(true);
        QStringList paths;
        for (int i = 0; i < 8; ++i) {
            paths << m_home.filePath(QString("file%1.txt").arg(i));
            QFile file(paths.last());
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        m_files.addFiles(paths);
    }

    void pressWithoutDrag()
    {
        CustomListWidget list;
        fill(list, 3);
        QPoint const row1 = list.visualItemRect(list.item(1)).center();
        QTest::mousePress(list.windowHandle(), Qt::LeftButton, {}, inWindow(list, row1));
        QTest::mouseMove(list.windowHandle(), inWindow(list, row1 + QPoint(0, 3)));
        QTest::mouseRelease(list.windowHandle(), Qt::LeftButton, {}, inWindow(list, row1 + QPoint(0, 3)));
        QCOMPARE(list.currentRow(), 1);
        QVERIFY(!list.isDragging());
        QCOMPARE(order(list), QStringList({"file0", "file1", "file2"}));

        // Empty space below the rows clears the current row.
        QTest::mouseClick(list.windowHandle(), Qt::LeftButton, {}, inWindow(list, QPoint(300, 285)));
        QCOMPARE(list.currentRow(), -1);
    }

    void dropLine_data()
    {
        QTest::addColumn<int>("dragged");
        QTest::addColumn<int>("cursorY"); // viewport
        QTest::addColumn<int>("dropRow");
        QTest::addColumn<QList<int>>("line"); // viewport rows of the line; empty: none
        QTest::addColumn<QStringList>("result");
        QTest::newRow("to the top") << 2 << 20 << -1 << QList<int>{0, 1}
                                    << QStringList({"file2", "file0", "file1"});
        QTest::newRow("gap under the third, last row")
            << 0 << 250 << 2 << QList<int>{272, 273} << QStringList({"file1", "file2", "file0"});
        QTest::newRow("just above itself: no line")
            << 1 << 60 << 0 << QList<int>{} << QStringList({"file0", "file1", "file2"});
        QTest::newRow("first row to the top: no line")
            << 0 << 20 << -1 << QList<int>{} << QStringList({"file0", "file1", "file2"});
    }

    void dropLine()
    {
        QFETCH(int, dragged);
        QFETCH(int, cursorY);
        QFETCH(int, dropRow);
        QFETCH(QList<int>, line);
        QFETCH(QStringList, result);
        CustomListWidget list;
        fill(list, 3);
        int const x = list.viewport()->width() / 2;
        QPoint const from = list.visualItemRect(list.item(dragged)).center();
        int seenDrop = -9;
        QList<int> seenLine;
        dragInWindow(list.windowHandle(), inWindow(list, from), {inWindow(list, QPoint(x, cursorY))}, [&] {
            QVERIFY(list.isDragging());
            seenDrop = list.dropRow();
            seenLine = lineRows(list);
            if (QTest::currentDataTag() == QLatin1String("to the top"))
                TestArtefacts::save(list.grab(), "list-drop-line");
        });
        QCOMPARE(seenDrop, dropRow);
        QCOMPARE(seenLine, line);
        QVERIFY(!list.isDragging());
        QCOMPARE(list.dropRow(), -2);
        QCOMPARE(order(list), result);
        QVERIFY(lineRows(list).isEmpty());
    }

    // The line and the band repainted around it follow the content, not the list's top edge: in
    // the top 44 px of a scrolled list the line goes to the gap under the cursor, not above the
    // first row, which is scrolled away.
    void scrolledList()
    {
        CustomListWidget list;
        list.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        fill(list, 8);
        list.scrollToBottom();
        QApplication::processEvents();
        int const offset = -list.visualItemRect(list.item(0)).top();
        QVERIFY2(offset % 90 > 30, "the list must be scrolled by a part of a row");
        int const x = list.viewport()->width() / 2;
        // The first gap below the viewport's top edge, at the top of row `row`.
        int const row = offset / 90 + 1;
        int const gap = row * 90 - offset;
        QVERIFY(gap < 44);
        PaintRecorder recorder;
        int seenDrop = -9;
        QList<int> seenLine;
        QPoint const from = list.visualItemRect(list.item(7)).center();
        dragInWindow(list.windowHandle(), inWindow(list, from), {inWindow(list, QPoint(x, gap + 4))}, [&] {
            seenDrop = list.dropRow();
            seenLine = lineRows(list);
            list.viewport()->installEventFilter(&recorder);
            recorder.painted = QRegion();
            // A second move inside the same band repaints that band.
            QTest::mouseMove(list.windowHandle(), inWindow(list, QPoint(x, gap + 8)));
            QTest::qWait(100);
            list.viewport()->removeEventFilter(&recorder);
        });
        QCOMPARE(seenDrop, row - 1);
        QCOMPARE(seenLine, QList<int>({gap + 1, gap + 2}));
        QVERIFY2(recorder.painted.contains(QRect(0, gap + 1, list.viewport()->width(), 2)),
                 "the band around the line was not repainted");
        QCOMPARE(order(list).indexOf("file7"), row);
    }

    // A row held at the bottom edge scrolls the list until the end, so it can be dropped there.
    void heldAtTheEdgeScrolls()
    {
        CustomListWidget list;
        fill(list, 8);
        QScrollBar* bar = list.verticalScrollBar();
        QCOMPARE(bar->value(), 0);
        QVERIFY(bar->maximum() > 0);
        int const x = list.viewport()->width() / 2;
        QPoint const from = list.visualItemRect(list.item(0)).center();
        QPoint const edge(x, list.viewport()->height() - 5);
        bool reachedTheEnd = false;
        dragInWindow(list.windowHandle(), inWindow(list, from), {inWindow(list, edge)}, [&] {
            reachedTheEnd = QTest::qWaitFor([&] { return bar->value() == bar->maximum(); }, 5000);
        });
        QVERIFY(reachedTheEnd);
        QCOMPARE(order(list).last(), QStringLiteral("file0"));
    }
};

QTEST_MAIN(TestCustomListWidget)
#include "TestCustomListWidget.moc"

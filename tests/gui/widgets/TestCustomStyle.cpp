#include "widgets/CustomStyle.h"

#include <QtTest>

#include <QMenu>

class TestCustomStyle : public QObject
{
    Q_OBJECT

private slots:
    void metrics_data()
    {
        QTest::addColumn<int>("metric");
        QTest::addColumn<bool>("enlarged");
        QTest::newRow("small icon") << int(QStyle::PM_SmallIconSize) << true;
        QTest::newRow("large icon") << int(QStyle::PM_LargeIconSize) << false;
        QTest::newRow("tool bar icon") << int(QStyle::PM_ToolBarIconSize) << false;
        QTest::newRow("button margin") << int(QStyle::PM_ButtonMargin) << false;
    }

    void metrics()
    {
        QFETCH(int, metric);
        QFETCH(bool, enlarged);
        auto* style = new CustomStyle;
        QMenu menu;
        menu.setStyle(style);
        auto const pm = QStyle::PixelMetric(metric);
        int const expected = enlarged ? 36 : style->baseStyle()->pixelMetric(pm, nullptr, &menu);
        QCOMPARE(menu.style()->pixelMetric(pm, nullptr, &menu), expected);
        menu.setStyle(nullptr);
        delete style;
    }
};

QTEST_MAIN(TestCustomStyle)
#include "TestCustomStyle.moc"

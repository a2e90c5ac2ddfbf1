#include "options/ConvertOption.h"

#include <QtTest>

class TestConvertOption : public QObject
{
    Q_OBJECT

private slots:
    void defaults()
    {
        ConvertOption o;
        QVERIFY(o.m_csvSingleSheet);
        QVERIFY(!o.m_ocrEnabled);
        QVERIFY(o.m_excelAllContent);
        QVERIFY(o.m_excelSheetPerTable);
        QCOMPARE(o.m_htmlPageOption, 0);
        QCOMPARE(o.m_ocrLanguage, 3);
        QCOMPARE(o.m_imageType, 0);
        QCOMPARE(o.m_ocrLanguageIndex, 14);
        QVERIFY(o.m_flowingText);
        QCOMPARE(o.m_ocrLanguageList, QString("20"));
        QCOMPARE(o.m_imageScale, 1.0);
        QVERIFY(!o.m_adjoinPages);
        QCOMPARE(o.m_separatorWidth, 1u);
        QCOMPARE(o.m_separatorColor, 0xFFFFFFFFu);
    }

    void copyConfigureKeepsThreeFields()
    {
        ConvertOption source;
        source.m_csvSingleSheet = false;
        source.m_ocrEnabled = true;
        source.m_excelAllContent = false;
        source.m_excelSheetPerTable = false;
        source.m_htmlPageOption = 2;
        source.m_ocrLanguage = 6;
        source.m_imageType = 4;
        source.m_ocrLanguageIndex = 3;
        source.m_flowingText = false;
        source.m_ocrLanguageList = "1,15";
        source.m_imageScale = 2.5;
        source.m_adjoinPages = true;
        source.m_separatorWidth = 7;
        source.m_separatorColor = 0xFF102030u;

        ConvertOption target;
        target.copyConfigure(source, ToDocx);
        QCOMPARE(target.m_htmlPageOption, 0);
        QCOMPARE(target.m_imageType, 0);
        QCOMPARE(target.m_ocrLanguageList, QString("20"));

        QVERIFY(!target.m_csvSingleSheet);
        QVERIFY(target.m_ocrEnabled);
        QVERIFY(!target.m_excelAllContent);
        QVERIFY(!target.m_excelSheetPerTable);
        QCOMPARE(target.m_ocrLanguage, 6);
        QCOMPARE(target.m_ocrLanguageIndex, 3);
        QVERIFY(!target.m_flowingText);
        QCOMPARE(target.m_imageScale, 2.5);
        QVERIFY(target.m_adjoinPages);
        QCOMPARE(target.m_separatorWidth, 7u);
        QCOMPARE(target.m_separatorColor, 0xFF102030u);
    }
};

QTEST_GUILESS_MAIN(TestConvertOption)
#include "TestConvertOption.moc"

#include "common/ConvertTypes.h"
#include "common/OcrLanguages.h"
#include "common/ProductConstants.h"

#include <QtTest>

class TestSharedTables : public QObject
{
    Q_OBJECT

private slots:
    void suffixes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("ocr pdf") << int(ToOcrPdf) << "pdf";
        QTest::newRow("pdf") << int(ToPdf) << "pdf";
        QTest::newRow("keynote") << int(ToKeynote) << "key";
        QTest::newRow("jpg") << int(ToJpg) << "jpg";
        QTest::newRow("jpeg") << int(ToJpeg) << "jpeg";
        QTest::newRow("tiff") << int(ToTiff) << "tiff";
        QTest::newRow("numbers") << int(ToNumbers) << "numbers";
        QTest::newRow("csv") << int(ToCsv) << "csv";
    }
    void suffixes()
    {
        QFETCH(int, type);
        QFETCH(QString, suffix);
        QCOMPARE(convertFormatSuffix.size(), std::size_t(23));
        QCOMPARE(QString::fromStdString(convertFormatSuffix.at(std::size_t(type))), suffix);
    }

    void languageTables()
    {
        QCOMPARE(int(LanguageTable.size()), 54);
        QCOMPARE(LanguageChoice.size(), 54);
        QCOMPARE(int(ocrLanguageMap.size()), 54);
        for (int missing : {6, 7, 8, 48, 49}) {
            QVERIFY(!ocrLanguageMap.count(missing));
            QVERIFY(!LanguageChoice.values().contains(OCRLanguageId(missing)));
        }
        QStringList names = LanguageChoice.keys();
        QCOMPARE(names.mid(0, 4), (QStringList{"Afrikaans", "Albanian", "Angika", "Arabic"}));
        QCOMPARE(names.indexOf("English"), 14);
        QVERIFY(names.indexOf("Chinese (Simplified)") < names.indexOf("Chinese (Traditional)"));
        QCOMPARE(LanguageChoice.value("English"), OcrEnglish);
        QCOMPARE(LanguageChoice.value("Chinese (Simplified)"), OcrChineseSimplified);
        for (auto const& second : ocrLanguageMap)
            QVERIFY(second.second.empty());
    }

    void constants()
    {
        QCOMPARE(g_link_faq, g_link_support);
        for (auto const& dir : {g_configDirPath, g_logDirPath, g_tempDirPath, g_downloadDirPath}) {
            QVERIFY(dir.startsWith('/'));
            QVERIFY(dir.endsWith('/'));
        }
        QVERIFY(baseOcrDownloadUrl.endsWith("/ocr-models-mac-v2.zip"));
    }
};

QTEST_GUILESS_MAIN(TestSharedTables)
#include "TestSharedTables.moc"

#include "language/MultiLanguage.h"

#include "settings/RegistryTool.h"

#include "TestHome.h"

#include <QtTest>

#include <QTranslator>

class TestMultiLanguage : public QObject
{
    Q_OBJECT

    TestHome m_home;

private slots:
    void languageValues_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("code");
        QTest::newRow("0") << 0 << "en";
        QTest::newRow("English") << 1 << "en";
        QTest::newRow("French") << 2 << "fr";
        QTest::newRow("Portuguese") << 3 << "pt";
        QTest::newRow("Italian") << 4 << "it";
        QTest::newRow("German") << 5 << "de";
        QTest::newRow("Spanish") << 6 << "es";
        QTest::newRow("Japanese") << 7 << "ja";
        QTest::newRow("8") << 8 << "en";
        QTest::newRow("negative") << -3 << "en";
    }

    void languageValues()
    {
        QFETCH(int, value);
        QFETCH(QString, code);
        QCOMPARE(MultiLanguage::languageCode(value), code);
    }

    void englishCataloguesAreBuiltIn()
    {
        for (QString name : {"Translation_en.qm", "qt_en.qm"}) {
            QTranslator translator;
            QVERIFY2(translator.load(":/translations/language/" + name), qPrintable(name));
            QVERIFY(translator.isEmpty());
        }
    }

    void everySwitchIsAnnounced()
    {
        MultiLanguage* language = MultiLanguage::instance();
        QCOMPARE(MultiLanguage::instance(), language);
        QSignalSpy changed(language, &MultiLanguage::languageChanged);
        language->languageSwitch(1);
        language->languageSwitch(1);
        language->languageSwitch(42);
        QCOMPARE(changed.count(), 3);

        // Start-up applies the stored language and stores nothing itself.
        RegistryTool::getInstance()->setLanguageVal(5);
        language->initAppLanguage();
        QCOMPARE(changed.count(), 4);
        QCOMPARE(RegistryTool::getInstance()->getLanguageVal(), 5);
        QCOMPARE(language->multilingualLink("https://host.example/a?b=c"),
                 QString("https://host.example/a?b=c"));
    }
};

QTEST_MAIN(TestMultiLanguage)
#include "TestMultiLanguage.moc"

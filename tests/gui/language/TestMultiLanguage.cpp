#include "language/MultiLanguage.h"

#include "settings/RegistryTool.h"

#include "TestHome.h"

#include <QtTest>

#include <QMessageBox>
#include <QPushButton>
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

    // Each language changes a text of every context and Qt's own buttons; English shows the
    // sources.
    void switchThroughTheLanguages_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("French") << 2 << "Annuler";
        QTest::newRow("Portuguese") << 3 << "Cancelar";
        QTest::newRow("Italian") << 4 << "Annulla";
        QTest::newRow("German") << 5 << "Abbrechen";
        QTest::newRow("Spanish") << 6 << "Cancelar";
        QTest::newRow("Japanese") << 7 << "キャンセル";
        QTest::newRow("English") << 1 << "Cancel";
    }

    void switchThroughTheLanguages()
    {
        QFETCH(int, value);
        QFETCH(QString, cancel);
        static const char* const samples[][2] = {
            {"AppMenu", "Clear &Finished Items"},
            {"ConvertOptionSetting", "Select color"},
            {"CreatorItemWidget", "Output Name"},
            {"DocquillMainWidget", "Drag PDF, Image files here"},
            {"DownloadDialog", "Downloading OCR Module..."},
            {"Downloading", "Downloading OCR Module..."},
            {"EnterPassword", "Incorrect Password"},
            {"FileItemWidget", "All Pages"},
            {"FileListWindow", "Output Folder"},
            {"GLanguage", "Out of memory."},
            {"MergeWidget", "PDF Creation Completed"},
            {"OptionSetting", "Recognize text"},
            {"QAbout", "More Info"},
            {"QNetWorkProcess", "Software Update"},
        };
        MultiLanguage::instance()->languageSwitch(value);
        for (auto const& sample : samples) {
            QString const shown = QCoreApplication::translate(sample[0], sample[1]);
            QVERIFY2(value == 1 ? shown == QLatin1String(sample[1]) : shown != QLatin1String(sample[1]),
                     qPrintable(QString("%1: %2").arg(sample[0], shown)));
        }
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text().remove('&'), cancel);
        MultiLanguage::instance()->languageSwitch(1);
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

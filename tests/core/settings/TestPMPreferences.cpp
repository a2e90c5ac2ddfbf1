#include "settings/PMPreferences.h"

#include "common/ProductConstants.h"

#include "TestHome.h"

#include <QtTest>

#include <QDir>
#include <QSettings>

class TestPMPreferences : public QObject
{
    Q_OBJECT

    TestHome m_home;

    QString iniPath() const { return m_home.path() + g_configDirPath + "Docquill.ini"; }

private slots:
    void defaultsWithoutConfigFolder()
    {
        PMPreferences prefs;
        QCOMPARE(prefs.getOutputFolder(), QString());
        QCOMPARE(prefs.getOCRInstalled(), false);
        QCOMPARE(prefs.getOcrLanguages(), QString("20"));
        QCOMPARE(prefs.getOCRMode(), 1);
        QCOMPARE(prefs.getLasteOpenDir(), QString("/"));
        QCOMPARE(prefs.configFilePath(), iniPath());
        QVERIFY(!QFile::exists(iniPath())); // no Config folder yet: nothing to create it in
    }

    void emptyFileCreatedWhenFolderExists()
    {
        QVERIFY(QDir().mkpath(m_home.path() + g_configDirPath));
        PMPreferences prefs;
        QFileInfo ini(iniPath());
        QVERIFY(ini.exists());
        QCOMPARE(ini.size(), qint64(0));
    }

    // Every setter is on disk when it returns: a second store (the next start) sees it.
    void valuesPersist_data()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("output folder") << "output";
        QTest::newRow("ocr installed") << "installed";
        QTest::newRow("ocr mode") << "mode";
        QTest::newRow("languages") << "languages";
        QTest::newRow("last open dir") << "lastOpen";
    }

    void valuesPersist()
    {
        QFETCH(QString, which);
        {
            PMPreferences prefs;
            if (which == "output")
                prefs.saveOutputFolder("/data/out put,ü");
            else if (which == "installed")
                prefs.setOCRInstalled(true);
            else if (which == "mode")
                prefs.setOCRMode(4);
            else if (which == "languages") {
                QString list = "3,20";
                prefs.saveOcrLanguages(list);
            } else
                prefs.saveLastOpenDir("/tmp/x");
            QVERIFY(QFile::exists(iniPath()));
        }
        PMPreferences next;
        if (which == "output")
            QCOMPARE(next.getOutputFolder(), QString("/data/out put,ü"));
        else if (which == "installed")
            QCOMPARE(next.getOCRInstalled(), true);
        else if (which == "mode")
            QCOMPARE(next.getOCRMode(), 4);
        else if (which == "languages")
            QCOMPARE(next.getOcrLanguages(), QString("3,20"));
        else
            QCOMPARE(next.getLasteOpenDir(), QString("/tmp/x"));
    }

    void languagesWrittenAsList()
    {
        {
            QSettings raw(iniPath(), QSettings::IniFormat);
            raw.setValue("OCR/RecogniseLanguages", QStringList{"3", "20"});
        }
        PMPreferences prefs;
        QCOMPARE(prefs.getOcrLanguages(), QString("3,20"));
    }

    void singleton()
    {
        PMPreferences* first = PMPreferences::getInstance();
        QCOMPARE(PMPreferences::getInstance(), first);
    }
};

QTEST_GUILESS_MAIN(TestPMPreferences)
#include "TestPMPreferences.moc"

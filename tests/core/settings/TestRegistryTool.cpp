#include "settings/RegistryTool.h"

#include "TestHome.h"

#include <QtTest>

#include <QSettings>

class TestRegistryTool : public QObject
{
    Q_OBJECT

    TestHome m_home;

private slots:
    void namesTheApplication()
    {
        RegistryTool tool;
        QCOMPARE(QCoreApplication::organizationName(), QString("Tarvello"));
        QCOMPARE(QCoreApplication::applicationName(), QString("TarvelloDocquill"));
    }

    void languagePersists()
    {
        {
            RegistryTool tool;
            QCOMPARE(tool.getLanguageVal(), 1);
            tool.setLanguageVal(7);
        }
        RegistryTool next;
        QCOMPARE(next.getLanguageVal(), 7);
    }

    // The update check keeps its skipped version in the store named with blanks.
    void separateFromUpdateCheckStore()
    {
        RegistryTool tool;
        tool.setLanguageVal(5);
        {
            QSettings updateStore(QSettings::NativeFormat, QSettings::UserScope, "Tarvello",
                                  "Tarvello Docquill");
            updateStore.setValue("Ignore_version", "7.1.0");
            updateStore.remove("Ignore_version");
        }
        QCOMPARE(RegistryTool().getLanguageVal(), 5);
    }
};

QTEST_GUILESS_MAIN(TestRegistryTool)
#include "TestRegistryTool.moc"

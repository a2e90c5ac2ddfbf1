#include "common/ProductConstants.h"
#include "module/InstallModule.h"
#include "module/ModuleDigest.h"

#include "ModuleFixtures.h"
#include "TestHome.h"

#include <QCoreApplication>
#include <QtTest>

class TestInstallModule : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QString m_package;

    QByteArray read(QString const& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

private slots:
    void initTestCase()
    {
        QString model = m_home.filePath("source/documentai.model");
        QVERIFY(writeFile(model + "/eng.traineddata", "new english"));
        QVERIFY(writeFile(model + "/configs/osd", "new osd"));
        m_package = m_home.filePath("download/ocr-models-mac-v2.zip");
        QVERIFY(pack(model, m_package));
    }

    void unpacks_data()
    {
        QTest::addColumn<bool>("olderModelThere");
        QTest::newRow("fresh destination") << false;
        QTest::newRow("older model replaced") << true;
    }

    void unpacks()
    {
        QFETCH(bool, olderModelThere);
        QString models = m_home.filePath(QStringLiteral("models-%1").arg(olderModelThere));
        if (olderModelThere) {
            QVERIFY(
                writeFile(models + "/documentai.model/eng.traineddata", "old english, longer than the new"));
            QVERIFY(writeFile(models + "/documentai.model/configs/osd", "old osd"));
        }
        QVERIFY(InstallModule::instance()->install(m_package, models));
        QCOMPARE(read(models + "/documentai.model/eng.traineddata"), QByteArray("new english"));
        QCOMPARE(read(models + "/documentai.model/configs/osd"), QByteArray("new osd"));
        QCOMPARE(getMd5(models + "/documentai.model"), getMd5(m_home.filePath("source/documentai.model")));
    }

    void fails_data()
    {
        QTest::addColumn<QString>("package");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QByteArray>("packageBytes");
        QString models = m_home.filePath("failed/models");
        QTest::newRow("missing package") << m_home.filePath("none.zip") << models << QByteArray();
        QTest::newRow("damaged archive") << m_home.filePath("damaged.zip") << models << QByteArray("cut");
        QTest::newRow("a web page") << m_home.filePath("page.zip") << models
                                    << QByteArray("<html>302</html>");
        // Running as root, only a path below a regular file is sure to be unwritable.
        QTest::newRow("destination cannot be written")
            << m_package << m_home.filePath("regular-file/models") << QByteArray();
    }

    void fails()
    {
        QFETCH(QString, package);
        QFETCH(QString, destination);
        QFETCH(QByteArray, packageBytes);
        QVERIFY(writeFile(m_home.filePath("regular-file"), "a file, not a folder"));
        if (packageBytes == "cut")
            QVERIFY(writeFile(package, read(m_package).left(int(QFileInfo(m_package).size() / 2))));
        else if (!packageBytes.isEmpty())
            QVERIFY(writeFile(package, packageBytes));
        QVERIFY(!InstallModule::instance()->install(package, destination));
        QVERIFY(!QFile::exists(destination + "/documentai.model/eng.traineddata"));
    }

    // The package goes bad after its first entries: the model in place stays whole, old.
    void interruptedUnpackKeepsTheOldModel()
    {
        QString const models = m_home.filePath("interrupted");
        QVERIFY(writeFile(models + "/documentai.model/eng.traineddata", "old english"));
        QVERIFY(writeFile(models + "/documentai.model/configs/osd", "old osd"));
        QString const before = getMd5(models + "/documentai.model");
        QByteArray bytes = read(m_package);
        // The data of the last entry, after its local header: unzip finds its checksum wrong.
        QByteArray const name("documentai.model/eng.traineddata");
        int const at = bytes.indexOf(name);
        QVERIFY(at > 0);
        int const extra = uchar(bytes[at - 2]) | uchar(bytes[at - 1]) << 8;
        bytes[at + name.size() + extra] = char(bytes[at + name.size() + extra] ^ 0x5a);
        QString const damaged = m_home.filePath("late-damage.zip");
        QVERIFY(writeFile(damaged, bytes));
        QVERIFY(!InstallModule::instance()->install(damaged, models));
        QVERIFY(!InstallModule::instance()->errorString().isEmpty());
        QCOMPARE(getMd5(models + "/documentai.model"), before);
        QCOMPARE(QDir(models).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList("documentai.model"));
    }

    // What the build ships agrees with what the model check computes.
    void shippedPackageMatchesItsDigests()
    {
        QString package = QStringLiteral(DOCQUILL_OCR_PACKAGE);
        QCOMPARE(QFileInfo(package).fileName(), QUrl(baseOcrDownloadUrl).fileName());
        QVERIFY(QRegularExpression("^[0-9a-f]{32}$").match(baseOcrMd5).hasMatch());
        QVERIFY(QRegularExpression("^[0-9a-f]{32}$").match(baseOcrInstallPackMd5).hasMatch());
        QCOMPARE(getMd5(package), baseOcrInstallPackMd5);
        QString shipped =
            QCoreApplication::applicationDirPath() + "/../Resources/resource/models/documentai.model";
        QCOMPARE(getMd5(shipped), baseOcrMd5);
        QString models = m_home.filePath("shipped-models");
        QVERIFY(InstallModule::instance()->install(package, models));
        QCOMPARE(getMd5(models + "/documentai.model"), baseOcrMd5);
    }
};

QTEST_GUILESS_MAIN(TestInstallModule)
#include "TestInstallModule.moc"

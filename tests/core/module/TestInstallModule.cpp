#include "common/ProductConstants.h"
#include "module/InstallModule.h"
#include "module/ModuleDigest.h"

#include "ModuleFixtures.h"
#include "TestHome.h"

#include <QCoreApplication>
#include <QtTest>

#include <cerrno>
#include <cstdio>

#include <dlfcn.h>
#include <fcntl.h>

namespace {

// Renames that the file system refuses: of an entry named "b" or of a folder holding one, or
// a swap of two folders as a file system without one, or the unpacked folder's move.
enum class Refuse
{
    Nothing,
    EntryB,
    Exchange,
    ExchangeAndB,
    ExchangeAndNew,
};
Refuse g_refuse = Refuse::Nothing;

bool refused(char const* from, unsigned flags)
{
    QString const path = QFile::decodeName(from);
    bool const b = path.endsWith("/b") || QFileInfo::exists(path + "/b");
    switch (g_refuse) {
    case Refuse::Nothing:
        return false;
    case Refuse::EntryB:
        errno = EBUSY;
        return b;
    case Refuse::Exchange:
    case Refuse::ExchangeAndB:
    case Refuse::ExchangeAndNew:
        if (flags & RENAME_EXCHANGE) {
            errno = EINVAL;
            return true;
        }
        errno = EBUSY;
        if (g_refuse == Refuse::ExchangeAndNew)
            return path.contains("/.staging-");
        return g_refuse == Refuse::ExchangeAndB && b && !path.contains("/.replaced-");
    }
    return false;
}

} // namespace

extern "C" int renameat2(int fromDir, char const* from, int toDir, char const* to, unsigned flags)
{
    using Fn = int (*)(int, char const*, int, char const*, unsigned);
    static Fn const real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "renameat2"));
    return refused(from, flags) ? -1 : real(fromDir, from, toDir, to, flags);
}

extern "C" int rename(char const* from, char const* to)
{
    using Fn = int (*)(char const*, char const*);
    static Fn const real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "rename"));
    return refused(from, 0) ? -1 : real(from, to);
}

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
        QVERIFY(QFileInfo(models).permissions() & QFile::ReadOther);
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

    // A package of two folders over a destination that holds both and one more entry: the
    // destination ends wholly new (the other entry kept) or, whatever rename fails, wholly old.
    void wholeOrNothing_data()
    {
        QTest::addColumn<int>("refuse");
        QTest::addColumn<bool>("installed");
        QTest::newRow("every rename works") << int(Refuse::Nothing) << true;
        QTest::newRow("b cannot be renamed") << int(Refuse::EntryB) << false;
        QTest::newRow("no exchange") << int(Refuse::Exchange) << true;
        QTest::newRow("no exchange, b cannot be renamed") << int(Refuse::ExchangeAndB) << false;
        QTest::newRow("no exchange, the new folder cannot be moved in") << int(Refuse::ExchangeAndNew) << false;
    }

    void wholeOrNothing()
    {
        QFETCH(int, refuse);
        QFETCH(bool, installed);
        QString const source = m_home.filePath("two/source");
        QVERIFY(writeFile(source + "/a/data", "new a"));
        QVERIFY(writeFile(source + "/b/data", "new b"));
        QString const package = m_home.filePath("two/package.zip");
        if (!QFile::exists(package)) {
            QProcess zip;
            zip.setWorkingDirectory(source);
            zip.start("zip", {"-qr", package, "a", "b"});
            QVERIFY(zip.waitForFinished(60000) && zip.exitCode() == 0);
        }
        QString const models = m_home.filePath(QStringLiteral("two/models-%1").arg(refuse));
        QVERIFY(writeFile(models + "/a/data", "old a"));
        QVERIFY(writeFile(models + "/b/data", "old b"));
        QVERIFY(writeFile(models + "/notes.txt", "kept"));

        g_refuse = Refuse(refuse);
        bool const result = InstallModule::instance()->install(package, models);
        g_refuse = Refuse::Nothing;

        QCOMPARE(result, installed);
        QCOMPARE(read(models + "/a/data"), installed ? QByteArray("new a") : QByteArray("old a"));
        QCOMPARE(read(models + "/b/data"), installed ? QByteArray("new b") : QByteArray("old b"));
        QCOMPARE(read(models + "/notes.txt"), QByteArray("kept"));
        QCOMPARE(QDir(models).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({"a", "b", "notes.txt"}));
        QCOMPARE(QDir(m_home.filePath("two"))
                     .entryList({QStringLiteral(".*-models-*")}, QDir::AllEntries | QDir::Hidden),
                 QStringList());
    }

    // What an install cut short left goes at the next start; between the two renames of a file
    // system without an exchange, the old model comes back.
    void leftoversRemoved_data()
    {
        QTest::addColumn<bool>("modelThere");
        QTest::newRow("model in place") << true;
        QTest::newRow("cut between the renames") << false;
    }

    void leftoversRemoved()
    {
        QFETCH(bool, modelThere);
        QString const root = m_home.filePath(QStringLiteral("cut-%1").arg(modelThere));
        QString const models = root + "/models";
        if (modelThere) {
            QVERIFY(writeFile(models + "/documentai.model/eng.traineddata", "new"));
            QVERIFY(writeFile(models + "/.staging-Ab12Cd/documentai.model/eng.traineddata", "half"));
            QVERIFY(writeFile(models + "/.replaced-Ef34Gh/documentai.model/eng.traineddata", "old"));
        }
        QVERIFY(writeFile(root + "/.staging-models-Ij56Kl/documentai.model/eng.traineddata", "new"));
        QVERIFY(writeFile(root + "/.replaced-models-Mn78Op/documentai.model/eng.traineddata", "old"));
        QVERIFY(writeFile(root + "/.staging-other-Qr90St/keep", "another folder's"));
        QTemporaryDir elsewhere;
        QVERIFY(writeFile(elsewhere.filePath("thesis.docx"), "chapter one"));
        QVERIFY(QFile::link(elsewhere.path(), root + "/.staging-models-link00"));

        InstallModule::removeLeftovers(models);

        QCOMPARE(read(models + "/documentai.model/eng.traineddata"),
                 modelThere ? QByteArray("new") : QByteArray("old"));
        QCOMPARE(QDir(models).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList("documentai.model"));
        QCOMPARE(QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList({".staging-other-Qr90St", "models"}));
        QVERIFY(QFile::exists(elsewhere.filePath("thesis.docx")));
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

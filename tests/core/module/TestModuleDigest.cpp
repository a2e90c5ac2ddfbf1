#include "module/ModuleDigest.h"

#include "ModuleFixtures.h"
#include "TestHome.h"

#include <QCryptographicHash>
#include <QtTest>

namespace {
QString md5(QByteArray const& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}
} // namespace

class TestModuleDigest : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QString m_model;

private slots:
    void initTestCase()
    {
        m_model = m_home.filePath("documentai.model");
        QVERIFY(writeFile(m_model + "/b.traineddata", "BBB"));
        QVERIFY(writeFile(m_model + "/a.traineddata", "AA"));
        QVERIFY(writeFile(m_model + "/.hidden", "never counted"));
        QVERIFY(writeFile(m_model + "/sub/x", "X"));
        QVERIFY(writeFile(m_model + "/Zeta/y", "Y"));
        QVERIFY(QDir(m_model).mkpath("empty"));
    }

    // Folders first, each group by UTF-16 code units ("Zeta" before "empty" before "sub"),
    // a folder adding its digest text, a file its content (never its name), hidden entries
    // nothing.
    void folderRule()
    {
        QString zeta = md5("Y");
        QString sub = md5("X");
        QString empty = md5("");
        QCOMPARE(getMd5(m_model + "/Zeta"), zeta);
        QCOMPARE(getMd5(m_model + "/empty"), empty);
        QCOMPARE(getMd5(m_model), md5((zeta + empty + sub).toUtf8() + "AA" + "BBB"));
        QCOMPARE(getMd5(m_model + "/a.traineddata"), md5("AA"));
        QCOMPARE(getMd5(m_home.filePath("nothing here")), QString());
    }

    void linkBackToAnEnclosingFolderIsSkipped()
    {
        QString before = getMd5(m_model);
        QVERIFY(QFile::link(m_model, m_model + "/sub/loop"));
        QCOMPARE(getMd5(m_model), before);
        QVERIFY(QFile::remove(m_model + "/sub/loop"));
    }

    // Dates, modes and the time zone of the packing machine never reach the package; what
    // unpacks has the digest of what was packed.
    void packerIsReproducible()
    {
        QString first = m_home.filePath("first.zip");
        QString second = m_home.filePath("second.zip");
        QVERIFY(pack(m_model, first));
        QFile touched(m_model + "/a.traineddata");
        QVERIFY(touched.open(QIODevice::ReadWrite));
        QVERIFY(touched.setFileTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5)),
                                    QFileDevice::FileModificationTime));
        touched.close();
        QVERIFY(touched.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("TZ", "Asia/Tokyo");
        bool packed = pack(m_model, second);
        qunsetenv("TZ");
        QVERIFY(packed);
        QCOMPARE(getMd5(second), getMd5(first));

        QProcess unzip;
        unzip.start("unzip", {"-q", first, "-d", m_home.filePath("out")});
        QVERIFY(unzip.waitForFinished(30000) && unzip.exitCode() == 0);
        QVERIFY(!QFile::exists(m_home.filePath("out/documentai.model/.hidden")));
        QVERIFY(QFileInfo(m_home.filePath("out/documentai.model/empty")).isDir());
        QCOMPARE(getMd5(m_home.filePath("out/documentai.model")), getMd5(m_model));
    }

    // The message names the package as given, "%2" in its path included.
    void packerFailureNamesThePackage()
    {
        QVERIFY(writeFile(m_home.filePath("plain"), "a file, not a folder"));
        QString package = m_home.filePath("plain/50%2.zip");
        QProcess packer;
        packer.start(QStringLiteral(DOCQUILL_PACKMODULE), {m_model, package});
        QVERIFY(packer.waitForFinished(60000));
        QCOMPARE(packer.exitCode(), 1);
        QString error = QString::fromLocal8Bit(packer.readAllStandardError());
        QVERIFY2(error.contains("cannot create " + package + " (libzip error "), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestModuleDigest)
#include "TestModuleDigest.moc"

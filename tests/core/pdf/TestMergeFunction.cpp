#include "pdf/MergeFunction.h"
#include "pdf/PDFMergeService.h"

#include "common/ProductConstants.h"
#include "items/FileItemList.h"
#include "items/ImageFileItem.h"
#include "items/PDFFileItem.h"
#include "processors/IFileProcessor.h"
#include "processors/PDFCreatable.h"

#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QDir>

#include <sys/resource.h>

class TestMergeFunction : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QStringList m_parts;

private slots:
    void initTestCase()
    {
        QDir().mkpath(m_home.filePath("parts"));
        for (int i = 1; i <= 3; ++i) {
            m_parts << m_home.filePath(QString("parts/p%1.pdf").arg(i));
            QVERIFY(
                TestPdf::write(m_parts.last(), {QString("Part %1 a").arg(i), QString("Part %1 b").arg(i)}));
        }
    }

    void progressAndOrder_data()
    {
        QTest::addColumn<QList<int>>("present"); // indices of parts that exist
        QTest::addColumn<QList<int>>("progress");
        QTest::newRow("three parts") << QList<int>{0, 1, 2} << QList<int>{86, 100};
        QTest::newRow("middle missing") << QList<int>{0, 2} << QList<int>{100};
        QTest::newRow("first missing") << QList<int>{1, 2} << QList<int>{100};
        QTest::newRow("one part") << QList<int>{1} << QList<int>{};
    }

    void progressAndOrder()
    {
        QFETCH(QList<int>, present);
        QFETCH(QList<int>, progress);
        QStringList inputs;
        for (int i = 0; i < 3; ++i)
            inputs << (present.contains(i) ? m_parts.at(i) : m_home.filePath("parts/never-made.pdf"));

        QTemporaryDir out;
        MergeFunction merge;
        QSignalSpy spy(&merge, &MergeFunction::mergeProgress);
        QString path;
        QVERIFY(merge.creatorPdfMerge(inputs, out.path(), path));
        QCOMPARE(path, out.path() + "/Merge.pdf");
        QList<int> seen;
        for (auto const& args : spy)
            seen << args.first().toInt();
        QCOMPARE(seen, progress);

        QString text = TestPdf::text(path);
        QCOMPARE(TestPdf::pageCount(path), 2 * present.size());
        int last = -1;
        for (int i : present) {
            int at = text.indexOf(QString("Part %1 b").arg(i + 1));
            QVERIFY2(at > last, qPrintable(text));
            last = at;
        }
    }

    void existingMergeIsKept()
    {
        QTemporaryDir out;
        QFile old(out.filePath("Merge.pdf"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("mine");
        old.close();
        QString path;
        QStringList inputs = m_parts;
        QVERIFY(MergeFunction().creatorPdfMerge(inputs, out.path(), path));
        QCOMPARE(path, out.path() + "/Merge_1.pdf");
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("mine"));
    }

    void failures_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("empty list") << 0;
        QTest::newRow("no part exists") << 1;
        QTest::newRow("damaged part") << 2;
    }

    void failures()
    {
        QFETCH(int, kind);
        QTemporaryDir root;
        QString outDir = root.filePath("out");
        QStringList inputs;
        if (kind == 1)
            inputs << root.filePath("a.pdf") << root.filePath("b.pdf");
        if (kind == 2) {
            QString damaged = root.filePath("damaged.pdf");
            QFile file(damaged);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("%PDF-1.4\nthis is not a pdf body\n");
            file.close();
            inputs << m_parts.at(0) << damaged;
        }
        QString path = "unchanged";
        QVERIFY(!MergeFunction().creatorPdfMerge(inputs, outDir, path));
        if (kind == 0) {
            QCOMPARE(path, QString("unchanged"));
            QVERIFY(!QFileInfo::exists(outDir));
        } else {
            QCOMPARE(path, outDir + "/Merge.pdf");
            QVERIFY(!QFile::exists(path));
            QCOMPARE(QDir(outDir).entryList(QDir::Files).size(), 0);
        }
    }

    // The merge writes under a name of its own: a user's file of any name stays as it was.
    void userFileBesideTheMergeIsKept()
    {
        QTemporaryDir out;
        QFile mine(out.filePath("Merge.pdf.part"));
        QVERIFY(mine.open(QIODevice::WriteOnly));
        mine.write("mine");
        mine.close();
        QString path;
        QStringList inputs = m_parts;
        QVERIFY(MergeFunction().creatorPdfMerge(inputs, out.path(), path));
        QCOMPARE(TestPdf::pageCount(path), 6);
        QVERIFY(mine.open(QIODevice::ReadOnly));
        QCOMPARE(mine.readAll(), QByteArray("mine"));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    // More parts than the process may hold open files at once.
    void manyPartsUnderALowFileLimit()
    {
        QTemporaryDir root;
        QString one = root.filePath("one.pdf");
        QVERIFY(TestPdf::write(one, {"One page"}));
        QStringList inputs;
        for (int i = 0; i < 100; ++i) {
            inputs << root.filePath(QString("part%1.pdf").arg(i));
            QVERIFY(QFile::copy(one, inputs.last()));
        }
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_NOFILE, &old), 0);
        rlimit low = old;
        low.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &low), 0);
        QString path;
        bool ok = MergeFunction().creatorPdfMerge(inputs, root.filePath("out"), path);
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &old), 0);
        QVERIFY(ok);
        QCOMPARE(TestPdf::pageCount(path), 100);
    }

    // Protection of a part (here the base, with only an owner password) is not carried over.
    void mergedFileCarriesNoProtection()
    {
        QTemporaryDir root;
        QString owner = root.filePath("owner.pdf");
        QVERIFY(TestPdf::encrypt(m_parts.at(0), owner, "", "owner"));
        QVERIFY(TestPdf::isEncrypted(owner));
        QStringList inputs{owner, m_parts.at(1)};
        QString path;
        QVERIFY(MergeFunction().creatorPdfMerge(inputs, root.filePath("out"), path));
        QVERIFY(!TestPdf::isEncrypted(path));
        QCOMPARE(TestPdf::pageCount(path), 4);
    }

    // A part made of an unlocked PDF opens without its password and only its owner may read it.
    void partsAreWrittenUnprotectedAndPrivate()
    {
        QTemporaryDir root;
        QString locked = root.filePath("locked.pdf");
        QVERIFY(TestPdf::encrypt(m_parts.at(0), locked, "user", "owner"));
        FileItemList list(ModeCreate);
        list.addFiles({locked});
        auto* item = qobject_cast<PDFFileItem*>(list.getFileItem(0));
        QVERIFY(item->PDFDecrypt("user"));
        PDFMergeService& service = PDFMergeService::instance();
        service.reset();
        service.addMergeFile(item, 0);
        QCOMPARE(item->pdfCreate(item->filePath(), service.tempDir()), 0);
        QString part = service.mergeList().first();
        QVERIFY(!TestPdf::isEncrypted(part));
        QCOMPARE(TestPdf::pageCount(part), 2);
        QFile::Permissions others =
            QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QCOMPARE(int(QFileInfo(part).permissions() & others), 0);

        // Made again without the merge, the file is the user's own copy, protection and all.
        item->setOutputPdfName("copy");
        QCOMPARE(item->pdfCreate(item->filePath(), root.filePath("out")), 0);
        QVERIFY(TestPdf::isEncrypted(root.filePath("out/copy.pdf")));
        service.clearTempFiles();
    }

    // The service clears only what it made: other files in the Temp folder belong to others
    // (a conversion's page cut, for one). Its parts go as soon as they are merged.
    void serviceClearsOnlyItsOwnParts()
    {
        PDFMergeService& service = PDFMergeService::instance();
        QDir().mkpath(service.tempDir());
        QVERIFY(service.tempDir().startsWith(m_home.path() + g_tempDirPath));
        QFile stranger(service.tempDir() + "stranger.pdf");
        QVERIFY(stranger.open(QIODevice::WriteOnly));
        stranger.close();
        ImageFileItem a(m_home.filePath("a.png")), b(m_home.filePath("b.png"));
        auto addParts = [&] {
            service.reset();
            service.addMergeFile(&a, 0);
            service.addMergeFile(&b, 1);
            for (auto const& part : service.mergeList())
                QFile::copy(m_parts.at(0), part);
            return service.mergeList();
        };

        QStringList parts = addParts();
        QCOMPARE(parts.size(), 2);
        QRegularExpression uuidPdf("^[0-9a-f-]{36}\\.pdf$");
        QString name = a.processor()->getCreator()->newPdfName();
        QVERIFY(uuidPdf.match(name).hasMatch());
        QCOMPARE(parts.at(0), service.tempDir() + name);
        QVERIFY(service.clearTempFiles());
        QVERIFY(!QFile::exists(parts.at(0)) && !QFile::exists(parts.at(1)));

        parts = addParts();
        QTemporaryDir out;
        QString path;
        QVERIFY(service.merge(out.path(), path));
        QCOMPARE(TestPdf::pageCount(path), 4);
        QVERIFY(!QFile::exists(parts.at(0)) && !QFile::exists(parts.at(1)));
        QVERIFY(stranger.exists());
        service.reset();
        QVERIFY(service.mergeList().isEmpty());
    }
};

QTEST_MAIN(TestMergeFunction)
#include "TestMergeFunction.moc"

#include "pdf/MergeFunction.h"
#include "pdf/PDFMergeService.h"

#include "common/ProductConstants.h"
#include "items/FileItemList.h"
#include "items/ImageFileItem.h"
#include "processors/IFileProcessor.h"
#include "processors/PDFCreatable.h"

#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QDir>

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

    void serviceNamesPartsAndClearsTemp()
    {
        PDFMergeService& service = PDFMergeService::instance();
        QDir().mkpath(service.tempDir());
        QVERIFY(service.tempDir().endsWith(g_tempDirPath));
        QFile stale(service.tempDir() + "stale.pdf");
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        QVERIFY(QDir(service.tempDir()).mkdir("keep"));
        QVERIFY(service.clearTempFiles());
        QVERIFY(!stale.exists());
        QVERIFY(QFileInfo(service.tempDir() + "keep").isDir());

        service.reset();
        ImageFileItem a(m_home.filePath("a.png")), b(m_home.filePath("b.png"));
        service.addMergeFile(&a, 0);
        service.addMergeFile(&b, 1);
        QStringList parts = service.mergeList();
        QCOMPARE(parts.size(), 2);
        QRegularExpression uuidPdf("^[0-9a-f-]{36}\\.pdf$");
        auto* creatorA = a.processor()->getCreator();
        QVERIFY(uuidPdf.match(creatorA->newPdfName()).hasMatch());
        QCOMPARE(parts.at(0), service.tempDir() + creatorA->newPdfName());
        service.reset();
        QVERIFY(service.mergeList().isEmpty());
    }
};

QTEST_MAIN(TestMergeFunction)
#include "TestMergeFunction.moc"

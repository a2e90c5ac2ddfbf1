#include "pdf/PDFUtils.h"

#include "common/ProductConstants.h"

#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QDir>

class TestPDFUtils : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QString m_tenPages;

    QStringList pagesOf(QString const& path, QString const& password = QString())
    {
        QStringList pages;
        for (QString const& page : TestPdf::text(path, password).split('\f', Qt::SkipEmptyParts))
            if (!page.trimmed().isEmpty())
                pages << page.trimmed();
        return pages;
    }

private slots:
    void initTestCase()
    {
        QDir().mkpath(m_home.filePath("in"));
        m_tenPages = m_home.filePath("in/report.pdf");
        QVERIFY(TestPdf::writePages(m_tenPages, 10));
    }

    void ranges_data()
    {
        QTest::addColumn<QStringList>("ranges");
        QTest::addColumn<QStringList>("pages");
        QTest::newRow("range and single")
            << QStringList{"3-5", "1"} << QStringList{"Page 1", "Page 3", "Page 4", "Page 5"};
        QTest::newRow("repeats once") << QStringList{"2", "2", "1-2"} << QStringList{"Page 1", "Page 2"};
        QTest::newRow("reversed range adds nothing") << QStringList{"5-3", "10"} << QStringList{"Page 10"};
        QTest::newRow("extra parts ignored") << QStringList{"8-9-1"} << QStringList{"Page 8", "Page 9"};
        QTest::newRow("beyond the end") << QStringList{"11-20", "0", "x"} << QStringList{};
    }

    void ranges()
    {
        QFETCH(QStringList, ranges);
        QFETCH(QStringList, pages);
        QString cut = PDFUtils::pdfPagesCut(m_tenPages, QString(), ranges);
        QVERIFY(cut.startsWith(m_home.path() + g_tempDirPath));
        // The cut keeps the file's name: the outputs are named after it.
        QCOMPARE(QFileInfo(cut).fileName(), QString("report.pdf"));
        if (pages.isEmpty()) {
            QVERIFY(!QFile::exists(cut)); // nothing to convert: no empty document is written
            return;
        }
        QCOMPARE(TestPdf::pageCount(cut), pages.size());
        QCOMPARE(pagesOf(cut), pages);
    }

    void noRangesOpensNothing()
    {
        QString missing = m_home.filePath("in/missing.pdf");
        QCOMPARE(PDFUtils::pdfPagesCut(missing, QString(), {}), missing);
    }

    void lockedInputIsCutWithItsPasswordAndComesOutOpen()
    {
        QString locked = m_home.filePath("in/locked.pdf");
        QVERIFY(TestPdf::encrypt(m_tenPages, locked, "user", "owner"));
        QString cut = PDFUtils::pdfPagesCut(locked, "user", {"2"});
        QCOMPARE(pagesOf(cut), QStringList{"Page 2"});
    }

    // A cut is a decrypted copy: only its owner may read it, and it never takes the place of
    // another file in the Temp folder, the source itself included.
    void cutIsAPrivateCopyOfItsOwn()
    {
        QString temp = m_home.path() + g_tempDirPath;
        QDir().mkpath(temp);
        QString source = temp + "report.pdf";
        QFile::remove(source);
        QVERIFY(QFile::copy(m_tenPages, source));
        QString first = PDFUtils::pdfPagesCut(source, QString(), {"2"});
        QString second = PDFUtils::pdfPagesCut(m_tenPages, QString(), {"3-4"});
        QVERIFY(first != source && second != source && first != second);
        QCOMPARE(TestPdf::pageCount(source), 10);
        QCOMPARE(pagesOf(first), QStringList{"Page 2"});
        QCOMPARE(pagesOf(second), (QStringList{"Page 3", "Page 4"}));
        QFile::Permissions others =
            QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QCOMPARE(int(QFileInfo(first).permissions() & others), 0);
    }

    // A failed cut leaves nothing behind that could be converted in its place.
    void failedCutLeavesNoFile()
    {
        QString other = m_home.filePath("other");
        QDir().mkpath(other);
        QString sameName = other + "/report.pdf";
        QVERIFY(TestPdf::encrypt(m_tenPages, sameName, "secret", "owner"));
        QString temp = m_home.path() + g_tempDirPath;
        QStringList before = QDir(temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("pdfPagesCut.*"));
        QString cut = PDFUtils::pdfPagesCut(sameName, "wrong", {"1"});
        QVERIFY(!QFile::exists(cut));
        QCOMPARE(QDir(temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }
};

QTEST_MAIN(TestPDFUtils)
#include "TestPDFUtils.moc"

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
        QCOMPARE(cut, m_home.path() + g_tempDirPath + "report.pdf");
        QCOMPARE(TestPdf::pageCount(cut), pages.size());
        if (!pages.isEmpty())
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

    // A failed cut must not leave an earlier cut of a same-named file to be converted instead.
    void failedCutLeavesNoFile()
    {
        QString other = m_home.filePath("other");
        QDir().mkpath(other);
        QString sameName = other + "/report.pdf";
        QVERIFY(TestPdf::encrypt(m_tenPages, sameName, "secret", "owner"));
        QString earlier = PDFUtils::pdfPagesCut(m_tenPages, QString(), {"1"});
        QVERIFY(QFile::exists(earlier));

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("pdfPagesCut.*"));
        QString cut = PDFUtils::pdfPagesCut(sameName, "wrong", {"1"});
        QCOMPARE(cut, earlier);
        QVERIFY(!QFile::exists(cut));
        QVERIFY(!QFile::exists(cut + ".part"));
    }
};

QTEST_MAIN(TestPDFUtils)
#include "TestPDFUtils.moc"

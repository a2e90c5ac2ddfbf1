#include "creation/DFConvert.h"

#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QFile>

class TestDFConvert : public QObject
{
    Q_OBJECT

    TestHome m_home;

    QString writeText(QString const& name, QByteArray const& text)
    {
        QString path = m_home.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return path;
    }

private slots:
    void documentsBecomeA4Pdfs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("txt") << "notes.txt" << QByteArray("Quarterly figures rose sharply.\n")
                             << "Quarterly figures";
        QTest::newRow("html") << "page.html"
                              << QByteArray("<html><body><h1>Welcome aboard</h1></body></html>")
                              << "Welcome aboard";
    }

    void documentsBecomeA4Pdfs()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QString input = writeText(name, content);
        QString output = m_home.filePath(name + ".pdf");
        QCOMPARE(DFConvert(input, output), 0);
        QVERIFY(TestPdf::text(output).contains(expected));
        QVERIFY(TestPdf::pageCount(output) >= 1);
    }

    void failuresAreReported()
    {
        QString output = m_home.filePath("missing.pdf");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("DFConvert.*DFConvert Error.*"));
        QCOMPARE(DFConvert(m_home.filePath("absent.txt"), output), -1);
        QVERIFY(!QFile::exists(output));

        QString input = writeText("ok.txt", "fine");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("DFConvert.*DFConvert Error.*"));
        QCOMPARE(DFConvert(input, m_home.filePath("no/such/folder/out.pdf")), -1);
    }

    void bookmarks()
    {
        QCoreApplication::setOrganizationName("DocquillTest");
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(".*Creating bookmark success"));
        saveSecurityBookmark("out", m_home.path());
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(".*Resolving bookmark success"));
        recoverySecurityBookmark("out");
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(".*Error resolving bookmark: .*"));
        recoverySecurityBookmark("never-saved");
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(".*Error creating bookmark: .*"));
        saveSecurityBookmark("gone", m_home.filePath("gone"));
    }
};

QTEST_MAIN(TestDFConvert)
#include "TestDFConvert.moc"

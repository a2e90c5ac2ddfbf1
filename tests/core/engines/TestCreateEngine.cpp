#include "engines/CreateEngine.h"

#include "creation/ExeStarter.h"

#include "TestHome.h"

#include <QtTest>

#include <QFile>

// Which way a document takes to become a PDF: the helper, or the document layer.
class TestCreateEngine : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QTemporaryDir m_bin;
    QByteArray m_path = qgetenv("PATH");

    void script(QString const& name, QByteArray const& body)
    {
        QFile file(m_bin.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body + "\n");
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

private slots:
    void initTestCase()
    {
        // The helper answers 77 so the test can tell it ran; mdfind finds only Pages.
        script("PdfCreator", "exit 77");
        script("mdfind", "[ \"$7\" = Pages.app ] && echo /Applications/Pages.app; exit 0");
        ExeStarter::setProgramFolderForTesting(m_bin.path());
        qputenv("PATH", m_bin.path().toLocal8Bit() + ":" + m_path);
    }
    void cleanupTestCase() { qputenv("PATH", m_path); }

    void route_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("helper");
        QTest::newRow("doc always helper") << "a.doc" << true;
        QTest::newRow("image helper") << "a.PNG" << true;
        QTest::newRow("xlsx helper") << "a.xlsx" << true;
        QTest::newRow("docx with Pages") << "a.DOCX" << true;
        QTest::newRow("pptx without Keynote") << "a.pptx" << false;
        QTest::newRow("txt") << "a.txt" << false;
        QTest::newRow("epub") << "a.epub" << false;
    }

    void route()
    {
        QFETCH(QString, input);
        QFETCH(bool, helper);
        QString source = m_home.filePath(input);
        QFile(source).open(QIODevice::WriteOnly);
        QString output = m_home.filePath("out.pdf");
        CreateEngine engine;
        Result result = engine.run(source, output, "ignored");
        QCOMPARE(result.path, output);
        if (helper)
            QCOMPARE(result.code, 77);
        else
            QVERIFY(result.code == 0 || result.code == -1); // the document layer answers 0 or -1
    }

    void windowsWayRunsNothing()
    {
        Result result = CreateEngine().createPdfForWindows("a", "b");
        QCOMPARE(result.code, -1);
        QVERIFY(result.path.isEmpty());
    }
};

QTEST_MAIN(TestCreateEngine)
#include "TestCreateEngine.moc"

#include "engines/CreateEngine.h"
#include "engines/ResultCodes.h"

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
        QTest::addColumn<int>("code"); // 77: the fake helper ran
        QTest::newRow("doc always helper") << "a.doc" << 77;
        QTest::newRow("image helper") << "a.PNG" << 77;
        QTest::newRow("xlsx helper") << "a.xlsx" << 77;
        QTest::newRow("docx with Pages") << "a.DOCX" << 77;
        // The document layer: an empty file is no presentation or book, but an empty text.
        QTest::newRow("pptx without Keynote") << "a.pptx" << int(CreateErrorDocumentDamaged);
        QTest::newRow("txt") << "a.txt" << 0;
        QTest::newRow("epub") << "a.epub" << int(CreateErrorDocumentDamaged);
    }

    void route()
    {
        QFETCH(QString, input);
        QFETCH(int, code);
        QString source = m_home.filePath(input);
        QFile(source).open(QIODevice::WriteOnly);
        QString output = m_home.filePath("out.pdf");
        CreateEngine engine;
        Result result = engine.run(source, output, "ignored");
        QCOMPARE(result.path, output);
        QCOMPARE(result.code, code);
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

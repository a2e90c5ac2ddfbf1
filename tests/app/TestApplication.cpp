#include "settings/PMPreferences.h"

#include "AppDriver.h"
#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QElapsedTimer>

class TestApplication : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QString m_out;
    AppDriver m_app;

    // Adds one file through the File menu's Ctrl+O and the real file dialog.
    void addFile(QString const& path)
    {
        m_app.key("ctrl+o");
        QVERIFY(m_app.chooseInFileDialog("Select Files", path));
    }

    // The start button sits at the right end of the bottom bar, the page switch at the top.
    void clickStart() { m_app.click({914 - 20 - 45, 686 - 25}); }
    void clickCreatorPage() { m_app.click({914 / 2 + 43, 79}); }

private slots:
    void initTestCase()
    {
        m_out = m_home.filePath("out");
        QVERIFY(QDir().mkpath(m_out));
        PMPreferences::getInstance()->saveOutputFolder(m_out);
    }

    void startsSilentlyAndShowsItsWindow()
    {
        QElapsedTimer clock;
        clock.start();
        QVERIFY(m_app.start());
        qInfo("window shown %lld ms after start", clock.elapsed());
        QCOMPARE(m_app.windowGeometry().size(), QSize(914, 686));
        m_app.screenshot("application-start");
        // The update check found no service and said nothing.
        QTest::qWait(1000);
        QVERIFY(AppDriver::windowNamed("Note").isEmpty());
        QVERIFY(AppDriver::windowNamed("Software Update").isEmpty());
    }

    void convertsAFile()
    {
        QString const pdf = m_home.filePath("letter.pdf");
        QVERIFY(TestPdf::write(pdf, {"Dear reader, this letter converts."}));
        addFile(pdf);
        m_app.screenshot("application-file-added");
        clickStart();
        // New rows start with searchable PDF: the text comes back from the recognised page.
        QString const output = m_out + "/letter.pdf";
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output) && TestPdf::text(output).contains("converts"), 180000);
        m_app.screenshot("application-converted");
    }

    void createsAPdf()
    {
        QString const text = m_home.filePath("notes.txt");
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Notes for the creator page.\n");
        file.close();
        clickCreatorPage();
        addFile(text);
        clickStart();
        QString const output = m_out + "/notes.pdf";
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output) && TestPdf::text(output).contains("creator page"),
                                 120000);
        m_app.screenshot("application-created");
    }

    void closingTheWindowQuits()
    {
        QVERIFY(m_app.close(15000));
        QCOMPARE(m_app.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_app.process().exitCode(), 0);
    }
};

QTEST_MAIN(TestApplication)
#include "TestApplication.moc"

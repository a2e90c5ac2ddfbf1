#include "settings/PMPreferences.h"

#include "AppDriver.h"
#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QElapsedTimer>

// The application as a desktop installs it: cmake --install into a prefix of its own, then
// started the way its desktop entry says, away from the build tree, and used once.
class TestApplication : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QTemporaryDir m_prefix;
    QString m_out;
    QString m_program;
    AppDriver m_app;

    QMap<QString, QString> desktopEntry() const
    {
        QMap<QString, QString> keys;
        QFile file(m_prefix.filePath("share/applications/docquill.desktop"));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return keys;
        for (QString const& line : QString::fromUtf8(file.readAll()).split('\n'))
            if (line.contains('='))
                keys.insert(line.section('=', 0, 0), line.section('=', 1));
        return keys;
    }

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
        QProcess install;
        install.setProcessChannelMode(QProcess::ForwardedChannels);
        install.start(DOCQUILL_CMAKE, {"--install", DOCQUILL_BUILD_DIR, "--prefix", m_prefix.path()});
        QVERIFY(install.waitForFinished(300000));
        QCOMPARE(install.exitCode(), 0);
    }

    void installedWithItsDesktopEntry()
    {
        QMap<QString, QString> const entry = desktopEntry();
        QCOMPARE(entry.value("Icon"), QStringLiteral("docquill"));
        m_program = entry.value("Exec");
        QVERIFY2(m_program.startsWith('"') && m_program.endsWith('"'), qPrintable(m_program));
        m_program = m_program.mid(1, m_program.size() - 2);
        QCOMPARE(entry.value("TryExec"), m_program);
        QVERIFY2(QFileInfo(m_program).isExecutable() && m_program.startsWith(m_prefix.path()),
                 qPrintable(m_program));
        QCOMPARE(QFileInfo(m_prefix.filePath("bin/docquill")).canonicalFilePath(),
                 QFileInfo(m_program).canonicalFilePath());
        for (int size : {16, 48, 256}) {
            QString const icon =
                m_prefix.filePath(QString("share/icons/hicolor/%1x%1/apps/docquill.png").arg(size));
            QCOMPARE(QImage(icon).size(), QSize(size, size));
        }
        QVERIFY(QFile::exists(m_prefix.filePath("share/icons/hicolor/scalable/apps/docquill.svg")));
    }

    void startsSilentlyAndShowsItsWindow()
    {
        QVERIFY(!m_program.isEmpty());
        // A desktop's menu starts it from anywhere, with nothing of the build on the search path.
        m_app.process().setWorkingDirectory("/");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PATH", "/usr/local/bin:/usr/bin:/bin");
        QElapsedTimer clock;
        clock.start();
        QVERIFY(m_app.start(environment, 60000, m_program));
        qInfo("window shown %lld ms after start", clock.elapsed());
        QCOMPARE(m_app.windowGeometry().size(), QSize(914, 686));
        QList<QSize> const icons = AppDriver::iconSizes(m_app.window());
        QStringList sizes;
        for (QSize const& size : icons)
            sizes << QString("%1x%2").arg(size.width()).arg(size.height());
        QVERIFY2(icons.contains(QSize(16, 16)) && icons.contains(QSize(48, 48)) &&
                     icons.contains(QSize(256, 256)),
                 qPrintable(sizes.join(' ')));
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

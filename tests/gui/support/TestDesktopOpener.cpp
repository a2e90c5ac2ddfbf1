#include "support/DesktopOpener.h"
#include "support/DialogTestMode.h"
#include "support/MessageBox.h"

#include "TestHome.h"

#include <QtTest>

#include <QDesktopServices>

// The desktop's opener is a script of the test's own, found first on the search path.
class TestDesktopOpener : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QByteArray m_path;

private slots:
    void initTestCase()
    {
        DialogTestMode::setEnabled(true);
        m_path = qgetenv("PATH");
        DesktopOpener::install();
    }

    void cleanupTestCase() { qputenv("PATH", m_path); }

    void opening_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<QString>("opener"); // the script's body; empty: there is no opener
        QTest::addColumn<QString>("handed"); // what the opener receives
        QTest::addColumn<QString>("message");

        QUrl const page("https://www.tarvello.example/support.html");
        QUrl const folder = QUrl::fromLocalFile(m_home.filePath("Log folder/"));
        QTest::newRow("no opener") << page << ""
                                   << ""
                                   << "No web browser could be started for this address. "
                                      "Copy it into a browser to open it:\n" +
                                          page.toString();
        QTest::newRow("no browser") << page << "exit 3" << page.toString()
                                    << "No web browser could be started for this address. "
                                       "Copy it into a browser to open it:\n" +
                                           page.toString();
        QTest::newRow("no file manager") << folder << "exit 4" << folder.toLocalFile()
                                         << "No application could be started to open this location. "
                                            "You can find it here:\n" +
                                                folder.toLocalFile();
        QTest::newRow("opened") << folder << "exit 0" << folder.toLocalFile() << "";
    }

    void opening()
    {
        QFETCH(QUrl, url);
        QFETCH(QString, opener);
        QFETCH(QString, handed);
        QFETCH(QString, message);

        QTemporaryDir bin;
        QString const received = bin.filePath("received");
        if (!opener.isEmpty()) {
            QFile script(bin.filePath("xdg-open"));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(
                QString("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\n%2\n").arg(received, opener).toUtf8());
            script.close();
            script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(bin.path()));
        MessageBox::clearShown();

        QVERIFY(QDesktopServices::openUrl(url));
        QStringList const expected = message.isEmpty() ? QStringList() : QStringList("Note|" + message);
        if (opener.isEmpty()) {
            QTRY_COMPARE(MessageBox::shown(), expected);
            return;
        }
        auto content = [&received] {
            QFile file(received);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        QTRY_COMPARE(content(), handed);
        QTRY_COMPARE(MessageBox::shown(), expected);
        // A success says nothing, also a little later.
        QTest::qWait(message.isEmpty() ? 500 : 0);
        QCOMPARE(MessageBox::shown(), expected);
    }
};

QTEST_MAIN(TestDesktopOpener)
#include "TestDesktopOpener.moc"

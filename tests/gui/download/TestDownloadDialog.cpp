#include "download/DownloadDialog.h"

#include "common/ProductConstants.h"
#include "support/DialogTestMode.h"

#include "LocalHttpServer.h"
#include "TestHome.h"

#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QtTest>

#include <QProgressBar>
#include <QPushButton>

namespace {
constexpr int s_piece = 1048576 + 65536;
}

class TestDownloadDialog : public QObject
{
    Q_OBJECT

    TestHome m_home;
    LocalServer m_server;
    QString m_folder;

    static QProgressBar* bar(DownloadDialog& dialog)
    {
        return dialog.findChild<QProgressBar*>("downloadProgressBar");
    }

    QByteArray saved(QString const& name)
    {
        QFile file(m_folder + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private slots:
    void initTestCase()
    {
        DialogTestMode::setEnabled(true);
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        m_folder = QDir::homePath() + g_downloadDirPath;
    }

    void progress_data()
    {
        QTest::addColumn<int>("received");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("open");
        QTest::newRow("99.9 %") << 999 << 1000 << 99 << true;
        QTest::newRow("exactly 100 %") << 1000 << 1000 << 100 << false;
        QTest::newRow("a third") << 1 << 3 << 33 << true;
        QTest::newRow("no length") << 5000 << -1 << 0 << true;
        QTest::newRow("empty answer so far") << 0 << 0 << 0 << true;
        QTest::newRow("more than the length") << 1500 << 1000 << 0 << true;
        QTest::newRow("narrowed past 2 GiB") << -5 << 1000 << 0 << true;
        QTest::newRow("huge without length") << INT_MAX << -1 << 0 << true;
    }

    void progress()
    {
        QFETCH(int, received);
        QFETCH(int, total);
        QFETCH(int, shown);
        QFETCH(bool, open);
        DownloadDialog dialog;
        dialog.show();
        bar(dialog)->setValue(0);
        QVERIFY(
            QMetaObject::invokeMethod(&dialog, "updateProgress", Q_ARG(int, received), Q_ARG(int, total)));
        QCOMPARE(bar(dialog)->value(), shown);
        QCOMPARE(dialog.isVisible(), open);
    }

    // The dialog closes itself at 100 % while the last bytes are still on their way; that
    // close must not stop the transfer.
    void downloads_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<Answer>("file");
        QTest::addColumn<QString>("savedAs");
        QTest::newRow("plain name") << QByteArray("/ocr-models-mac-v2.zip")
                                    << answer("200 OK", pattern(3 * s_piece), {}, 65536)
                                    << "ocr-models-mac-v2.zip";
        QTest::newRow("percent-encoded name")
            << QByteArray("/models/ocr%20models%E2%80%93v2.zip") << answer("200 OK", pattern(5000))
            << QString::fromUtf8("ocr models\u2013v2.zip");
    }

    void downloads()
    {
        QFETCH(QByteArray, path);
        QFETCH(Answer, file);
        QFETCH(QString, savedAs);
        m_server.answers[path] = file;
        DownloadDialog dialog;
        dialog.show();
        QVERIFY(dialog.download(m_server.url(path)));
        QCOMPARE(saved(savedAs), file.pieces.join());
        QCOMPARE(bar(dialog)->value(), 100);
        QVERIFY(!dialog.isVisible());
    }

    // Without a length nothing can be shown: the bar keeps 0 and the dialog stays open while
    // the body arrives.
    void noLengthKeepsZero()
    {
        QByteArray body = pattern(8 * 4096);
        m_server.answers["/nolength.zip"] = answer("200 OK", body, {}, 4096, 60, false);
        DownloadDialog dialog;
        dialog.show();
        bar(dialog)->setValue(0);
        QList<QPair<int, bool>> midway;
        QTimer probe;
        connect(&probe, &QTimer::timeout, this, [&] {
            if (QFileInfo::exists(m_folder + "nolength.zip"))
                midway << qMakePair(bar(dialog)->value(), dialog.isVisible());
        });
        probe.start(40);
        QVERIFY(dialog.download(m_server.url("/nolength.zip")));
        probe.stop();
        QCOMPARE(saved("nolength.zip"), body);
        QVERIFY(midway.size() >= 3);
        for (auto const& seen : midway)
            QCOMPARE(seen, qMakePair(0, true));
    }

    // Every way the user closes the dialog stops the transfer at once and removes what had
    // arrived; the dialog is gone the moment the user acts. Its own close at 100 % stops
    // nothing, even with bytes still to come.
    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("stops");
        QTest::newRow("Cancel button") << "cancel" << true;
        QTest::newRow("Escape") << "escape" << true;
        QTest::newRow("close button") << "close" << true;
        QTest::newRow("100 % reached") << "progress" << false;
    }

    void closing()
    {
        QFETCH(QString, how);
        QFETCH(bool, stops);
        Answer file = answer("200 OK", pattern(3 * s_piece), {}, s_piece, stops ? 20000 : 200);
        m_server.answers["/package.zip"] = file;
        QString save = m_folder + "package.zip";
        DownloadDialog dialog;
        dialog.show();
        qint64 partial = 0;
        bool hiddenAtOnce = false;
        // Acts once part of the package is on disk.
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            partial = QFileInfo(save).size();
            if (partial == 0)
                return;
            poll.stop();
            if (how == "cancel")
                QTest::mouseClick(dialog.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
            else if (how == "escape")
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else if (how == "close")
                dialog.close();
            else
                QMetaObject::invokeMethod(&dialog, "updateProgress", Q_ARG(int, 1), Q_ARG(int, 1));
            hiddenAtOnce = !dialog.isVisible();
        });
        poll.start(20);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(dialog.download(m_server.url("/package.zip")), !stops);
        QVERIFY(timer.elapsed() < 10000);
        QVERIFY(partial > 0 && partial < 3 * s_piece);
        QVERIFY(hiddenAtOnce);
        if (stops)
            QVERIFY(!QFile::exists(save));
        else
            QCOMPARE(saved("package.zip"), file.pieces.join());
    }
};

QTEST_MAIN(TestDownloadDialog)
#include "TestDownloadDialog.moc"

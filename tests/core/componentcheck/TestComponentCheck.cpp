#include "componentcheck/ComponentCheck.h"

#include "common/ProductConstants.h"
#include "language/GLanguage.h"
#include "module/InstallModule.h"
#include "module/ModuleDigest.h"
#include "support/DialogTestMode.h"
#include "support/MessageBox.h"

#include "LocalHttpServer.h"
#include "ModuleFixtures.h"
#include "TestHome.h"
#include "ThrowawayBundle.h"

#include <QApplication>
#include <QNetworkProxy>
#include <QtTest>

#include <QPushButton>

namespace {
QByteArray read(QString const& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestComponentCheck : public QObject
{
    Q_OBJECT

    TestHome m_home;
    LocalServer m_server;
    QString m_models;
    QString m_model;
    QString m_package;
    QByteArray m_shipped;
    QByteArray m_substitute;
    QString m_prompt;

    bool installShipped() { return InstallModule::instance()->install(DOCQUILL_OCR_PACKAGE, m_models); }

    // A model that is there but is not the one shipped.
    QString damageModel()
    {
        if (!writeFile(m_model + "/eng.traineddata", "damaged"))
            return QString();
        return getMd5(m_model);
    }

    QStringList promptOnly() const { return {"Info|" + m_prompt}; }

private slots:
    void initTestCase()
    {
        QString bundle = ThrowawayBundle::path();
        QVERIFY2(!bundle.isEmpty() && QCoreApplication::applicationDirPath().startsWith(bundle),
                 "must run from a throw-away bundle");
        DialogTestMode::setEnabled(true);
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        ComponentCheck::setOcrUrlForTests(m_server.url("/ocr-models-mac-v2.zip"));
        m_models = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../Resources/resource/models");
        m_model = m_models + "/documentai.model";
        m_package = QDir::homePath() + g_downloadDirPath + "ocr-models-mac-v2.zip";
        m_shipped = read(DOCQUILL_OCR_PACKAGE);
        QCOMPARE(getMd5(DOCQUILL_OCR_PACKAGE), baseOcrInstallPackMd5);
        // A well-formed package of another model, as a substituted download would be.
        QVERIFY(writeFile(m_home.filePath("other/documentai.model/eng.traineddata"), "substitute"));
        QVERIFY(pack(m_home.filePath("other/documentai.model"), m_home.filePath("other.zip")));
        m_substitute = read(m_home.filePath("other.zip"));
        m_prompt = QCoreApplication::translate("GLanguage", GLanguage::getString(StrOcrDownloadPrompt));
    }

    void init()
    {
        QVERIFY(QDir(m_model).removeRecursively());
        QVERIFY(QDir(QDir::homePath() + "/Library").removeRecursively());
        MessageBox::clearShown();
        m_server.requested.clear();
        m_server.answers.clear();
    }

    void intactModelAsksNothing()
    {
        QVERIFY(installShipped());
        QVERIFY(ComponentCheck::instance()->checkOCRModuleMd5());
        QVERIFY(ComponentCheck::instance()->checkOCRComponent());
        QCOMPARE(MessageBox::shown(), QStringList());
        QCOMPARE(m_server.requested.size(), 0);
    }

    void refusedPromptWritesNothing_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<int>("answer");
        QTest::newRow("missing, Cancel") << false << int(QMessageBox::Cancel);
        QTest::newRow("other digest, Cancel") << true << int(QMessageBox::Cancel);
        QTest::newRow("other digest, box closed") << true << int(QMessageBox::NoButton);
    }

    void refusedPromptWritesNothing()
    {
        QFETCH(bool, damaged);
        QFETCH(int, answer);
        QString before = damaged ? damageModel() : QString();
        QVERIFY(!damaged || !before.isEmpty());
        // Were it fetched, the package would be there to take.
        m_server.answers["/ocr-models-mac-v2.zip"] = ::answer("200 OK", m_shipped);
        if (answer != QMessageBox::NoButton)
            MessageBox::setNextAnswer(MessageBox::Button(answer));
        QVERIFY(!ComponentCheck::instance()->checkOCRComponent());
        QCOMPARE(MessageBox::shown(), promptOnly());
        QCOMPARE(m_server.requested.size(), 0);
        QVERIFY(!QFileInfo::exists(QDir::homePath() + "/Library"));
        QCOMPARE(getMd5(m_model), before);
    }

    // Starts from a damaged model; only the shipped package may replace it, and it stays in
    // the download folder for the next check. Every failure is told, with its reason.
    void fetches_data()
    {
        QTest::addColumn<QByteArray>("alreadyThere");
        QTest::addColumn<Answer>("served");
        QTest::addColumn<bool>("offline");
        QTest::addColumn<bool>("result");
        QTest::addColumn<bool>("downloaded");
        QTest::addColumn<QString>("told");
        QByteArray cut = m_shipped.left(m_shipped.size() / 2);
        QString const damaged =
            "Installation Failed|The downloaded OCR module is damaged and was not installed. "
            "Please try again.";
        QString const notDownloaded = "Installation Failed|The OCR module could not be downloaded: ";
        QTest::newRow("intact package already there")
            << m_shipped << answer("404 Not Found", "gone") << false << true << false << QString();
        QTest::newRow("damaged package there, fetched again")
            << cut << answer("200 OK", m_shipped) << false << true << true << QString();
        QTest::newRow("downloaded") << QByteArray() << answer("200 OK", m_shipped) << false << true << true
                                    << QString();
        QTest::newRow("substituted download")
            << QByteArray() << answer("200 OK", m_substitute) << false << false << true << damaged;
        QTest::newRow("download cut short")
            << QByteArray() << answer("200 OK", cut) << false << false << true << damaged;
        QTest::newRow("download fails")
            << QByteArray() << answer("404 Not Found", "gone") << false << false << true << notDownloaded;
        QTest::newRow("no network") << QByteArray() << answer("200 OK", m_shipped) << true << false << false
                                    << notDownloaded + "Connection refused";
    }

    void fetches()
    {
        QFETCH(QByteArray, alreadyThere);
        QFETCH(Answer, served);
        QFETCH(bool, offline);
        QFETCH(bool, result);
        QFETCH(bool, downloaded);
        QFETCH(QString, told);
        QString damaged = damageModel();
        QVERIFY(!damaged.isEmpty());
        if (!alreadyThere.isEmpty())
            QVERIFY(writeFile(m_package, alreadyThere));
        m_server.answers["/ocr-models-mac-v2.zip"] = served;
        // Nothing listens on port 1.
        if (offline)
            ComponentCheck::setOcrUrlForTests("http://127.0.0.1:1/ocr-models-mac-v2.zip");
        MessageBox::setNextAnswer(QMessageBox::Ok);

        bool const checked = ComponentCheck::instance()->checkOCRComponent();
        ComponentCheck::setOcrUrlForTests(m_server.url("/ocr-models-mac-v2.zip"));
        QCOMPARE(checked, result);
        QCOMPARE(m_server.requested.size(), downloaded ? 1 : 0);
        QStringList shown = MessageBox::shown();
        QCOMPARE(shown.mid(0, 1), promptOnly());
        QCOMPARE(shown.size(), told.isEmpty() ? 1 : 2);
        QVERIFY2(shown.value(1).startsWith(told), qPrintable(shown.value(1)));
        if (result) {
            QCOMPARE(getMd5(m_model), baseOcrMd5);
            QCOMPARE(getMd5(m_package), baseOcrInstallPackMd5);
            QVERIFY(ComponentCheck::instance()->checkOCRComponent());
            QCOMPARE(MessageBox::shown().size(), 1);
        } else {
            QCOMPARE(getMd5(m_model), damaged);
            QVERIFY(!QFile::exists(m_package));
        }
    }

    void cancelledDownloadInstallsNothing()
    {
        QString damaged = damageModel();
        m_server.answers["/ocr-models-mac-v2.zip"] = answer("200 OK", m_shipped, {}, 65536, 20000);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        bool wasShown = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* cancel = window->findChild<QPushButton*>("cancelButton");
                if (window->objectName() == "Downloading" && window->isVisible() && cancel) {
                    wasShown = window->windowModality() == Qt::WindowModal;
                    poll.stop();
                    QTest::mouseClick(cancel, Qt::LeftButton);
                }
            }
        });
        poll.start(50);
        QVERIFY(!ComponentCheck::instance()->checkOCRComponent());
        QVERIFY(wasShown);
        QCOMPARE(getMd5(m_model), damaged);
        QVERIFY(!QFile::exists(m_package));
        QCOMPARE(MessageBox::shown(), promptOnly());
    }

    void failedInstallationIsReported()
    {
        QVERIFY(writeFile(m_package, m_shipped));
        // unzip cannot create anything below a regular file.
        QVERIFY(QDir(m_models).removeRecursively());
        QVERIFY(writeFile(m_models, "a file, not a folder"));
        MessageBox::setNextAnswer(QMessageBox::Ok);
        bool result = ComponentCheck::instance()->checkOCRComponent();
        QVERIFY(QFile::remove(m_models) && QDir().mkpath(m_models));
        QVERIFY(!result);
        QCOMPARE(MessageBox::shown(),
                 promptOnly() << "Installation Failed|The folder " + m_models + " cannot be written.");
        QCOMPARE(getMd5(m_package), baseOcrInstallPackMd5);
    }

    // An unpacker that says it worked is not taken at its word: the model is checked again.
    void installCountsOnlyWhenTheModelChecks()
    {
        QVERIFY(writeFile(m_package, m_shipped));
        QTemporaryDir bin;
        QVERIFY(writeFile(bin.filePath("unzip"), "#!/bin/sh\nmkdir -p \"$4/documentai.model\"\n"
                                                 "echo wrong > \"$4/documentai.model/eng.traineddata\"\n"));
        QVERIFY(QFile::setPermissions(bin.filePath("unzip"), QFile::ReadOwner | QFile::ExeOwner));
        QByteArray const path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit() + ":" + path);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        bool const result = ComponentCheck::instance()->checkOCRComponent();
        qputenv("PATH", path);
        QVERIFY(!result);
        QCOMPARE(
            MessageBox::shown(),
            promptOnly() << "Installation Failed|The installed OCR module is damaged. Please try again.");
    }
};

DOCQUILL_THROWAWAY_BUNDLE_TEST_MAIN(TestComponentCheck)
#include "TestComponentCheck.moc"

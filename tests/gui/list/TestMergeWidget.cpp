#include "list/MergeWidget.h"

#include "language/MultiLanguage.h"
#include "pdf/MergeFunction.h"

#include "TestArtefacts.h"
#include "TestHome.h"
#include "UrlRecorder.h"

#include <QtTest>

#include <QDesktopServices>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>

class TestMergeWidget : public QObject
{
    Q_OBJECT

    TestHome m_home;
    UrlRecorder m_urls{{"file"}};

private slots:
    void initTestCase() { qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus"); }

    void result_data()
    {
        QTest::addColumn<bool>("merged");
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<int>("parts");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("japanese");
        QTest::addColumn<QString>("icon");
        QTest::newRow("merged") << true << false << 9 << "PDF Creation Completed"
                                << QString::fromUtf8("PDFの作成が完了しました") << "finished-3x.png";
        // Files left out of the merged PDF make it no plain success.
        QTest::newRow("partly") << true << false << 7 << "7 of 9 files are in the merged PDF."
                                << QString::fromUtf8(
                                       "結合した PDF には 9 個中 7 個のファイルが含まれています。")
                                << "pic_warning-3x.png";
        QTest::newRow("failed") << false << false << 0 << "The merge is failed"
                                << QString::fromUtf8("結合に失敗しました") << "pic_failed-3x.png";
        // The cause is named where the user can act on it.
        QTest::newRow("disk full") << false << true << 0 << "The disk is full."
                                   << QString::fromUtf8("ディスクがいっぱいです。") << "pic_failed-3x.png";
    }

    void result()
    {
        QFETCH(bool, merged);
        QFETCH(bool, diskFull);
        QFETCH(int, parts);
        QFETCH(QString, text);
        QFETCH(QString, japanese);
        QFETCH(QString, icon);
        QWidget page;
        page.resize(700, 500);
        page.show();
        QPointer<MergeWidget> panel = new MergeWidget(&page);
        panel->show();
        QCOMPARE(panel->geometry(), page.rect());
        page.resize(700, 620);
        QCOMPARE(panel->geometry(), page.rect());

        auto* stack = panel->findChild<QStackedWidget*>("stackedWidget");
        auto* bar = panel->findChild<QProgressBar*>("progressBar");
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("progressPage"));
        QCOMPARE(bar->value(), 3);
        panel->progressBarUpdate(60);
        emit MergeFunction::instance()->mergeProgress(85);
        QCOMPARE(bar->value(), 85);

        QString const merged_file = m_home.filePath("out/Merge.pdf");
        panel->mergedCount(parts, 9);
        if (diskFull)
            panel->diskFull();
        panel->completionOfMerger(merged, merged_file);
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("completePage"));
        auto* message = panel->findChild<QLabel*>("completeMessage");
        auto* show = panel->findChild<QPushButton*>("btnShow");
        QCOMPARE(message->text(), text);
        QCOMPARE(show->isHidden(), !merged);
        QCOMPARE(show->text(), QStringLiteral("Show in Folder"));
        QVERIFY2(panel->findChild<QLabel*>("iconLabel")->styleSheet().contains(icon),
                 qPrintable(panel->findChild<QLabel*>("iconLabel")->styleSheet()));
        // The result reads whole in both languages.
        QString const shot = "merge-panel-" + QString(QTest::currentDataTag()).replace(' ', '-');
        auto const laidOut = [&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            return message->width() >= message->sizeHint().width();
        };
        QVERIFY(laidOut());
        TestArtefacts::save(page.grab(), shot + "-en");
        MultiLanguage::instance()->languageSwitch(7);
        QCOMPARE(message->text(), japanese);
        QVERIFY2(laidOut(), qPrintable(message->text() + " is cut off"));
        TestArtefacts::save(page.grab(), shot + "-ja");
        MultiLanguage::instance()->languageSwitch(1);
        QCOMPARE(message->text(), text);

        QTest::mouseClick(merged ? show : panel->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
        QTRY_VERIFY(panel.isNull());
        QCOMPARE(m_urls.opened,
                 merged ? QList<QUrl>{QUrl::fromLocalFile(m_home.filePath("out"))} : QList<QUrl>{});
        m_urls.opened.clear();
    }
};

QTEST_MAIN(TestMergeWidget)
#include "TestMergeWidget.moc"

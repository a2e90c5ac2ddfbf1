#include "dialogs/QAbout.h"

#include "common/ProductConstants.h"
#include "support/DialogTestMode.h"
#include "support/MainWindowAccess.h"
#include "support/ModalDialog.h"

#include "TestHome.h"
#include "UrlRecorder.h"

#include <QtTest>

#include <QDate>
#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

class TestQAbout : public QObject
{
    Q_OBJECT

    TestHome m_home;
    UrlRecorder m_urls{{"https"}};
    QWidget m_mainWindow;
    static QWidget* s_mainWindow;

private slots:
    void initTestCase()
    {
        DialogTestMode::setEnabled(true);
        s_mainWindow = &m_mainWindow;
        MainWindowAccess::setFactory([] { return s_mainWindow; });
    }

    void cleanupTestCase() { MainWindowAccess::setFactory(nullptr); }

    void showsProductVersionAndNotice()
    {
        QAbout dialog;
        QCOMPARE(dialog.objectName(), QStringLiteral("QAbout"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About"));
        QCOMPARE(dialog.size(), QSize(340, 245));
        QCOMPARE(dialog.findChild<QLabel*>("lab_product")->text(), g_product_name);
        QCOMPARE(dialog.findChild<QLabel*>("lab_version")->text(), QStringLiteral("Version 7.0.0"));
        QCOMPARE(dialog.findChild<QPushButton*>("btnMoreInfo")->text(), QStringLiteral("More Info"));
        QVERIFY(dialog.testAttribute(Qt::WA_DeleteOnClose));
        dialog.setAttribute(Qt::WA_DeleteOnClose, false);

        QString const notice = dialog.findChild<QLabel*>("lab_copyright")->text();
        QVERIFY2(notice.contains(QString::number(QDate::currentDate().year())), qPrintable(notice));
        QVERIFY2(notice.contains("Tarvello") && !notice.contains('%'), qPrintable(notice));

        // The sign is drawn in its warm colour #e9a96f, the rest of the notice in grey.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QImage const shot = dialog.findChild<QLabel*>("lab_copyright")->grab().toImage();
        int warmest = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                QColor const c = shot.pixelColor(x, y);
                if (c.red() > c.green() && c.green() > c.blue())
                    warmest = qMax(warmest, c.red() - c.blue());
            }
        QVERIFY2(warmest > 80, qPrintable(QString::number(warmest)));
    }

    // Each call makes its own dialog over the main window and frees it when it closes.
    void eachOpenIsANewDialog()
    {
        m_urls.opened.clear();
        for (int round = 0; round < 2; ++round) {
            QPointer<QDialog> seen;
            bool stayedOpen = false;
            ModalDialog::setNextHandler([&](QDialog* dialog) {
                seen = dialog;
                QVERIFY(qobject_cast<QAbout*>(dialog));
                QCOMPARE(dialog->parentWidget(), &m_mainWindow);
                QTest::mouseClick(dialog->findChild<QPushButton*>("btnMoreInfo"), Qt::LeftButton);
                stayedOpen = dialog->isVisible();
                dialog->close();
            });
            QCOMPARE(QAbout::showAboutWindow(), int(QDialog::Rejected));
            QVERIFY(stayedOpen);
            QVERIFY(seen.isNull());
        }
        QCOMPARE(m_urls.opened, (QList<QUrl>{QUrl(g_link_product), QUrl(g_link_product)}));
    }
};

QWidget* TestQAbout::s_mainWindow = nullptr;

QTEST_MAIN(TestQAbout)
#include "TestQAbout.moc"

#include "dialogs/EnterPassword.h"

#include "items/FileItemList.h"
#include "items/PDFFileItem.h"
#include "relay/SignalTransferStation.h"
#include "support/DialogTestMode.h"
#include "support/ModalDialog.h"

#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class TestEnterPassword : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QString m_locked;

private slots:
    void initTestCase()
    {
        DialogTestMode::setEnabled(true);
        QString const plain = m_home.filePath("plain.pdf");
        QVERIFY(TestPdf::writePages(plain, 3));
        m_locked = m_home.filePath("locked.pdf");
        QVERIFY(TestPdf::encrypt(plain, m_locked, "secret", "owner"));
    }

    void tryPassword_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("applyToAll");
        QTest::addColumn<bool>("byReturnKey");
        QTest::addColumn<bool>("unlocks");
        QTest::newRow("right, OK") << "secret" << false << false << true;
        QTest::newRow("right, Return, apply to all") << "secret" << true << true << true;
        QTest::newRow("wrong, apply to all") << "Secret" << true << false << false;
        QTest::newRow("empty, Return") << "" << false << true << false;
    }

    void tryPassword()
    {
        QFETCH(QString, password);
        QFETCH(bool, applyToAll);
        QFETCH(bool, byReturnKey);
        QFETCH(bool, unlocks);
        FileItemList list(ModeConvert);
        list.addFiles({m_locked});
        auto* item = qobject_cast<PDFFileItem*>(list.getFileItem(0));
        QVERIFY(item->isEncrypted());

        // The broadcast must come after this file was unlocked.
        QStringList broadcasts;
        QMetaObject::Connection relay =
            connect(SignalTransferStation::instance(), &SignalTransferStation::unlockAllPDF, this,
                    [&](QString const& sent) {
                        QVERIFY(!item->isEncrypted());
                        broadcasts << sent;
                    });
        bool closedAfterTry = false;
        bool errorShown = false;
        ModalDialog::setNextHandler([&](QDialog* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>("lineEdit_password");
            QCOMPARE(dialog->focusWidget(), edit);
            QVERIFY(dialog->findChild<QLabel*>("label_incorrect_pwd")->isHidden());
            dialog->findChild<QCheckBox*>("checkBox_apply_all")->setChecked(applyToAll);
            QTest::keyClicks(edit, password);
            if (byReturnKey)
                QTest::keyClick(edit, Qt::Key_Return);
            else
                QTest::mouseClick(dialog->findChild<QPushButton*>("btn_ok"), Qt::LeftButton);
            closedAfterTry = !dialog->isVisible();
            auto* error = dialog->findChild<QLabel*>("label_incorrect_pwd");
            errorShown = error && !error->isHidden();
            if (!closedAfterTry) {
                // The next keystroke hides the error again; Escape closes as Cancel does.
                QCOMPARE(error->text(), QStringLiteral("Incorrect Password"));
                QTest::keyClicks(edit, "x");
                QVERIFY(error->isHidden());
                QTest::keyClick(edit, Qt::Key_Escape);
                QVERIFY(!dialog->isVisible());
                QCOMPARE(dialog->result(), int(QDialog::Rejected));
            }
        });
        EnterPassword::showWidget(item);
        disconnect(relay);

        QCOMPARE(closedAfterTry, unlocks);
        QCOMPARE(errorShown, !unlocks);
        QCOMPARE(item->isEncrypted(), !unlocks);
        QCOMPARE(item->password(), unlocks ? password : QString());
        QCOMPARE(broadcasts, unlocks && applyToAll ? QStringList{password} : QStringList());
        // The dialog deletes itself on every way out.
        auto openDialogs = [] {
            QWidgetList const windows = QApplication::topLevelWidgets();
            return std::count_if(windows.begin(), windows.end(),
                                 [](QWidget* w) { return qobject_cast<EnterPassword*>(w) != nullptr; });
        };
        QTRY_COMPARE(openDialogs(), 0);
    }

    // A file gone since it was added is not a wrong password.
    void fileGoneCannotBeOpened()
    {
        QString const copy = m_home.filePath("gone.pdf");
        QVERIFY(QFile::copy(m_locked, copy));
        FileItemList list(ModeConvert);
        list.addFiles({copy});
        auto* item = qobject_cast<PDFFileItem*>(list.getFileItem(0));
        QVERIFY(QFile::remove(copy));
        QString shown;
        ModalDialog::setNextHandler([&](QDialog* dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit*>("lineEdit_password"), "secret");
            QTest::mouseClick(dialog->findChild<QPushButton*>("btn_ok"), Qt::LeftButton);
            auto* error = dialog->findChild<QLabel*>("label_incorrect_pwd");
            if (!error->isHidden())
                shown = error->text();
        });
        EnterPassword::showWidget(item);
        QCOMPARE(shown, QStringLiteral("The file cannot be opened."));
        QVERIFY(item->isEncrypted());
    }

    // With several locked files the dialog says which one it asks for; a long name is
    // shortened in the middle, so that its start and its type stay readable.
    void namesItsFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shownStart");
        QTest::addColumn<QString>("shownEnd");
        QTest::newRow("short") << "payslip.pdf"
                               << "payslip.pdf"
                               << "payslip.pdf";
        QTest::newRow("long") << "Annual report " + QString(200, 'x') + " final.pdf"
                              << "Annual report"
                              << "final.pdf";
        QTest::newRow("line break") << "March\npayslip.pdf"
                                    << "March payslip.pdf"
                                    << "March payslip.pdf";
    }

    void namesItsFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, shownStart);
        QFETCH(QString, shownEnd);
        QString const path = m_home.filePath(name);
        QVERIFY(QFile::copy(m_locked, path));
        FileItemList list(ModeConvert);
        list.addFiles({path});
        EnterPassword dialog(qobject_cast<PDFFileItem*>(list.getFileItem(0)));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* label = dialog.findChild<QLabel*>("label_file");
        QVERIFY(label->isVisible());
        QVERIFY2(label->text().startsWith(shownStart) && label->text().endsWith(shownEnd), qPrintable(label->text()));
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        QCOMPARE(dialog.size(), QSize(350, 110));
    }

    void buttonsTakeNoFocus()
    {
        EnterPassword dialog(nullptr);
        QCOMPARE(dialog.findChild<QPushButton*>("btn_ok")->focusPolicy(), Qt::NoFocus);
        QCOMPARE(dialog.findChild<QPushButton*>("btn_cancel")->focusPolicy(), Qt::NoFocus);
        QCOMPARE(dialog.findChild<QLabel*>("label")->text(), QStringLiteral("Open password"));
        QCOMPARE(dialog.size(), QSize(350, 110));
    }
};

QTEST_MAIN(TestEnterPassword)
#include "TestEnterPassword.moc"

#include "rows/ConvertItemWidget.h"

#include "dialogs/ConvertOptionSetting.h"
#include "items/FileItem.h"
#include "items/FileItemList.h"
#include "pipeline/TaskController.h"
#include "processors/IFileProcessor.h"
#include "settings/PMPreferences.h"
#include "support/DialogTestMode.h"
#include "support/MessageBox.h"
#include "support/ModalDialog.h"

#include "RecordingSdk.h"
#include "TestHome.h"
#include "TestPdf.h"
#include "ThrowawayBundle.h"

#include <QApplication>
#include <QtTest>

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

class TestConvertItemWidget : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QString m_pdf;
    FileItemList m_list{ModeConvert};

    FileItem* newItem()
    {
        // A page refuses a file it already has: each row gets its own copy.
        QString const path = m_home.filePath(QStringLiteral("copy%1.pdf").arg(m_list.fileCount()));
        QFile::copy(m_pdf, path);
        m_list.addFiles({path});
        return m_list.getFileItem(m_list.fileCount() - 1);
    }

    static QMenu* formatMenu(ConvertItemWidget& row)
    {
        return row.findChild<QPushButton*>("btn_convert_type")->menu();
    }

    static QAction* entry(QMenu* menu, QString const& text)
    {
        for (QAction* action : menu->actions()) {
            if (action->text() == text)
                return action;
            if (action->menu())
                if (QAction* inner = entry(action->menu(), text))
                    return inner;
        }
        return nullptr;
    }

    static QString buttonText(ConvertItemWidget& row)
    {
        return row.findChild<QPushButton*>("btn_convert_type")->text();
    }

    static ConvertType itemType(FileItem* item) { return item->processor()->convertFormat(); }

private slots:
    void initTestCase()
    {
        DialogTestMode::setEnabled(true);
        PMPreferences::getInstance()->setOCRInstalled(true);
        m_pdf = m_home.filePath("source.pdf");
        QVERIFY(TestPdf::writePages(m_pdf, 2));
    }

    void formatMenuEntries()
    {
        ConvertItemWidget row(newItem());
        QStringList texts;
        QList<int> data;
        for (QAction* action : formatMenu(row)->actions()) {
            texts << action->text();
            data << (action->data().isValid() ? action->data().toInt() : -1);
        }
        QCOMPARE(texts,
                 QStringList({"OCR PDF", "to DOCX", "to XLSX", "to PPTX", "to HTML", "to TXT", "to RTF",
                              "to CSV", "to Pages", "to Keynote", "to Numbers", "to Image"}));
        QCOMPARE(data, QList<int>({0, 1, 3, 4, 8, 6, 7, 13, 20, 21, 22, -1}));
        QMenu* images = entry(formatMenu(row), "to Image")->menu();
        QVERIFY(images);
        QCOMPARE(images->objectName(), QStringLiteral("imageMenu"));
        QCOMPARE(formatMenu(row)->objectName(), QStringLiteral("convertTypeMenu"));
        QStringList imageTexts;
        for (QAction* action : images->actions())
            imageTexts << action->text() + '=' + action->data().toString();
        QCOMPARE(imageTexts, QStringList({"JPG=14", "JPEG=15", "PNG=16", "BMP=17", "TIFF=18"}));
    }

    void choiceIsSharedWithNewRows_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("type");
        QTest::newRow("XLSX") << "to XLSX" << int(ToXlsx);
        QTest::newRow("PNG from the submenu") << "PNG" << int(ToPng);
        QTest::newRow("OCR PDF") << "OCR PDF" << int(ToOcrPdf);
    }

    void choiceIsSharedWithNewRows()
    {
        QFETCH(QString, choice);
        QFETCH(int, type);
        FileItem* item = newItem();
        ConvertItemWidget first(item);
        item->fileProcessFinished(0);
        entry(formatMenu(first), choice)->trigger();
        QCOMPARE(buttonText(first), choice);
        QCOMPARE(int(itemType(item)), type);
        QCOMPARE(int(ConvertItemWidget::sm_lastSelectCovType), type);
        QVERIFY(item->isUntreated());
        QCOMPARE(first.getOption()->m_ocrEnabled, type == ToOcrPdf);

        FileItem* later = newItem();
        ConvertItemWidget second(later);
        QCOMPARE(buttonText(second), choice);
        QCOMPARE(int(itemType(later)), type);
    }

    // The refusal names the Office target that does the job on Linux.
    void missingIWorkApplicationIsRefused_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("text");
        QString const text =
            "Info|Converting to %1 needs Apple's %1 application, which does not run on Linux. "
            "Choose \"%2\" instead: it makes a document in %3 format, which %1 opens too.";
        QTest::newRow("Pages") << "to Pages" << text.arg("Pages", "to DOCX", "Word");
        QTest::newRow("Keynote") << "to Keynote" << text.arg("Keynote", "to PPTX", "PowerPoint");
        QTest::newRow("Numbers") << "to Numbers" << text.arg("Numbers", "to XLSX", "Excel");
    }

    void missingIWorkApplicationIsRefused()
    {
        QFETCH(QString, target);
        QFETCH(QString, text);
        FileItem* item = newItem();
        ConvertItemWidget row(item);
        entry(formatMenu(row), "to DOCX")->trigger();
        ConvertOption const before = *row.getOption();
        MessageBox::clearShown();
        MessageBox::setNextAnswer(QMessageBox::Ok);
        entry(formatMenu(row), target)->trigger();
        QCOMPARE(MessageBox::shown(), QStringList(text));
        QCOMPARE(buttonText(row), QStringLiteral("to DOCX"));
        QCOMPARE(int(itemType(item)), int(ToDocx));
        QCOMPARE(int(ConvertItemWidget::sm_lastSelectCovType), int(ToDocx));
        // The options handed out still belong to the format the file is converted to.
        QCOMPARE(row.convertType(), ToDocx);
        QCOMPARE(row.getOption()->m_ocrEnabled, before.m_ocrEnabled);
        QCOMPARE(row.getOption()->m_flowingText, before.m_flowingText);
    }

    void optionButtonOpensTheDialog()
    {
        FileItem* item = newItem();
        ConvertItemWidget row(item);
        item->fileProcessFinished(0);
        bool opened = false;
        ModalDialog::setNextHandler([&](QDialog* dialog) {
            opened = dialog == row.optionDialog();
            dialog->reject();
        });
        QTest::mouseClick(row.findChild<QPushButton*>("btn_set_option"), Qt::LeftButton);
        QVERIFY(opened);
        QVERIFY(item->isUntreated());
    }

    // "Apply to all" confirmed in one row's dialog: every other finished row whose options it
    // changes runs again at the next start, the others keep their result.
    void applyToAllReachesFinishedRows_data()
    {
        QTest::addColumn<bool>("sharedBefore"); // the shared record, with text recognition on, in force
        QTest::addColumn<bool>("applyToAll");
        QTest::addColumn<bool>("recognize"); // "Recognize text" ticked in the dialog
        QTest::addColumn<bool>("runsAgain");
        QTest::newRow("turned on with a change") << false << true << true << true;
        QTest::newRow("turned on without a change") << false << true << false << false;
        QTest::newRow("on, the same again") << true << true << true << false;
        QTest::newRow("on, changed") << true << true << false << true;
        QTest::newRow("turned off") << true << false << false << true;
        QTest::newRow("off, a row's own change") << false << false << true << false;
    }

    void applyToAllReachesFinishedRows()
    {
        QFETCH(bool, sharedBefore);
        QFETCH(bool, applyToAll);
        QFETCH(bool, recognize);
        QFETCH(bool, runsAgain);
        ConvertItemWidget::sm_lastSelectCovType = ToTxt;
        ConvertOptionSetting::s_applyToAll = sharedBefore;
        ConvertOptionSetting::m_applyAllOption.m_ocrEnabled = true;
        auto const reset = qScopeGuard([] {
            ConvertOptionSetting::s_applyToAll = false;
            ConvertOptionSetting::m_applyAllOption.m_ocrEnabled = false;
        });
        FileItem* used = newItem();
        FileItem* other = newItem();
        ConvertItemWidget dialogRow(used), otherRow(other);
        other->fileProcessFinished(0);
        QSignalSpy changed(&otherRow, &FileItemWidget::itemProcessStateChange);
        ModalDialog::setNextHandler([&](QDialog* dialog) {
            dialog->findChild<QCheckBox*>("ocrCheckBox")->setChecked(recognize);
            dialog->findChild<QCheckBox*>("applyToAll")->setChecked(applyToAll);
            QTest::mouseClick(dialog->findChild<QPushButton*>("btn_ok"), Qt::LeftButton);
        });
        QTest::mouseClick(dialogRow.findChild<QPushButton*>("btn_set_option"), Qt::LeftButton);
        QCOMPARE(ConvertOptionSetting::s_applyToAll, applyToAll);
        QCOMPARE(other->isUntreated(), runsAgain);
        QCOMPARE(changed.count(), runsAgain ? 1 : 0);
        QCOMPARE(otherRow.findChild<QWidget*>("btn_convert_finished")->isHidden(), runsAgain);
    }

    // A file queued when "Apply to all" changes its options is converted with the old ones: it
    // keeps its result and runs again at the next start.
    void applyToAllDuringTheRunOfARow()
    {
        RecordingSdk::install();
        RecordingSdk::reset();
        RecordingSdk::log().onStart = RecordingSdk::held;
        RecordingSdk::hold(60000);
        auto const restore = qScopeGuard([] {
            RecordingSdk::release();
            TaskController::workerPool()->waitForDone(60000);
            RecordingSdk::restore();
            ConvertOptionSetting::s_applyToAll = false;
        });
        ConvertItemWidget::sm_lastSelectCovType = ToTxt;
        FileItem* finished = newItem();
        FileItem* running = newItem();
        ConvertItemWidget dialogRow(finished), runningRow(running);
        finished->fileProcessFinished(0);
        TaskController controller;
        QSignalSpy ended(&controller, &TaskController::taskFinished);
        controller.startTasks({running}, m_home.filePath("apply-out"), ModeConvert, false);
        QTRY_VERIFY_WITH_TIMEOUT(RecordingSdk::holding(), 30000);
        ModalDialog::setNextHandler([](QDialog* dialog) {
            dialog->findChild<QRadioButton*>("pageLayoutRBtn")->setChecked(true);
            dialog->findChild<QCheckBox*>("applyToAll")->setChecked(true);
            QTest::mouseClick(dialog->findChild<QPushButton*>("btn_ok"), Qt::LeftButton);
        });
        QTest::mouseClick(dialogRow.findChild<QPushButton*>("btn_set_option"), Qt::LeftButton);
        QVERIFY(ConvertOptionSetting::s_applyToAll);
        RecordingSdk::release();
        QVERIFY(ended.wait(30000));
        QVERIFY(!runningRow.findChild<QWidget*>("btn_convert_finished")->isHidden());
        QVERIFY(running->isUntreated());
    }

    // Rows of queued and running files cannot be edited until their file is done; an edit that
    // still reaches such a row never reaches what the worker reads (run under the thread sanitizer).
    void rowsLockedWhileTheirFileRuns()
    {
        RecordingSdk::install();
        RecordingSdk::reset();
        RecordingSdk::log().onStart = RecordingSdk::held;
        RecordingSdk::hold();
        FileItem* running = newItem();
        FileItem* queued = newItem();
        ConvertItemWidget first(running), second(queued);
        for (ConvertItemWidget* row : {&first, &second})
            entry(formatMenu(*row), "to TXT")->trigger();
        TaskController controller;
        QSignalSpy finished(&controller, &TaskController::taskFinished);
        controller.startTasks({running, queued}, m_home.filePath("locked-out"), ModeConvert, false);
        QTRY_COMPARE(RecordingSdk::callCount(), 1);
        for (ConvertItemWidget* row : {&first, &second}) {
            QVERIFY(!row->findChild<QPushButton*>("btn_convert_type")->isEnabled());
            QVERIFY(!row->findChild<QPushButton*>("btn_set_option")->isEnabled());
            QVERIFY(!row->findChild<QWidget*>("pageSettingFrame")->isEnabled());
            entry(formatMenu(*row), "to HTML")->trigger();
            QCOMPARE(buttonText(*row), QStringLiteral("to TXT"));
            row->findChild<QRadioButton*>("btn_range")->setChecked(true);
            row->findChild<QLineEdit*>("lineEdit_range")->setText("2");
            emit row->findChild<QLineEdit*>("lineEdit_range")->editingFinished();
        }
        RecordingSdk::release();
        QVERIFY(finished.wait(10000));
        QList<RecordingSdk::Call> const calls = RecordingSdk::calls();
        QCOMPARE(calls.size(), 2);
        QCOMPARE(calls[1].function, QStringLiteral("Txt"));
        QCOMPARE(calls[1].input, queued->filePath()); // no page cut
        QVERIFY(first.findChild<QPushButton*>("btn_convert_type")->isEnabled());
        entry(formatMenu(second), "to HTML")->trigger();
        QCOMPARE(int(itemType(queued)), int(ToHtml));
        RecordingSdk::restore();
    }

    // Last: the deferred model check runs once per process. This copy of the test runs in a
    // bundle without the model.
    void missingModelIsOfferedOnceAndRefused()
    {
        PMPreferences::getInstance()->setOCRInstalled(false);
        ConvertItemWidget::sm_lastSelectCovType = ToOcrPdf;
        ConvertItemWidget first(newItem());
        QVERIFY(ConvertItemWidget::m_checkModuleTimer);
        QVERIFY(entry(formatMenu(first), "OCR PDF"));
        QCOMPARE(buttonText(first), QStringLiteral("OCR PDF"));

        MessageBox::clearShown();
        MessageBox::setNextAnswer(QMessageBox::Cancel);
        QTRY_COMPARE(MessageBox::shown().size(), 1);
        QVERIFY(MessageBox::shown().first().contains("OCR"));
        QVERIFY(!entry(formatMenu(first), "OCR PDF"));
        QCOMPARE(buttonText(first), QStringLiteral("to DOCX"));
        QCOMPARE(int(ConvertItemWidget::sm_lastSelectCovType), int(ToDocx));

        // Later rows lose the entry at once and are not asked again.
        ConvertItemWidget second(newItem());
        QVERIFY(!entry(formatMenu(second), "OCR PDF"));
        QCOMPARE(buttonText(second), QStringLiteral("to DOCX"));
        QTest::qWait(700);
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(!PMPreferences::getInstance()->getOCRInstalled());
    }
};

DOCQUILL_THROWAWAY_BUNDLE_TEST_MAIN(TestConvertItemWidget)
#include "TestConvertItemWidget.moc"

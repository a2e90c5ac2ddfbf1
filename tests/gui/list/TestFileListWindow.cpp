#include "list/FileListWindow.h"

#include "creation/ExeStarter.h"
#include "items/FileItem.h"
#include "items/FileItemList.h"
#include "language/MultiLanguage.h"
#include "list/CustomListWidget.h"
#include "list/MergeWidget.h"
#include "pdf/PdfProbeProcess.h"
#include "pipeline/TaskController.h"
#include "rows/ConvertItemWidget.h"
#include "rows/FileItemWidget.h"
#include "settings/PMPreferences.h"
#include "support/DialogTestMode.h"
#include "support/FileDialog.h"
#include "support/MessageBox.h"

#include "DragDriver.h"
#include "RecordingSdk.h"
#include "TestArtefacts.h"
#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

class TestFileListWindow : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QString m_out;
    QStringList m_pdfs; // alpha, beta, gamma, delta
    QString m_locked;

    static CustomListWidget* listOf(FileListWindow& page)
    {
        return page.findChild<CustomListWidget*>("listWidget");
    }

    static QPushButton* button(FileListWindow& page, char const* name)
    {
        return page.findChild<QPushButton*>(name);
    }

    // What each row shows, top to bottom, checked against the file the row is tied to.
    static QStringList rows(FileListWindow& page)
    {
        QStringList names;
        CustomListWidget* list = listOf(page);
        for (int row = 0; row < list->count(); ++row) {
            auto* widget = qobject_cast<FileItemWidget*>(list->itemWidget(list->item(row)));
            QString const shown = widget->findChild<QLabel*>("label_name")->text();
            if (shown != widget->fileItem()->fileName())
                return {"row shows " + shown + " for " + widget->fileItem()->fileName()};
            names << widget->fileItem()->fileBaseName();
        }
        return names;
    }

    static FileItemWidget* rowWidget(FileListWindow& page, FileItem* item)
    {
        CustomListWidget* list = listOf(page);
        for (int row = 0; row < list->count(); ++row)
            if (list->getItemData(row) == item)
                return qobject_cast<FileItemWidget*>(list->itemWidget(list->item(row)));
        return nullptr;
    }

    static QStringList files(FileListWindow& page)
    {
        QStringList names;
        for (FileItem* item : page.fileList()->allItems())
            names << item->fileBaseName();
        return names;
    }

    void showPage(FileListWindow& page)
    {
        page.resize(800, 600);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.listWidgetShow();
    }

    void add(FileListWindow& page, QStringList const& paths)
    {
        FileDialog::setNextAnswer(paths);
        QTest::mouseClick(button(page, "btn_add"), Qt::LeftButton);
    }

    static bool idle(FileListWindow& page) { return !page.isRunning(); }

private slots:
    void initTestCase()
    {
        DialogTestMode::setEnabled(true);
        PMPreferences::getInstance()->setOCRInstalled(true);
        ConvertItemWidget::sm_lastSelectCovType = ToTxt;
        for (QString name : {"alpha", "beta", "gamma", "delta"}) {
            m_pdfs << m_home.filePath(name + ".pdf");
            QVERIFY(TestPdf::write(m_pdfs.last(), {"Words of " + name, "Second page of " + name}));
        }
        m_locked = m_home.filePath("locked.pdf");
        QVERIFY(TestPdf::encrypt(m_pdfs.first(), m_locked, "secret", "owner"));
        m_out = m_home.filePath("out");
        QDir().mkpath(m_out);
    }

    void addReorderDelete()
    {
        FileListWindow page(ModeConvert);
        showPage(page);
        QSignalSpy added(&page, &FileListWindow::addFileSuccessed);
        QVERIFY(!button(page, "btn_start")->isEnabled());
        FileDialog::clearRequests();
        // Dialogs open in Documents until the user chose something, a cancelled one included.
        QVERIFY(QDir().mkpath(m_home.filePath("Documents")));
        add(page, {});
        add(page, {m_pdfs[0], m_pdfs[1], m_pdfs[2], m_locked});
        QCOMPARE(added.count(), 1);
        QCOMPARE(rows(page), QStringList({"alpha", "beta", "gamma", "locked"}));
        QVERIFY(button(page, "btn_start")->isEnabled());
        // Files already on the page are not added again.
        add(page, {m_pdfs[0]});
        QCOMPARE(added.count(), 1);
        QCOMPARE(FileDialog::requests().size(), 3);
        QCOMPARE(FileDialog::requests().at(0).caption, QStringLiteral("Select Files"));
        QCOMPARE(FileDialog::requests().at(0).dir, m_home.filePath("Documents"));
        QCOMPARE(FileDialog::requests().at(1).dir, m_home.filePath("Documents"));
        QCOMPARE(FileDialog::requests().at(2).dir, QString());

        // Dragged to the top, gamma shows there; the page's files keep the order of adding.
        CustomListWidget* list = listOf(page);
        QPoint const from = list->viewport()->mapTo(&page, list->visualItemRect(list->item(2)).center());
        QPoint const top = list->viewport()->mapTo(&page, QPoint(list->viewport()->width() / 2, 10));
        dragInWindow(page.windowHandle(), from, {top});
        QCOMPARE(rows(page), QStringList({"gamma", "alpha", "beta", "locked"}));
        QCOMPARE(files(page), QStringList({"alpha", "beta", "gamma", "locked"}));
        TestArtefacts::save(page.grab(), "list-window-after-drag");

        // Deleting the moved row removes its own file.
        list->clearSelection();
        list->item(0)->setSelected(true);
        QVERIFY(button(page, "btn_delete")->isEnabled());
        QTest::keyClick(&page, Qt::Key_Delete);
        QCOMPARE(rows(page), QStringList({"alpha", "beta", "locked"}));
        QCOMPARE(files(page), QStringList({"alpha", "beta", "locked"}));
        QVERIFY(!button(page, "btn_delete")->isEnabled());
    }

    void convertRunAndCancel()
    {
        PMPreferences::getInstance()->saveOutputFolder(m_out);
        FileListWindow page(ModeConvert);
        showPage(page);
        add(page, {m_pdfs[0], m_pdfs[1], m_pdfs[2]});
        QPushButton* start = button(page, "btn_start");

        // Rows dragged into another order still get their own file's result.
        CustomListWidget* list = listOf(page);
        QPoint const from = list->viewport()->mapTo(&page, list->visualItemRect(list->item(2)).center());
        QPoint const top = list->viewport()->mapTo(&page, QPoint(list->viewport()->width() / 2, 10));
        dragInWindow(page.windowHandle(), from, {top});
        QCOMPARE(rows(page), QStringList({"gamma", "alpha", "beta"}));

        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(page.isRunning());
        QCOMPARE(start->text(), QStringLiteral("Cancel"));
        QVERIFY(start->styleSheet().contains("rgb(252, 56, 57)"));
        QVERIFY(!button(page, "btn_add")->isEnabled());
        list->item(0)->setSelected(true);
        QTest::keyClick(&page, Qt::Key_Backspace);
        QCOMPARE(page.fileList()->fileCount(), 3);
        TestArtefacts::save(page.grab(), "list-window-running");

        QTRY_VERIFY_WITH_TIMEOUT(idle(page), 120000);
        QCOMPARE(start->text(), QStringLiteral("Convert"));
        QVERIFY(!start->styleSheet().contains("rgb(252, 56, 57)"));
        for (int row = 0; row < list->count(); ++row) {
            auto* widget = qobject_cast<FileItemWidget*>(list->itemWidget(list->item(row)));
            auto* mark = widget->findChild<QPushButton*>("btn_convert_finished");
            QVERIFY(!mark->isHidden() && mark->isEnabled());
            QFileInfo const output(widget->outputFilePath());
            QCOMPARE(output.fileName(), widget->fileItem()->fileBaseName() + ".txt");
            QFile text(output.filePath());
            QVERIFY(text.open(QIODevice::ReadOnly));
            QVERIFY(text.readAll().contains("Words of " + widget->fileItem()->fileBaseName().toUtf8()));
        }
        // Everything is done: nothing to start.
        QVERIFY(!start->isEnabled());
        TestArtefacts::save(page.grab(), "list-window-finished");

        // A cancelled run leaves the page idle with the unfinished files untreated. A long file
        // runs first, so the cancel finds delta still queued however fast the machine is.
        QString const longFile = m_home.filePath("long.pdf");
        QVERIFY(TestPdf::writePages(longFile, 400));
        add(page, {longFile, m_pdfs[3]});
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(page.isRunning());
        QTest::mouseClick(start, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(idle(page), 60000);
        QVERIFY(start->styleSheet().contains("rgb(57, 147, 242)"));
        QCOMPARE(start->text(), QStringLiteral("Convert"));
        for (FileItem* item : page.fileList()->allItems())
            QVERIFY(item->fileBaseName() != "delta" || item->isUntreated());

        // Clearing finished rows keeps the ones that were not converted.
        page.clearFinishedItems();
        QVERIFY(rows(page).endsWith("delta"));
        QCOMPARE(rows(page), files(page));
        QVERIFY(!rows(page).contains("alpha"));
    }

    // Qt converts the icon of every window it opens on its global pool (a window icon as large
    // as the application's takes threads): a dialog and a menu opened while a file is in
    // progress show at once, not when the run ends.
    void windowsOpenDuringARun()
    {
        QIcon const icon = QApplication::windowIcon();
        // Translucent, as the application's own: converted in parts on the pool.
        QPixmap logo(256, 256);
        logo.fill(QColor(81, 160, 251, 128));
        QApplication::setWindowIcon(QIcon(logo));
        RecordingSdk::install();
        RecordingSdk::reset();
        RecordingSdk::log().onStart = RecordingSdk::held;
        RecordingSdk::hold(60000);
        auto const restore = qScopeGuard([&icon] {
            RecordingSdk::release();
            TaskController::workerPool()->waitForDone(60000);
            RecordingSdk::restore();
            QApplication::setWindowIcon(icon);
        });
        PMPreferences::getInstance()->saveOutputFolder(m_out);
        FileListWindow page(ModeConvert);
        showPage(page);
        add(page, {m_pdfs[0]});
        QTest::mouseClick(button(page, "btn_start"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(RecordingSdk::holding(), 30000);

        QMessageBox box(QMessageBox::Question, QStringLiteral("Docquill"), QStringLiteral("Stop and quit?"),
                        QMessageBox::Yes | QMessageBox::No, &page);
        QElapsedTimer clock;
        clock.start();
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box, 30000));
        qInfo("dialog shown %lld ms into a run's file", clock.restart());
        QMenu* formats = button(page, "btn_convert_type")->menu();
        formats->popup(page.mapToGlobal(QPoint(page.width() - 200, 40)));
        QVERIFY(QTest::qWaitForWindowExposed(formats, 30000));
        qInfo("menu shown %lld ms into a run's file", clock.elapsed());
        QVERIFY2(RecordingSdk::holding(), "the dialog and the menu came only when the file was done");
        TestArtefacts::save(QGuiApplication::primaryScreen()->grabWindow(0), "list-window-dialog-during-run");
        formats->hide();
        box.hide();
        RecordingSdk::release();
        QTRY_VERIFY_WITH_TIMEOUT(idle(page), 60000);
    }

    void emptyOutputFolderAsks()
    {
        PMPreferences::getInstance()->saveOutputFolder(QString());
        FileListWindow page(ModeConvert);
        showPage(page);
        add(page, {m_pdfs[0]});
        FileDialog::clearRequests();
        FileDialog::setNextAnswer({});
        QTest::mouseClick(button(page, "btn_start"), Qt::LeftButton);
        QCOMPARE(FileDialog::requests().size(), 1);
        QCOMPARE(FileDialog::requests().first().caption, QStringLiteral("Select output folder"));
        QVERIFY(!page.isRunning());
        QVERIFY(page.fileList()->getFileItem(0)->isUntreated());
    }

    // With no output folder yet, the folder icons beside "Output Folder" lead to choosing one.
    void folderIconsChooseTheFolder_data()
    {
        QTest::addColumn<bool>("inTheField");
        QTest::newRow("button") << false;
        QTest::newRow("icon in the field") << true;
    }

    void folderIconsChooseTheFolder()
    {
        QFETCH(bool, inTheField);
        PMPreferences::getInstance()->saveOutputFolder(QString());
        FileListWindow page(ModeConvert);
        showPage(page);
        auto* field = page.findChild<QLineEdit*>("lineEdit_output");
        QVERIFY(field->text().isEmpty());
        FileDialog::clearRequests();
        FileDialog::setNextAnswer({m_out});
        QWidget* icon = inTheField ? static_cast<QWidget*>(field->findChild<QToolButton*>())
                                   : static_cast<QWidget*>(button(page, "btn_openFolder"));
        QVERIFY(icon && icon->isVisible());
        QTest::mouseClick(icon, Qt::LeftButton);
        QCOMPARE(FileDialog::requests().size(), 1);
        QCOMPARE(FileDialog::requests().first().caption, QStringLiteral("Select output folder"));
        QCOMPARE(field->text(), m_out);
        QCOMPARE(PMPreferences::getInstance()->getOutputFolder(), m_out);
    }

    void mergedCreation()
    {
        PMPreferences::getInstance()->saveOutputFolder(m_out);
        FileListWindow page(ModeCreate);
        showPage(page);
        QStringList texts;
        for (QString name : {"one", "two"}) {
            texts << m_home.filePath(name + ".txt");
            QFile file(texts.last());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Text of " + name.toUtf8());
        }
        add(page, texts);
        QPushButton* merge = button(page, "btn_merge_switch");
        QVERIFY(merge->isVisible());
        QTest::mouseClick(merge, Qt::LeftButton);
        for (QLineEdit* name : page.findChildren<QLineEdit*>("lineEdit_output_name"))
            QVERIFY(!name->isEnabled());

        QTest::mouseClick(button(page, "btn_start"), Qt::LeftButton);
        QPointer<MergeWidget> panel = page.findChild<MergeWidget*>();
        QVERIFY(panel && panel->isVisible());
        TestArtefacts::save(page.grab(), "merge-progress");
        auto* stack = panel->findChild<QStackedWidget*>("stackedWidget");
        QTRY_COMPARE_WITH_TIMEOUT(stack->currentWidget()->objectName(), QStringLiteral("completePage"),
                                  120000);
        TestArtefacts::save(page.grab(), "merge-result");
        QCOMPARE(panel->findChild<QLabel*>("completeMessage")->text(),
                 QStringLiteral("PDF Creation Completed"));
        QString const merged = m_out + "/Merge.pdf";
        QCOMPARE(TestPdf::pageCount(merged), 2);
        QVERIFY(TestPdf::text(merged).contains("Text of two"));
        QTest::mouseClick(panel->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
        QTRY_VERIFY(panel.isNull());
        QVERIFY(idle(page));

        // Merged parts stay untreated: a second start makes them again, under a new name.
        QVERIFY(page.fileList()->getFileItem(0)->isUntreated());
    }

    // Fresh settings, the model in place: rows added together all offer "OCR PDF" once the
    // check has passed, not only the first.
    void rowsAddedTogetherOfferOcr()
    {
        PMPreferences::getInstance()->setOCRInstalled(false);
        FileListWindow page(ModeConvert);
        showPage(page);
        add(page, {m_pdfs[0], m_pdfs[1], m_pdfs[2]});
        QTRY_VERIFY_WITH_TIMEOUT(PMPreferences::getInstance()->getOCRInstalled(), 10000);
        for (FileItem* item : page.fileList()->allItems()) {
            QStringList entries;
            for (QAction* action :
                 rowWidget(page, item)->findChild<QPushButton*>("btn_convert_type")->menu()->actions())
                entries << action->text();
            QCOMPARE(entries.value(0), QStringLiteral("OCR PDF"));
        }
    }

    // A part that fails is left out; the panel says so and the part's row says why.
    void mergeWithoutAFailedPart()
    {
        QString const out = m_home.filePath("out-partial-merge");
        QDir().mkpath(out);
        PMPreferences::getInstance()->saveOutputFolder(out);
        QStringList texts;
        for (QString name : {"first", "gone", "third"}) {
            texts << m_home.filePath(name + ".txt");
            QFile file(texts.last());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Text of " + name.toUtf8());
        }
        FileListWindow page(ModeCreate);
        showPage(page);
        add(page, texts);
        QVERIFY(QFile::remove(texts[1]));
        QTest::mouseClick(button(page, "btn_merge_switch"), Qt::LeftButton);
        QTest::mouseClick(button(page, "btn_start"), Qt::LeftButton);
        QPointer<MergeWidget> panel = page.findChild<MergeWidget*>();
        QVERIFY(panel);
        QTRY_VERIFY_WITH_TIMEOUT(idle(page), 120000);
        TestArtefacts::save(page.grab(), "merge-partial");
        QCOMPARE(panel->findChild<QLabel*>("completeMessage")->text(),
                 QStringLiteral("2 of 3 files are in the merged PDF."));
        QCOMPARE(TestPdf::pageCount(out + "/Merge.pdf"), 2);
        QStringList marks;
        for (FileItem* item : page.fileList()->allItems()) {
            auto* mark = rowWidget(page, item)->findChild<QPushButton*>("btn_convert_finished");
            marks << item->fileBaseName() + (mark->isHidden() ? "" : " failed: " + mark->toolTip());
        }
        QCOMPARE(marks, QStringList({"first", "gone failed: Source file not found.", "third"}));
    }

    // Switched during a run, the button still says Cancel, then the start text, in the new language.
    void startButtonFollowsTheLanguage()
    {
        PMPreferences::getInstance()->saveOutputFolder(m_out);
        FileListWindow page(ModeConvert);
        showPage(page);
        add(page, {m_pdfs[3]});
        QPushButton* start = button(page, "btn_start");
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(page.isRunning());
        MultiLanguage::instance()->languageSwitch(2);
        QCOMPARE(start->text(), QStringLiteral("Annuler"));
        QTRY_VERIFY_WITH_TIMEOUT(idle(page), 60000);
        QCOMPARE(start->text(), QStringLiteral("Convertir"));
        MultiLanguage::instance()->languageSwitch(1);
        QCOMPARE(start->text(), QStringLiteral("Convert"));
    }

    // Files that went bad after they were added fail alone, with their reason; the rest run.
    void sourceGoneBad()
    {
        QString const out = m_home.filePath("out-bad-sources");
        QDir().mkpath(out);
        PMPreferences::getInstance()->saveOutputFolder(out);
        QStringList copies;
        for (QString name : {"kept", "deleted", "damaged", "kept too"}) {
            copies << m_home.filePath(name + ".pdf");
            QVERIFY(QFile::copy(m_pdfs[0], copies.last()));
        }
        // A text file that calls itself a picture, and a locked file that the run passes over.
        QString const fake = m_home.filePath("fake.png");
        QFile text(fake);
        QVERIFY(text.open(QIODevice::WriteOnly | QIODevice::Truncate));
        text.write("just words\n");
        text.close();
        FileListWindow page(ModeConvert);
        showPage(page);
        add(page, copies + QStringList{fake, m_locked});
        QVERIFY(QFile::remove(copies[1]));
        QFile damaged(copies[2]);
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("%PDF-1.7\nnot a PDF any more\n");
        damaged.close();
        QTest::mouseClick(button(page, "btn_start"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(idle(page), 60000);
        QStringList marks;
        for (FileItem* item : page.fileList()->allItems()) {
            auto* mark = rowWidget(page, item)->findChild<QPushButton*>("btn_convert_finished");
            marks << item->fileBaseName() + (mark->isEnabled() ? " done" : " failed: " + mark->toolTip());
        }
        QCOMPARE(
            marks,
            QStringList({"kept done", "deleted failed: File not found or could not be opened.",
                         "damaged failed: File not in PDF format or corrupted.", "kept too done",
                         "fake failed: The picture cannot be read: the file is damaged or is not a picture.",
                         "locked failed: Skipped: the file is locked. Click its icon and enter its password "
                         "to convert it."}));
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"kept too.txt", "kept.txt"}));
    }

    // A file set up so that it cannot run as asked (a page range that cannot be read, an output
    // name that is no file name) keeps the whole run from starting, and the message says which.
    void startRefusesUnusableInput_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("range") << int(ModeConvert) << "lineEdit_range"
                               << "1-5-2"
                               << "\"1-5-2\" is not a page or a range of pages such as 4-7.";
        QTest::newRow("output name") << int(ModeCreate) << "lineEdit_output_name"
                                     << "../x"
                                     << "The name cannot hold \"/\": the PDF is made in the output folder.";
    }

    void startRefusesUnusableInput()
    {
        QFETCH(int, mode);
        QFETCH(QString, editor);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        QString const out = m_home.filePath("out-refused");
        QDir().mkpath(out);
        PMPreferences::getInstance()->saveOutputFolder(out);
        FileListWindow page{FunctionMode(mode)};
        showPage(page);
        add(page, {m_pdfs[0], m_pdfs[1]});
        FileItemWidget* beta = rowWidget(page, page.fileList()->getFileItem(1));
        if (mode == ModeConvert)
            beta->findChild<QAbstractButton*>("btn_range")->click();
        auto* edit = beta->findChild<QLineEdit*>(editor);
        edit->setText(text);
        emit edit->editingFinished();
        MessageBox::clearShown();
        QTest::mouseClick(button(page, "btn_start"), Qt::LeftButton);
        QCOMPARE(
            MessageBox::shown(),
            QStringList{"Note|Nothing was started. Correct these files first:\n\n\"beta.pdf\": " + reason});
        QVERIFY(idle(page));
        QCOMPARE(edit->text(), text);
        QCOMPARE(edit->toolTip(), reason);
        QTest::qWait(200);
        QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(QDir(m_home.path()).entryList({"x.pdf"}), QStringList());
    }

    // Folders never become rows; files refused are listed once, with the reason, after the
    // rest were added.
    void refusedFilesAreListed()
    {
        QString const folder = m_home.filePath("folder.pdf");
        QVERIFY(QDir().mkpath(folder));
        QString const empty = m_home.filePath("empty.pdf");
        QFile(empty).open(QIODevice::WriteOnly);
        QString const damaged = m_home.filePath("broken.pdf");
        QFile broken(damaged);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("%PDF-1.7\nnothing else\n");
        broken.close();
        FileListWindow page(ModeConvert);
        showPage(page);
        MessageBox::clearShown();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("File is damaged."));
        // Paths that are gone since they were chosen become no "0 B" rows either.
        add(page,
            {folder, m_pdfs[0], damaged, m_home.filePath("gone.pdf"), empty, m_home.filePath("gone.docx")});
        // The damaged file is read apart; the message waits for its answer.
        QTRY_COMPARE(MessageBox::shown(), QStringList{"Note|These files were not added:\n\n"
                                                      "\"folder.pdf\": a folder, not a file\n"
                                                      "\"gone.pdf\": the file does not exist\n"
                                                      "\"empty.pdf\": the file is empty\n"
                                                      "\"gone.docx\": the file does not exist\n"
                                                      "\"broken.pdf\": the file is damaged"});
        QCOMPARE(rows(page), QStringList{"alpha"});
        QCOMPARE(files(page), QStringList{"alpha"});
        QVERIFY(button(page, "btn_start")->isEnabled());
    }

    // A file whose reading crashes its helper, or never ends, costs the window nothing: its row
    // shows it being read and then goes, the note says why, and the other files run.
    void fileWhoseReadingFailsIsRefused_data()
    {
        QTest::addColumn<QByteArray>("helper");
        QTest::newRow("crash") << QByteArray("kill -SEGV $$");
        QTest::newRow("no end") << QByteArray("exec sleep 600");
    }

    void fileWhoseReadingFailsIsRefused()
    {
        QFETCH(QByteArray, helper);
        QTemporaryDir bin;
        QFile script(bin.filePath("PdfProbe"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n" + helper + "\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        ExeStarter::setProgramFolderForTesting(bin.path());
        PdfProbeProcess::setTimeLimitsForTesting(1500, 0);
        auto restore = qScopeGuard([] {
            ExeStarter::setProgramFolderForTesting(QString());
            PdfProbeProcess::setTimeLimitsForTesting(0, 0);
        });
        QString const cut = m_home.filePath("cut.pdf");
        QFile::remove(cut);
        QVERIFY(QFile::copy(m_pdfs[1], cut));
        QVERIFY(QFile::resize(cut, QFileInfo(cut).size() - 30));

        FileListWindow page(ModeConvert);
        showPage(page);
        MessageBox::clearShown();
        add(page, {m_pdfs[0], cut});
        QTRY_COMPARE(rows(page), QStringList({"alpha", "cut"}));
        FileItemWidget* reading = rowWidget(page, page.fileList()->getFileItem(1));
        QVERIFY(!reading->findChild<QLabel*>("label_pages")->isVisible());
        QVERIFY(!button(page, "btn_start")->isEnabled());
        QTRY_COMPARE(
            MessageBox::shown(),
            QStringList{"Note|These files were not added:\n\n\"cut.pdf\": the file could not be read"});
        QCOMPARE(rows(page), QStringList{"alpha"});
        QCOMPARE(files(page), QStringList{"alpha"});
        QVERIFY(button(page, "btn_start")->isEnabled());
    }

    // An output folder that went away, or that takes no files, is not made again or written
    // around: every file waiting to run fails with the reason and nothing is written.
    void outputFolderUnusable_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("folder");
        QTest::newRow("converter, removed") << int(ModeConvert) << m_home.filePath("removed");
        QTest::newRow("creator, removed") << int(ModeCreate) << m_home.filePath("removed");
        // Read-only even for an administrator, who may write anywhere else.
        QTest::newRow("converter, read-only") << int(ModeConvert) << "/proc";
        QTest::newRow("creator, read-only") << int(ModeCreate) << "/proc";
    }

    void outputFolderUnusable()
    {
        QFETCH(int, mode);
        QFETCH(QString, folder);
        PMPreferences::getInstance()->saveOutputFolder(folder);
        QString const text = m_home.filePath("plain.txt");
        QFile plain(text);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("words");
        plain.close();
        FileListWindow page{FunctionMode(mode)};
        showPage(page);
        if (mode == ModeCreate)
            QTest::mouseClick(button(page, "btn_merge_switch"), Qt::LeftButton);
        add(page, mode == ModeConvert ? QStringList{m_pdfs[0], m_pdfs[1]} : QStringList{text, m_pdfs[0]});
        QStringList const before = QDir(m_home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QTest::mouseClick(button(page, "btn_start"), Qt::LeftButton);
        QTest::qWait(200);
        QVERIFY(idle(page));
        QVERIFY(!page.findChild<MergeWidget*>());
        for (FileItem* item : page.fileList()->allItems()) {
            auto* mark = rowWidget(page, item)->findChild<QPushButton*>("btn_convert_finished");
            QVERIFY(!mark->isHidden() && !mark->isEnabled());
            QCOMPARE(mark->toolTip(),
                     QStringLiteral("The output folder does not exist or cannot be written to."));
            QVERIFY(item->isUntreated());
        }
        QVERIFY(!QFileInfo::exists(m_home.filePath("removed")));
        QCOMPARE(QDir(m_home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }

    // Many files: their rows come a batch at a time while the window answers, and no file
    // stays open.
    void fiveThousandFiles()
    {
        QString const folder = m_home.filePath("many");
        QDir().mkpath(folder);
        QStringList paths;
        for (int i = 0; i < 5000; ++i) {
            paths << folder + QString("/%1.pdf").arg(i);
            QVERIFY(QFile::copy(m_pdfs[0], paths.last()));
        }
        auto openFiles = [] {
            return QDir(QStringLiteral("/proc/self/fd"))
                .entryList(QDir::NoDotAndDotDot | QDir::System)
                .size();
        };
        int const descriptors = openFiles();
        FileListWindow page(ModeConvert);
        showPage(page);
        bool answered = false;
        QTimer::singleShot(0, [&] { answered = page.rowsPending(); });
        page.addFileList(paths);
        QVERIFY(page.rowsPending());
        QVERIFY(!button(page, "btn_start")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!page.rowsPending(), 300000);
        QVERIFY2(answered, "the window did not answer while the rows were built");
        QCOMPARE(listOf(page)->count(), 5000);
        QCOMPARE(page.fileList()->fileCount(), 5000);
        QVERIFY(button(page, "btn_start")->isEnabled());
        QVERIFY(openFiles() <= descriptors + 5);
        page.clearAllItems();
        QCOMPARE(listOf(page)->count(), 0);
    }

    // A merged start that queues nothing (only a locked file) puts up no panel that would
    // never end.
    void mergedStartWithNothingToDo()
    {
        PMPreferences::getInstance()->saveOutputFolder(m_out);
        FileListWindow page(ModeCreate);
        showPage(page);
        add(page, {m_locked});
        QTest::mouseClick(button(page, "btn_merge_switch"), Qt::LeftButton);
        QVERIFY(!button(page, "btn_start")->isEnabled());
        QMetaObject::invokeMethod(&page, "btn_start_clicked");
        QTest::qWait(50);
        QVERIFY(!page.findChild<MergeWidget*>());
        QVERIFY(idle(page));
    }
};

QTEST_MAIN(TestFileListWindow)
#include "TestFileListWindow.moc"

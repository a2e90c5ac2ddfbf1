#include "rows/FileItemWidget.h"

#include "items/FileItemList.h"
#include "items/PDFFileItem.h"
#include "language/MultiLanguage.h"
#include "processors/PDFProcesses.h"
#include "support/DialogTestMode.h"
#include "support/ModalDialog.h"

#include "TestHome.h"
#include "TestPdf.h"
#include "UrlRecorder.h"

#include <QtTest>

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTranslator>

class TestFileItemWidget : public QObject
{
    Q_OBJECT

    TestHome m_home;
    UrlRecorder m_urls{{"file"}};
    QString m_pdf, m_locked, m_image, m_onePage;

    static QStringList rangesOf(FileItem* item)
    {
        return static_cast<PDFProcesses*>(item->processor())->pageRanges();
    }

private slots:
    void initTestCase()
    {
        // No file manager: revealing a file falls back to opening its folder, recorded here.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
        DialogTestMode::setEnabled(true);
        m_pdf = m_home.filePath("twelve pages.pdf");
        QVERIFY(TestPdf::writePages(m_pdf, 12));
        m_locked = m_home.filePath("locked.PDF");
        QVERIFY(TestPdf::encrypt(m_pdf, m_locked, "secret", "owner"));
        m_onePage = m_home.filePath("one page.pdf");
        QVERIFY(TestPdf::writePages(m_onePage, 1));
        m_image = m_home.filePath("photo.png");
        QImage(8, 8, QImage::Format_RGB32).save(m_image);
    }

    void pageRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("normalised"); // empty: the text cannot be read
        QTest::addColumn<QString>("problem");
        QTest::newRow("merged and sorted") << "7,1-3,2,9-10,5"
                                           << "1-3,5,7,9-10"
                                           << "";
        QTest::newRow("run of singles") << "3,1,2"
                                        << "1-3"
                                        << "";
        QTest::newRow("one-page span") << "2-2"
                                       << "2"
                                       << "";
        QTest::newRow("pair") << "1,2"
                              << "1-2"
                              << "";
        QTest::newRow("overlap") << "1-3,2-5"
                                 << "1-5"
                                 << "";
        QTest::newRow("leading zeros") << "007"
                                       << "7"
                                       << "";
        QTest::newRow("last page") << "12"
                                   << "12"
                                   << "";
        QTest::newRow("empty parts") << ",,4,,"
                                     << "4"
                                     << "";
        QTest::newRow("blanks and tabs") << " 1, 3 -\t5 ,9\t"
                                         << "1,3-5,9"
                                         << "";
        QTest::newRow("en and em dash") << QString::fromUtf8("1\u20132,4 \u2014 5") << "1-2,4-5"
                                        << "";
        QTest::newRow("two dashes") << "1-5-2"
                                    << ""
                                    << "\"1-5-2\" is not a page or a range of pages such as 4-7.";
        QTest::newRow("blank between numbers") << "1 2"
                                               << ""
                                               << "\"1 2\" is not a page or a range of pages such as 4-7.";
        QTest::newRow("semicolon") << "1;3"
                                   << ""
                                   << "\"1;3\" is not a page or a range of pages such as 4-7.";
        QTest::newRow("open end") << "1,3-"
                                  << ""
                                  << "\"3-\" is not a page or a range of pages such as 4-7.";
        QTest::newRow("lone dash") << "-"
                                   << ""
                                   << "\"-\" is not a page or a range of pages such as 4-7.";
        QTest::newRow("open start") << "-3,4"
                                    << ""
                                    << "\"-3\" is not a page or a range of pages such as 4-7.";
        QTest::newRow("letter") << "1-a"
                                << ""
                                << "\"1-a\" is not a page or a range of pages such as 4-7.";
        QTest::newRow("zero") << "0"
                              << ""
                              << "There is no page 0 in this document.";
        QTest::newRow("one bad part") << "1-2,0"
                                      << ""
                                      << "There is no page 0 in this document.";
        QTest::newRow("beyond the count") << "2,10-13"
                                          << ""
                                          << "There is no page 13 in this document.";
        QTest::newRow("overflowing number") << "99999999999999999999"
                                            << ""
                                            << "There is no page 99999999999999999999 in this document.";
        QTest::newRow("reversed") << "1,5-3"
                                  << ""
                                  << "The range 5-3 ends before it starts.";
        QTest::newRow("commas only") << ",,,"
                                     << ""
                                     << "Type the pages to convert, for example 1,3,4-7.";
        // Unmarked while typed (the placeholder says what to type); marked when a run starts.
        QTest::newRow("empty") << ""
                               << ""
                               << "Type the pages to convert, for example 1,3,4-7.";
    }

    // A text that can be read is normalised in place; one that cannot stays as typed, marked
    // with the reason, and the row refuses to run until it is mended or All Pages is chosen.
    void pageRange()
    {
        QFETCH(QString, text);
        QFETCH(QString, normalised);
        QFETCH(QString, problem);
        FileItemList list(ModeConvert);
        list.addFiles({m_pdf});
        FileItem* item = list.getFileItem(0);
        FileItemWidget row(item);
        auto* edit = row.findChild<QLineEdit*>("lineEdit_range");
        row.findChild<QAbstractButton*>("btn_range")->click();
        QVERIFY(!edit->isHidden());

        item->fileProcessFinished(0);
        QVERIFY(!item->isUntreated());
        QSignalSpy changed(&row, &FileItemWidget::itemProcessStateChange);
        edit->setText(text);
        emit edit->editingFinished();
        QCOMPARE(edit->text(), problem.isEmpty() ? normalised : text);
        QCOMPARE(rangesOf(item).join(','), normalised);
        QCOMPARE(edit->toolTip(), text.isEmpty() ? QString() : problem);
        QCOMPARE(row.checkInput(), problem);
        QCOMPARE(edit->toolTip(), problem);
        QCOMPARE(edit->styleSheet().contains("rgb(252, 56, 57)"), !problem.isEmpty());
        QVERIFY(item->isUntreated());
        QVERIFY(changed.count() >= 1);

        // Back to all pages: the editor goes, the whole document is converted; Range again
        // applies the editor's text once more.
        row.findChild<QAbstractButton*>("btn_allPage")->click();
        QVERIFY(edit->isHidden());
        QVERIFY(rangesOf(item).isEmpty());
        QCOMPARE(row.checkInput(), QString());
        row.findChild<QAbstractButton*>("btn_range")->click();
        QCOMPARE(rangesOf(item).join(','), normalised);
        QCOMPARE(row.checkInput(), problem);
    }

    void kindsOfFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("pageControls");
        QTest::addColumn<QString>("pages");
        QTest::addColumn<QString>("shown");
        QTest::newRow("pdf") << m_pdf << true << "12 Pages"
                             << "twelve pages.pdf";
        QTest::newRow("upper-case PDF") << m_locked << true << "12 Pages"
                                        << "locked.PDF";
        QTest::newRow("one page") << m_onePage << true << "1 Page"
                                  << "one page.pdf";
        QTest::newRow("image") << m_image << false << ""
                               << "photo.png";
        // Line breaks in a name: shown on one line, the row keeps its layout.
        QTest::newRow("newlines in the name") << m_home.filePath("two\nlines\r\nand\u2029more.pdf") << true
                                              << "1 Page"
                                              << "two lines  and more.pdf";
    }

    void kindsOfFile()
    {
        QFETCH(QString, path);
        QFETCH(bool, pageControls);
        QFETCH(QString, pages);
        QFETCH(QString, shown);
        if (!QFile::exists(path))
            QVERIFY(QFile::copy(m_onePage, path));
        FileItemList list(ModeConvert);
        list.addFiles({path});
        FileItemWidget row(list.getFileItem(0));
        QCOMPARE(!row.findChild<QWidget*>("pageSettingFrame")->isHidden(), pageControls);
        QCOMPARE(!row.findChild<QWidget*>("label_pages")->isHidden(), pageControls);
        if (pageControls)
            QCOMPARE(row.findChild<QLabel*>("label_pages")->text(), pages);
        auto* name = row.findChild<QLabel*>("label_name");
        QCOMPARE(name->text(), shown);
        QCOMPARE(name->sizeHint().height(), name->fontMetrics().height());
        QVERIFY(
            row.findChild<QWidget*>("btn_icon")->styleSheet().contains(list.getFileItem(0)->getFileIcon()));
    }

    void processingStates()
    {
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(ROWS_TEST_QM)));
        QCoreApplication::installTranslator(&german);
        FileItemList list(ModeConvert);
        list.addFiles({m_pdf});
        FileItem* item = list.getFileItem(0);
        FileItemWidget row(item);
        row.show();
        auto* spinner = row.findChild<QLabel*>("label_waiting");
        auto* mark = row.findChild<QPushButton*>("btn_convert_finished");
        QVERIFY(spinner->isHidden() && mark->isHidden());

        item->startProcess();
        QVERIFY(!spinner->isHidden() && mark->isHidden());
        item->stopProcess(); // a merge run's end of one file: no mark
        QVERIFY(spinner->isHidden() && mark->isHidden());

        item->startProcess();
        emit item->outputFileSignal(m_home.filePath("out/twelve pages.docx"));
        item->fileProcessFinished(0);
        QVERIFY(spinner->isHidden() && !mark->isHidden() && mark->isEnabled());
        QTest::mouseClick(mark, Qt::LeftButton);
        QTRY_COMPARE(m_urls.opened.value(0), QUrl::fromLocalFile(m_home.filePath("out")));

        item->fileProcessFinished(3);
        QVERIFY(!mark->isHidden() && !mark->isEnabled());
        QCOMPARE(mark->toolTip(), QStringLiteral("Passwort erforderlich oder falsches Passwort."));
        // A code without a text of its own still gives the failure a reason.
        item->fileProcessFinished(-1);
        QCOMPARE(mark->toolTip(), QStringLiteral("Unbekannter Fehler bei der Konvertierung."));

        // Any change of the row's settings makes the file untreated and takes the mark away.
        row.findChild<QAbstractButton*>("btn_range")->click();
        QVERIFY(mark->isHidden());
        QCoreApplication::removeTranslator(&german);
    }

    void iconOpensTheFile()
    {
        m_urls.opened.clear();
        FileItemList list(ModeConvert);
        list.addFiles({m_pdf});
        FileItemWidget row(list.getFileItem(0));
        QTest::mouseClick(row.findChild<QPushButton*>("btn_icon"), Qt::LeftButton);
        QCOMPARE(m_urls.opened, QList<QUrl>{QUrl::fromLocalFile(m_pdf)});
    }

    void lockedFileUnlocksThroughItsIcon()
    {
        m_urls.opened.clear();
        FileItemList list(ModeConvert);
        list.addFiles({m_locked});
        auto* item = qobject_cast<PDFFileItem*>(list.getFileItem(0));
        QVERIFY(item && item->isEncrypted());
        FileItemWidget row(item);
        auto* icon = row.findChild<QPushButton*>("btn_icon");
        QVERIFY(icon->styleSheet().contains("PDFLock-3x.png"));
        QSignalSpy unlocked(&row, &FileItemWidget::decryptionSuccess);

        bool opened = false;
        ModalDialog::setNextHandler([&](QDialog* dialog) {
            opened = dialog->objectName() == QLatin1String("EnterPassword");
            dialog->findChild<QLineEdit*>("lineEdit_password")->setText("secret");
            QTest::mouseClick(dialog->findChild<QPushButton*>("btn_ok"), Qt::LeftButton);
        });
        QTest::mouseClick(icon, Qt::LeftButton);
        QVERIFY(opened);
        QVERIFY(!item->isEncrypted());
        QCOMPARE(unlocked.count(), 1);
        QVERIFY(icon->styleSheet().contains("image:url(:/resource/PDF-3x.png)"));
        QVERIFY(icon->styleSheet().contains("Pressed-PDF-3x.png"));
        QVERIFY(m_urls.opened.isEmpty());
    }

    // A locked file whose page tree is encrypted tells no page count until it is unlocked;
    // then the row shows the count and reads its range against it.
    void unlockRereadsThePageCount()
    {
        QString const locked = m_home.filePath("object streams.pdf");
        QProcess qpdf;
        qpdf.start("qpdf", {"--encrypt", "u", "o", "256", "--", "--object-streams=generate", m_pdf, locked});
        QVERIFY(qpdf.waitForFinished() && qpdf.exitCode() == 0);
        FileItemList list(ModeConvert);
        list.addFiles({locked});
        auto* item = qobject_cast<PDFFileItem*>(list.getFileItem(0));
        QVERIFY(item->isEncrypted());
        FileItemWidget row(item);
        auto* pages = row.findChild<QLabel*>("label_pages");
        QVERIFY(pages->isHidden());
        row.findChild<QAbstractButton*>("btn_range")->click();
        auto* edit = row.findChild<QLineEdit*>("lineEdit_range");
        edit->setText("2-3");
        emit edit->editingFinished();
        QCOMPARE(edit->text(), QStringLiteral("2-3"));

        QVERIFY(item->PDFDecrypt("u"));
        QVERIFY(!pages->isHidden());
        QCOMPARE(pages->text(), QStringLiteral("12 Pages"));
        QCOMPARE(row.checkInput(), QString());
        QCOMPARE(rangesOf(item), QStringList{"2-3"});
    }

    // In every language the range choice ends clear of the field beside it.
    void rangeFieldStandsApart_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 1;
        QTest::newRow("Italian") << 4;
        QTest::newRow("German") << 5;
        QTest::newRow("Japanese") << 7;
    }

    void rangeFieldStandsApart()
    {
        QFETCH(int, language);
        MultiLanguage::instance()->languageSwitch(language);
        auto english = qScopeGuard([] { MultiLanguage::instance()->languageSwitch(1); });
        FileItemList list(ModeConvert);
        list.addFiles({m_pdf});
        FileItemWidget row(list.getFileItem(0));
        row.resize(760, 90);
        row.show();
        QVERIFY(QTest::qWaitForWindowExposed(&row));
        auto* choice = row.findChild<QAbstractButton*>("btn_range");
        choice->click();
        auto* field = row.findChild<QLineEdit*>("lineEdit_range");
        QVERIFY(field->isVisible());
        QVERIFY2(choice->width() >= choice->sizeHint().width(), qPrintable(choice->text() + " is cut off"));
        int const gap = field->mapTo(&row, QPoint(0, 0)).x() - choice->mapTo(&row, QPoint(choice->width(), 0)).x();
        QVERIFY2(gap >= 4, qPrintable(QString("%1 pixels between \"%2\" and its field").arg(gap).arg(choice->text())));
    }

    void languageSwitchRetranslates()
    {
        FileItemList list(ModeConvert);
        list.addFiles({m_pdf});
        FileItemWidget row(list.getFileItem(0));
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(ROWS_TEST_QM)));
        QCoreApplication::installTranslator(&german);
        MultiLanguage::instance()->languageSwitch(1);
        QCOMPARE(row.findChild<QLabel*>("label_pages")->text(), QStringLiteral("12 Seiten"));
        QCOMPARE(row.findChild<QAbstractButton*>("btn_allPage")->text(), QStringLiteral("Alle Seiten"));
        QCOMPARE(row.findChild<QLabel*>("label_name")->text(), QStringLiteral("twelve pages.pdf"));
        list.getFileItem(0)->fileProcessFinished(3);
        auto* mark = row.findChild<QPushButton*>("btn_convert_finished");
        QCOMPARE(mark->toolTip(), QStringLiteral("Passwort erforderlich oder falsches Passwort."));
        QCoreApplication::removeTranslator(&german);
        MultiLanguage::instance()->languageSwitch(1);
        QCOMPARE(row.findChild<QLabel*>("label_pages")->text(), QStringLiteral("12 Pages"));
        // A failure's reason follows the language too.
        QCOMPARE(mark->toolTip(), QStringLiteral("Password required or incorrect password."));
    }
};

QTEST_MAIN(TestFileItemWidget)
#include "TestFileItemWidget.moc"

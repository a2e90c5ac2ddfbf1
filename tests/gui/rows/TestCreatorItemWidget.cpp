#include "rows/CreatorItemWidget.h"

#include "items/FileItem.h"
#include "items/FileItemList.h"
#include "language/MultiLanguage.h"
#include "processors/IFileProcessor.h"
#include "processors/PDFCreatable.h"
#include "support/DialogTestMode.h"

#include "TestHome.h"

#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTranslator>

class TestCreatorItemWidget : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QString m_document;
    QTranslator m_german;

    static QString outputName(FileItem* item) { return item->processor()->getCreator()->newPdfName(); }

private slots:
    void initTestCase()
    {
        DialogTestMode::setEnabled(true);
        m_document = m_home.filePath("report.docx");
        QFile file(m_document);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(m_german.load(QStringLiteral(ROWS_TEST_QM)));
    }

    void outputNameReachesTheItem()
    {
        FileItemList list(ModeCreate);
        list.addFiles({m_document});
        FileItem* item = list.getFileItem(0);
        CreatorItemWidget row(item);
        auto* field = row.findChild<QLineEdit*>("lineEdit_output_name");
        QCOMPARE(field->text(), QStringLiteral("report"));
        QCOMPARE(outputName(item), QStringLiteral("report.pdf"));

        item->fileProcessFinished(0);
        field->setText("annual report");
        emit field->editingFinished();
        QCOMPARE(outputName(item), QStringLiteral("annual report.pdf"));
        QVERIFY(item->isUntreated());
    }

    // The name is one file in the output folder: a path, an empty name or one of only dots is
    // refused in the row, with the reason; a typed ".pdf" is not doubled.
    void outputNameIsAFileName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pdfName"); // empty: refused
        QTest::addColumn<QString>("problem");
        QTest::newRow("plain") << "annual report"
                               << "annual report.pdf"
                               << "";
        QTest::newRow("own suffix") << "x.PDF"
                                    << "x.PDF"
                                    << "";
        QTest::newRow("dots inside") << "v1.2"
                                     << "v1.2.pdf"
                                     << "";
        QTest::newRow("parent folder") << "../escaped"
                                       << ""
                                       << "The name cannot hold \"/\": the PDF is made in the output folder.";
        QTest::newRow("sub-folder") << "sub/name"
                                    << ""
                                    << "The name cannot hold \"/\": the PDF is made in the output folder.";
        QTest::newRow("empty") << ""
                               << ""
                               << "Type a name for the PDF.";
        QTest::newRow("suffix only") << ".pdf"
                                     << ""
                                     << "Type a name for the PDF.";
        QTest::newRow("dots and blanks") << " .. "
                                         << ""
                                         << "The name cannot be only dots and blanks.";
    }

    void outputNameIsAFileName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, pdfName);
        QFETCH(QString, problem);
        QString const dotted = m_home.filePath("report.final.v2.docx");
        QFile(dotted).open(QIODevice::WriteOnly);
        FileItemList list(ModeCreate);
        list.addFiles({dotted});
        FileItem* item = list.getFileItem(0);
        CreatorItemWidget row(item);
        auto* field = row.findChild<QLineEdit*>("lineEdit_output_name");
        QCOMPARE(field->text(), QStringLiteral("report.final.v2"));

        field->setText(typed);
        emit field->editingFinished();
        QCOMPARE(field->toolTip(), problem);
        QCOMPARE(field->styleSheet().contains("rgb(252, 56, 57)"), !problem.isEmpty());
        QCOMPARE(row.checkInput(), problem);
        if (problem.isEmpty())
            QCOMPARE(outputName(item), pdfName);
        // A merged run makes no file of this name.
        row.setOutputEnable(false);
        QCOMPARE(row.checkInput(), QString());
    }

    void mergeSwitchDisablesTheName()
    {
        FileItemList list(ModeCreate);
        list.addFiles({m_document});
        FileItem* item = list.getFileItem(0);
        CreatorItemWidget row(item);
        row.show();
        auto* mark = row.findChild<QPushButton*>("btn_convert_finished");
        item->fileProcessFinished(0);
        QVERIFY(!mark->isHidden());
        row.setOutputEnable(false);
        QVERIFY(mark->isHidden());
        QVERIFY(!row.findChild<QLineEdit*>("lineEdit_output_name")->isEnabled());
        QVERIFY(!row.findChild<QLabel*>("label")->isEnabled());
        row.setOutputEnable(true);
        QVERIFY(row.findChild<QLineEdit*>("lineEdit_output_name")->isEnabled());
        QVERIFY(row.findChild<QLabel*>("label")->isEnabled());
    }

    void failureAndLanguage()
    {
        FileItemList list(ModeCreate);
        list.addFiles({m_document});
        FileItem* item = list.getFileItem(0);
        CreatorItemWidget row(item);
        QCoreApplication::installTranslator(&m_german);
        MultiLanguage::instance()->languageSwitch(1);
        QCOMPARE(row.findChild<QLabel*>("label")->text(), QStringLiteral("Ausgabename"));
        QCOMPARE(row.findChild<QLineEdit*>("lineEdit_output_name")->text(), QStringLiteral("report"));

        item->fileProcessFinished(4);
        auto* mark = row.findChild<QPushButton*>("btn_convert_finished");
        QVERIFY(!mark->isEnabled());
        QCOMPARE(mark->toolTip(), QStringLiteral("Datei ist durch ein Passwort geschützt."));
        QCoreApplication::removeTranslator(&m_german);
        // The mark says it again in the language switched to.
        MultiLanguage::instance()->languageSwitch(1);
        QCOMPARE(mark->toolTip(), QStringLiteral("File protected by password."));
    }
};

QTEST_MAIN(TestCreatorItemWidget)
#include "TestCreatorItemWidget.moc"

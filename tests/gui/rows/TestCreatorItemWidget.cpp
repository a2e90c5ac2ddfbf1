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
    }
};

QTEST_MAIN(TestCreatorItemWidget)
#include "TestCreatorItemWidget.moc"

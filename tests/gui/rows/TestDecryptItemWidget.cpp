#include "rows/DecryptItemWidget.h"

#include "items/FileItemList.h"

#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QAbstractButton>
#include <QLabel>

class TestDecryptItemWidget : public QObject
{
    Q_OBJECT

    TestHome m_home;

private slots:
    // A plain file row of the same PDF offers the choice; the decrypt row never does.
    void noPageChoice_data()
    {
        QTest::addColumn<bool>("decrypt");
        QTest::newRow("file row") << false;
        QTest::newRow("decrypt row") << true;
    }

    void noPageChoice()
    {
        QFETCH(bool, decrypt);
        QString const pdf = m_home.filePath("three.pdf");
        QVERIFY(TestPdf::writePages(pdf, 3));
        FileItemList list(ModeConvert);
        list.addFiles({pdf});
        std::unique_ptr<FileItemWidget> row(decrypt ? new DecryptItemWidget(list.getFileItem(0))
                                                    : new FileItemWidget(list.getFileItem(0)));
        row->show();
        for (auto name : {"btn_allPage", "btn_range"})
            QCOMPARE(row->findChild<QAbstractButton*>(name)->isVisible(), !decrypt);
        QVERIFY(row->findChild<QLabel*>("label_pages")->isVisible());
        if (auto* decryptRow = qobject_cast<DecryptItemWidget*>(row.get())) {
            row->findChild<QAbstractButton*>("btn_range")->show();
            decryptRow->initUi();
            QVERIFY(row->findChild<QAbstractButton*>("btn_range")->isHidden());
        }
    }
};

QTEST_MAIN(TestDecryptItemWidget)
#include "TestDecryptItemWidget.moc"

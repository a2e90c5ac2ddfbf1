#include "dialogs/ConvertOptionSetting.h"

#include "common/OcrLanguages.h"
#include "language/MultiLanguage.h"
#include "settings/PMPreferences.h"
#include "support/ColorDialog.h"
#include "support/DialogTestMode.h"
#include "support/FileDialog.h"
#include "support/ModalDialog.h"

#include "common/ProductConstants.h"
#include "support/MessageBox.h"

#include "TestHome.h"
#include "ThrowawayBundle.h"

#include <QApplication>
#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>

namespace {

QVariantMap fields(ConvertOption const& o)
{
    return {{"csvSingleSheet", o.m_csvSingleSheet},
            {"ocrEnabled", o.m_ocrEnabled},
            {"excelAllContent", o.m_excelAllContent},
            {"excelSheetPerTable", o.m_excelSheetPerTable},
            {"htmlPageOption", o.m_htmlPageOption},
            {"ocrLanguage", o.m_ocrLanguage},
            {"imageType", o.m_imageType},
            {"ocrLanguageIndex", o.m_ocrLanguageIndex},
            {"flowingText", o.m_flowingText},
            {"ocrLanguageList", o.m_ocrLanguageList},
            {"imageScale", o.m_imageScale},
            {"adjoinPages", o.m_adjoinPages},
            {"separatorWidth", o.m_separatorWidth},
            {"separatorColor", o.m_separatorColor}};
}

template <typename T = QWidget> T* child(QWidget* dialog, QString const& name)
{
    T* found = dialog->findChild<T*>(name);
    if (!found)
        qFatal("no %s", qPrintable(name));
    return found;
}

// "name" clicks a button; "name=value" sets a combo box index, slider or spin box value.
void act(QWidget* dialog, QString const& step)
{
    QString const name = step.section('=', 0, 0);
    int const value = step.section('=', 1).toInt();
    QWidget* w = child(dialog, name);
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->click();
    else if (auto* box = qobject_cast<QComboBox*>(w))
        box->setCurrentIndex(value);
    else if (auto* slider = qobject_cast<QSlider*>(w))
        slider->setValue(value);
    else
        qobject_cast<QSpinBox*>(w)->setValue(value);
}

void confirm(QWidget* dialog)
{
    QTest::mouseClick(child<QPushButton>(dialog, "btn_ok"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
}

QStringList shownState(ConvertOptionSetting& d)
{
    auto* stack = child<QStackedWidget>(&d, "stackedWidget");
    return {d.windowTitle(),
            stack->currentWidget()->objectName(),
            QString::number(stack->maximumHeight()),
            QString::number(stack->isHidden()),
            QString::number(child(&d, "languages_frame")->isHidden()),
            QString::number(d.width()) + 'x' + QString::number(d.height()),
            QString::number(d.windowFlags(), 16),
            d.styleSheet()};
}

} // namespace

class TestConvertOptionSetting : public QObject
{
    Q_OBJECT

    TestHome m_home;

private slots:
    void initTestCase() { DialogTestMode::setEnabled(true); }

    void init()
    {
        PMPreferences::getInstance()->setOCRInstalled(true);
        // This copy of the test runs in a bundle of its own: no model until a check installs one.
        QDir(QCoreApplication::applicationDirPath() + "/../Resources/resource/models").removeRecursively();
        QDir(QDir::homePath() + g_downloadDirPath).removeRecursively();
        MessageBox::clearShown();
        // Every row back to its own record: confirm once without "Apply to all".
        ConvertOptionSetting reset(ToDocx);
        reset.initSetting();
        child<QCheckBox>(&reset, "applyToAll")->setChecked(false);
        confirm(&reset);
        QVERIFY(!ConvertOptionSetting::s_applyToAll);
    }

    void okWritesRecord_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QVariantMap>("changes");
        QTest::newRow("defaults: English") << QStringList() << QVariantMap{{"ocrLanguage", 3}};
        QTest::newRow("csv per table")
            << QStringList{"csvMultipleSheetRBtn"} << QVariantMap{{"csvSingleSheet", false}};
        QTest::newRow("ocr on") << QStringList{"ocrCheckBox"} << QVariantMap{{"ocrEnabled", true}};
        QTest::newRow("Chinese (Simplified)")
            << QStringList{"ocrLanguageCBox=8"} << QVariantMap{{"ocrLanguageIndex", 8}, {"ocrLanguage", 1}};
        QTest::newRow("html page: no data") << QStringList{"htmlPageOptionsCBox=2"} << QVariantMap();
        QTest::newRow("only table") << QStringList{"onlyTableRBtn"}
                                    << QVariantMap{{"excelAllContent", false}};
        QTest::newRow("sheet per page")
            << QStringList{"onlyTableRBtn", "excelOnlyTableCBox=1"}
            << QVariantMap{{"excelAllContent", false}, {"excelSheetPerTable", false}};
        QTest::newRow("page layout") << QStringList{"pageLayoutRBtn"} << QVariantMap{{"flowingText", false}};
        QTest::newRow("scale 400%") << QStringList{"imageDpiCBox=4"} << QVariantMap{{"imageScale", 4.0}};
        QTest::newRow("adjoin, zoom 37") << QStringList{"adjoinAllPages", "spinBox_zoom=37"}
                                         << QVariantMap{{"adjoinPages", true}, {"imageScale", 0.37}};
        QTest::newRow("adjoin, slider 150") << QStringList{"adjoinAllPages", "slider_zoom=150"}
                                            << QVariantMap{{"adjoinPages", true}, {"imageScale", 1.5}};
        QTest::newRow("adjoin, width 5") << QStringList{"adjoinAllPages", "spinBox_border_width=5"}
                                         << QVariantMap{{"adjoinPages", true}, {"separatorWidth", 5u}};
        QTest::newRow("separate keeps width") << QStringList{"spinBox_border_width=5"} << QVariantMap();
    }

    void okWritesRecord()
    {
        QFETCH(QStringList, steps);
        QFETCH(QVariantMap, changes);
        ConvertOptionSetting dialog(ToDocx);
        dialog.initSetting();
        dialog.show();
        for (QString const& step : steps)
            act(&dialog, step);
        QVariantMap expected = fields(dialog.getConvertOption());
        for (auto it = changes.cbegin(); it != changes.cend(); ++it)
            expected[it.key()] = it.value();
        confirm(&dialog);
        QVariantMap const after = fields(dialog.getConvertOption());
        QCOMPARE(after.keys(), expected.keys());
        for (QString const& key : after.keys()) {
            if (key == "imageScale")
                QCOMPARE(after[key].toDouble(), expected[key].toDouble());
            else
                QVERIFY2(after[key] == expected[key], qPrintable(key));
        }
    }

    void targetView_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("maxHeight");
        QTest::addColumn<bool>("stackHidden");
        QTest::addColumn<bool>("languagesHidden");
        QTest::addColumn<bool>("flowingReset");
        // Shown before each row: XLSX, on the sheet page with 120 at most.
        struct Row
        {
            ConvertType type;
            char const* title;
            char const* page;
            int maxHeight;
            bool stackHidden, languagesHidden, flowingReset;
        };
        Row const rows[] = {
            {ToOcrPdf, "OCR Settings", "excelSetting", 120, true, false, false},
            {ToDocx, "DOCX Settings", "wordSetting", 90, false, false, true},
            {ToDoc, "DOCX Settings", "wordSetting", 90, false, false, true},
            {ToXlsx, "XLSX Settings", "excelSetting", 120, false, false, false},
            {ToPptx, "PPTX Settings", "excelSetting", 120, true, false, false},
            {ToEpub, "XLSX Settings", "excelSetting", 120, false, false, false},
            {ToTxt, "TXT Settings", "excelSetting", 120, true, false, false},
            {ToRtf, "RTF Settings", "excelSetting", 120, true, false, false},
            {ToHtml, "HTML Settings", "wordSetting", 90, false, false, false},
            {ToXml, "XLSX Settings", "excelSetting", 120, false, false, false},
            {ToPdf, "XLSX Settings", "excelSetting", 120, false, false, false},
            {ToXod, "XLSX Settings", "excelSetting", 120, false, false, false},
            {ToXps, "XLSX Settings", "excelSetting", 120, false, false, false},
            {ToCsv, "CSV Settings", "excelSetting", 120, true, false, false},
            {ToJpg, "Image Settings", "imageSetting", 510, false, true, false},
            {ToJpeg, "Image Settings", "imageSetting", 510, false, true, false},
            {ToPng, "Image Settings", "imageSetting", 510, false, true, false},
            {ToBmp, "Image Settings", "imageSetting", 510, false, true, false},
            {ToTiff, "Image Settings", "imageSetting", 510, false, true, false},
            {ToSvg, "XLSX Settings", "excelSetting", 120, false, false, false},
            {ToPages, "Pages Settings", "wordSetting", 120, false, false, true},
            {ToKeynote, "Keynote Settings", "excelSetting", 120, true, false, false},
            {ToNumbers, "Numbers Settings", "excelSetting", 120, false, false, false},
            {ConvertType(99), "XLSX Settings", "excelSetting", 120, false, false, false},
        };
        for (Row const& r : rows)
            QTest::addRow("%d", int(r.type)) << int(r.type) << r.title << r.page << r.maxHeight
                                             << r.stackHidden << r.languagesHidden << r.flowingReset;
    }

    void targetView()
    {
        QFETCH(int, type);
        ConvertOptionSetting dialog(ToDocx);
        ConvertType target = ToXlsx;
        dialog.setOptionType(target);
        dialog.initSetting();
        // The user's choices that a change of target may override.
        act(&dialog, "ocrCheckBox");
        act(&dialog, "pageLayoutRBtn");
        confirm(&dialog);
        QVERIFY(dialog.getConvertOption().m_ocrEnabled);

        target = ConvertType(type);
        dialog.setOptionType(target);
        auto* stack = child<QStackedWidget>(&dialog, "stackedWidget");
        QTEST(dialog.windowTitle(), "title");
        QTEST(stack->currentWidget()->objectName(), "page");
        QTEST(stack->maximumHeight(), "maxHeight");
        QTEST(stack->isHidden(), "stackHidden");
        QTEST(child(&dialog, "languages_frame")->isHidden(), "languagesHidden");
        QCOMPARE(dialog.getConvertOption().m_ocrEnabled, type == ToOcrPdf);
        QTEST(dialog.getConvertOption().m_flowingText, "flowingReset");
    }

    // A row builds its form only when first opened; until then the record and, once built,
    // everything shown must be what building it at once would have given.
    void formBuiltLaterMatches_data()
    {
        QTest::addColumn<int>("made");
        QTest::addColumn<QList<int>>("steps"); // -1: a language switch
        QTest::addColumn<QString>("title");
        QTest::newRow("never set") << int(ToDocx) << QList<int>{} << "Setting";
        QTest::newRow("OCR PDF") << int(ToOcrPdf) << QList<int>{ToOcrPdf} << "OCR Settings";
        QTest::newRow("docx then epub") << int(ToOcrPdf) << QList<int>{ToDocx, ToEpub} << "DOCX Settings";
        QTest::newRow("png then csv") << int(ToDocx) << QList<int>{ToPng, ToCsv} << "CSV Settings";
        QTest::newRow("switch drops title") << int(ToDocx) << QList<int>{ToXlsx, -1, ToSvg} << "Setting";
        QTest::newRow("switch, then target") << int(ToDocx) << QList<int>{-1, ToPages} << "Pages Settings";
        QTest::newRow("image, switch, ocr")
            << int(ToPng) << QList<int>{ToTiff, -1, ToOcrPdf} << "OCR Settings";
    }

    void formBuiltLaterMatches()
    {
        QFETCH(int, made);
        QFETCH(QList<int>, steps);
        ConvertOptionSetting early(ConvertType(made), nullptr);
        ConvertOptionSetting late(ConvertType(made), nullptr);
        early.initSetting();
        for (int step : steps) {
            ConvertType target = ConvertType(step);
            if (step < 0) {
                MultiLanguage::instance()->languageSwitch(1);
                continue;
            }
            early.setOptionType(target);
            late.setOptionType(target);
            QCOMPARE(fields(late.getConvertOption()), fields(early.getConvertOption()));
        }
        QVERIFY(!late.findChild<QWidget*>("stackedWidget"));
        late.initSetting();
        early.initSetting();
        QCOMPARE(shownState(late), shownState(early));
        QTEST(late.windowTitle(), "title");
        QCOMPARE(fields(late.getConvertOption()), fields(early.getConvertOption()));
    }

    void recordNeedsNoForm()
    {
        QString languages = "3,20";
        PMPreferences::getInstance()->saveOcrLanguages(languages);
        ConvertOptionSetting dialog(ToOcrPdf);
        QVERIFY(!dialog.findChild<QWidget*>());
        QVERIFY(dialog.getConvertOption().m_ocrEnabled);
        QCOMPARE(dialog.getConvertOption().m_ocrLanguageList, languages);
        QCOMPARE(ConvertOptionSetting::m_applyAllOption.m_ocrLanguageList, languages);
        ConvertType pages = ToPages;
        dialog.setOptionType(pages);
        QVERIFY(!dialog.getConvertOption().m_ocrEnabled);
        QVERIFY(!dialog.findChild<QWidget*>());
        languages = "20";
        PMPreferences::getInstance()->saveOcrLanguages(languages);
    }

    void applyToAll()
    {
        ConvertOptionSetting docx(ToDocx);
        ConvertOptionSetting png(ToPng);
        docx.initSetting();
        act(&docx, "pageLayoutRBtn");
        act(&docx, "adjoinAllPages");
        ColorDialog::setNextAnswer(QColor(0x12, 0x34, 0x56));
        act(&docx, "btn_border_color");
        act(&docx, "applyToAll");
        confirm(&docx);

        ConvertOption const& shared = ConvertOptionSetting::m_applyAllOption;
        QVERIFY(ConvertOptionSetting::s_applyToAll);
        QCOMPARE(&docx.getConvertOption(), &shared);
        QCOMPARE(&png.getConvertOption(), &shared);
        QVERIFY(!shared.m_flowingText);
        QVERIFY(shared.m_adjoinPages);
        QCOMPARE(shared.m_separatorColor, 0xff123456u);

        // Another row shows the shared record, and its OK stores what it shows.
        png.initSetting();
        QVERIFY(child<QCheckBox>(&png, "applyToAll")->isChecked());
        QVERIFY(child<QRadioButton>(&png, "pageLayoutRBtn")->isChecked());
        QCOMPARE(child(&png, "btn_border_color")->styleSheet(),
                 QStringLiteral("background-color:#ff123456;border:1px solid;"));
        confirm(&png);
        QCOMPARE(shared.m_separatorColor, 0xff123456u);

        // Cancel leaves both statics alone.
        png.initSetting();
        act(&png, "applyToAll");
        act(&png, "flowingTextRBtn");
        act(&png, "btn_cancel");
        QVERIFY(ConvertOptionSetting::s_applyToAll);
        QVERIFY(!shared.m_flowingText);

        // Unchecked in any row: every row has its own record again; the shared one stays.
        png.initSetting();
        act(&png, "applyToAll");
        confirm(&png);
        QVERIFY(!ConvertOptionSetting::s_applyToAll);
        QVERIFY(&docx.getConvertOption() != &shared);
        QVERIFY(&png.getConvertOption() != &shared);
        QVERIFY(&docx.getConvertOption() != &png.getConvertOption());
        QCOMPARE(docx.getConvertOption().m_separatorColor, 0xff123456u);
        QCOMPARE(png.getConvertOption().m_separatorColor, 0xff123456u);
        QVERIFY(shared.m_adjoinPages);
    }

    // Reopened after a zoomed joined image, no scale item matches the record; leaving it so
    // must never store a scale of 0.
    void reopenAfterZoom_data()
    {
        QTest::addColumn<bool>("toSeparate");
        QTest::newRow("still adjoined") << false;
        QTest::newRow("separate, no scale chosen") << true;
    }

    void reopenAfterZoom()
    {
        QFETCH(bool, toSeparate);
        ConvertOptionSetting dialog(ToPng);
        dialog.initSetting();
        QCOMPARE(child(&dialog, "btn_border_color")->styleSheet(),
                 QStringLiteral("background-color:#ffffffff;border:1px solid;"));
        for (QString step : {"adjoinAllPages", "spinBox_zoom=37", "spinBox_border_width=5"})
            act(&dialog, step);
        confirm(&dialog);
        QCOMPARE(dialog.getConvertOption().m_imageScale, 0.37);

        // A cancelled change is dropped where the record says otherwise.
        act(&dialog, "separateImages");
        act(&dialog, "spinBox_zoom=150");
        act(&dialog, "btn_cancel");
        dialog.initSetting();
        QVERIFY(child<QRadioButton>(&dialog, "adjoinAllPages")->isChecked());
        QCOMPARE(child<QSpinBox>(&dialog, "spinBox_zoom")->value(), 100);
        QCOMPARE(child<QSlider>(&dialog, "slider_zoom")->value(), 100);
        QCOMPARE(child<QSpinBox>(&dialog, "spinBox_border_width")->value(), 5);
        QCOMPARE(child<QComboBox>(&dialog, "imageDpiCBox")->currentIndex(), -1);
        QVERIFY(child(&dialog, "slider_zoom")->isEnabled());
        QVERIFY(!child(&dialog, "imageDpiCBox")->isEnabled());

        if (toSeparate)
            act(&dialog, "separateImages");
        confirm(&dialog);
        QCOMPARE(dialog.getConvertOption().m_adjoinPages, !toSeparate);
        QCOMPARE(dialog.getConvertOption().m_imageScale, 1.0);
        dialog.initSetting();
        QCOMPARE(child<QComboBox>(&dialog, "imageDpiCBox")->currentIndex(), 0);
    }

    // Return confirms the dialog, also once "Adjoin" has enabled the colour button.
    void returnConfirms()
    {
        ConvertOptionSetting dialog(ToPng);
        dialog.initSetting();
        ColorDialog::clearRequests();
        ModalDialog::setNextHandler([](QDialog* shown) {
            QVERIFY(QTest::qWaitForWindowActive(shown));
            QTest::mouseClick(child<QRadioButton>(shown, "adjoinAllPages"), Qt::LeftButton, {}, QPoint(5, 5));
            // The combo box that had the focus is disabled now; it moved on to a spin box.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        ModalDialog::exec(&dialog);
        QVERIFY(ColorDialog::requests().isEmpty());
        QVERIFY(dialog.getConvertOption().m_adjoinPages);
    }

    void colourPicker()
    {
        ConvertOptionSetting dialog(ToPng);
        dialog.initSetting();
        act(&dialog, "adjoinAllPages");
        ColorDialog::clearRequests();
        ColorDialog::setNextAnswer(QColor(0x80, 0x10, 0x20, 0x40));
        act(&dialog, "btn_border_color");
        QString const picked = QStringLiteral("background-color:#40801020;border:1px solid;");
        QCOMPARE(child(&dialog, "btn_border_color")->styleSheet(), picked);
        act(&dialog, "btn_border_color"); // cancelled
        QCOMPARE(child(&dialog, "btn_border_color")->styleSheet(), picked);

        QList<ColorDialog::Request> const asked = ColorDialog::requests();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked[0].initial, QColor(Qt::white));
        QCOMPARE(asked[0].title, QStringLiteral("Select color"));
        QCOMPARE(asked[0].options, QColorDialog::ShowAlphaChannel | QColorDialog::DontUseNativeDialog);
        QCOMPARE(asked[1].initial, QColor(0x80, 0x10, 0x20)); // shown opaque

        // Stored with separate images too.
        act(&dialog, "separateImages");
        confirm(&dialog);
        QCOMPARE(dialog.getConvertOption().m_separatorColor, 0x40801020u);

        // A colour picked in a cancelled dialog is neither shown again nor stored.
        dialog.initSetting();
        ColorDialog::setNextAnswer(Qt::red);
        act(&dialog, "btn_border_color");
        act(&dialog, "btn_cancel");
        dialog.initSetting();
        QCOMPARE(child(&dialog, "btn_border_color")->styleSheet(), picked);
        confirm(&dialog);
        QCOMPARE(dialog.getConvertOption().m_separatorColor, 0x40801020u);
    }

    void languageList_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("stored");
        QTest::newRow("English") << "English" << 3;
        QTest::newRow("Chinese (Simplified)") << "Chinese (Simplified)" << 1;
        QTest::newRow("Japanese") << "Japanese" << 5;
        QTest::newRow("Serbian, 9") << "Serbian" << 6;
        QTest::newRow("German, 12") << "German" << 6;
        QTest::newRow("Konkani, 59") << "Konkani" << 6;
    }

    void languageList()
    {
        QFETCH(QString, name);
        ConvertOptionSetting dialog(ToDocx);
        dialog.initSetting();
        auto* box = child<QComboBox>(&dialog, "ocrLanguageCBox");
        QStringList shown;
        for (int i = 0; i < box->count(); ++i)
            shown << box->itemText(i);
        QCOMPARE(shown, LanguageChoice.keys());
        QCOMPARE(box->currentText(), QStringLiteral("English"));

        int const index = box->findText(name);
        box->setCurrentIndex(index);
        confirm(&dialog);
        QTEST(dialog.getConvertOption().m_ocrLanguage, "stored");
        QCOMPARE(dialog.getConvertOption().m_ocrLanguageIndex, index);
        box->setCurrentIndex(0);
        dialog.initSetting();
        QCOMPARE(box->currentText(), name);
    }

    void ocrCheck_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("fetched");
        QTest::addColumn<bool>("byOpening"); // the record has OCR on when the dialog opens
        QTest::addColumn<int>("checks");
        QTest::addColumn<bool>("checked");
        QTest::newRow("installed") << true << false << false << 0 << true;
        QTest::newRow("missing, fetched") << false << true << false << 1 << true;
        QTest::newRow("missing, refused") << false << false << false << 1 << false;
        QTest::newRow("opened, fetched") << false << true << true << 1 << true;
        QTest::newRow("opened, refused") << false << false << true << 1 << false;
    }

    void ocrCheck()
    {
        QFETCH(bool, installed);
        QFETCH(bool, fetched);
        QFETCH(bool, byOpening);
        QFETCH(int, checks);
        QFETCH(bool, checked);
        PMPreferences::getInstance()->setOCRInstalled(installed);
        // Fetched: the user agrees and an intact package is already downloaded; refused: the
        // user declines the offer.
        if (fetched) {
            QString const folder = QDir::homePath() + g_downloadDirPath;
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::copy(DOCQUILL_OCR_PACKAGE, folder + "ocr-models-mac-v2.zip"));
        }
        if (checks > 0)
            MessageBox::setNextAnswer(fetched ? QMessageBox::Ok : QMessageBox::Cancel);
        ConvertOptionSetting dialog(byOpening ? ToOcrPdf : ToDocx);
        QSignalSpy completed(&dialog, &ConvertOptionSetting::installOcrCompleted);
        dialog.initSetting();
        if (!byOpening)
            act(&dialog, "ocrCheckBox");
        QCOMPARE(MessageBox::shown().size(), checks);
        QCOMPARE(child<QCheckBox>(&dialog, "ocrCheckBox")->isChecked(), checked);
        QCOMPARE(child(&dialog, "ocrLanguageCBox")->isEnabled(), checked);
        QCOMPARE(completed.count(), !installed && fetched ? 1 : 0);
        // Nothing is stored before OK.
        QCOMPARE(dialog.getConvertOption().m_ocrEnabled, byOpening);
    }

    void closingOnlyHides_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << "escape";
        QTest::newRow("title bar") << "close";
        QTest::newRow("Cancel") << "cancel";
    }

    void closingOnlyHides()
    {
        QFETCH(QString, how);
        auto* dialog = new ConvertOptionSetting(ToDocx);
        QPointer<ConvertOptionSetting> guard(dialog);
        ConvertOption const before = dialog->getConvertOption();
        bool hidden = false;
        // Opened without initSetting: showing alone builds the form.
        ModalDialog::setNextHandler([&](QDialog* open) {
            QCOMPARE(QApplication::activeModalWidget(), open);
            act(open, "applyToAll");
            act(open, "pageLayoutRBtn");
            if (how == "escape")
                QTest::keyClick(open, Qt::Key_Escape);
            else if (how == "close")
                open->close();
            else
                act(open, "btn_cancel");
            hidden = !open->isVisible();
        });
        ModalDialog::exec(dialog);
        QVERIFY(hidden);
        QVERIFY(guard);
        // Qt adds the system menu to every window with a close button.
        QCOMPARE(dialog->windowFlags() & ~Qt::WindowSystemMenuHint,
                 Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
        QVERIFY(!ConvertOptionSetting::s_applyToAll);
        QCOMPARE(fields(dialog->getConvertOption()), fields(before));
        delete dialog;
    }

    void coverPicker()
    {
        ConvertOptionSetting dialog(ToEpub);
        dialog.initSetting();
        auto* path = child<QLineEdit>(&dialog, "lineEditCoverPath");
        act(&dialog, "addBookCover");
        QVERIFY(path->isEnabled() && child(&dialog, "btn_selectCover")->isEnabled());

        FileDialog::clearRequests();
        FileDialog::setNextAnswer({"/pictures/cover.png"});
        act(&dialog, "btn_selectCover");
        act(&dialog, "btn_selectCover"); // cancelled
        QCOMPARE(path->text(), QStringLiteral("/pictures/cover.png"));
        QList<FileDialog::Request> const asked = FileDialog::requests();
        QCOMPARE(asked.size(), 2);
        // No Documents folder in this home: the home folder.
        QCOMPARE(asked[0].dir, QDir::homePath());
        QCOMPARE(asked[1].dir, QString());
        QCOMPARE(asked[0].filter, QStringLiteral("image(*.jpg *.png)"));
        act(&dialog, "noBookCover");
        QVERIFY(!path->isEnabled());
    }
};

DOCQUILL_THROWAWAY_BUNDLE_TEST_MAIN(TestConvertOptionSetting)
#include "TestConvertOptionSetting.moc"

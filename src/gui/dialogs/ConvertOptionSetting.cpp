#include "dialogs/ConvertOptionSetting.h"

#include "ui_ConvertOptionSetting.h"

#include "common/OcrLanguages.h"
#include "componentcheck/ComponentCheck.h"
#include "language/MultiLanguage.h"
#include "relay/SignalTransferStation.h"
#include "settings/PMPreferences.h"
#include "support/ColorDialog.h"
#include "support/FileDialog.h"

#include <QDebug>

#include <iterator>

bool ConvertOptionSetting::s_applyToAll = false;
ConvertOption ConvertOptionSetting::m_applyAllOption;

namespace {

// Pages of stackedWidget that a target can bring up.
constexpr int kWordPage = 0;
constexpr int kExcelPage = 1;
constexpr int kImagePage = 3;

QString borderColorStyle(QRgb colour)
{
    return QStringLiteral("background-color:#%1;border:1px solid;").arg(colour, 8, 16, QLatin1Char('0'));
}

} // namespace

ConvertOptionSetting::ConvertOptionSetting(ConvertType type, QWidget* parent)
    : QDialog(parent), m_convertType(type)
{
    if (type == ToOcrPdf)
        m_convertOption.m_ocrEnabled = true;

    QString const languages = PMPreferences::getInstance()->getOcrLanguages();
    m_convertOption.m_ocrLanguageList = languages;
    m_applyAllOption.m_ocrLanguageList = languages;

    // Made with the dialog rather than with the form: a switch before the form exists still
    // drops the target's title, and the handlers keep the order in which rows were made.
    connect(MultiLanguage::instance(), &MultiLanguage::languageChanged, this, [this] {
        if (ui)
            ui->retranslateUi(this);
        m_view.title = QString();
    });
}

ConvertOptionSetting::~ConvertOptionSetting()
{
    delete ui;
}

void ConvertOptionSetting::setVisible(bool visible)
{
    if (visible)
        ensureForm();
    QDialog::setVisible(visible);
}

void ConvertOptionSetting::ensureForm()
{
    if (ui)
        return;
    ui = new Ui_OptionSetting;
    ui->setupUi(this);
    initLanguageList();
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setStyleSheet(QStringLiteral(
        "QLabel{font-size:12px}                        QListWidget:item{                            "
        "margin-left:9px;                            margin-top:7px;                        }"));

    m_imageSettingGroup = new QButtonGroup(this);
    m_imageSettingGroup->addButton(ui->separateImages, 0);
    ui->separateImages->setChecked(true);
    m_imageSettingGroup->addButton(ui->adjoinAllPages, 2);
    initImageDpiComboBoxData();

    connect(ui->btn_ok, &QPushButton::clicked, this, &ConvertOptionSetting::btn_ok_clicked);
    connect(ui->btn_cancel, &QPushButton::clicked, this, &QWidget::hide);
    connect(ui->btn_selectCover, &QPushButton::clicked, this,
            &ConvertOptionSetting::btn_select_cover_clicked);
    connect(ui->slider_zoom, &QSlider::valueChanged, this, &ConvertOptionSetting::zoomValueChange);
    connect(ui->spinBox_zoom, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &ConvertOptionSetting::zoomValueChange);
    connect(m_imageSettingGroup, &QButtonGroup::idClicked, this,
            &ConvertOptionSetting::btnGroupImageSettingCut);
    connect(ui->btn_border_color, &QPushButton::clicked, this,
            &ConvertOptionSetting::btn_border_color_clicked);
    connect(ui->bookCoverBtnGroup, QOverload<QAbstractButton*>::of(&QButtonGroup::buttonReleased), this,
            &ConvertOptionSetting::book_cover_btn_group_change);
    connect(ui->ExcelButtonGroup, QOverload<QAbstractButton*>::of(&QButtonGroup::buttonClicked), this,
            &ConvertOptionSetting::excelButtonGroupClick);
    connect(ui->ocrCheckBox, &QCheckBox::stateChanged, this, &ConvertOptionSetting::ocrCheckBoxClicked);

    showOptionView();
}

void ConvertOptionSetting::setOptionType(ConvertType& type)
{
    m_convertType = type;
    m_convertOption.m_ocrEnabled = type == ToOcrPdf;

    char const* title = nullptr;
    int page = -1;
    int maxHeight = 0;
    bool stackHidden = false;
    bool languagesHidden = false;
    switch (type) {
    case ToOcrPdf:
        title = QT_TR_NOOP("OCR Settings");
        stackHidden = true;
        break;
    case ToDocx:
    case ToDoc:
        title = QT_TR_NOOP("DOCX Settings");
        page = kWordPage;
        maxHeight = 90;
        m_convertOption.m_flowingText = true;
        break;
    case ToXlsx:
        title = QT_TR_NOOP("XLSX Settings");
        page = kExcelPage;
        maxHeight = 120;
        break;
    case ToPptx:
        title = QT_TR_NOOP("PPTX Settings");
        stackHidden = true;
        break;
    case ToTxt:
        title = QT_TR_NOOP("TXT Settings");
        stackHidden = true;
        break;
    case ToRtf:
        title = QT_TR_NOOP("RTF Settings");
        stackHidden = true;
        break;
    case ToHtml:
        title = QT_TR_NOOP("HTML Settings");
        page = kWordPage;
        maxHeight = 90;
        break;
    case ToCsv:
        title = QT_TR_NOOP("CSV Settings");
        stackHidden = true;
        break;
    case ToJpg:
    case ToJpeg:
    case ToPng:
    case ToBmp:
    case ToTiff:
        title = QT_TR_NOOP("Image Settings");
        page = kImagePage;
        maxHeight = 510;
        languagesHidden = true;
        break;
    case ToPages:
        title = QT_TR_NOOP("Pages Settings");
        page = kWordPage;
        maxHeight = 120;
        m_convertOption.m_flowingText = true;
        break;
    case ToKeynote:
        title = QT_TR_NOOP("Keynote Settings");
        stackHidden = true;
        break;
    case ToNumbers:
        title = QT_TR_NOOP("Numbers Settings");
        page = kExcelPage;
        maxHeight = 120;
        break;
    default:
        // Targets without settings of their own show both parts and keep title and page.
        break;
    }

    m_view.set = true;
    if (title)
        m_view.title = tr(title);
    if (page >= 0) {
        m_view.page = page;
        m_view.maxHeight = maxHeight;
    }
    m_view.stackHidden = stackHidden;
    m_view.languagesHidden = languagesHidden;
    if (ui)
        showOptionView();
}

void ConvertOptionSetting::showOptionView()
{
    if (!m_view.set)
        return;
    if (!m_view.title.isNull())
        setWindowTitle(m_view.title);
    if (m_view.page >= 0) {
        ui->stackedWidget->setCurrentIndex(m_view.page);
        ui->stackedWidget->setMaximumHeight(m_view.maxHeight);
    }
    ui->stackedWidget->setHidden(m_view.stackHidden);
    ui->languages_frame->setHidden(m_view.languagesHidden);
    adjustSize();
}

void ConvertOptionSetting::initSetting()
{
    ensureForm();
    // A copy: the model check below may run nested event loops.
    ConvertOption const shown = getConvertOption();

    ui->ocrCheckBox->setChecked(shown.m_ocrEnabled);
    ui->ocrLanguageCBox->setCurrentIndex(shown.m_ocrLanguageIndex);
    ui->htmlPageOptionsCBox->setCurrentIndex(shown.m_htmlPageOption);
    ui->csvSingleSheetRBtn->setChecked(shown.m_csvSingleSheet);
    ui->allContentRBtn->setChecked(shown.m_excelAllContent);
    ui->onlyTableRBtn->setChecked(!shown.m_excelAllContent);
    ui->excelOnlyTableCBox->setEnabled(ui->onlyTableRBtn->isChecked());
    ui->flowingTextRBtn->setChecked(shown.m_flowingText);
    ui->pageLayoutRBtn->setChecked(!shown.m_flowingText);
    if (shown.m_adjoinPages)
        ui->adjoinAllPages->setChecked(true);
    imageSettingUiEnable(ui->adjoinAllPages->isChecked());
    ui->spinBox_border_width->setValue(static_cast<int>(shown.m_separatorWidth));
    ui->slider_zoom->setValue(100);
    ui->spinBox_zoom->setValue(100);
    // What the button shows is what OK stores.
    m_borderColor = shown.m_separatorColor;
    ui->btn_border_color->setStyleSheet(borderColorStyle(m_borderColor));
    ui->imageDpiCBox->setCurrentIndex(findIndexByData(ui->imageDpiCBox, shown.m_imageScale));
    ui->applyToAll->setChecked(s_applyToAll);
}

ConvertOption const& ConvertOptionSetting::getConvertOption() const
{
    return s_applyToAll ? m_applyAllOption : m_convertOption;
}

void ConvertOptionSetting::setSettingWindow(QString title, QWidget* page, int maxHeight)
{
    ensureForm();
    setWindowTitle(title);
    ui->stackedWidget->setCurrentWidget(page);
    ui->stackedWidget->setMaximumHeight(maxHeight);
    // Kept, so that a later target without a title of its own leaves these in place.
    m_view.title = title;
    m_view.page = ui->stackedWidget->currentIndex();
    m_view.maxHeight = maxHeight;
}

int ConvertOptionSetting::getExcelOption()
{
    return 0;
}

void ConvertOptionSetting::initExcelOptionsComboBoxData() {}

void ConvertOptionSetting::initHtmlOptionsComboBoxData() {}

void ConvertOptionSetting::btn_ok_clicked()
{
    bool const wasShared = s_applyToAll;
    ConvertOption const sharedBefore = m_applyAllOption;
    m_convertOption.m_csvSingleSheet = ui->csvSingleSheetRBtn->isChecked();
    m_convertOption.m_ocrEnabled = ui->ocrCheckBox->isChecked();
    m_convertOption.m_ocrLanguageIndex = ui->ocrLanguageCBox->currentIndex();
    m_convertOption.m_htmlPageOption = ui->htmlPageOptionsCBox->currentData().toInt();
    m_convertOption.m_excelAllContent = ui->allContentRBtn->isChecked();
    m_convertOption.m_excelSheetPerTable = ui->excelOnlyTableCBox->currentIndex() == 0;
    m_convertOption.m_ocrLanguage = ui->ocrLanguageCBox->currentData().toInt();
    m_convertOption.m_flowingText = !ui->pageLayoutRBtn->isChecked();
    saveImageSettingOption();

    if (ui->applyToAll->isChecked())
        m_applyAllOption.copyConfigure(m_convertOption, m_convertType);
    s_applyToAll = ui->applyToAll->isChecked();
    // Every row that used the shared record, or uses it now, may convert differently.
    if (wasShared || s_applyToAll)
        SignalTransferStation::instance()->transmitSharedOptionsChanged(wasShared, sharedBefore);
    hide();
}

void ConvertOptionSetting::saveImageSettingOption()
{
    bool const adjoin = ui->adjoinAllPages->isChecked();
    m_convertOption.m_adjoinPages = adjoin;
    if (adjoin) {
        m_convertOption.m_imageScale = ui->spinBox_zoom->value() * 0.01;
        m_convertOption.m_separatorWidth = static_cast<unsigned int>(ui->spinBox_border_width->value());
    } else {
        // No item is current when the stored scale came from the zoom; a scale of 0 would
        // make empty images, so that stays at full size.
        QVariant const scale = ui->imageDpiCBox->currentData();
        m_convertOption.m_imageScale = scale.isValid() ? scale.toDouble() : 1.0;
    }
    m_convertOption.m_separatorColor = m_borderColor;
}

void ConvertOptionSetting::btn_select_cover_clicked()
{
    QString const path = FileDialog::getOpenFileName(this, tr("Select cover"), FileDialog::startFolder(),
                                                     QStringLiteral("image(*.jpg *.png)"));
    if (!path.isEmpty())
        ui->lineEditCoverPath->setText(path);
}

void ConvertOptionSetting::book_cover_btn_group_change()
{
    bool const on = ui->addBookCover->isChecked();
    ui->lineEditCoverPath->setEnabled(on);
    ui->btn_selectCover->setEnabled(on);
}

void ConvertOptionSetting::zoomValueChange(int value)
{
    ui->slider_zoom->setValue(value);
    ui->spinBox_zoom->setValue(value);
}

void ConvertOptionSetting::btnGroupImageSettingCut(int id)
{
    imageSettingUiEnable(id == 2);
}

void ConvertOptionSetting::btn_border_color_clicked()
{
    QColor const colour =
        ColorDialog::getColor(QColor(m_borderColor), this, tr("Select color"),
                              QColorDialog::ShowAlphaChannel | QColorDialog::DontUseNativeDialog);
    if (!colour.isValid())
        return;
    m_borderColor = colour.rgba();
    ui->btn_border_color->setStyleSheet(borderColorStyle(m_borderColor));
}

void ConvertOptionSetting::excelButtonGroupClick(QAbstractButton* button)
{
    ui->excelOnlyTableCBox->setEnabled(button == ui->onlyTableRBtn);
}

void ConvertOptionSetting::ocrCheckBoxClicked(int state)
{
    if (state != 0 && !PMPreferences::getInstance()->getOCRInstalled()) {
        if (!ComponentCheck::instance()->checkOCRComponent()) {
            qDebug() << "ocrCheckBoxClicked" << __LINE__ << "no OCR model, recognition stays off";
            ui->ocrCheckBox->setChecked(false);
            return;
        }
        emit installOcrCompleted();
    }
    ui->ocrLanguageCBox->setEnabled(state != 0);
}

void ConvertOptionSetting::initLanguageList()
{
    for (auto it = LanguageChoice.cbegin(); it != LanguageChoice.cend(); ++it) {
        int const id = it.value();
        ui->ocrLanguageCBox->addItem(it.key(), id < kFirstSharedLanguageId ? id : kSharedLanguageNumber);
    }
}

void ConvertOptionSetting::initImageDpiComboBoxData()
{
    double const scales[] = {1.0, 0.25, 0.5, 2.0, 4.0};
    for (int i = 0; i < ui->imageDpiCBox->count() && i < int(std::size(scales)); ++i)
        ui->imageDpiCBox->setItemData(i, scales[i]);
}

void ConvertOptionSetting::imageSettingUiEnable(bool on)
{
    for (QWidget* widget :
         {static_cast<QWidget*>(ui->label_zoom), static_cast<QWidget*>(ui->label_border_width),
          static_cast<QWidget*>(ui->label_border_color), static_cast<QWidget*>(ui->slider_zoom),
          static_cast<QWidget*>(ui->spinBox_border_width), static_cast<QWidget*>(ui->spinBox_zoom),
          static_cast<QWidget*>(ui->btn_border_color)})
        widget->setEnabled(on);
    ui->imageDpiCBox->setEnabled(!on);
    ui->dpiLabel->setEnabled(!on);
}

int ConvertOptionSetting::findIndexByData(QComboBox* box, double value)
{
    QVariant const wanted(value);
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemData(i) == wanted)
            return i;
    }
    return -1;
}

// The meta-object stays in this unit, so programs that never make the dialog do not link the
// model check it may start.
#include "moc_ConvertOptionSetting.cpp"

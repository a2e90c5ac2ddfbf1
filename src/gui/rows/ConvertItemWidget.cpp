#include "rows/ConvertItemWidget.h"

#include "ui_FileItemWidget.h"

#include "componentcheck/ComponentCheck.h"
#include "creation/MacAppChecker.h"
#include "dialogs/ConvertOptionSetting.h"
#include "items/FileItem.h"
#include "language/GLanguage.h"
#include "relay/SignalTransferStation.h"
#include "settings/PMPreferences.h"
#include "support/MainWindowAccess.h"
#include "support/MessageBox.h"
#include "support/ModalDialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <utility>

ConvertType ConvertItemWidget::sm_lastSelectCovType = ToOcrPdf;
QTimer* ConvertItemWidget::m_checkModuleTimer = nullptr;
bool ConvertItemWidget::s_ocrCheckPending = false;

// The entry texts are shown as they stand in every interface language.
QVector<ConvertItemWidget::ActionData> ConvertItemWidget::convertTypeAction = {
    {QStringLiteral("OCR PDF"), ToOcrPdf},     {QStringLiteral("to DOCX"), ToDocx},
    {QStringLiteral("to XLSX"), ToXlsx},       {QStringLiteral("to PPTX"), ToPptx},
    {QStringLiteral("to HTML"), ToHtml},       {QStringLiteral("to TXT"), ToTxt},
    {QStringLiteral("to RTF"), ToRtf},         {QStringLiteral("to CSV"), ToCsv},
    {QStringLiteral("to Pages"), ToPages},     {QStringLiteral("to Keynote"), ToKeynote},
    {QStringLiteral("to Numbers"), ToNumbers}, {QStringLiteral("to Image"), QStringLiteral("Image")},
};

QVector<ConvertItemWidget::ActionData> ConvertItemWidget::convertImageTypeAction = {
    {QStringLiteral("JPG"), ToJpg}, {QStringLiteral("JPEG"), ToJpeg}, {QStringLiteral("PNG"), ToPng},
    {QStringLiteral("BMP"), ToBmp}, {QStringLiteral("TIFF"), ToTiff},
};

namespace {

// The iWork application a format needs, and the entry of the Office format it opens too;
// empty for the others.
struct IWorkTarget
{
    QString application;
    QString officeEntry;
    QString officeFormat;
};

IWorkTarget iWorkTarget(ConvertType type)
{
    switch (type) {
    case ToPages:
        return {QStringLiteral("Pages"), QStringLiteral("to DOCX"), QStringLiteral("Word")};
    case ToKeynote:
        return {QStringLiteral("Keynote"), QStringLiteral("to PPTX"), QStringLiteral("PowerPoint")};
    case ToNumbers:
        return {QStringLiteral("Numbers"), QStringLiteral("to XLSX"), QStringLiteral("Excel")};
    default:
        return {};
    }
}

QString menuStyleSheet()
{
    return QStringLiteral("QMenu{background-color: rgb(246,246,246);border: 1px solid #CCCCCC;}") +
           QStringLiteral("QMenu::item{font-size:12px;}");
}

QMenu* newFormatMenu(QString const& objectName)
{
    auto* menu = new QMenu();
    menu->setObjectName(objectName);
    menu->setAttribute(Qt::WA_TranslucentBackground);
    menu->setWindowFlags(menu->windowFlags() | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
    menu->setStyleSheet(menuStyleSheet());
    return menu;
}

} // namespace

ConvertItemWidget::ConvertItemWidget(FileItem* item, QWidget* parent)
    : FileItemWidget(item, parent), m_convertType(sm_lastSelectCovType)
{
    initUI();
    m_ocrInstalled = PMPreferences::getInstance()->getOCRInstalled();
    m_optionDialog = new ConvertOptionSetting(m_convertType, MainWindowAccess::instance());
    initConnect();
    initSelectConvertType(m_convertTypeMenu);

    connect(SignalTransferStation::instance(), &SignalTransferStation::ocrModelChecked, this,
            &ConvertItemWidget::ocrModelChecked);
    connect(SignalTransferStation::instance(), &SignalTransferStation::sharedOptionsChanged, this,
            &ConvertItemWidget::sharedOptionsChanged);
    // What a queued file is converted with, to tell afterwards whether the row changed since.
    connect(item, &FileItem::busyChanged, this, [this](bool busy) {
        if (busy)
            m_queuedOption = *getOption();
    });
    connect(item, &FileItem::processFinishedSignal, this, &ConvertItemWidget::convertedWith);
    if (m_ocrInstalled) {
        addOcrActionToMenu(true);
    } else if (m_checkModuleTimer && !s_ocrCheckPending) {
        addOcrActionToMenu(false);
    } else {
        // The model is checked once, a moment after the first row without it appears. Rows
        // made until the check ends keep their "OCR PDF" entry and learn its result.
        m_awaitingCheck = true;
        if (!m_checkModuleTimer) {
            m_checkModuleTimer = new QTimer();
            m_checkModuleTimer->setSingleShot(true);
            connect(m_checkModuleTimer, &QTimer::timeout, m_checkModuleTimer,
                    &ConvertItemWidget::checkOCRModule);
            s_ocrCheckPending = true;
            m_checkModuleTimer->start(500);
        }
    }
}

ConvertItemWidget::ConvertItemWidget(FileItem* item, bool, QWidget* parent)
    : FileItemWidget(item, parent), m_convertType(ToOcrPdf)
{
    initUI();
    m_optionDialog = new ConvertOptionSetting(m_convertType, this);
    connect(btn_set_option, &QPushButton::clicked, this, &ConvertItemWidget::btn_set_option_clicked);
}

ConvertItemWidget::~ConvertItemWidget()
{
    delete m_optionDialog;
    // The image submenu's entries belong to the format menu's "to Image" entry.
    delete m_convertTypeMenu;
    delete m_imageMenu;
}

ConvertOption const* ConvertItemWidget::getOption() const
{
    return &m_optionDialog->getConvertOption();
}

void ConvertItemWidget::setEditable(bool editable)
{
    FileItemWidget::setEditable(editable);
    btn_convert_type->setEnabled(editable);
    btn_set_option->setEnabled(editable);
}

void ConvertItemWidget::initUI()
{
    m_rightLayout = ui->horizontalLayout;
    btn_convert_type = new QPushButton(this);
    btn_convert_type->setObjectName(QStringLiteral("btn_convert_type"));
    btn_convert_type->setFixedSize(150, 22);
    btn_convert_type->setFont(QFont(QStringLiteral("Arial")));
    btn_convert_type->setFocusPolicy(Qt::NoFocus);
    btn_convert_type->setStyleSheet(
        QStringLiteral("border-image: url(:/resource/pic_selectFrt-3x.png);\nborder:none;"));
    btn_convert_type->setText(QStringLiteral("OCR PDF"));

    btn_set_option = new QPushButton(this);
    btn_set_option->setObjectName(QStringLiteral("btn_set_option"));
    btn_set_option->setMinimumSize(20, 20);
    btn_set_option->setFont(QFont(QStringLiteral("Arial")));
    QSizePolicy policy = btn_set_option->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    btn_set_option->setSizePolicy(policy);
    btn_set_option->setStyleSheet(
        QStringLiteral("QPushButton{border:none;image:url(:/resource/pic_ocr_editSeting-3x.png);}"
                       "QPushButton:pressed{image:url(:/resource/pic_ocr_editSeting-pressed.png);}"));

    // The right-hand side reads: spacer, format button, option button, the mark.
    m_rightLayout->insertWidget(1, btn_set_option);
    m_rightLayout->insertWidget(1, btn_convert_type);
    initMenuAction(btn_convert_type, QStringLiteral("convertTypeMenu"), &ConvertItemWidget::selectConvertType,
                   convertTypeAction);
}

void ConvertItemWidget::initMenuAction(QPushButton* button, QString const& objectName,
                                       void (ConvertItemWidget::*slot)(), QVector<ActionData>& actions)
{
    m_convertTypeMenu = newFormatMenu(objectName);
    for (ActionData const& record : actions) {
        if (record.data.toString() != QLatin1String("Image")) {
            auto* action = new QAction(record.text, m_convertTypeMenu);
            action->setData(record.data);
            connect(action, &QAction::triggered, this, slot);
            m_convertTypeMenu->addAction(action);
            continue;
        }
        m_imageMenu = newFormatMenu(QStringLiteral("imageMenu"));
        auto* imageEntry = new QAction(record.text, m_convertTypeMenu);
        m_convertTypeMenu->addAction(imageEntry);
        for (ActionData const& image : convertImageTypeAction) {
            auto* action = new QAction(image.text, imageEntry);
            action->setData(image.data);
            connect(action, &QAction::triggered, this, slot);
            m_imageMenu->addAction(action);
        }
        imageEntry->setMenu(m_imageMenu);
    }
    button->setMenu(m_convertTypeMenu);
}

void ConvertItemWidget::initConnect()
{
    connect(m_optionDialog, &ConvertOptionSetting::installOcrCompleted, this,
            &ConvertItemWidget::installOCRSuccess);
    connect(btn_set_option, &QPushButton::clicked, this, &ConvertItemWidget::btn_set_option_clicked);
}

void ConvertItemWidget::initSelectConvertType(QMenu* menu)
{
    if (!menu)
        return;
    for (QAction* action : menu->actions()) {
        if (action->data().toInt() == sm_lastSelectCovType)
            action->activate(QAction::Trigger);
        else if (!action->data().isValid())
            initSelectConvertType(action->menu());
    }
}

void ConvertItemWidget::selectConvertType()
{
    auto* action = qobject_cast<QAction*>(sender());
    // A queued file keeps the format it was queued with, and the button keeps showing it.
    if (!action || m_fileItem->isBusy())
        return;
    auto const type = static_cast<ConvertType>(action->data().toInt());
    // A format whose application is missing is refused before anything changes, so the
    // dialog keeps describing the format the file is converted to.
    IWorkTarget const iWork = iWorkTarget(type);
    if (!iWork.application.isEmpty() && !MacAppChecker(iWork.application).isInstalled()) {
        MessageBox::information(
            MainWindowAccess::instance(),
            QCoreApplication::translate("GLanguage", GLanguage::getString(StrInfo)),
            QCoreApplication::translate("GLanguage", GLanguage::getString(StrAppNotInstalled))
                .arg(iWork.application, iWork.officeEntry, iWork.officeFormat),
            QMessageBox::Ok);
        return;
    }
    m_convertType = type;
    m_optionDialog->setOptionType(m_convertType);
    changeProcessedState();
    m_fileItem->setConvertType(m_convertType);
    btn_convert_type->setText(action->text());
    sm_lastSelectCovType = m_convertType;
}

void ConvertItemWidget::btn_set_option_clicked()
{
    changeProcessedState();
    m_optionDialog->initSetting();
    ModalDialog::exec(m_optionDialog);
    m_fileItem->changeProcessCompletionMark();
}

void ConvertItemWidget::sharedOptionsChanged(bool wasShared, ConvertOption const& sharedBefore)
{
    ConvertOption const& before = wasShared ? sharedBefore : m_optionDialog->ownConvertOption();
    // A queued file keeps what it was queued with; its result tells whether that still holds.
    if (before == *getOption() || m_fileItem->isBusy())
        return;
    changeProcessedState();
}

void ConvertItemWidget::convertedWith(int code)
{
    std::optional<ConvertOption> const queued = std::exchange(m_queuedOption, std::nullopt);
    if (code != 0 || !queued || *queued == *getOption())
        return;
    // Done, but with options the row no longer has: the mark stays, the file runs again.
    m_fileItem->changeProcessCompletionMark();
    emit itemProcessStateChange();
}

void ConvertItemWidget::checkOCRModule()
{
    bool const ready = ComponentCheck::instance()->checkOCRComponent();
    if (ready)
        PMPreferences::getInstance()->setOCRInstalled(true);
    s_ocrCheckPending = false;
    SignalTransferStation::instance()->transmitOcrModelChecked(ready);
}

void ConvertItemWidget::installOCRSuccess()
{
    PMPreferences::getInstance()->setOCRInstalled(true);
    m_ocrInstalled = true;
    addOcrActionToMenu(true);
    SignalTransferStation::instance()->transmitOcrModelChecked(true);
}

void ConvertItemWidget::ocrModelChecked(bool ready)
{
    bool const waited = m_awaitingCheck;
    m_awaitingCheck = false;
    if (!ready) {
        if (waited)
            addOcrActionToMenu(false);
        return;
    }
    m_ocrInstalled = true;
    if (m_ocrAction && m_ocrNextAction && !m_convertTypeMenu->actions().contains(m_ocrAction))
        m_convertTypeMenu->insertAction(m_ocrNextAction, m_ocrAction);
}

void ConvertItemWidget::addOcrActionToMenu(bool show)
{
    QList<QAction*> const entries = m_convertTypeMenu->actions();
    if (show) {
        if (m_ocrAction && m_ocrNextAction) {
            m_convertTypeMenu->insertAction(m_ocrNextAction, m_ocrAction);
            m_ocrAction->activate(QAction::Trigger);
        }
        return;
    }
    if (!m_ocrAction && !m_ocrNextAction && entries.size() >= 2) {
        m_ocrAction = entries.at(0);
        m_ocrNextAction = entries.at(1);
    }
    m_convertTypeMenu->removeAction(m_ocrAction);
    if (sm_lastSelectCovType == ToOcrPdf)
        sm_lastSelectCovType = ToDocx;
    for (QAction* action : entries) {
        if (action->data().toInt() == sm_lastSelectCovType)
            action->activate(QAction::Trigger);
    }
}

void ConvertItemWidget::btn_convert_type_clickde()
{
    QPoint const position = btn_convert_type->mapToGlobal(btn_convert_type->rect().bottomLeft());
    m_convertTypeMenu->exec(position);
    m_convertTypeMenu->setGeometry(QRect(position, btn_convert_type->size()));
}

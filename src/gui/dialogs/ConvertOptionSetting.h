#pragma once

#include "common/ConvertTypes.h"
#include "options/ConvertOption.h"

#include <QDialog>
#include <QRgb>
#include <QString>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class Ui_OptionSetting;

// The format options of one convert row: layout, sheets, page images, text recognition and
// "Apply to all", which makes one shared record serve every row.
class ConvertOptionSetting : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(ConvertOptionSetting)

public:
    ConvertOptionSetting(ConvertType type, QWidget* parent = nullptr);
    ~ConvertOptionSetting() override;

    // Adapts title, page and OCR part to a target; resets the OCR flag (and, for Word-like
    // targets, the flowing-text flag) of the row's own record.
    void setOptionType(ConvertType& type);
    // Loads the controls from the record in force; called just before the dialog is shown.
    void initSetting();
    // The shared record while "Apply to all" is on, otherwise the row's own.
    ConvertOption const& getConvertOption() const;
    // The row's own record, whether or not "Apply to all" is in force.
    ConvertOption const& ownConvertOption() const { return m_convertOption; }

    // Members that nothing in the application calls.
    void setSettingWindow(QString title, QWidget* page, int maxHeight);
    int getExcelOption();
    void initExcelOptionsComboBoxData();
    void initHtmlOptionsComboBoxData();

    static bool s_applyToAll;
    static ConvertOption m_applyAllOption;

    // Builds the form before the dialog first appears.
    void setVisible(bool visible) override;

signals:
    void installOcrCompleted();

private slots:
    void btn_ok_clicked();
    void btn_select_cover_clicked();
    void book_cover_btn_group_change();
    void zoomValueChange(int value);
    void btnGroupImageSettingCut(int id);
    void btn_border_color_clicked();

private:
    void excelButtonGroupClick(QAbstractButton* button);
    void ocrCheckBoxClicked(int state);
    void initLanguageList();
    void initImageDpiComboBoxData();
    void saveImageSettingOption();
    void imageSettingUiEnable(bool on);
    int findIndexByData(QComboBox* box, double value);

    // A row makes its dialog at once but few rows are ever opened: the form is built on the
    // first need, and what setOptionType did to the form meanwhile is kept here and replayed.
    void ensureForm();
    void showOptionView();

    struct OptionView
    {
        bool set = false; // setOptionType ran at least once
        QString title;    // null: the title stays as it is
        int page = -1;    // -1: the page and its maximum height stay as they are
        int maxHeight = 0;
        bool stackHidden = false;
        bool languagesHidden = false;
    };

    ConvertType m_convertType;
    QRgb m_borderColor = 0xFFFFFFFFu;
    ConvertOption m_convertOption;
    Ui_OptionSetting* ui = nullptr;
    QButtonGroup* m_imageSettingGroup = nullptr;
    OptionView m_view;
};

#pragma once

#include "common/ConvertTypes.h"
#include "rows/FileItemWidget.h"

#include <QString>
#include <QVariant>
#include <QVector>

#include <optional>

class ConvertOptionSetting;
class QAction;
class QHBoxLayout;
class QMenu;
class QPushButton;
class QTimer;

// A converter-page row: the file row with a format button (and its menu) and the row's own
// option dialog. The format last chosen in any row is where a new row starts.
class ConvertItemWidget : public FileItemWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ConvertItemWidget)

public:
    struct ActionData
    {
        QString text;
        QVariant data;
    };

    ConvertItemWidget(FileItem* item, QWidget* parent = nullptr);
    // Nothing in the application uses this one.
    ConvertItemWidget(FileItem* item, bool, QWidget* parent = nullptr);
    ~ConvertItemWidget() override;

    ConvertOption const* getOption() const override;
    void setEditable(bool editable) override;

    void initUI();
    void initMenuAction(QPushButton* button, QString const& objectName, void (ConvertItemWidget::*slot)(),
                        QVector<ActionData>& actions);
    void initConnect();
    void initSelectConvertType(QMenu* menu);
    void addOcrActionToMenu(bool show);

    // Members that nothing in the application calls.
    void btn_convert_type_clickde();
    void changeInstallOCRModuleStatus(bool installed) { m_ocrInstalled = installed; }
    ConvertOption const* getConvertOption() const { return getOption(); }
    void downloadOCR(bool) {}

    ConvertType convertType() const { return m_convertType; }
    ConvertOptionSetting* optionDialog() const { return m_optionDialog; }

    static ConvertType sm_lastSelectCovType;
    static QTimer* m_checkModuleTimer;
    static QVector<ActionData> convertTypeAction;
    static QVector<ActionData> convertImageTypeAction;

signals:
    void ocrSwitchClick();
    void requiredDownloadOcrSignal(bool);

public slots:
    void selectConvertType();
    void btn_set_option_clicked();
    // The deferred model check, once per process; its result reaches every row.
    static void checkOCRModule();
    void installOCRSuccess();

private:
    // Every row hears how a model check ended: ready, the entry comes back (without changing
    // the row's format); missing, a row made while the check was pending loses it now.
    void ocrModelChecked(bool ready);
    // Another row's "Apply to all" changed the record this row hands out: its file runs again.
    void sharedOptionsChanged(bool wasShared, ConvertOption const& sharedBefore);
    void convertedWith(int code);

    static bool s_ocrCheckPending;

    bool m_ocrInstalled = false;
    bool m_awaitingCheck = false;
    QHBoxLayout* m_rightLayout = nullptr;
    QPushButton* btn_convert_type = nullptr;
    QPushButton* btn_set_option = nullptr;
    QMenu* m_convertTypeMenu = nullptr;
    QMenu* m_imageMenu = nullptr;
    ConvertOptionSetting* m_optionDialog = nullptr;
    ConvertType m_convertType;
    std::optional<ConvertOption> m_queuedOption; // set while the file is queued or running
    QAction* m_ocrAction = nullptr;
    QAction* m_ocrNextAction = nullptr;
};

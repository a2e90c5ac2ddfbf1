#pragma once

#include <QString>
#include <QWidget>

class Ui_MergeWidget;

// The veil over the creator page while a merged run makes its parts and joins them: progress
// first, then the result with OK and a button that shows the merged file.
class MergeWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MergeWidget)

public:
    explicit MergeWidget(QWidget* parent = nullptr);
    ~MergeWidget() override;

public slots:
    void completionOfMerger(bool flag, QString outputFilePath);
    void progressBarUpdate(int percent);

private slots:
    void showFolder();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void okClicked();
    void showClicked();
    void retranslate();

    bool m_failed = false;
    Ui_MergeWidget* ui;
    QString m_outputFilePath;
};

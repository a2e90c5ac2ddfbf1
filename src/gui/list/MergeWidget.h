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
    // How many of the run's files the merged file holds; a merge that left some out says so.
    void mergedCount(int merged, int total);
    // The merge failed for want of room in the output folder: the panel names that cause.
    void diskFull();

private slots:
    void showFolder();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void okClicked();
    void showClicked();
    void retranslate();
    void showResultText();

    bool m_failed = false;
    bool m_diskFull = false;
    int m_merged = 0;
    int m_total = 0;
    Ui_MergeWidget* ui;
    QString m_outputFilePath;
};

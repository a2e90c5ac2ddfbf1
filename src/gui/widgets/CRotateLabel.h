#pragma once

#include <QLabel>

class QTimer;

// The row's busy spinner: turns the label's pixmap about its centre while it is shown and started.
class CRotateLabel : public QLabel
{
public:
    explicit CRotateLabel(QWidget* parent = nullptr);

    void begin();
    void stop();
    void onRotateTimer();

    // For tests: the angle in degrees and whether the timer runs.
    double angle() const { return m_angle; }
    bool isTimerActive() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer* m_timer = nullptr;
    double m_angle = 0.0;
    bool m_rotating = false;
};

#include "widgets/CRotateLabel.h"

#include <QPainter>
#include <QTimer>

namespace {
constexpr int kIntervalMs = 20;
constexpr double kStepDegrees = 8.0;
} // namespace

CRotateLabel::CRotateLabel(QWidget* parent) : QLabel(parent), m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &CRotateLabel::onRotateTimer);
}

void CRotateLabel::begin()
{
    show();
    m_rotating = true;
}

void CRotateLabel::stop()
{
    hide();
    m_rotating = false;
}

bool CRotateLabel::isTimerActive() const
{
    return m_timer->isActive();
}

void CRotateLabel::onRotateTimer()
{
    m_angle += kStepDegrees;
    update();
    if (m_angle >= 360.0)
        m_angle = 0.0;
}

void CRotateLabel::paintEvent(QPaintEvent*)
{
    if (!m_rotating)
        return;
    int const w = width();
    int const h = height();
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(w / 2, h / 2);
    painter.rotate(m_angle);
    painter.drawImage(QRect(-(w / 2), -(h / 2), w, h), pixmap(Qt::ReturnByValue).toImage());
}

// The timer runs exactly while the label is visible.
void CRotateLabel::showEvent(QShowEvent*)
{
    if (m_timer && !m_timer->isActive())
        m_timer->start(kIntervalMs);
}

void CRotateLabel::hideEvent(QHideEvent*)
{
    if (m_timer->isActive())
        m_timer->stop();
}

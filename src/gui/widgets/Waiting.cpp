#include "widgets/Waiting.h"

#include <QGridLayout>
#include <QLabel>
#include <QMovie>

Waiting* Waiting::m_wait = nullptr;

Waiting::Waiting(QWidget* parent) : QWidget(parent)
{
    setFixedSize(48, 48);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowModality(Qt::ApplicationModal);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_label = new QLabel(this);
    layout->addWidget(m_label);

    m_movie = new QMovie(QStringLiteral(":/resource/wait.gif"), QByteArray(), this);
    m_movie->setScaledSize(QSize(48, 48));
    m_movie->start();
    m_label->setMovie(m_movie);
}

Waiting::~Waiting()
{
    if (m_wait == this)
        m_wait = nullptr;
}

void Waiting::start()
{
    if (!m_wait)
        m_wait = new Waiting();
    m_wait->show();
}

void Waiting::stop()
{
    if (m_wait)
        m_wait->close();
}

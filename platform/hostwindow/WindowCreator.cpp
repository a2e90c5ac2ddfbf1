#include "WindowCreator.h"

#include "HostWindow.h"

#include "common/ProductConstants.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QVBoxLayout>

namespace {
const QColor g_background(239, 244, 247);
}

WindowCreator::WindowCreator() = default;

WindowCreator::~WindowCreator() = default;

void WindowCreator::createWindow(QWidget* qtWidget)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    QRect const screenFrame = screen ? screen->geometry() : QRect(0, 0, 0, 0);
    // What panels and docks leave free; the window starts inside it.
    QRect const available = screen ? screen->availableGeometry() : QRect();

    // A screen narrower than the widget gets the widget narrowed: the list elides and scrolls.
    int const width = screen ? qMin(qtWidget->width(), available.width()) : qtWidget->width();
    int const minHeight = qtWidget->minimumHeight() + titleAreaHeight;
    // Without a screen there is no height to stop at.
    int const maxHeight = screen ? qMax(screenFrame.height(), minHeight) : QWIDGETSIZE_MAX;
    int const fitHeight = screen ? qMax(available.height(), minHeight) : QWIDGETSIZE_MAX;
    int const height = qBound(minHeight, qtWidget->height() + titleAreaHeight, qMin(maxHeight, fitHeight));
    QPoint origin = screenFrame.topLeft() +
                    QPoint(screenFrame.width() / 2 - width / 2, screenFrame.height() / 2 - height / 2);
    if (screen) {
        origin.setX(
            qBound(available.left(), origin.x(), qMax(available.left(), available.right() + 1 - width)));
        origin.setY(
            qBound(available.top(), origin.y(), qMax(available.top(), available.bottom() + 1 - height)));
    }

    // Built aside first: a widget hosted again must leave the old host before that goes.
    auto window = std::make_unique<HostWindow>();
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, g_background);
    window->setPalette(palette);
    window->setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // Like a transparent title bar: the window's title on the window's own background.
    auto* titleArea = new QLabel(window.get());
    titleArea->setObjectName(QStringLiteral("titleArea"));
    titleArea->setFixedHeight(titleAreaHeight);
    titleArea->setAlignment(Qt::AlignCenter);
    titleArea->setStyleSheet(QStringLiteral("QLabel#titleArea{color: rgb(77, 77, 77); font-size: 13px;}"));
    layout->addWidget(titleArea);
    // Reparenting hides the widget; it is shown again inside the host.
    qtWidget->setParent(window.get(), Qt::Widget);
    layout->addWidget(qtWidget);
    qtWidget->show();

    window->setMinimumSize(width, minHeight);
    window->setMaximumSize(width, maxHeight);
    window->setGeometry(QRect(origin, QSize(width, height)));

    m_window = std::move(window);
    setWindowTitle(g_product_name);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void WindowCreator::setWindowTitle(QString const& title)
{
    if (!m_window)
        return;
    m_window->setWindowTitle(title);
    if (auto* titleArea = m_window->findChild<QLabel*>(QStringLiteral("titleArea")))
        titleArea->setText(title);
}

QWidget* WindowCreator::hostWindow() const
{
    return m_window.get();
}

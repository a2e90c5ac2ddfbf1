#include "HostWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>

HostWindow::HostWindow(QWidget* parent) : QWidget(parent) {}

HostWindow::~HostWindow() = default;

bool HostWindow::windowShouldClose()
{
    qDebug() << "windowShouldClose" << __LINE__ << "windowShouldClose called";
    QCoreApplication::quit();
    return true;
}

void HostWindow::closeEvent(QCloseEvent* event)
{
    // The hosted widgets are asked first: one with work in progress may keep the window open.
    for (QWidget* hosted : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        QCloseEvent request;
        QCoreApplication::sendEvent(hosted, &request);
        if (!request.isAccepted()) {
            event->ignore();
            return;
        }
    }
    if (windowShouldClose())
        event->accept();
    else
        event->ignore();
}

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
    if (windowShouldClose())
        event->accept();
    else
        event->ignore();
}

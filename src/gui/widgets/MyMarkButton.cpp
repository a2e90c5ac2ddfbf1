#include "widgets/MyMarkButton.h"

MyMarkButton::MyMarkButton(QWidget* parent) : QPushButton(parent) {}

void MyMarkButton::hideEvent(QHideEvent* event)
{
    emit buttonHide();
    QWidget::hideEvent(event);
}

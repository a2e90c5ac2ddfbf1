#pragma once

#include <QPushButton>

// The row's finished mark; says when it is hidden.
class MyMarkButton : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY(MyMarkButton)

public:
    explicit MyMarkButton(QWidget* parent = nullptr);

signals:
    void buttonHide();

protected:
    void hideEvent(QHideEvent* event) override;
};

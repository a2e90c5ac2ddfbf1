#pragma once

#include <QWidget>

class QLabel;
class QMovie;

// A small frameless busy animation that holds the whole application while shown.
class Waiting : public QWidget
{
    Q_DISABLE_COPY(Waiting)

public:
    explicit Waiting(QWidget* parent = nullptr);
    ~Waiting() override;

    // Shows the one indicator, made on first use and kept for reuse.
    static void start();
    // Hides it; nothing happens before the first start().
    static void stop();

private:
    static Waiting* m_wait;

    QLabel* m_label = nullptr;
    QMovie* m_movie = nullptr;
};

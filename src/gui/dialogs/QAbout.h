#pragma once

#include <QDialog>

class Ui_QAbout;

// The About box: product icon, name, version, the rights notice and a link to the product page.
class QAbout : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(QAbout)

public:
    explicit QAbout(QWidget* parent = nullptr);
    ~QAbout() override;

    // A new box each time, modal over the main window; deletes itself when closed.
    static int showAboutWindow();

private slots:
    void on_btnMoreInfo_clicked();

private:
    Ui_QAbout* ui;
};

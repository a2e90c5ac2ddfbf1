#pragma once

#include <QMainWindow>

class FileListWindow;
class QMenu;
class Ui_DocquillMainWidget;

// The application's one window: the converter and the creator page behind a segmented
// switch, drop hints on empty pages, file drops, and the menu bar. Its constructor also starts
// the log, clears the Temp folder and checks the OCR model, once per process.
class MainWindow : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(MainWindow)

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The singleton: made with no parent on first use, never freed.
    static MainWindow* m_instance;
    static MainWindow* instance();

    void initUi();
    void initConnect();
    void initLogger();
    void initMacOSMenu();
    void restoreWindowStyle() {}

    FileListWindow* converterList() const { return m_converterList; }
    FileListWindow* creatorList() const { return m_creatorList; }
    QMenu* fileMenu() const { return m_fileMenu; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Closing while files are queued or in progress asks before they are stopped.
    void closeEvent(QCloseEvent* event) override;

private slots:
    void btn_converter_checked();
    void btn_creator_checked();
    void emptyConvertListShow();
    void emptyConvertListHide();
    void emptyCreatorListShow();
    void emptyCreatorListHide();

private:
    void onFileMenu(QAction* action);
    FileListWindow* currentList() const;
    bool fitsCurrentPage(QString const& fileName) const;
    // Makes this copy's working folder and removes those of copies that are gone.
    void resetTempFolder();

    Ui_DocquillMainWidget* ui;
    FileListWindow* m_converterList = nullptr;
    FileListWindow* m_creatorList = nullptr;
    QMenu* m_fileMenu = nullptr;
};

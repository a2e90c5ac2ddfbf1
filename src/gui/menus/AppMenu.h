#pragma once

#include <QObject>

class QAction;
class QMenu;
class QNetWorkProcess;

// Builds the menu bar's menus and keeps their texts in the interface language. Carries out the
// Help and product-menu commands itself; the File menu's commands belong to the main window.
class AppMenu : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(AppMenu)

public:
    explicit AppMenu(QObject* parent = nullptr);
    ~AppMenu() override;

    // Each builds its menu once; the caller puts it into the menu bar.
    QMenu* createHelpMenu();
    QMenu* createDefaultMenu();
    QMenu* createFileMenu();
    // The language submenu (built with the Help menu), for whoever shows it.
    QMenu* getLanguageMenu();
    // The "Language" entry that opens that submenu.
    QAction* languageAction() const { return m_languageAction; }

    void retranslationUi();
    void onSystemMenuEvent(QAction* action);
    void languageSwitch();
    void setLanguageActionChecked(QAction* action);

private:
    void createLanguageMenu();

    QNetWorkProcess* m_netWorkProcess = nullptr;

    QMenu* m_helpMenu = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_defaultMenu = nullptr;
    QMenu* m_languageMenu = nullptr;

    QAction* m_languageAction = nullptr;
    QAction* m_userGuideAction = nullptr;
    QAction* m_feedbackAction = nullptr;
    QAction* m_showLogAction = nullptr;
    QAction* m_addFilesAction = nullptr;
    QAction* m_clearAllAction = nullptr;
    QAction* m_clearFinishedAction = nullptr;
    QAction* m_quitAction = nullptr;
    QAction* m_checkUpdateAction = nullptr;
    QAction* m_aboutAction = nullptr;
};

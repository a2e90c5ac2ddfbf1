#include "menus/AppMenu.h"

#include "common/ProductConstants.h"
#include "dialogs/QAbout.h"
#include "language/MultiLanguage.h"
#include "settings/RegistryTool.h"
#include "update/QNetWorkProcess.h"

#include <QAction>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QUrl>

namespace {

enum MenuData
{
    DataClearAll = 0,
    DataUserGuide = 1,
    DataAddFiles = 2,
    DataSupport = 3,
    DataAbout = 4,
    DataClearFinished = 4,
    DataCheckUpdate = 5,
    DataShowLog = 6,
    DataQuit = 7,
};

struct LanguageEntry
{
    const char* name;
    int value;
};

// In the submenu's order; the names stay in their own language.
const LanguageEntry g_languages[] = {
    {"Deutsch", 5},  {"English", 1},   {"Español", 6}, {"Français", 2},
    {"Italiano", 4}, {"Português", 3}, {"日本語", 7},
};

} // namespace

AppMenu::AppMenu(QObject* parent) : QObject(parent)
{
    // Made here so the update-check library is set up while the main window is built.
    m_netWorkProcess = QNetWorkProcess::shareInstance(nullptr);
    connect(MultiLanguage::instance(), &MultiLanguage::languageChanged, this, &AppMenu::retranslationUi);
}

// The menus have no Qt parent: nothing else would free them.
AppMenu::~AppMenu()
{
    delete m_helpMenu;
    delete m_fileMenu;
    delete m_defaultMenu;
    delete m_languageMenu;
}

QMenu* AppMenu::createHelpMenu()
{
    m_helpMenu = new QMenu(tr("&Help"));
    m_languageAction = new QAction(tr("&Language"), this);
    m_userGuideAction = new QAction(tr("&User Guide"), this);
    m_feedbackAction = new QAction(tr("&Feedback and Support"), this);
    if (!g_link_guide.isEmpty())
        m_helpMenu->addAction(m_userGuideAction);
    m_feedbackAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_F));
    m_helpMenu->addAction(m_feedbackAction);
    m_showLogAction = new QAction(tr("Show &Log Folder"), this);
    m_helpMenu->addSeparator();
    m_helpMenu->addAction(m_showLogAction);
    connect(m_helpMenu, &QMenu::triggered, this, &AppMenu::onSystemMenuEvent);

    m_userGuideAction->setData(DataUserGuide);
    m_feedbackAction->setData(DataSupport);
    m_showLogAction->setData(DataShowLog);

    createLanguageMenu();
    return m_helpMenu;
}

void AppMenu::createLanguageMenu()
{
    m_languageMenu = new QMenu();
    m_languageMenu->setObjectName(QStringLiteral("languageMenu"));
    int stored = RegistryTool::getInstance()->getLanguageVal();
    if (stored < 2 || stored > 7)
        stored = 1;
    for (LanguageEntry const& entry : g_languages) {
        QAction* action = m_languageMenu->addAction(QString::fromUtf8(entry.name));
        action->setData(entry.value);
        action->setCheckable(true);
        // The language in use is shown checked from the start.
        action->setChecked(entry.value == stored);
        connect(action, &QAction::triggered, this, &AppMenu::languageSwitch);
    }
    m_languageAction->setMenu(m_languageMenu);
}

QMenu* AppMenu::createFileMenu()
{
    m_fileMenu = new QMenu(tr("&File"));
    m_addFilesAction = new QAction(tr("&Add Files..."), this);
    m_addFilesAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_O));
    m_addFilesAction->setData(DataAddFiles);
    m_clearAllAction = new QAction(tr("&Clear All"), this);
    m_clearAllAction->setShortcut(QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_Backspace));
    m_clearAllAction->setData(DataClearAll);
    m_clearFinishedAction = new QAction(tr("Clear &Finished Items"), this);
    m_clearFinishedAction->setShortcut(QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_D));
    m_clearFinishedAction->setData(DataClearFinished);
    m_quitAction = new QAction(tr("&Quit"), this);
    m_quitAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_Q));
    m_quitAction->setData(DataQuit);

    m_fileMenu->addAction(m_addFilesAction);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_clearAllAction);
    m_fileMenu->addAction(m_clearFinishedAction);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_quitAction);
    return m_fileMenu;
}

QMenu* AppMenu::createDefaultMenu()
{
    // Linux has no application menu to move these into: the menu carries the product's name,
    // reached with Alt and its first letter like the others.
    m_defaultMenu = new QMenu(QLatin1Char('&') + g_product_name);
    m_checkUpdateAction = new QAction(tr("&Check for Updates"), this);
    m_aboutAction = new QAction(tr("&About"), this);
    m_aboutAction->setMenuRole(QAction::AboutRole);
    m_checkUpdateAction->setMenuRole(QAction::ApplicationSpecificRole);
    m_defaultMenu->addAction(m_aboutAction);
    m_defaultMenu->addAction(m_checkUpdateAction);
    m_aboutAction->setData(DataAbout);
    m_checkUpdateAction->setData(DataCheckUpdate);
    connect(m_defaultMenu, &QMenu::triggered, this, &AppMenu::onSystemMenuEvent);
    return m_defaultMenu;
}

QMenu* AppMenu::getLanguageMenu()
{
    return m_languageAction ? m_languageAction->menu() : nullptr;
}

void AppMenu::onSystemMenuEvent(QAction* action)
{
    // A language chosen in a submenu of this menu reaches it too; its data is a language, not
    // one of these entries (German's 5 would check for updates).
    if (m_languageMenu && m_languageMenu->actions().contains(action))
        return;
    int const data = action->data().toInt();
    qDebug() << "onSystemMenuEvent" << __LINE__ << data;
    switch (data) {
    case DataUserGuide:
        QDesktopServices::openUrl(QUrl(g_link_guide));
        break;
    case DataSupport:
        QDesktopServices::openUrl(QUrl(g_link_support));
        break;
    case DataAbout:
        QAbout::showAboutWindow();
        break;
    case DataCheckUpdate:
        m_netWorkProcess->version_check_clicked();
        m_netWorkProcess->checkUpdate();
        break;
    case DataShowLog:
        QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::homePath() + g_logDirPath));
        break;
    default:
        break;
    }
}

void AppMenu::languageSwitch()
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action)
        return;
    setLanguageActionChecked(action);
    int const value = action->data().toInt();
    MultiLanguage::instance()->languageSwitch(value);
    RegistryTool::getInstance()->setLanguageVal(value);
}

void AppMenu::setLanguageActionChecked(QAction* action)
{
    if (!m_languageMenu)
        return;
    for (QAction* entry : m_languageMenu->actions())
        entry->setChecked(false);
    action->setChecked(true);
}

void AppMenu::retranslationUi()
{
    if (m_helpMenu) {
        m_helpMenu->setTitle(tr("&Help"));
        m_languageAction->setText(tr("&Language"));
        m_userGuideAction->setText(tr("&User Guide"));
        m_feedbackAction->setText(tr("&Feedback and Support"));
        m_showLogAction->setText(tr("Show &Log Folder"));
    }
    if (m_fileMenu) {
        m_fileMenu->setTitle(tr("&File"));
        m_addFilesAction->setText(tr("&Add Files..."));
        m_clearAllAction->setText(tr("&Clear All"));
        m_clearFinishedAction->setText(tr("Clear &Finished Items"));
        m_quitAction->setText(tr("&Quit"));
    }
    if (m_defaultMenu) {
        m_checkUpdateAction->setText(tr("&Check for Updates"));
        m_aboutAction->setText(tr("&About"));
    }
}

#include "menus/AppMenu.h"

#include "common/ProductConstants.h"
#include "language/MultiLanguage.h"
#include "settings/RegistryTool.h"
#include "support/DialogTestMode.h"
#include "support/MessageBox.h"
#include "support/ModalDialog.h"

#include "Orvane.h"
#include "TestHome.h"
#include "UrlRecorder.h"

#include <QtTest>

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTranslator>

namespace {

// "text|data|shortcut" per entry, "-" for a separator.
QStringList describe(QMenu* menu)
{
    QStringList entries;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            entries << QStringLiteral("-");
        else
            entries << QStringLiteral("%1|%2|%3")
                           .arg(action->text(), action->data().toString(), action->shortcut().toString());
    }
    return entries;
}

QAction* findAction(QMenu* menu, QString const& text)
{
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

QStringList checkedLanguages(QMenu* menu)
{
    QStringList checked;
    for (QAction* action : menu->actions())
        if (action->isChecked())
            checked << action->text();
    return checked;
}

} // namespace

class TestAppMenu : public QObject
{
    Q_OBJECT

    TestHome m_home;
    UrlRecorder m_urls{{"https", "file"}};

private slots:
    void initTestCase()
    {
        DialogTestMode::setEnabled(true);
        // The update check meets a closed port: a network error at once.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        Orvane::setServiceOriginForTesting(QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort()));
    }

    void menus_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("Help") << "help"
                              << "&Help"
                              << QStringList{"&User Guide|1|", "&Feedback and Support|3|Ctrl+F", "-",
                                             "Show &Log Folder|6|"};
        QTest::newRow("File") << "file"
                              << "&File"
                              << QStringList{"&Add Files...|2|Ctrl+O",
                                             "-",
                                             "&Clear All|0|Ctrl+Shift+Backspace",
                                             "Clear &Finished Items|4|Ctrl+Shift+D",
                                             "-",
                                             "&Quit|7|Ctrl+Q"};
        QTest::newRow("product") << "default"
                                 << "&" + g_product_name << QStringList{"&About|4|", "&Check for Updates|5|"};
        QTest::newRow("languages") << "language"
                                   << "&Language"
                                   << QStringList{"Deutsch|5|",  "English|1|",   "Español|6|", "Français|2|",
                                                  "Italiano|4|", "Português|3|", "日本語|7|"};
    }

    void menus()
    {
        QFETCH(QString, which);
        QFETCH(QString, title);
        QFETCH(QStringList, entries);
        AppMenu appMenu;
        QMenu* help = appMenu.createHelpMenu();
        QMenu* deflt = appMenu.createDefaultMenu();
        QMenu* file = appMenu.createFileMenu();
        QMenu* menu = which == "help"      ? help
                      : which == "file"    ? file
                      : which == "default" ? deflt
                                           : appMenu.getLanguageMenu();
        QVERIFY(menu);
        QCOMPARE(menu->title(), title);
        QCOMPARE(describe(menu), entries);

        if (which == "default") {
            QCOMPARE(menu->actions().at(0)->menuRole(), QAction::AboutRole);
            QCOMPARE(menu->actions().at(1)->menuRole(), QAction::ApplicationSpecificRole);
        }
        if (which == "language") {
            for (QAction* action : menu->actions())
                QVERIFY(action->isCheckable());
            // Handed out, not placed: no menu shows the "Language" entry itself.
            for (QMenu* other : {help, deflt, file})
                for (QAction* action : other->actions())
                    QVERIFY(action->menu() != menu);
        }
    }

    void dispatch_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("entry"); // empty: an action with data 99 handed over directly
        QTest::addColumn<QList<QUrl>>("opened");
        QTest::addColumn<bool>("about");
        QTest::addColumn<QStringList>("shown");

        QList<QUrl> const none;
        QTest::newRow("User Guide") << "help"
                                    << "&User Guide" << QList<QUrl>{QUrl(g_link_guide)} << false
                                    << QStringList();
        QTest::newRow("Feedback and Support")
            << "help"
            << "&Feedback and Support" << QList<QUrl>{QUrl(g_link_support)} << false << QStringList();
        QTest::newRow("Show Log") << "help"
                                  << "Show &Log Folder"
                                  << QList<QUrl>{QUrl::fromLocalFile(m_home.path() + g_logDirPath)} << false
                                  << QStringList();
        QTest::newRow("About") << "default"
                               << "&About" << none << true << QStringList();
        QTest::newRow("Check for Updates")
            << "default"
            << "&Check for Updates" << none << false
            << QStringList{"Note|Error network, please check your connection!"};
        // The File menu belongs to the main window: its data 4 is not "About".
        QTest::newRow("Clear Finished Items") << "file"
                                              << "Clear &Finished Items" << none << false << QStringList();
        QTest::newRow("unknown data") << ""
                                      << "" << none << false << QStringList();
    }

    void dispatch()
    {
        QFETCH(QString, menu);
        QFETCH(QString, entry);
        QFETCH(QList<QUrl>, opened);
        QFETCH(bool, about);
        QFETCH(QStringList, shown);
        AppMenu appMenu;
        QMap<QString, QMenu*> const menus{{"help", appMenu.createHelpMenu()},
                                          {"default", appMenu.createDefaultMenu()},
                                          {"file", appMenu.createFileMenu()}};
        m_urls.opened.clear();
        MessageBox::clearShown();
        QString dialogSeen;
        ModalDialog::setNextHandler([&](QDialog* dialog) { dialogSeen = dialog->metaObject()->className(); });

        if (entry.isEmpty()) {
            QAction stray(QStringLiteral("stray"));
            stray.setData(99);
            appMenu.onSystemMenuEvent(&stray);
        } else {
            QAction* action = findAction(menus.value(menu), entry);
            QVERIFY(action);
            action->trigger();
        }
        if (!about) {
            QDialog drain;
            ModalDialog::exec(&drain);
        }

        QCOMPARE(m_urls.opened, opened);
        QCOMPARE(dialogSeen, QString(about ? "QAbout" : "QDialog"));
        QCOMPARE(MessageBox::shown(), shown);
    }

    // The entry of the stored language is checked from the start.
    void storedLanguageChecked_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("checked");
        QTest::newRow("English") << 1 << "English";
        QTest::newRow("Portuguese") << 3 << "Português";
        QTest::newRow("Japanese") << 7 << "日本語";
        QTest::newRow("0") << 0 << "English";
        QTest::newRow("8") << 8 << "English";
    }

    void storedLanguageChecked()
    {
        QFETCH(int, stored);
        QFETCH(QString, checked);
        RegistryTool::getInstance()->setLanguageVal(stored);
        AppMenu appMenu;
        appMenu.createHelpMenu();
        QCOMPARE(checkedLanguages(appMenu.getLanguageMenu()), QStringList{checked});
        QCOMPARE(RegistryTool::getInstance()->getLanguageVal(), stored);
    }

    void languageEntries_data()
    {
        QTest::addColumn<QStringList>("picks");
        QTest::addColumn<int>("stored");
        QTest::newRow("German") << QStringList{"Deutsch"} << 5;
        QTest::newRow("German twice") << QStringList{"Deutsch", "Deutsch"} << 5;
        QTest::newRow("French, then English") << QStringList{"Français", "English"} << 1;
        QTest::newRow("Japanese") << QStringList{"日本語"} << 7;
    }

    void languageEntries()
    {
        QFETCH(QStringList, picks);
        QFETCH(int, stored);
        RegistryTool::getInstance()->setLanguageVal(2);
        AppMenu appMenu;
        appMenu.createHelpMenu();
        QMenu* languages = appMenu.getLanguageMenu();
        QSignalSpy changed(MultiLanguage::instance(), &MultiLanguage::languageChanged);
        for (QString const& pick : picks) {
            QAction* action = findAction(languages, pick);
            QVERIFY(action);
            action->trigger();
            QCOMPARE(checkedLanguages(languages), QStringList{pick});
        }
        QCOMPARE(changed.count(), picks.size());
        QCOMPARE(RegistryTool::getInstance()->getLanguageVal(), stored);
        MultiLanguage::instance()->languageSwitch(1);
    }

    // A language picked in the submenu reaches the menus above it as their own triggered():
    // none of them may take the language's number for one of its entries.
    void languageInParentMenusDoesNothingElse()
    {
        AppMenu appMenu;
        QList<QMenu*> const parents{appMenu.createHelpMenu(), appMenu.createDefaultMenu()};
        m_urls.opened.clear();
        MessageBox::clearShown();
        QString dialogSeen;
        ModalDialog::setNextHandler([&](QDialog* dialog) { dialogSeen = dialog->metaObject()->className(); });
        for (QMenu* parent : parents) {
            for (QAction* language : appMenu.getLanguageMenu()->actions())
                emit parent->triggered(language);
        }
        QDialog drain;
        ModalDialog::exec(&drain);
        QCOMPARE(dialogSeen, QStringLiteral("QDialog"));
        QCOMPARE(m_urls.opened, QList<QUrl>());
        QCOMPARE(MessageBox::shown(), QStringList());
    }

    void retranslation()
    {
        AppMenu appMenu;
        QMenu* help = appMenu.createHelpMenu();
        QMenu* deflt = appMenu.createDefaultMenu();
        QMenu* file = appMenu.createFileMenu();
        QStringList const englishLanguages = describe(appMenu.getLanguageMenu());
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(MENUS_TEST_QM)));
        QCoreApplication::installTranslator(&german);
        findAction(appMenu.getLanguageMenu(), "Deutsch")->trigger();

        QCOMPARE(help->title(), QStringLiteral("&Hilfe"));
        QCOMPARE(describe(help), (QStringList{"&Benutzerhandbuch|1|", "&Feedback und Support|3|Ctrl+F", "-",
                                              "&Protokollordner zeigen|6|"}));
        QCOMPARE(file->title(), QStringLiteral("&Datei"));
        QCOMPARE(
            describe(file),
            (QStringList{"Dateien &hinzufügen...|2|Ctrl+O", "-", "&Alle entfernen|0|Ctrl+Shift+Backspace",
                         "&Fertige Einträge entfernen|4|Ctrl+Shift+D", "-", "&Beenden|7|Ctrl+Q"}));
        QCOMPARE(deflt->title(), "&" + g_product_name);
        QCOMPARE(describe(deflt), (QStringList{"Ü&ber|4|", "Nach &Updates suchen|5|"}));
        QCOMPARE(appMenu.getLanguageMenu()->title(), QStringLiteral("&Sprache"));
        QCOMPARE(describe(appMenu.getLanguageMenu()), englishLanguages);

        QCoreApplication::removeTranslator(&german);
        findAction(appMenu.getLanguageMenu(), "English")->trigger();
        QCOMPARE(help->title(), QStringLiteral("&Help"));
        QCOMPARE(describe(deflt), (QStringList{"&About|4|", "&Check for Updates|5|"}));
    }
};

QTEST_MAIN(TestAppMenu)
#include "TestAppMenu.moc"

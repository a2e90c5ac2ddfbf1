#include "window/MainWindow.h"

#include "common/ProductConstants.h"
#include "items/FileItem.h"
#include "items/FileItemList.h"
#include "language/MultiLanguage.h"
#include "list/FileListWindow.h"
#include "pipeline/TaskController.h"
#include "settings/PMPreferences.h"
#include "startup/ApplicationLook.h"
#include "support/DialogTestMode.h"
#include "support/FileDialog.h"
#include "support/MessageBox.h"
#include "utils/TempFolder.h"

#include "RecordingSdk.h"
#include "TestArtefacts.h"
#include "TestHome.h"
#include "TestPdf.h"
#include "WindowCreator.h"

#include <QtTest>

#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStackedWidget>

namespace {

std::atomic<int> g_blockMs{0};

int slowConversion(RecordingSdk::Call const& call)
{
    QFile(call.output).open(QIODevice::WriteOnly);
    for (int waited = 0; waited < g_blockMs.load(); waited += 5)
        QThread::msleep(5);
    return 0;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QString m_folder, m_pdf, m_upperPdf, m_word, m_image;

    static QString temp() { return QDir::homePath() + g_tempDirPath; }

    QString plantInTemp()
    {
        QDir().mkpath(temp());
        QString const path = temp() + "left-over.pdf";
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        return path;
    }

    QString file(QString const& name)
    {
        QString const path = m_home.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        return path;
    }

    static QMimeData* urls(QStringList const& paths)
    {
        auto* data = new QMimeData;
        QList<QUrl> list;
        for (QString const& path : paths)
            list << QUrl::fromLocalFile(path);
        data->setUrls(list);
        return data;
    }

    static bool dragEnter(MainWindow& window, QStringList const& paths)
    {
        std::unique_ptr<QMimeData> data(urls(paths));
        QDragEnterEvent event(QPoint(400, 300), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
        return event.isAccepted();
    }

    // A drop always follows the drag's entry, as with a real drag.
    static void drop(MainWindow& window, QStringList const& paths)
    {
        dragEnter(window, paths);
        std::unique_ptr<QMimeData> data(urls(paths));
        QDropEvent event(QPointF(400, 300), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
    }

    static QStringList names(FileListWindow* page)
    {
        QStringList result;
        for (FileItem* item : page->fileList()->allItems())
            result << item->fileName();
        return result;
    }

    static void showCreator(MainWindow& window)
    {
        QTest::mouseClick(window.findChild<QPushButton*>("btn_creator"), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        DialogTestMode::setEnabled(true);
        PMPreferences::getInstance()->setOCRInstalled(true);
        RecordingSdk::install();
        RecordingSdk::log().onStart = slowConversion;
        m_folder = m_home.filePath("folder");
        QDir().mkpath(m_folder);
        m_pdf = m_home.filePath("a.pdf");
        QVERIFY(TestPdf::writePages(m_pdf, 1));
        m_upperPdf = m_home.filePath("B.PDF");
        QVERIFY(QFile::copy(m_pdf, m_upperPdf));
        m_word = file("c.docx");
        m_image = m_home.filePath("d.png");
        QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(m_image));
    }

    // Each running copy works in a Temp folder of its own: start-up removes only those whose
    // copy is gone, and says so when the Config folder cannot be written.
    void tempOfOtherCopies()
    {
        QString const live = temp() + "live", dead = temp() + "dead";
        for (QString const& folder : {live, dead}) {
            QDir().mkpath(folder);
            QFile work(folder + "/work.pdf");
            QVERIFY(work.open(QIODevice::WriteOnly));
        }
        QLockFile running(live + ".lock");
        QVERIFY(running.tryLock(0));
        QFile gone(dead + ".lock"); // as a copy that crashed left it
        QVERIFY(gone.open(QIODevice::WriteOnly));
        gone.write("999999999\nDocquill\n\n");
        gone.close();
        QString const config = QDir::homePath() + g_configDirPath;
        QVERIFY(QDir(config).removeRecursively());
        QFile blocker(config.chopped(1));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        MainWindow window;
        QVERIFY(QFile::exists(live + "/work.pdf"));
        QVERIFY(!QFileInfo::exists(dead));
        QVERIFY(!QFileInfo::exists(dead + ".lock"));
        QVERIFY(TempFolder::path().startsWith(temp()) && QDir(TempFolder::path()).exists());
        auto logged = [] {
            QDir logs(QDir::homePath() + g_logDirPath);
            for (QString const& name : logs.entryList({"*_log.html"})) {
                QFile file(logs.filePath(name));
                if (file.open(QIODevice::ReadOnly) &&
                    file.readAll().contains("the Config folder cannot be written"))
                    return true;
            }
            return false;
        };
        QTRY_VERIFY(logged());
        QVERIFY(QFile::remove(config.chopped(1)) && QDir().mkpath(config));
    }

    void startUp()
    {
        QString const leftOver = plantInTemp();
        MainWindow window;
        QVERIFY(!QFile::exists(leftOver));
        QVERIFY(QDir(temp()).exists());
        QVERIFY(!window.findChild<QWidget*>("emptyConverterList")->isHidden());
        QVERIFY(!window.findChild<QWidget*>("emptyCreatorList")->isHidden());
        auto* stack = window.findChild<QStackedWidget*>("stackedWidget_main");
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("page_convertList"));
        QStringList menus;
        for (QAction* action : window.menuBar()->actions())
            menus << action->text();
        QCOMPARE(menus, QStringList({"&File", "&Help", "&" + g_product_name}));
        // The language choice opens from the product's menu.
        QCOMPARE(window.menuBar()->actions().last()->menu()->actions().first()->text(),
                 QStringLiteral("&Language"));
    }

    void dragAndDrop_data()
    {
        QTest::addColumn<bool>("creatorPage");
        QTest::addColumn<QStringList>("dragged");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("folder only") << false << QStringList{m_folder} << false << QStringList{};
        QTest::newRow("folder before a PDF")
            << false << QStringList{m_folder, m_pdf} << false << QStringList{};
        QTest::newRow("PDF before a folder")
            << false << QStringList{m_pdf, m_folder} << true << QStringList{"a.pdf"};
        QTest::newRow("upper-case PDF") << false << QStringList{m_upperPdf} << true << QStringList{"B.PDF"};
        QTest::newRow("Word on the converter page") << false << QStringList{m_word} << false << QStringList{};
        QTest::newRow("Word, image and PDF")
            << false << QStringList{m_word, m_image, m_pdf} << true << QStringList{"d.png", "a.pdf"};
        QTest::newRow("Word on the creator page")
            << true << QStringList{m_word} << true << QStringList{"c.docx"};
    }

    void dragAndDrop()
    {
        QFETCH(bool, creatorPage);
        QFETCH(QStringList, dragged);
        QFETCH(bool, accepted);
        QFETCH(QStringList, added);
        MainWindow window;
        if (creatorPage)
            showCreator(window);
        QCOMPARE(dragEnter(window, dragged), accepted);
        if (!accepted)
            return;
        drop(window, dragged);
        FileListWindow* page = creatorPage ? window.creatorList() : window.converterList();
        QCOMPARE(names(page), added);
        QCOMPARE(
            window.findChild<QWidget*>(creatorPage ? "emptyCreatorList" : "emptyConverterList")->isHidden(),
            true);
        QVERIFY(names(creatorPage ? window.converterList() : window.creatorList()).isEmpty());
    }

    void dropWhileRunningAddsNothing()
    {
        MainWindow window;
        drop(window, {m_pdf});
        emit window.converterList()->controller()->taskStarted();
        drop(window, {m_upperPdf});
        QCOMPARE(names(window.converterList()), QStringList({"a.pdf"}));
        QVERIFY(window.findChild<QWidget*>("emptyConverterList")->isHidden());
        emit window.converterList()->controller()->taskFinished();
    }

    // Closing during a run asks first, from the window or with File → Quit (Ctrl+Q); only a yes
    // lets the window close.
    void closingDuringARunAsks_data()
    {
        QTest::addColumn<bool>("quit");
        QTest::newRow("window closed") << false;
        QTest::newRow("File, Quit") << true;
    }

    void closingDuringARunAsks()
    {
        QFETCH(bool, quit);
        RecordingSdk::reset();
        RecordingSdk::log().onStart = slowConversion;
        g_blockMs = 5000;
        QDir().mkpath(m_home.filePath("close-out"));
        PMPreferences::getInstance()->saveOutputFolder(m_home.filePath("close-out"));
        MainWindow window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto close = [&] {
            if (quit) {
                QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
                return !window.isVisible();
            }
            QCloseEvent event;
            QApplication::sendEvent(&window, &event);
            return event.isAccepted();
        };
        drop(window, {m_pdf, m_upperPdf});
        QTest::mouseClick(window.converterList()->findChild<QPushButton*>("btn_start"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(RecordingSdk::callCount(), 1, 10000);
        MessageBox::clearShown();
        for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            MessageBox::setNextAnswer(answer);
            QCOMPARE(close(), answer == QMessageBox::Yes);
            QVERIFY(window.converterList()->isRunning());
        }
        QString const asked = g_product_name + "|2 files are still being converted. Stop and quit?";
        QCOMPARE(MessageBox::shown(), QStringList({asked, asked}));
        g_blockMs = 0;
        QTRY_VERIFY_WITH_TIMEOUT(!window.converterList()->isRunning(), 10000);
        MessageBox::clearShown();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(close());
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // The File menu acts on the page shown.
    void fileMenuReachesTheCurrentPage()
    {
        MainWindow window;
        drop(window, {m_pdf});
        showCreator(window);
        drop(window, {m_word});
        auto entry = [&](int data) {
            for (QAction* action : window.fileMenu()->actions())
                if (!action->isSeparator() && action->data().toInt() == data)
                    return action;
            return static_cast<QAction*>(nullptr);
        };
        FileDialog::setNextAnswer({m_image});
        entry(2)->trigger();
        QCOMPARE(names(window.creatorList()), QStringList({"c.docx", "d.png"}));
        window.creatorList()->fileList()->getFileItem(0)->fileProcessFinished(0);
        entry(4)->trigger();
        QCOMPARE(names(window.creatorList()), QStringList({"d.png"}));
        entry(0)->trigger();
        QVERIFY(names(window.creatorList()).isEmpty());
        QVERIFY(!window.findChild<QWidget*>("emptyCreatorList")->isHidden());
        QCOMPARE(names(window.converterList()), QStringList({"a.pdf"}));
    }

    // On a screen narrower than the window (800 pixels here) the window is narrowed and stays
    // on it, with the bottom bar's buttons inside.
    void narrowScreen()
    {
        applyApplicationLook();
        auto* window = new MainWindow;
        window->show();
        WindowCreator host;
        host.createWindow(window);
        QWidget* top = host.hostWindow();
        QVERIFY(QTest::qWaitForWindowExposed(top));
        QRect const screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(top->width() <= screen.width() && top->frameGeometry().left() >= screen.left(),
                 qPrintable(QString("%1 wide at x = %2").arg(top->width()).arg(top->frameGeometry().left())));
        for (QString name : {"btn_add", "btn_start"}) {
            auto* button = window->converterList()->findChild<QWidget*>(name);
            QVERIFY2(top->rect().contains(QRect(button->mapTo(top, QPoint(0, 0)), button->size())),
                     qPrintable(name));
        }
        drop(*window, {m_pdf});
        QTRY_VERIFY(window->converterList()->isVisible() &&
                    window->converterList()->fileList()->fileCount() == 1);
        QTest::qWait(100);
        TestArtefacts::save(top->grab(), "main-window-narrow-screen");
    }

    // Alt and a letter open each menu of the bar, and in an open menu a letter picks each entry,
    // in every language (the language names stay as they are written in their own language).
    void menuMnemonics_data()
    {
        QTest::addColumn<int>("language");
        for (int language = 1; language <= 7; ++language)
            QTest::newRow(qPrintable(QString::number(language))) << language;
    }

    void menuMnemonics()
    {
        QFETCH(int, language);
        MultiLanguage::instance()->languageSwitch(language);
        auto const english = qScopeGuard([] { MultiLanguage::instance()->languageSwitch(1); });
        MainWindow window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto key = [](QString const& text) {
            return QKeySequence::mnemonic(text)[0] & ~Qt::KeyboardModifierMask;
        };
        QSet<int> keys;
        for (QAction* title : window.menuBar()->actions()) {
            QVERIFY2(!QKeySequence::mnemonic(title->text()).isEmpty(), qPrintable(title->text()));
            keys << key(title->text());
            QSet<int> entries;
            int count = 0;
            for (QAction* entry : title->menu()->actions()) {
                if (entry->isSeparator())
                    continue;
                QVERIFY2(!QKeySequence::mnemonic(entry->text()).isEmpty(), qPrintable(entry->text()));
                entries << key(entry->text());
                ++count;
            }
            QVERIFY2(entries.size() == count, qPrintable(title->text() + ": two entries share a letter"));
        }
        QCOMPARE(keys.size(), window.menuBar()->actions().size());

        QTest::keyClick(&window, Qt::Key(key(window.fileMenu()->title())), Qt::AltModifier);
        QTRY_VERIFY(window.fileMenu()->isVisible());
        QAction* quit = window.fileMenu()->actions().last();
        QTest::keyClick(window.fileMenu(), Qt::Key(key(quit->text())));
        QTRY_VERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"

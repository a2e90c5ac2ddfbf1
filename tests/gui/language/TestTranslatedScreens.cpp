#include "common/ProductConstants.h"
#include "componentcheck/ComponentCheck.h"
#include "dialogs/ConvertOptionSetting.h"
#include "dialogs/EnterPassword.h"
#include "dialogs/QAbout.h"
#include "download/DownloadDialog.h"
#include "items/FileItemList.h"
#include "items/PDFFileItem.h"
#include "language/MultiLanguage.h"
#include "list/FileListWindow.h"
#include "list/MergeWidget.h"
#include "module/InstallModule.h"
#include "rows/FileItemWidget.h"
#include "settings/PMPreferences.h"
#include "startup/ApplicationLook.h"
#include "support/DesktopOpener.h"
#include "support/DialogTestMode.h"
#include "window/MainWindow.h"

#include "RecordingSdk.h"
#include "TestArtefacts.h"
#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QAbstractButton>
#include <QCursor>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStackedWidget>
#include <QTextDocument>
#include <QToolTip>

// Shows the main window, the option dialog and the password dialog in every language, keeps a
// screenshot of each, and finds texts that do not fit their widget where the English text does.
class TestTranslatedScreens : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QString m_pdf, m_text, m_folder, m_locked, m_twoLines;
    // Per screen, the widgets whose English text fits.
    QMap<QString, QSet<QString>> m_fitInEnglish;

    static QString pathOf(QWidget* widget, QWidget* top)
    {
        QStringList names;
        for (QWidget* w = widget; w && w != top; w = w->parentWidget())
            names.prepend(w->objectName().isEmpty() ? QString(w->metaObject()->className())
                                                    : w->objectName());
        return names.join('/');
    }

    // Whether a widget's text shows whole at its present size.
    static bool fits(QWidget* widget)
    {
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->text().isEmpty() || label->wordWrap() || Qt::mightBeRichText(label->text()))
                return true;
            int widest = 0;
            for (QString const& line : label->text().split('\n'))
                widest = qMax(widest, label->fontMetrics().horizontalAdvance(line));
            return widest <= label->contentsRect().width();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            return button->text().isEmpty() || button->sizeHint().width() <= button->width();
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            return group->fontMetrics().horizontalAdvance(group->title()) + 16 <= group->width();
        return true;
    }

    QStringList cutOff(QString const& screen, QWidget* top, bool english)
    {
        QStringList faults;
        QList<QWidget*> widgets = top->findChildren<QWidget*>();
        widgets.prepend(top);
        for (QWidget* widget : qAsConst(widgets)) {
            if (!widget->isVisibleTo(top))
                continue;
            QString const path = pathOf(widget, top);
            bool const whole = fits(widget);
            if (english && whole)
                m_fitInEnglish[screen].insert(path);
            else if (!english && !whole && m_fitInEnglish.value(screen).contains(path))
                faults << screen + ": " + path;
        }
        return faults;
    }

    // A widget's tool tip as it shows over the widget.
    static void lookAtToolTip(QString const& language, QString const& screen, QWidget* widget)
    {
        QToolTip::showText(widget->mapToGlobal(QPoint(0, widget->height())), widget->toolTip(), widget);
        QWidget* tip = nullptr;
        bool const shown = QTest::qWaitFor([&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->inherits("QTipLabel") && top->isVisible())
                    tip = top;
            return tip != nullptr;
        });
        if (shown)
            TestArtefacts::save(tip->grab(), language + "-" + screen);
        QToolTip::hideText();
    }

    // The messages and marks about files that cannot be used as they are.
    QStringList lookAtRefusals(QString const& language, MainWindow& window)
    {
        QStringList faults;
        QStringList refused{m_folder, m_home.filePath("gone.pdf")};
        faults += lookAtBox(language, "files-refused",
                            [&] { window.converterList()->addFileList(refused, {m_text}); });

        auto* row = window.converterList()->findChild<FileItemWidget*>();
        row->findChild<QAbstractButton*>("btn_range")->click();
        auto* range = row->findChild<QLineEdit*>("lineEdit_range");
        range->setText("1-5-2");
        emit range->editingFinished();
        auto* start = window.converterList()->findChild<QPushButton*>("btn_start");
        faults += lookAtBox(language, "start-refused", [start] { QTest::mouseClick(start, Qt::LeftButton); });
        lookAtToolTip(language, "range-tooltip", range);
        row->findChild<QAbstractButton*>("btn_allPage")->click();
        row->showSkippedAsLocked();
        lookAtToolTip(language, "skipped-tooltip", row->findChild<QWidget*>("btn_convert_finished"));

        auto* name = window.creatorList()->findChild<QLineEdit*>("lineEdit_output_name");
        name->setText("../x");
        emit name->editingFinished();
        auto* create = window.creatorList()->findChild<QPushButton*>("btn_start");
        faults +=
            lookAtBox(language, "name-refused", [create] { QTest::mouseClick(create, Qt::LeftButton); });
        lookAtToolTip(language, "name-tooltip", name);
        name->setText("notes");
        emit name->editingFinished();
        return faults;
    }

    // Closing the window while a file converts asks first; the answer here keeps it open.
    QStringList lookAtQuitQuestion(QString const& language, MainWindow& window)
    {
        // reset() below forgets the holding start: each language sets it again, or the
        // conversion could end before the window is closed.
        RecordingSdk::log().onStart = RecordingSdk::held;
        RecordingSdk::hold();
        auto* start = window.converterList()->findChild<QPushButton*>("btn_start");
        QTest::mouseClick(start, Qt::LeftButton);
        if (!QTest::qWaitFor([] { return RecordingSdk::callCount() == 1; }, 10000))
            return {"quit-asked: no run"};
        QStringList faults = lookAtBox(language, "quit-asked", [&window] { window.close(); });
        if (!window.isVisible())
            faults << "quit-asked: closed without a yes";
        RecordingSdk::release();
        if (!QTest::qWaitFor([&window] { return !window.converterList()->isRunning(); }, 10000))
            faults << "quit-asked: the run did not end";
        RecordingSdk::reset();
        return faults;
    }

    // The ink of an entry's text: the box of its pixels darker than the background.
    static QRect inkOf(QMenu* menu, QAction* entry)
    {
        // Inside the menu's frame.
        QRect const area = menu->actionGeometry(entry).adjusted(4, 0, -4, 0);
        QImage picture(area.size(), QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter(&picture).drawPixmap(0, 0, menu->grab(area));
        QRect ink;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (qGray(picture.pixel(x, y)) < 160)
                    ink |= QRect(x, y, 1, 1);
        return ink;
    }

    // The product menu with its language submenu open: the submenu's names are written in the
    // font of the menu they open from.
    QStringList lookAtLanguageMenu(QString const& language, MainWindow& window)
    {
        QMenu* product = window.menuBar()->actions().last()->menu();
        QAction* choice = product->actions().first();
        QMenu* languages = choice->menu();
        // The pointer away from the menus: an entry under it would be highlighted.
        QCursor::setPos(QGuiApplication::primaryScreen()->geometry().bottomRight());
        product->popup(window.mapToGlobal(QPoint(window.width() - 300, 30)));
        if (!QTest::qWaitForWindowExposed(product))
            return {"language-menu: not shown"};
        product->setActiveAction(choice);
        QTest::keyClick(product, Qt::Key_Right);
        if (!QTest::qWaitFor([languages] { return languages->isVisible(); }))
            return {"language-menu: no submenu"};
        QTest::qWait(100);
        QRect const both = product->geometry().united(languages->geometry());
        TestArtefacts::save(
            QGuiApplication::primaryScreen()->grabWindow(0, both.x(), both.y(), both.width(), both.height()),
            language + "-language-menu");
        QAction* name = languages->actions().at(2);
        QRect const inSubmenu = inkOf(languages, name);
        languages->hide();
        product->hide();
        // The same name once as an entry of the product menu, for the comparison.
        QAction sample(name->text());
        product->insertAction(product->actions().last(), &sample);
        QRect const inMenu = inkOf(product, &sample);
        product->removeAction(&sample);
        if (qAbs(inSubmenu.width() - inMenu.width()) > 1 || qAbs(inSubmenu.height() - inMenu.height()) > 1)
            return {QString("language-menu: \"%1\" is %2x%3 pixels in the submenu, %4x%5 in its menu")
                        .arg(name->text())
                        .arg(inSubmenu.width())
                        .arg(inSubmenu.height())
                        .arg(inMenu.width())
                        .arg(inMenu.height())};
        return {};
    }

    // A download that finds no server, and a package that cannot be unpacked.
    QStringList lookAtInstallFailures(QString const& language)
    {
        DownloadDialog download(nullptr);
        if (download.downloadOCR("http://127.0.0.1:1/ocr-models-mac-v2.zip"))
            return {"download-failed: downloaded"};
        QString const offline = download.failureReason();
        QStringList faults =
            lookAtBox(language, "download-failed", [&] { ComponentCheck::reportFailure(offline); });
        if (InstallModule::instance()->install(m_text, m_home.filePath("models")))
            return faults << "install-failed: installed";
        QString const damaged = InstallModule::instance()->errorString();
        return faults +
               lookAtBox(language, "install-failed", [&] { ComponentCheck::reportFailure(damaged); });
    }

    QStringList look(QString const& language, QString const& screen, QWidget* top)
    {
        top->show();
        if (!QTest::qWaitForWindowExposed(top))
            return {screen + ": not shown"};
        QApplication::processEvents();
        TestArtefacts::save(top->grab(), language + "-" + screen);
        return cutOff(screen, top, language == QLatin1String("en"));
    }

    // Looks at the message box that `act` opens, then closes it.
    QStringList lookAtBox(QString const& language, QString const& screen, std::function<void()> const& act)
    {
        QStringList faults;
        bool seen = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || seen)
                return;
            seen = true;
            faults += look(language, screen, box);
            box->done(QMessageBox::Ok);
        });
        poll.start(50);
        DialogTestMode::setEnabled(false);
        act();
        if (!QTest::qWaitFor([&] { return seen && !QApplication::activeModalWidget(); }, 10000))
            faults << screen + ": no message box";
        DialogTestMode::setEnabled(true);
        return faults;
    }

private slots:
    void initTestCase()
    {
        DialogTestMode::setEnabled(true);
        DesktopOpener::install();
        PMPreferences::getInstance()->setOCRInstalled(true);
        QString const out = m_home.filePath("out");
        QVERIFY(QDir().mkpath(out));
        PMPreferences::getInstance()->saveOutputFolder(out);
        RecordingSdk::install();
        RecordingSdk::log().onStart = RecordingSdk::held;
        applyApplicationLook();
        m_pdf = m_home.filePath("Quarterly report.pdf");
        QVERIFY(TestPdf::writePages(m_pdf, 3));
        m_text = m_home.filePath("notes.txt");
        QFile text(m_text);
        QVERIFY(text.open(QIODevice::WriteOnly));
        m_folder = m_home.filePath("folder.pdf");
        QVERIFY(QDir().mkpath(m_folder));
        m_locked = m_home.filePath("locked.pdf");
        QVERIFY(TestPdf::encrypt(m_pdf, m_locked, "secret", "owner"));
        m_twoLines = m_home.filePath("Minutes of\nthe meeting.pdf");
        QVERIFY(QFile::copy(m_pdf, m_twoLines));
    }

    void screens_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << 1 << "en";
        QTest::newRow("French") << 2 << "fr";
        QTest::newRow("Portuguese") << 3 << "pt";
        QTest::newRow("Italian") << 4 << "it";
        QTest::newRow("German") << 5 << "de";
        QTest::newRow("Spanish") << 6 << "es";
        QTest::newRow("Japanese") << 7 << "ja";
    }

    void screens()
    {
        QFETCH(int, value);
        QFETCH(QString, language);
        MultiLanguage::instance()->languageSwitch(value);
        QStringList faults;

        MainWindow window;
        window.resize(914, 640);
        QStringList files{m_pdf};
        window.converterList()->addFileList(files);
        window.converterList()->listWidgetShow();
        window.findChild<QWidget*>("emptyConverterList")->hide();
        faults += look(language, "converter", &window);
        QStringList texts{m_text};
        window.creatorList()->addFileList(texts);
        QTest::mouseClick(window.findChild<QAbstractButton*>("btn_creator"), Qt::LeftButton);
        faults += look(language, "creator", &window);
        QMenu* help = window.menuBar()->actions().value(1)->menu();
        faults += look(language, "help-menu", help);
        help->hide();
        faults += look(language, "file-menu", window.fileMenu());
        window.fileMenu()->hide();
        faults += lookAtLanguageMenu(language, window);
        QTest::mouseClick(window.findChild<QAbstractButton*>("btn_converter"), Qt::LeftButton);
        QMenu* formats = window.converterList()->findChild<QPushButton*>("btn_convert_type")->menu();
        QAction* pages = nullptr;
        for (QAction* action : formats->actions())
            if (action->text() == "to Pages")
                pages = action;
        QVERIFY(pages);
        faults += lookAtBox(language, "iwork", [pages] { pages->trigger(); });
        faults += lookAtRefusals(language, window);
        faults += lookAtQuitQuestion(language, window);
        window.hide();
        faults += lookAtInstallFailures(language);

        // An address no browser opens: here there is no opener at all.
        QByteArray const path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(m_home.filePath("no-programs")));
        faults += lookAtBox(language, "open-failed", [] { QDesktopServices::openUrl(QUrl(g_link_guide)); });
        qputenv("PATH", path);

        QWidget page;
        page.resize(798, 600);
        auto* merge = new MergeWidget(&page);
        merge->completionOfMerger(true, m_home.filePath("Merge.pdf"));
        faults += look(language, "merge", &page);
        QWidget partly;
        partly.resize(798, 600);
        auto* merged = new MergeWidget(&partly);
        merged->mergedCount(2, 3);
        merged->completionOfMerger(true, m_home.filePath("Merge.pdf"));
        faults += look(language, "merge-partly", &partly);

        // A name with a line break, and a range chosen beside its field.
        FileListWindow rows(ModeConvert);
        rows.resize(798, 300);
        QStringList named{m_twoLines, m_pdf};
        rows.addFileList(named);
        rows.listWidgetShow();
        QTRY_VERIFY(!rows.rowsPending());
        for (auto* range : rows.findChildren<QAbstractButton*>("btn_range"))
            range->click();
        faults += look(language, "rows", &rows);
        rows.hide();

        QAbout about;
        about.setAttribute(Qt::WA_DeleteOnClose, false);
        faults += look(language, "about", &about);

        for (ConvertType type : {ToDocx, ToXlsx, ToPng, ToOcrPdf}) {
            ConvertOptionSetting options(type);
            options.initSetting();
            options.setOptionType(type);
            faults += look(language, QString("options-%1").arg(int(type)), &options);
        }

        EnterPassword password(nullptr);
        faults += look(language, "password", &password);

        // A locked file that went away cannot be opened with any password.
        QString const gone = m_home.filePath("gone.pdf");
        QVERIFY(QFile::copy(m_locked, gone));
        FileItemList list(ModeConvert);
        list.addFiles({gone});
        QVERIFY(QFile::remove(gone));
        EnterPassword cannotOpen(qobject_cast<PDFFileItem*>(list.getFileItem(0)));
        cannotOpen.findChild<QLineEdit*>("lineEdit_password")->setText("secret");
        cannotOpen.btn_ok_clicked();
        faults += look(language, "password-cannot-open", &cannotOpen);

        MultiLanguage::instance()->languageSwitch(1);
        QVERIFY2(faults.isEmpty(), qPrintable("cut off:\n" + faults.join('\n')));
    }
};

QTEST_MAIN(TestTranslatedScreens)
#include "TestTranslatedScreens.moc"

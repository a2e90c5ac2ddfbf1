#include "dialogs/EnterPassword.h"
#include "engines/ResultCodes.h"
#include "errors/ErrorMessageContext.h"
#include "items/FileItem.h"
#include "items/FileItemList.h"
#include "items/PDFFileItem.h"
#include "list/FileListWindow.h"
#include "list/MergeWidget.h"
#include "startup/ApplicationLook.h"
#include "support/DialogTestMode.h"
#include "window/MainWindow.h"

#include "AppDriver.h"
#include "TestArtefacts.h"
#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QApplication>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDrag>
#include <QElapsedTimer>
#include <QHash>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>

#include <memory>

namespace {

// What a run may take on a slow, loaded machine (the sanitizer build included).
int const g_runTimeout = 600000;
int const g_uiTimeout = 60000;

QColor const g_startIdle(57, 147, 242);
QColor const g_startRunning(252, 56, 57);
QColor const g_startDisabled(181, 181, 181);
QColor const g_showButton(94, 169, 247);

QString output(QString const& program, QStringList const& arguments, int* exitCode = nullptr,
               QProcessEnvironment const& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    bool const finished = process.waitForFinished(300000);
    int const code = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (exitCode)
        *exitCode = code;
    else if (code != 0)
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Debian's Python, where set-up installs the readers: a python3 found first on PATH may lack them.
char const* const g_python = "/usr/bin/python3";

char const* const g_docxText = R"(import sys, docx
from docx.oxml.ns import qn
body = docx.Document(sys.argv[1]).element.body
print(' '.join(t.text or '' for t in body.iter(qn('w:t'))))
)";

char const* const g_xlsxText = R"(import sys, openpyxl
for sheet in openpyxl.load_workbook(sys.argv[1]).worksheets:
    for row in sheet.iter_rows(values_only=True):
        print(' '.join(str(v) for v in row if v is not None))
)";

char const* const g_htmlText = R"(import sys, html.parser
class Text(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(); self.parts = []; self.hidden = 0
    def handle_starttag(self, tag, attrs):
        self.hidden += tag in ('style', 'script')
    def handle_endtag(self, tag):
        self.hidden -= tag in ('style', 'script')
    def handle_data(self, data):
        if not self.hidden: self.parts.append(data)
reader = Text(); reader.feed(open(sys.argv[1], encoding='utf-8').read())
print(' '.join(reader.parts))
)";

QString pythonRead(char const* script, QString const& path)
{
    return output(QString::fromLatin1(g_python), {"-c", QString::fromUtf8(script), path});
}

// Every word, in any case; words may be split by the reader's own spacing.
bool hasWords(QString const& text, QStringList const& words)
{
    QString const plain = text.simplified().toLower();
    for (QString const& word : words) {
        if (!plain.contains(word.toLower()))
            return false;
    }
    return true;
}

// A PDF whose pages are only pictures of text, as a scanner makes them.
bool writeScan(QString const& path, QStringList const& lines, int pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(150);
    QPainter pdf;
    if (!pdf.begin(&writer))
        return false;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(64);
    font.setBold(true);
    for (int page = 1; page <= pages; ++page) {
        QImage picture(1240, 1754, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.setFont(font);
        painter.setPen(Qt::black);
        for (int i = 0; i < lines.size(); ++i)
            painter.drawText(QPointF(120, 260 + i * 140), lines.at(i));
        painter.drawText(QPointF(120, 260 + lines.size() * 140), QStringLiteral("PAGE %1").arg(page));
        painter.end();
        if (page > 1)
            writer.newPage();
        pdf.drawImage(QRect(0, 0, writer.width(), writer.height()), picture);
    }
    return pdf.end();
}

bool writeText(QString const& path, QByteArray const& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// A Word document made by the office suite from a small HTML page.
bool writeWordDocument(QString const& path, QString const& text, QString const& scratch)
{
    QFileInfo const target(path);
    QString const html = scratch + "/" + target.completeBaseName() + ".html";
    if (!writeText(html, ("<html><body><h1>Letter</h1><p>" + text + "</p></body></html>").toUtf8()))
        return false;
    int code = -1;
    output("soffice", {"-env:UserInstallation=file://" + scratch + "/office", "--headless", "--convert-to",
                       "docx:MS Word 2007 XML", "--outdir", target.absolutePath(), html},
           &code);
    return code == 0 && target.exists();
}

// One digest over a file, or over every file of a folder in name order.
QByteArray digest(QString const& path)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QStringList files{path};
    if (QFileInfo(path).isDir()) {
        files.clear();
        for (QString const& name : QDir(path).entryList(QDir::Files, QDir::Name))
            files << path + "/" + name;
    }
    for (QString const& file : files) {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly))
            return QByteArray();
        hash.addData(file.toUtf8());
        hash.addData(in.readAll());
    }
    return hash.result();
}

// Pictures in a folder that a picture reader takes for one page each.
int readableImages(QString const& folder, QByteArray const& format)
{
    int count = 0;
    for (QString const& name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        QImageReader reader(folder + "/" + name);
        if (reader.format() != format || reader.imageCount() > 1 || reader.read().isNull())
            return -1;
        ++count;
    }
    return count;
}

// A window of the test's own from which files are dragged onto the application, as from a
// file manager. The real pointer is pressed on it; from then on, inside the drag, a timer moves
// the pointer over the target until the target takes the drag, and releases there.
class DropSource : public QWidget
{
public:
    DropSource()
    {
        setWindowTitle(QStringLiteral("Files to drop"));
        setGeometry(8, 8, 120, 90);
    }

    void prepare(QList<QUrl> const& urls, QPoint target)
    {
        m_urls = urls;
        m_target = target;
        m_done = false;
        m_result = Qt::IgnoreAction;
    }
    bool done() const { return m_done; }
    Qt::DropAction result() const { return m_result; }

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls(m_urls);
        drag->setMimeData(data);
        Qt::DropAction offered = Qt::IgnoreAction;
        QMetaObject::Connection const answer =
            connect(drag, &QDrag::actionChanged, drag, [&offered](Qt::DropAction action) { offered = action; });
        int step = 0;
        QTimer player;
        QObject::connect(&player, &QTimer::timeout, [&] {
            // Released only once the target has answered with a drop it accepts.
            if ((offered != Qt::IgnoreAction && step >= 3) || step > 400) {
                player.stop();
                AppDriver::xdotool({"mouseup", "1"});
                return;
            }
            ++step;
            QPoint const to = m_target + QPoint(step % 2 * 6, 0);
            AppDriver::xdotool({"mousemove", QString::number(to.x()), QString::number(to.y())});
        });
        player.start(150);
        m_result = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
        // The drag stays until the target has fetched the files; the window system's side of
        // Qt deletes it then.
        disconnect(answer);
        m_done = true;
    }

private:
    QList<QUrl> m_urls;
    QPoint m_target;
    bool m_done = false;
    Qt::DropAction m_result = Qt::IgnoreAction;
};

} // namespace

class TestAcceptance : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QTemporaryDir m_appHome;
    AppDriver m_app;
    DropSource m_source;
    int m_shots = 0;
    QImage m_lastRead; // what tesseract was given last, kept when it did not read the text

    // The same main window, built in the test as the application builds it and never shown:
    // it says where each widget of the real window lies.
    std::unique_ptr<MainWindow> m_twin;
    FileListWindow* m_converter = nullptr;
    FileListWindow* m_creator = nullptr;
    int m_titleArea = 0;
    QPoint m_origin;

    QString m_scan, m_longScan, m_pageScan, m_report, m_figures, m_locked, m_lockedCopy, m_notes;
    QString m_letter, m_photo, m_memo;
    QString m_converted, m_created;
    QString m_full; // an output folder on a disk that is full
    QMap<QString, QByteArray> m_firstOutputs;

    void screenshot(QString const& step, int settleMs = 300)
    {
        m_app.screenshot(QString::asprintf("acceptance-%02d-", ++m_shots) + step, settleMs);
    }

    // Where a point of a twin widget lies in the application's window.
    QPoint at(QWidget* widget, QPoint local) const
    {
        // A page shown for the first time is laid out by a posted request.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        return widget->mapTo(m_twin.get(), local) + QPoint(0, m_titleArea);
    }
    QPoint centreOf(QWidget* widget) const { return at(widget, widget->rect().center()); }

    template<typename T>
    T* child(QObject* parent, char const* name) const
    {
        T* found = parent->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("the twin has no %s", name);
        return found;
    }

    QWidget* row(FileListWindow* page, int index) const
    {
        auto* list = child<QListWidget>(page, "listWidget");
        return list->itemWidget(list->item(index));
    }

    QColor pixel(QPoint inWindow) const
    {
        QPoint const onScreen = m_origin + inWindow;
        return QGuiApplication::primaryScreen()->grabWindow(0, onScreen.x(), onScreen.y(), 1, 1).toImage().pixelColor(0, 0);
    }

    // The start button's colour says whether its page is idle, running or has nothing to do.
    bool startButtonIs(FileListWindow* page, QColor const& colour, int timeoutMs)
    {
        auto* start = child<QPushButton>(page, "btn_start");
        QPoint const point = at(start, QPoint(5, start->height() / 2));
        return QTest::qWaitFor([&] { return pixel(point) == colour; }, timeoutMs);
    }

    // The creator page's button stays blue when a run ends (every file may be made again): its
    // run has ended once the output reads as a whole PDF and the button is no longer red.
    bool created(QString const& path)
    {
        return QTest::qWaitFor([&] { return QFileInfo(path).size() > 0 && TestPdf::pageCount(path) > 0; },
                               g_runTimeout) &&
               startButtonIs(m_creator, g_startIdle, g_runTimeout);
    }

    // A click where a user clicks the widget: a check or radio button on its box or its text.
    void clickTwinAndApp(QWidget* widget)
    {
        QPoint point = widget->rect().center();
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(radio);
            option.text = radio->text();
            point = radio->style()->subElementRect(QStyle::SE_RadioButtonClickRect, &option, radio).center();
        }
        m_app.click(at(widget, point));
        QTest::mouseClick(widget, Qt::LeftButton, {}, point);
    }

    // Drags the files from the test's own window onto the application's window.
    void dropFiles(QStringList const& paths)
    {
        QList<QUrl> urls;
        for (QString const& path : paths)
            urls << QUrl::fromLocalFile(path);
        m_source.prepare(urls, m_app.windowGeometry().center());
        m_app.moveTo(m_source.rect().center(), QString::number(m_source.winId()));
        AppDriver::xdotool({"mousedown", "1"});
        QVERIFY2(QTest::qWaitFor([&] { return m_source.done(); }, g_uiTimeout), "the drag did not end");
        QVERIFY2(m_source.result() != Qt::IgnoreAction, "the application refused the drop");

        // The twin takes the same drop.
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_twin.get(), &enter);
        QDropEvent drop(QPointF(400, 300), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_twin.get(), &drop);
    }

    // Opens a menu with a click, then clicks the entries of `path` one after the other, each in
    // the menu window it shows in; the places come from the twin's menus.
    void pickFromMenu(QPoint opener, QList<QPair<QMenu*, QAction*>> const& path)
    {
        QStringList const before = m_app.visibleWindows();
        m_app.click(opener);
        QStringList opened;
        for (auto const& [menu, entry] : path) {
            QString const popup = m_app.waitForNewWindow(before + opened, g_uiTimeout);
            QVERIFY2(!popup.isEmpty(), qPrintable("no menu shows " + entry->text()));
            QCOMPARE(AppDriver::geometryOf(popup).size(), menu->sizeHint());
            opened << popup;
            m_app.click(menu->actionGeometry(entry).center(), popup);
        }
        for (QString const& popup : opened)
            QVERIFY2(m_app.waitForWindowGone(popup, g_uiTimeout), "a menu stayed open");
        path.last().second->trigger();
    }

    QAction* entryNamed(QMenu* menu, QString const& text) const
    {
        for (QAction* action : menu->actions()) {
            if (action->text() == text)
                return action;
        }
        qFatal("the twin's menu has no %s", qPrintable(text));
    }

    // A row's target, picked from its format menu.
    void chooseTarget(int index, QString const& target)
    {
        auto* button = child<QPushButton>(row(m_converter, index), "btn_convert_type");
        QMenu* menu = button->menu();
        QList<QPair<QMenu*, QAction*>> path;
        if (target == "PNG") {
            QAction* image = entryNamed(menu, "to Image");
            path << qMakePair(menu, image) << qMakePair(image->menu(), entryNamed(image->menu(), target));
        } else {
            path << qMakePair(menu, entryNamed(menu, target));
        }
        pickFromMenu(centreOf(button), path);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(button->text(), target);
    }

    QAction* languageEntry(QString const& language) const
    {
        for (QAction* action : m_twin->menuBar()->actions()) {
            for (QAction* entry : action->menu()->actions()) {
                if (entry->menu() && entry->menu()->objectName() == "languageMenu")
                    return entryNamed(entry->menu(), language);
            }
        }
        qFatal("the twin has no language menu");
    }

    void switchLanguage(QString const& language)
    {
        QAction* choice = languageEntry(language);
        QMenuBar* bar = m_twin->menuBar();
        for (QAction* top : bar->actions()) {
            for (QAction* entry : top->menu()->actions()) {
                if (entry->menu() == choice->parent()) {
                    pickFromMenu(at(bar, bar->actionGeometry(top).center()),
                                 {qMakePair(top->menu(), entry), qMakePair(entry->menu(), choice)});
                    return;
                }
            }
        }
        QFAIL("the language menu is in no menu");
    }

    // What tesseract reads in a part of the application's window, enlarged for it; a single
    // line when asked, which it reads more surely than a whole window.
    QString readWindow(QRect inWindow, QString const& languages, bool line = false)
    {
        QRect const onScreen = inWindow.translated(m_origin);
        QImage const grabbed = QGuiApplication::primaryScreen()
                                   ->grabWindow(0, onScreen.x(), onScreen.y(), onScreen.width(), onScreen.height())
                                   .toImage()
                                   .convertToFormat(QImage::Format_RGB32)
                                   .scaled(onScreen.size() * 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // Black text on white whatever the colours: the commonest colour is the background,
        // anything far from it is writing (white on a blue button, grey on a disabled one).
        QHash<QRgb, int> counts;
        for (int y = 0; y < grabbed.height(); ++y) {
            auto const* line = reinterpret_cast<QRgb const*>(grabbed.constScanLine(y));
            for (int x = 0; x < grabbed.width(); ++x)
                ++counts[line[x] & 0xf0f0f0];
        }
        QRgb background = 0;
        int most = -1;
        for (auto count = counts.cbegin(); count != counts.cend(); ++count) {
            if (count.value() > most) {
                most = count.value();
                background = count.key();
            }
        }
        QImage picture(grabbed.size(), QImage::Format_Grayscale8);
        for (int y = 0; y < grabbed.height(); ++y) {
            auto const* in = reinterpret_cast<QRgb const*>(grabbed.constScanLine(y));
            uchar* out = picture.scanLine(y);
            for (int x = 0; x < grabbed.width(); ++x) {
                int const distance = qAbs(qRed(in[x]) - qRed(background)) + qAbs(qGreen(in[x]) - qGreen(background)) +
                                     qAbs(qBlue(in[x]) - qBlue(background));
                out[x] = distance > 90 ? 0 : 255;
            }
        }
        QString const file = m_home.filePath("screen.png");
        picture.save(file);
        m_lastRead = picture;
        QStringList arguments{file, "stdout", "-l", languages};
        if (line)
            arguments << "--psm" << "7";
        // One thread: on a loaded machine tesseract's threads wait on each other for minutes.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("OMP_THREAD_LIMIT", "1");
        return output("tesseract", arguments, nullptr, environment);
    }

    static QStringList wordsOf(QString const& text)
    {
        QStringList words;
        for (QString const& word : text.split(QRegularExpression("[^\\w]+"), Qt::SkipEmptyParts)) {
            if (word.size() >= 4)
                words << word;
        }
        return words;
    }

    // Whether tesseract read the word; in a long word one letter may be misread ("rn" as "m").
    static bool readsWord(QString const& read, QString const& word)
    {
        if (read.contains(word, Qt::CaseInsensitive))
            return true;
        if (word.size() < 6)
            return false;
        // "rn" read as "m" is one misread, not two edits.
        QString const wanted = word.toLower().replace(QLatin1String("rn"), QLatin1String("m"));
        QString const seen = read.toLower().replace(QLatin1String("rn"), QLatin1String("m"));
        for (QString const& token : seen.split(QRegularExpression("[^\\w]+"), Qt::SkipEmptyParts)) {
            if (qAbs(token.size() - wanted.size()) > 1)
                continue;
            // Edit distance, one row at a time.
            QVector<int> row(wanted.size() + 1);
            for (int j = 0; j <= wanted.size(); ++j)
                row[j] = j;
            for (int i = 1; i <= token.size(); ++i) {
                int diagonal = row[0];
                row[0] = i;
                for (int j = 1; j <= wanted.size(); ++j) {
                    int const above = row[j];
                    row[j] = qMin(qMin(row[j] + 1, row[j - 1] + 1), diagonal + (token[i - 1] == wanted[j - 1] ? 0 : 1));
                    diagonal = above;
                }
            }
            if (row[wanted.size()] <= 1)
                return true;
        }
        return false;
    }

    // The texts of the twin's widgets, read by tesseract where each lies in the real window,
    // and the menu bar's titles.
    void expectTexts(QList<QWidget*> const& widgets, QString const& languages)
    {
        QList<QPair<QRect, QString>> places;
        for (QWidget* widget : widgets) {
            QString text;
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                text = button->text();
            else if (auto* label = qobject_cast<QLabel*>(widget))
                text = label->text();
            places << qMakePair(QRect(at(widget, QPoint(0, 0)), widget->size()), text);
        }
        QMenuBar* bar = m_twin->menuBar();
        for (QAction* action : bar->actions())
            places << qMakePair(QRect(at(bar, bar->actionGeometry(action).topLeft()), bar->actionGeometry(action).size()),
                                action->text());
        for (auto const& [area, text] : places) {
            QString const read = readWindow(area, languages, true);
            for (QString const& word : wordsOf(text)) {
                if (!readsWord(read, word))
                    TestArtefacts::save(QPixmap::fromImage(m_lastRead), "acceptance-unread-" + word);
                QVERIFY2(readsWord(read, word),
                         qPrintable(QString("\"%1\" not on the screen; read: %2").arg(word, read.simplified())));
            }
        }
    }

    QStringList outputNames(QString const& folder) const
    {
        return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }

    // The outputs of one converter run, read back with readers of their own.
    void checkConverted(QString const& suffix)
    {
        QString const scan = m_converted + "/scan" + suffix + ".pdf";
        QVERIFY2(hasWords(TestPdf::text(scan), {"harbour", "lantern"}), qPrintable(TestPdf::text(scan)));

        QString const word = m_converted + "/report" + suffix + ".docx";
        QVERIFY(QFileInfo(word).size() > 0);
        QString const document = pythonRead(g_docxText, word);
        QVERIFY2(hasWords(document, {"amber", "cobalt"}), qPrintable(document));
        QVERIFY2(!hasWords(document, {"basalt"}), "the page left out of the range is in the document");

        QString const excel = m_converted + "/figures" + suffix + ".xlsx";
        QVERIFY(QFileInfo(excel).size() > 0);
        QString const workbook = pythonRead(g_xlsxText, excel);
        QVERIFY2(hasWords(workbook, {"walnut", "orchard"}), qPrintable(workbook));

        QFile text(m_converted + "/locked" + suffix + ".txt");
        QVERIFY(text.open(QIODevice::ReadOnly));
        QString const plain = QString::fromUtf8(text.readAll());
        QVERIFY2(hasWords(plain, {"velvet", "quartz"}), qPrintable(plain));

        QCOMPARE(readableImages(m_converted + "/locked-copy" + suffix, "png"), 2);

        QString const html = pythonRead(g_htmlText, m_converted + "/notes" + suffix + ".html");
        QVERIFY2(hasWords(html, {"sapphire", "lighthouse"}), qPrintable(html));
    }

    // The application's message (titled "Note"): photographed, then answered with Return.
    void answerNote(QString const& step)
    {
        QString note;
        QVERIFY2(QTest::qWaitFor([&] { return !(note = AppDriver::windowNamed("Note")).isEmpty(); }, g_uiTimeout),
                 "no message came");
        screenshot(step);
        m_app.key("Return", note);
        QVERIFY2(m_app.waitForWindowGone(note, g_uiTimeout), "the message stayed");
    }

    void runConverterToTheEnd()
    {
        auto* start = child<QPushButton>(m_converter, "btn_start");
        QVERIFY2(startButtonIs(m_converter, g_startIdle, g_uiTimeout), "nothing to convert");
        QElapsedTimer clock;
        clock.start();
        m_app.click(centreOf(start));
        QVERIFY2(startButtonIs(m_converter, g_startDisabled, g_runTimeout), "the run did not end");
        qInfo("converter run: %lld ms", clock.elapsed());
    }

    // Every file and folder in a folder, hidden ones included.
    static QStringList allIn(QString const& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    bool markIsRed(QWidget* mark) const
    {
        return pixel(at(mark, QPoint(mark->width() / 2, mark->height() / 6))) == QColor(252, 56, 57);
    }

    // Starts the converter page and waits until the row's mark shows its failure and the run ended.
    void runToAFailure(int index)
    {
        auto* mark = child<QPushButton>(row(m_converter, index), "btn_convert_finished");
        QVERIFY2(startButtonIs(m_converter, g_startIdle, g_uiTimeout), "nothing to convert");
        m_app.click(centreOf(child<QPushButton>(m_converter, "btn_start")));
        // A file that fails at once may leave no time to see the run's red button.
        QVERIFY2(QTest::qWaitFor([&] { return markIsRed(mark); }, g_runTimeout), "the row shows no failure");
        QVERIFY2(startButtonIs(m_converter, g_startIdle, g_runTimeout), "the run did not end");
    }

    // What tesseract read, in the language's own letters: Japanese comes with blanks between
    // its letters.
    static QString readAs(QString read, QString const& language)
    {
        return language == "jpn" ? read.remove(QRegularExpression("\\s")) : read;
    }

    // Rests the pointer on a row's mark until its tool tip shows, photographs it and reads it:
    // it lies whole on the screen and says the text.
    void expectToolTip(QWidget* mark, QString const& text, QString const& language, QString const& step)
    {
        // A click on a label takes down a tool tip that is up (a failure shows its own at once).
        m_app.click(centreOf(child<QLabel>(m_converter, "label")));
        QStringList const alone{m_app.window()};
        QVERIFY2(QTest::qWaitFor([&] { return m_app.visibleWindows() == alone; }, g_uiTimeout),
                 "a window other than the main one stayed");
        m_app.moveTo(centreOf(mark));
        QString const tip = m_app.waitForNewWindow(alone, g_uiTimeout);
        QVERIFY2(!tip.isEmpty(), qPrintable("no tool tip showed for " + step));
        QRect const onScreen = AppDriver::geometryOf(tip);
        screenshot(step);
        QVERIFY2(QGuiApplication::primaryScreen()->geometry().contains(onScreen),
                 "the tool tip runs off the screen");
        QString const read = readAs(readWindow(onScreen.translated(-m_origin), language, true), language);
        for (QString const& word : wordsOf(text))
            QVERIFY2(readsWord(read, word),
                     qPrintable(QString("\"%1\" not in the tool tip; read: %2").arg(word, read)));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_appHome.isValid());
        QString const inputs = m_home.filePath("inputs");
        QVERIFY(QDir().mkpath(inputs));
        auto input = [&](QString const& name) { return inputs + "/" + name; };
        m_scan = input("scan.pdf");
        // Pages enough that a run is still busy with them when it is cancelled.
        QVERIFY(writeScan(m_scan, {"HARBOUR LANTERN", "COPPER KETTLE"}, 40));
        QVERIFY(TestPdf::text(m_scan).trimmed().isEmpty());
        m_pageScan = input("scanned-letter.pdf");
        QVERIFY(writeScan(m_pageScan, {"WILLOW GARDEN"}, 2));
        m_longScan = input("long-scan.pdf");
        // Read for long enough that a user acts while it runs.
        QVERIFY(writeScan(m_longScan, {"NIGHT HERON"}, 160));
        m_report = input("report.pdf");
        QVERIFY(TestPdf::write(m_report, {"Report one amber meadow", "Report two basalt canyon",
                                          "Report three cobalt river"}));
        m_figures = input("figures.pdf");
        QVERIFY(TestPdf::write(m_figures, {"Figures walnut 1234 orchard"}));
        m_locked = input("locked.pdf");
        QString const open = input("open.pdf");
        QVERIFY(TestPdf::write(open, {"Locked first velvet", "Locked second quartz"}));
        QVERIFY(TestPdf::encrypt(open, m_locked, "secret", "owner"));
        QVERIFY(QFile::remove(open));
        m_lockedCopy = input("locked-copy.pdf");
        QVERIFY(QFile::copy(m_locked, m_lockedCopy));
        m_notes = input("notes.pdf");
        QVERIFY(TestPdf::write(m_notes, {"Notes sapphire lighthouse"}));

        m_letter = input("letter.docx");
        QTemporaryDir scratch;
        QVERIFY(writeWordDocument(m_letter, "Dear reader, juniper compass.", scratch.path()));
        m_photo = input("photo.png");
        QImage photo(640, 480, QImage::Format_RGB32);
        photo.fill(QColor(90, 140, 200));
        QPainter(&photo).fillRect(100, 100, 300, 200, QColor(250, 200, 60));
        QVERIFY(photo.save(m_photo));
        m_memo = input("memo.txt");
        QVERIFY(writeText(m_memo, "Memo: tangerine glacier.\n"));

        m_converted = m_appHome.path() + "/Documents/converted";
        m_created = m_appHome.path() + "/Documents/created";
        QVERIFY(QDir().mkpath(m_converted));
        QVERIFY(QDir().mkpath(m_created));
        QVERIFY(QDir().mkpath(m_appHome.path() + "/Documents/full"));
        m_full = QFileInfo(m_appHome.path() + "/Documents/full").canonicalFilePath();

        // The twin is built from the same code as the application's window, in a home of its own.
        DialogTestMode::setEnabled(true);
        QtMessageHandler const testOutput = qInstallMessageHandler(nullptr);
        m_twin = std::make_unique<MainWindow>(nullptr);
        // Its logger took the test's messages: they go back to the test.
        qInstallMessageHandler(testOutput);
        m_twin->setAttribute(Qt::WA_DontShowOnScreen);
        m_twin->show();
        for (FileListWindow* page : m_twin->findChildren<FileListWindow*>())
            (page->functionMode() == ModeConvert ? m_converter : m_creator) = page;
        QVERIFY(m_converter && m_creator);

        m_source.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_source));
    }

    void startsInAFreshHome()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", m_appHome.path());
        // One output folder lies on a disk that is full: the fault injector goes into the
        // application and every helper it starts, and touches no other folder.
        QStringList preload{QString::fromLocal8Bit(DOCQUILL_FULL_DISK_LIBRARY)};
        if (environment.contains("LD_PRELOAD"))
            preload << environment.value("LD_PRELOAD");
        environment.insert("LD_PRELOAD", preload.join(':'));
        environment.insert("DOCQUILL_FULL_DISK_FOLDER", m_full);
        environment.insert("DOCQUILL_FULL_DISK_BYTES", "64");
        environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
        QElapsedTimer clock;
        clock.start();
        QVERIFY(m_app.start(environment));
        qInfo("window shown %lld ms after start", clock.elapsed());
        QRect const window = m_app.windowGeometry();
        QCOMPARE(window.width(), m_twin->width());
        m_titleArea = window.height() - m_twin->height();
        QCOMPARE(m_titleArea, 46);
        m_origin = window.topLeft();
        QVERIFY(startButtonIs(m_converter, g_startDisabled, g_uiTimeout));
        screenshot("start");
        // Its settings and logs are in the fresh home.
        QString const logs = m_appHome.path() + "/Library/Application Support/Tarvello/Docquill/Log";
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(logs).entryList({"*_log.html"}).isEmpty(), g_uiTimeout);
    }

    void choosesTheOutputFolder()
    {
        m_app.click(centreOf(child<QLineEdit>(m_converter, "lineEdit_output")));
        QVERIFY(m_app.chooseInFileDialog("Select output folder", m_converted, g_uiTimeout));
        screenshot("output-folder");
    }

    void dropsFiles()
    {
        // The Word document does not belong on the converter page: it is left out, and a
        // message says so once the rest are there.
        dropFiles({m_letter, m_scan, m_report, m_figures, m_locked, m_lockedCopy, m_notes});
        answerNote("drop-refused");
        QCOMPARE(m_converter->fileList()->fileCount(), 6);
        QVERIFY(startButtonIs(m_converter, g_startIdle, g_uiTimeout));
        auto* list = child<QListWidget>(m_converter, "listWidget");
        for (int index = 0; index < list->count(); ++index)
            QVERIFY2(list->viewport()->rect().contains(list->visualItemRect(list->item(index))),
                     "a row lies outside the list's view");
        screenshot("files-dropped");
    }

    void choosesEachRowsTarget()
    {
        // The first row made in a fresh home keeps the searchable PDF: the model check runs for
        // it a moment after it appears.
        QTest::qWait(1000);
        QStringList const targets{"OCR PDF", "to DOCX", "to XLSX", "to TXT", "PNG", "to HTML"};
        for (int index = 0; index < targets.size(); ++index) {
            chooseTarget(index, targets.at(index));
            if (QTest::currentTestFailed())
                return;
        }
        screenshot("targets-chosen");
    }

    void setsAPageRange()
    {
        QWidget* report = row(m_converter, 1);
        clickTwinAndApp(child<QRadioButton>(report, "btn_range"));
        auto* range = child<QLineEdit>(report, "lineEdit_range");
        QVERIFY(range->isVisible());
        // A range that cannot be read keeps the run from starting, and says which file.
        m_app.click(centreOf(range));
        m_app.type("1-5-2");
        m_app.key("Return");
        m_app.click(centreOf(child<QPushButton>(m_converter, "btn_start")));
        answerNote("range-refused");
        QVERIFY(startButtonIs(m_converter, g_startIdle, g_uiTimeout));
        // Blanks around the numbers are fine: only pages 1 and 3 are converted.
        m_app.click(centreOf(range));
        m_app.key("ctrl+a");
        m_app.type("1, 3");
        m_app.key("Return");
        screenshot("page-range");
    }

    void unlocksBothLockedFiles()
    {
        auto* item = qobject_cast<PDFFileItem*>(m_converter->fileList()->allItems().at(3));
        QVERIFY(item && item->isEncrypted());
        EnterPassword twinDialog(item);
        twinDialog.setAttribute(Qt::WA_DontShowOnScreen);
        twinDialog.show();
        auto* applyToAll = child<QCheckBox>(&twinDialog, "checkBox_apply_all");

        m_app.click(centreOf(child<QPushButton>(row(m_converter, 3), "btn_icon")));
        QString dialog;
        QVERIFY(QTest::qWaitFor([&] { return !(dialog = AppDriver::windowNamed("Password")).isEmpty(); }, g_uiTimeout));
        QCOMPARE(AppDriver::geometryOf(dialog).size(), twinDialog.size());
        m_app.type("wrong", dialog);
        m_app.key("Return", dialog);
        screenshot("password-wrong");
        QVERIFY(!AppDriver::windowNamed("Password").isEmpty());

        m_app.key("ctrl+a", dialog);
        m_app.type("secret", dialog);
        m_app.click(applyToAll->mapTo(&twinDialog, applyToAll->rect().center()), dialog);
        screenshot("password-apply-to-all");
        m_app.key("Return", dialog);
        QVERIFY2(m_app.waitForWindowGone(dialog, g_uiTimeout), "the password dialog stayed");
        screenshot("unlocked");
    }

    void startsAndCancelsARun()
    {
        auto* start = child<QPushButton>(m_converter, "btn_start");
        m_app.click(centreOf(start));
        QVERIFY2(startButtonIs(m_converter, g_startRunning, g_runTimeout), "the run did not start");
        // The red button says it runs: the picture needs no time to settle.
        screenshot("running", 0);
        m_app.click(centreOf(start));
        QVERIFY2(startButtonIs(m_converter, g_startIdle, g_runTimeout), "the cancelled run did not end");
        screenshot("cancelled");
        QVERIFY2(!QFile::exists(m_converted + "/notes.html"), "the run ended before it was cancelled");
    }

    void runsToTheEnd()
    {
        runConverterToTheEnd();
        screenshot("converted");
        QCOMPARE(outputNames(m_converted),
                 QStringList({"figures.xlsx", "locked-copy", "locked.txt", "notes.html", "report.docx", "scan.pdf"}));
        checkConverted(QString());
        for (QString const& name : outputNames(m_converted))
            m_firstOutputs.insert(name, digest(m_converted + "/" + name));
    }

    void secondRunMakesNewNames()
    {
        QStringList const targets{"OCR PDF", "to DOCX", "to XLSX", "to TXT", "PNG", "to HTML"};
        for (int index = 0; index < targets.size(); ++index) {
            chooseTarget(index, targets.at(index));
            if (QTest::currentTestFailed())
                return;
        }
        runConverterToTheEnd();
        screenshot("converted-again");
        QCOMPARE(outputNames(m_converted),
                 QStringList({"figures.xlsx", "figures_1.xlsx", "locked-copy", "locked-copy_1", "locked.txt",
                              "locked_1.txt", "notes.html", "notes_1.html", "report.docx", "report_1.docx",
                              "scan.pdf", "scan_1.pdf"}));
        checkConverted("_1");
        for (auto first = m_firstOutputs.cbegin(); first != m_firstOutputs.cend(); ++first)
            QVERIFY2(digest(m_converted + "/" + first.key()) == first.value(), qPrintable(first.key() + " changed"));
    }

    void createsOneByOne()
    {
        clickTwinAndApp(child<QPushButton>(m_twin.get(), "btn_creator"));
        auto* start = child<QPushButton>(m_creator, "btn_start");

        dropFiles({m_letter});
        QVERIFY(startButtonIs(m_creator, g_startIdle, g_uiTimeout));
        screenshot("creator-document");
        // An output name is a file name, never a way out of the output folder.
        QPoint const name = centreOf(child<QLineEdit>(row(m_creator, 0), "lineEdit_output_name"));
        m_app.click(name);
        m_app.key("ctrl+a");
        m_app.type("../x");
        m_app.key("Return");
        m_app.click(centreOf(start));
        answerNote("name-refused");
        m_app.click(name);
        m_app.key("ctrl+a");
        m_app.type("letter");
        m_app.key("Return");
        // The page's output field is empty in a fresh home: the start asks for a folder.
        m_app.click(centreOf(start));
        QVERIFY(m_app.chooseInFileDialog("Select output folder", m_created, g_uiTimeout));
        QString const letter = m_created + "/letter.pdf";
        QVERIFY2(created(letter), "the document was not created");
        QVERIFY2(hasWords(TestPdf::text(letter), {"juniper", "compass"}), qPrintable(TestPdf::text(letter)));

        m_app.key("ctrl+o");
        QVERIFY(m_app.chooseInFileDialog("Select Files", m_photo, g_uiTimeout));
        QStringList photo{m_photo};
        m_creator->addFileList(photo);
        QVERIFY(startButtonIs(m_creator, g_startIdle, g_uiTimeout));
        m_app.click(centreOf(start));
        QVERIFY2(created(m_created + "/photo.pdf"), "the image was not created");
        QCOMPARE(TestPdf::pageCount(m_created + "/photo.pdf"), 1);

        m_app.click(centreOf(child<QPushButton>(m_creator, "btn_add")));
        QVERIFY(m_app.chooseInFileDialog("Select Files", m_memo, g_uiTimeout));
        QStringList memo{m_memo};
        m_creator->addFileList(memo);
        QVERIFY(startButtonIs(m_creator, g_startIdle, g_uiTimeout));
        m_app.click(centreOf(start));
        QString const text = m_created + "/memo.pdf";
        QVERIFY2(created(text), "the text was not created");
        QVERIFY2(hasWords(TestPdf::text(text), {"tangerine", "glacier"}), qPrintable(TestPdf::text(text)));
        screenshot("created");
        QCOMPARE(outputNames(m_created), QStringList({"letter.pdf", "memo.pdf", "photo.pdf"}));
        QVERIFY2(!QFileInfo::exists(m_appHome.path() + "/Documents/x.pdf"), "a PDF was made outside its folder");
    }

    void mergesIntoOnePdf()
    {
        clickTwinAndApp(child<QPushButton>(m_creator, "btn_merge_switch"));
        QVERIFY(startButtonIs(m_creator, g_startIdle, g_uiTimeout));
        screenshot("merge-on");

        MergeWidget twinPanel(m_creator);
        twinPanel.completionOfMerger(true, QString());
        twinPanel.show();
        auto* ok = child<QPushButton>(&twinPanel, "btnOk");
        auto* show = child<QPushButton>(&twinPanel, "btnShow");

        m_app.click(centreOf(child<QPushButton>(m_creator, "btn_start")));
        QString const merged = m_created + "/Merge.pdf";
        QVERIFY2(QTest::qWaitFor([&] { return pixel(at(show, QPoint(4, show->height() / 2))) == g_showButton; },
                                 g_runTimeout),
                 "the merge did not come to its end");
        screenshot("merged");
        int const pages = TestPdf::pageCount(m_created + "/letter.pdf") + 1 + TestPdf::pageCount(m_created + "/memo.pdf");
        QCOMPARE(TestPdf::pageCount(merged), pages);
        QVERIFY2(hasWords(TestPdf::text(merged), {"juniper", "tangerine"}), qPrintable(TestPdf::text(merged)));
        m_app.click(centreOf(ok));
        QVERIFY2(startButtonIs(m_creator, g_startIdle, g_uiTimeout), "the merge panel stayed");
        screenshot("merge-closed");
    }

    // A source deleted before the start: the merge holds the rest, the panel says how many of
    // how many files are in it, and the row of the missing file shows its failure.
    void mergesWithoutADeletedSource()
    {
        QVERIFY(QFile::remove(m_photo));
        MergeWidget twinPanel(m_creator);
        twinPanel.mergedCount(2, 3);
        twinPanel.completionOfMerger(true, QString());
        twinPanel.show();
        auto* message = child<QLabel>(&twinPanel, "completeMessage");
        auto* ok = child<QPushButton>(&twinPanel, "btnOk");
        auto* show = child<QPushButton>(&twinPanel, "btnShow");

        m_app.click(centreOf(child<QPushButton>(m_creator, "btn_start")));
        QVERIFY2(
            QTest::qWaitFor([&] { return pixel(at(show, QPoint(4, show->height() / 2))) == g_showButton; },
                            g_runTimeout),
            "the merge did not come to its end");
        screenshot("merged-partly");
        QString const read = readWindow(QRect(at(message, QPoint(0, 0)), message->size()), "eng", true);
        QVERIFY2(read.contains("2 of 3") && readsWord(read, "merged"), qPrintable(read));
        QString const merged = m_created + "/Merge_1.pdf";
        int const pages =
            TestPdf::pageCount(m_created + "/letter.pdf") + TestPdf::pageCount(m_created + "/memo.pdf");
        QCOMPARE(TestPdf::pageCount(merged), pages);
        m_app.click(centreOf(ok));
        QVERIFY2(startButtonIs(m_creator, g_startIdle, g_uiTimeout), "the merge panel stayed");
        auto* mark = child<QPushButton>(row(m_creator, 1), "btn_convert_finished");
        QCOMPARE(pixel(at(mark, QPoint(mark->width() / 2, mark->height() / 6))), QColor(252, 56, 57));
        screenshot("merge-partly-closed");
    }

    void switchesToGermanAndBack()
    {
        QMenuBar* bar = m_twin->menuBar();
        QList<QWidget*> const creatorTexts{child<QPushButton>(m_twin.get(), "btn_converter"),
                                           child<QPushButton>(m_twin.get(), "btn_creator"),
                                           child<QLabel>(m_creator, "label_3"), child<QLabel>(m_creator, "label"),
                                           child<QPushButton>(m_creator, "btn_start")};
        QString const english = child<QPushButton>(m_creator, "btn_start")->text();

        switchLanguage(QString::fromUtf8("Deutsch"));
        if (QTest::currentTestFailed())
            return;
        QVERIFY(child<QPushButton>(m_creator, "btn_start")->text() != english);
        screenshot("german");
        // Nothing but the language changed: no dialog came with it.
        QCOMPARE(m_app.visibleWindows(), QStringList{m_app.window()});
        expectTexts(creatorTexts, "deu");

        // The menus follow too.
        QMenu* file = bar->actions().first()->menu();
        QStringList const before = m_app.visibleWindows();
        m_app.click(at(bar, bar->actionGeometry(bar->actions().first()).center()));
        QString const popup = m_app.waitForNewWindow(before, g_uiTimeout);
        QVERIFY(!popup.isEmpty());
        screenshot("german-file-menu");
        QRect const menuArea = AppDriver::geometryOf(popup).translated(-m_origin);
        for (QAction* entry : file->actions()) {
            if (entry->isSeparator())
                continue;
            QString const read = readWindow(file->actionGeometry(entry).translated(menuArea.topLeft()), "deu", true);
            for (QString const& word : wordsOf(entry->text()))
                QVERIFY2(readsWord(read, word),
                         qPrintable(QString("\"%1\" not in the menu; read: %2").arg(word, read.simplified())));
        }
        m_app.key("Escape", popup);
        QVERIFY(m_app.waitForWindowGone(popup, g_uiTimeout));

        clickTwinAndApp(child<QPushButton>(m_twin.get(), "btn_converter"));
        QWidget* report = row(m_converter, 1);
        QList<QWidget*> const converterTexts{child<QRadioButton>(report, "btn_allPage"),
                                             child<QRadioButton>(report, "btn_range"),
                                             child<QPushButton>(m_converter, "btn_start"),
                                             child<QLabel>(m_converter, "label")};
        screenshot("german-converter");
        expectTexts(converterTexts, "deu");

        switchLanguage("English");
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(child<QPushButton>(m_converter, "btn_start")->text(), QStringLiteral("Convert"));
        // Taken first, so the window has repainted before it is read.
        screenshot("english-again");
        expectTexts(converterTexts, "eng");
    }

    // A menu and a question opened during a run show while the file is still being read.
    void opensAMenuAndAQuestionDuringARun()
    {
        // The page emptied first: the new file's row is the first.
        m_app.key("ctrl+shift+BackSpace");
        m_converter->clearAllItems();
        QVERIFY(startButtonIs(m_converter, g_startDisabled, g_uiTimeout));
        dropFiles({m_longScan});
        QVERIFY(startButtonIs(m_converter, g_startIdle, g_uiTimeout));
        chooseTarget(0, "OCR PDF");
        if (QTest::currentTestFailed())
            return;
        auto* start = child<QPushButton>(m_converter, "btn_start");
        m_app.click(centreOf(start));
        QVERIFY2(startButtonIs(m_converter, g_startRunning, g_runTimeout), "the run did not start");

        QMenuBar* bar = m_twin->menuBar();
        QStringList const before = m_app.visibleWindows();
        m_app.click(at(bar, bar->actionGeometry(bar->actions().first()).center()));
        QString const menu = m_app.waitForNewWindow(before, g_uiTimeout);
        QVERIFY2(!menu.isEmpty(), "the File menu did not open");
        QVERIFY2(startButtonIs(m_converter, g_startRunning, 0), "the menu opened only when the run had ended");
        screenshot("menu-during-run", 0);
        m_app.key("Escape", menu);
        QVERIFY(m_app.waitForWindowGone(menu, g_uiTimeout));

        // File → Quit by its key asks first; the answer that comes first is no.
        m_app.key("ctrl+q");
        QString const question = m_app.waitForNewWindow(before, g_uiTimeout);
        QVERIFY2(!question.isEmpty(), "Quit asked nothing");
        QVERIFY2(startButtonIs(m_converter, g_startRunning, 0), "the question came only when the run had ended");
        screenshot("quit-asked-during-run", 0);
        m_app.key("Return", question);
        QVERIFY2(m_app.waitForWindowGone(question, g_uiTimeout), "the question stayed");
        QCOMPARE(m_app.process().state(), QProcess::Running);

        m_app.click(centreOf(start));
        QVERIFY2(startButtonIs(m_converter, g_startIdle, g_runTimeout), "the cancelled run did not end");
    }

    // A scan without a text layer to text, recognition off: the row fails, says that the
    // pages hold no text, and nothing is written.
    void refusesTextFromAScanWithoutRecognition()
    {
        m_app.key("ctrl+shift+BackSpace");
        m_converter->clearAllItems();
        QVERIFY(startButtonIs(m_converter, g_startDisabled, g_uiTimeout));
        dropFiles({m_pageScan});
        QVERIFY(startButtonIs(m_converter, g_startIdle, g_uiTimeout));
        chooseTarget(0, "to TXT");
        if (QTest::currentTestFailed())
            return;
        QStringList const before = allIn(m_converted);
        runToAFailure(0);
        QCOMPARE(allIn(m_converted), before);
    }

    // The output folder's disk is full: the row fails and says so, and the folder keeps no part
    // and no empty file. The scan beside it fails as before.
    void failsOnAFullDisk()
    {
        m_app.click(centreOf(child<QLineEdit>(m_converter, "lineEdit_output")));
        QVERIFY(m_app.chooseInFileDialog("Select output folder", m_full, g_uiTimeout));
        dropFiles({m_report});
        QVERIFY(startButtonIs(m_converter, g_startIdle, g_uiTimeout));
        chooseTarget(1, "to DOCX");
        if (QTest::currentTestFailed())
            return;
        runToAFailure(1);
        QCOMPARE(allIn(m_full), QStringList());
        auto* scanMark = child<QPushButton>(row(m_converter, 0), "btn_convert_finished");
        QVERIFY(markIsRed(scanMark));
        expectToolTip(scanMark, ErrorMessageContext::getErrorMessage(ConvertErrorNoText), "eng",
                      "no-text-tool-tip");
        expectToolTip(child<QPushButton>(row(m_converter, 1), "btn_convert_finished"),
                      ErrorMessageContext::getErrorMessage(ConvertErrorDiskFull), "eng",
                      "disk-full-tool-tip");
    }

    // A merge into a folder on a full disk: the panel names the cause, also in a language chosen
    // while it shows, and leaves nothing in the folder. Then the rows' reasons in Japanese.
    void namesAFullDiskInJapaneseToo()
    {
        clickTwinAndApp(child<QPushButton>(m_twin.get(), "btn_creator"));
        m_app.click(centreOf(child<QLineEdit>(m_creator, "lineEdit_output")));
        QVERIFY(m_app.chooseInFileDialog("Select output folder", m_full, g_uiTimeout));
        MergeWidget twinPanel(m_creator);
        twinPanel.diskFull();
        twinPanel.completionOfMerger(false, QString());
        twinPanel.show();
        auto* icon = child<QLabel>(&twinPanel, "iconLabel");
        auto* message = child<QLabel>(&twinPanel, "completeMessage");
        // Where the text lies, as laid out in the language shown.
        auto const messageArea = [&] { return QRect(at(message, QPoint(0, 0)), message->size()); };

        m_app.click(centreOf(child<QPushButton>(m_creator, "btn_start")));
        QVERIFY2(QTest::qWaitFor([&] { return markIsRed(icon); }, g_runTimeout),
                 "the merge did not come to its end");
        screenshot("merge-disk-full");
        QString read = readWindow(messageArea(), "eng", true);
        QVERIFY2(readsWord(read, "disk") && readsWord(read, "full"), qPrintable(read));
        QCOMPARE(allIn(m_full), QStringList());

        switchLanguage(QString::fromUtf8("日本語"));
        if (QTest::currentTestFailed())
            return;
        screenshot("merge-disk-full-japanese");
        QString const japanese = ErrorMessageContext::getErrorMessageForCreator(CreateErrorDiskFull);
        QVERIFY(japanese != QStringLiteral("The disk is full."));
        QCOMPARE(message->text(), japanese);
        read = readAs(readWindow(messageArea(), "jpn", true), "jpn");
        QVERIFY2(readsWord(read, japanese.chopped(1)), qPrintable(read));
        m_app.click(centreOf(child<QPushButton>(&twinPanel, "btnOk")));
        QVERIFY2(startButtonIs(m_creator, g_startIdle, g_uiTimeout), "the merge panel stayed");

        clickTwinAndApp(child<QPushButton>(m_twin.get(), "btn_converter"));
        expectToolTip(child<QPushButton>(row(m_converter, 0), "btn_convert_finished"),
                      ErrorMessageContext::getErrorMessage(ConvertErrorNoText), "jpn",
                      "no-text-tool-tip-japanese");
        expectToolTip(child<QPushButton>(row(m_converter, 1), "btn_convert_finished"),
                      ErrorMessageContext::getErrorMessage(ConvertErrorDiskFull), "jpn",
                      "disk-full-tool-tip-japanese");
    }

    void closesThroughTheWindow()
    {
        QVERIFY(m_app.close(g_uiTimeout));
        QCOMPARE(m_app.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_app.process().exitCode(), 0);
    }
};

int main(int argc, char** argv)
{
    // As the application starts: the same attributes, palette, font and style sheet, so the
    // twin's widgets lie where the application's do.
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    QApplication app(argc, argv);
    // A run on a slow machine outlasts Qt Test's five minutes for one function.
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "1200000");
    TestAcceptance test;
    applyApplicationLook();
    return QTest::qExec(&test, argc, argv);
}

#include "TestAcceptance.moc"

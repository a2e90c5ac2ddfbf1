#include "TestHome.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QImageReader>
#include <QMovie>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

namespace {

QStringList g_parseWarnings;
QtMessageHandler g_previousHandler = nullptr;

void catchParseWarnings(QtMsgType type, QMessageLogContext const& context, QString const& message)
{
    if (message.contains("Could not parse"))
        g_parseWarnings.append(message);
    g_previousHandler(type, context, message);
}

} // namespace

// The compiled-in pictures and style sheet, under the names and sizes the interface asks for.
// This program links nothing but the resource target, so it also shows that the resources reach
// the final link.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void picture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("animated");

        auto add = [](QString const& name, QSize size, bool animated = false) {
            QTest::newRow(qPrintable(name)) << name << size << animated;
        };
        for (auto const& type : {"PDF", "PDFLock", "Image", "WORD", "PPT", "EXCEL", "CAD", "TXT", "EPUB",
                                 "HTML", "RTF", "OTHER"}) {
            add(QString("%1-3x.png").arg(type), {108, 132});
            add(QString("Pressed-%1-3x.png").arg(type), {108, 132});
        }
        for (auto const& type : {"Pages", "Key", "Numbers"}) {
            add(QString("%1.png").arg(type), {108, 132});
            add(QString("Pressed-%1.png").arg(type), {108, 132});
        }
        for (auto const& name :
             {"processing.png", "finished-3x.png", "finished-pressed.png", "pic_failed-3x.png"})
            add(name, {72, 72});
        add("pic_selectFrt-3x.png", {450, 66});
        add("pic_ocr_editSeting-3x.png", {60, 60});
        add("pic_ocr_editSeting-pressed.png", {60, 60});
        for (auto const& half : {"add", "delete"})
            for (auto const& state : {"3x", "pressed", "disable"})
                add(QString("pic_%1-%2.png").arg(half, state), {120, 78});
        add("pic_close_btn-3x.png", {114, 84});
        add("pic_open_btn-3x.png", {114, 84});
        add("OutPutFolder-3x.png", {63, 54});
        add("OutPutFolder-pressed.png", {63, 54});
        add("exportfolder-3x.png", {48, 48});
        add("pic_main_log-3x.png", {324, 423});
        add("pic_main_log_creator-3x.png", {324, 423});
        add("pic_tab_add-3x.png", {42, 90});
        add("pic_tab_add2-3x.png", {42, 90});
        add("pic_tab_delete-3x.png", {48, 48});
        add("pic_tab_delete2-3x.png", {48, 48});
        for (auto const& name : {"chkImage.png", "unchkImage.png", "radioChkImg.png", "radioUnchkImg.png"})
            add(name, {48, 48});
        add("logo_docquill.ico", {256, 256});
        add("tarvello.ico", {256, 256});
        add("wait.gif", {48, 48}, true);
    }

    void picture()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(bool, animated);

        QString const path = ":/resource/" + name;
        QVERIFY2(QFile::exists(path), qPrintable(path));
        QImageReader reader(path);
        QCOMPARE(QString(reader.format()), QFileInfo(name).suffix());
        QImage const image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.size(), size);

        // A picture whose source failed to draw comes out fully transparent.
        QImage const argb = image.convertToFormat(QImage::Format_ARGB32);
        int opaque = 0;
        for (int y = 0; y < argb.height(); ++y)
            for (int x = 0; x < argb.width(); ++x)
                opaque += qAlpha(argb.pixel(x, y)) > 0 ? 1 : 0;
        QVERIFY2(opaque > 0, "the picture is empty");

        if (animated) {
            QMovie movie(path);
            QVERIFY(movie.isValid());
            QVERIFY(movie.frameCount() > 1);
        }
    }

    void styleSheet()
    {
        TestHome home;
        QFile file(":/resource/style.qss");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString const qss = QString::fromLatin1(file.readAll());

        QRegularExpression const url(R"(url\((:/resource/[^)]+)\))");
        int urls = 0;
        for (auto it = url.globalMatch(qss); it.hasNext(); ++urls) {
            QString const picture = it.next().captured(1);
            QVERIFY2(QFile::exists(picture), qPrintable(picture));
        }
        QCOMPARE(urls, 8);

        g_parseWarnings.clear();
        g_previousHandler = qInstallMessageHandler(catchParseWarnings);
        qApp->setStyleSheet(qss);
        // The application style sheet is parsed when the first widget is polished.
        QPushButton ok;
        ok.setObjectName("btn_ok");
        ok.ensurePolished();
        QCheckBox box;
        box.ensurePolished();
        qInstallMessageHandler(g_previousHandler);
        QVERIFY2(g_parseWarnings.isEmpty(), qPrintable(g_parseWarnings.join('\n')));
        QCOMPARE(ok.palette().color(QPalette::Button), QColor(58, 146, 252));
    }
};

QTEST_MAIN(TestResources)
#include "TestResources.moc"

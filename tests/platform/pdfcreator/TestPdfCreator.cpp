#include "SourceFixtures.h"
#include "TestHome.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace SourceFixtures;

namespace {

struct Run
{
    int exitCode = -1;
    QString errors;
};

void writeBytes(QString const& path, QByteArray const& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), qint64(data.size()));
}

QImage picture()
{
    QImage image(240, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(20, 20, 100, 80, Qt::darkCyan);
    return image;
}

QByteArray pngBytes()
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture().save(&buffer, "PNG");
    return png;
}

} // namespace

class TestPdfCreator : public QObject
{
    Q_OBJECT

private:
    TestHome m_home;

    QString path(QString const& name) const { return m_home.filePath(name); }

    Run runCreator(QStringList const& args,
                   QProcessEnvironment env = QProcessEnvironment::systemEnvironment())
    {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QCoreApplication::applicationDirPath() + "/PdfCreator", args);
        Run run;
        if (!process.waitForFinished(240000) || process.exitStatus() != QProcess::NormalExit)
            return run;
        run.exitCode = process.exitCode();
        run.errors = QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }

    // Writes the source for one kind; the name tells which.
    void makeSource(QString const& name)
    {
        QString const file = path(name);
        QString const suffix = QFileInfo(name).suffix();
        if (suffix == "tiff") {
            QVERIFY(writeTiff(file, {{100, 50, 72}, {80, 80, 0}}));
        } else if (suffix == "gif") {
            QVERIFY(writeGif(file, picture()));
        } else if (suffix == "png" || suffix == "jpg" || suffix == "bmp") {
            QVERIFY(picture().save(file));
        } else if (name == "utf16.txt") {
            QByteArray bytes("\xFF\xFE", 2);
            for (QChar c : QString::fromUtf8("Wide text Ünïcode"))
                bytes.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
            writeBytes(file, bytes);
        } else if (suffix == "txt") {
            writeBytes(file, "Plain words in UTF-8: na\xC3\xAFve\n");
        } else if (suffix == "html") {
            writeBytes(file, "<html><body><h1>Web heading</h1><p style=\"page-break-before: always\">Next "
                             "sheet</p></body></html>");
        } else if (suffix == "rtf") {
            writeBytes(file,
                       "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Rich words\\par\\page Rich second\\par}");
        } else if (suffix == "epub") {
            QVERIFY(writeEpub(file, {"<p>Book start</p>", "<p>Book end</p>"}, pngBytes()));
        } else if (suffix == "chm") {
            QVERIFY(
                writeChm(file, {{"/a.htm", "<p>Help topic one</p>"}, {"/b.htm", "<p>Help topic two</p>"}}));
        } else if (suffix == "docx") {
            QVERIFY(writeDocx(file, {"Word first page", "\f", "Word second page"}));
        } else if (suffix == "xlsx") {
            QVERIFY(writeXlsx(file, {{"Region", "Total"}, {"North", "1234"}}));
        } else if (suffix == "pdf") {
            QPdfWriter writer(file);
            QPainter painter(&writer);
            painter.drawText(200, 200, "Existing PDF");
            writer.newPage();
            painter.drawText(200, 200, "Second PDF page");
        }
    }

    // Slides cannot be written by hand as easily; LibreOffice turns a flat ODF file into PPTX.
    bool makePresentation(QString const& file)
    {
        QTemporaryDir work;
        QString const flat = work.filePath("slides.fodp");
        QFile out(flat);
        if (!out.open(QIODevice::WriteOnly))
            return false;
        QByteArray slides;
        for (char const* words : {"Slide one words", "Slide two words"})
            slides +=
                QByteArray(
                    "<draw:page draw:name=\"p\"><draw:frame svg:x=\"2cm\" svg:y=\"2cm\" svg:width=\"20cm\" "
                    "svg:height=\"3cm\"><draw:text-box><text:p>") +
                words + "</text:p></draw:text-box></draw:frame></draw:page>";
        out.write(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document "
            "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
            "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
            "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
            "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" office:version=\"1.2\" "
            "office:mimetype=\"application/vnd.oasis.opendocument.presentation\"><office:body>"
            "<office:presentation>" +
            slides + "</office:presentation></office:body></office:document>");
        out.close();
        QProcess soffice;
        soffice.start(officeProgram(),
                      {"--headless",
                       "-env:UserInstallation=" + QUrl::fromLocalFile(work.filePath("p")).toString(),
                       "--convert-to", "pptx", "--outdir", work.path(), flat});
        return soffice.waitForFinished(180000) && QFile::copy(work.filePath("slides.pptx"), file);
    }

private slots:
    void eachKindBecomesAPdf_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("office");

        QTest::newRow("png") << "picture.png" << 1 << QString() << false;
        QTest::newRow("jpg") << "picture.jpg" << 1 << QString() << false;
        QTest::newRow("bmp") << "picture.bmp" << 1 << QString() << false;
        QTest::newRow("gif") << "picture.gif" << 1 << QString() << false;
        QTest::newRow("two-frame tiff") << "frames.tiff" << 2 << QString() << false;
        QTest::newRow("UTF-8 text") << "utf8.txt" << 1 << QString::fromUtf8("Plain words in UTF-8: naïve")
                                    << false;
        QTest::newRow("UTF-16 text") << "utf16.txt" << 1 << QString::fromUtf8("Wide text Ünïcode") << false;
        QTest::newRow("html") << "page.html" << 2 << "Web heading" << false;
        QTest::newRow("epub") << "book.epub" << 2 << "Book start" << false;
        QTest::newRow("chm") << "help.chm" << 2 << "Help topic two" << false;
        QTest::newRow("pdf") << "existing.pdf" << 2 << "Second PDF page" << false;
        QTest::newRow("rtf") << "rich.rtf" << 2 << "Rich second" << false;
        QTest::newRow("docx") << "word.docx" << 2 << "Word second page" << true;
        QTest::newRow("xlsx") << "sheet.xlsx" << 1 << "North" << true;
        QTest::newRow("pptx") << "slides.pptx" << 2 << "Slide two words" << true;
    }

    void eachKindBecomesAPdf()
    {
        QFETCH(QString, source);
        QFETCH(int, pages);
        QFETCH(QString, text);
        QFETCH(bool, office);
        if (office && officeProgram().isEmpty())
            QSKIP("LibreOffice (soffice) is not installed; install libreoffice-*-nogui to test this kind");
        if (source.endsWith(".pptx"))
            QVERIFY(makePresentation(path(source)));
        else
            makeSource(source);
        QString const output = path(source + ".pdf");
        Run const run = runCreator({"-input", path(source), "-output", output});
        QVERIFY2(run.exitCode == 0, qPrintable(QString("exit %1: %2").arg(run.exitCode).arg(run.errors)));
        QCOMPARE(pdfPageCount(output), pages);
        if (!text.isEmpty())
            QVERIFY2(pdfText(output).simplified().contains(text), qPrintable(pdfText(output)));
    }

    void failuresGiveTheirFlag_data()
    {
        QTest::addColumn<QStringList>("args");   // %1 stands for the test's folder
        QTest::addColumn<QByteArray>("content"); // of %1/in/source.* when not null
        QTest::addColumn<bool>("withoutPath");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");

        QStringList const ok{"-input", "%1/in/source.txt", "-output", "%1/out/result.pdf"};
        QTest::newRow("source not found") << ok << QByteArray() << false << 64 << "does not exist";
        QTest::newRow("output folder missing")
            << QStringList{"-input", "%1/in/source.txt", "-output", "%1/none/result.pdf"} << QByteArray("x")
            << false << 128 << "output folder";
        QTest::newRow("unreadable image")
            << QStringList{"-input", "%1/in/source.png", "-output", "%1/out/result.pdf"}
            << QByteArray("not a png") << false << 16 << "image";
        QTest::newRow("unknown suffix")
            << QStringList{"-input", "%1/in/source.abc", "-output", "%1/out/result.pdf"} << QByteArray("x")
            << false << 32 << "abc";
        QTest::newRow("no LibreOffice")
            << QStringList{"-input", "%1/in/source.doc", "-output", "%1/out/result.pdf"} << QByteArray("x")
            << true << 32 << "libreoffice-writer-nogui";
        QTest::newRow("three arguments")
            << QStringList(ok.mid(0, 3)) << QByteArray("x") << false << 8 << "usage";
        QTest::newRow("unknown key") << QStringList{"-input", "%1/in/source.txt", "-out", "%1/out/result.pdf"}
                                     << QByteArray("x") << false << 8 << "usage";
        QTest::newRow("key given twice")
            << QStringList{"-input", "%1/in/source.txt", "-input", "%1/out/result.pdf"} << QByteArray("x")
            << false << 8 << "usage";
        QTest::newRow("output over the source")
            << QStringList{"-input", "%1/in/source.pdf", "-output", "%1/in/source.pdf"}
            << QByteArray("%PDF-1.4") << false << 8 << "names the source";
    }

    void failuresGiveTheirFlag()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, content);
        QFETCH(bool, withoutPath);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QDir(path("case")).removeRecursively();
        QDir(m_home.path()).mkpath("case/in");
        QDir(m_home.path()).mkpath("case/out");
        QStringList resolved;
        for (QString const& a : args)
            resolved << QString(a).replace("%1", path("case"));
        QString const input = resolved.value(1);
        if (!content.isNull())
            writeBytes(input, content);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (withoutPath)
            env.insert("PATH", path("empty-path"));
        Run const run = runCreator(resolved, env);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
        QVERIFY(run.errors.startsWith("PdfCreator: ")); // the cause, not a notice from Qt
        QCOMPARE(QDir(path("case/out")).entryList(QDir::Files | QDir::Hidden), QStringList());
        if (!content.isNull()) { // the source is never touched
            QFile source(input);
            QVERIFY(source.open(QIODevice::ReadOnly));
            QCOMPARE(source.readAll(), content);
        }
    }

    void lockedPdfGivesFlag4()
    {
        makeSource("open.pdf");
        QProcess qpdf;
        qpdf.start("qpdf", {"--encrypt", "u", "o", "256", "--", path("open.pdf"), path("locked.pdf")});
        QVERIFY(qpdf.waitForFinished() && qpdf.exitCode() == 0);
        Run const run = runCreator({"-input", path("locked.pdf"), "-output", path("locked-copy.pdf")});
        QCOMPARE(run.exitCode, 4);
        QVERIFY(!QFile::exists(path("locked-copy.pdf")));
    }

    // LibreOffice's own program is a grandchild of the creator: when the creator is killed from
    // outside, it must end too rather than run on alone.
    void officeEndsWithTheCreator()
    {
        QDir(m_home.path()).mkpath("fake-office");
        QString const pidFile = path("fake-office/program.pid");
        QString const office = path("fake-office/soffice");
        writeBytes(office, "#!/bin/sh\nsh -c 'echo $$ > \"" + pidFile.toUtf8() + "\"; exec sleep 120' &\nwait\n");
        QVERIFY(QFile::setPermissions(office, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        writeBytes(path("stuck.docx"), QByteArray("PK\x03\x04") + QByteArray(64, 'x'));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", path("fake-office") + ":" + env.value("PATH"));
        QProcess creator;
        creator.setProcessEnvironment(env);
        creator.start(QCoreApplication::applicationDirPath() + "/PdfCreator",
                      {"-input", path("stuck.docx"), "-output", path("stuck.pdf")});
        QVERIFY(creator.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pidFile).size() > 0, 60000);
        QFile file(pidFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString const program = QString::fromLatin1(file.readAll()).trimmed();
        creator.kill();
        QVERIFY(creator.waitForFinished());
        // Gone, or a zombie waiting for its reaper: either way no longer running.
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists("/proc/" + program) ||
                                     [&program] {
                                         QFile stat("/proc/" + program + "/stat");
                                         return stat.open(QIODevice::ReadOnly) && stat.readAll().contains(") Z ");
                                     }(),
                                 10000);
        QVERIFY(!QFile::exists(path("stuck.pdf")));
    }
};

QTEST_MAIN(TestPdfCreator)
#include "TestPdfCreator.moc"

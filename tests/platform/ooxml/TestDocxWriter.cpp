#include "OfficeRunner.h"
#include "PackageReader.h"
#include "TestHome.h"
#include "WriterTestTypes.h"

#include "ooxml/DocxStreamWriter.h"
#include "ooxml/DocxWriter.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QtTest>

#include <sys/stat.h>

using namespace ooxml;

namespace {

QByteArray encodedImage(char const* format, QColor const& colour)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

WordParagraph paragraph(QVector<WordInline> const& content)
{
    WordParagraph p;
    p.content = content;
    return p;
}

TextRun text(QString const& value, double size = 11.0, bool bold = false, bool italic = false)
{
    return textRun(value, size, bold, italic);
}

WordTable numberTable(int rows, int columns)
{
    WordTable table;
    for (int r = 0; r < rows; ++r) {
        WordTableRow row;
        for (int c = 0; c < columns; ++c) {
            WordTableCell cell;
            cell.paragraphs.append(paragraph({text(QStringLiteral("r%1c%2").arg(r).arg(c))}));
            row.cells.append(cell);
        }
        table.rows.append(row);
    }
    return table;
}

// Three sections, four pages: A4 with a page break, a landscape page, a last A4 page.
WordDocument sampleDocument()
{
    WordSection first;
    first.blocks.append(paragraph({text(QStringLiteral("Heading"), 18.0, true)}));
    first.blocks.append(paragraph({text(QStringLiteral("Normal ")), text(QStringLiteral("bold"), 11.0, true),
                                   text(QStringLiteral(" italic"), 11.0, false, true),
                                   text(QStringLiteral("\nsecond line\tafter tab"))}));
    first.blocks.append(numberTable(4, 3));
    first.blocks.append(PageBreak());
    first.blocks.append(paragraph({text(QStringLiteral("After the break <b>&amp; \"q\" ")),
                                   WordPicture{{encodedImage("PNG", Qt::red), QSizeF(100, 50)}, false, {}}}));
    WordTable ruleless = numberTable(1, 2);
    ruleless.borders = false;
    ruleless.columnWidths = {200.0};
    first.blocks.append(ruleless);
    first.blocks.append(PageBreak());

    WordSection landscape;
    landscape.page.size = QSizeF(842, 595);
    landscape.blocks.append(paragraph(
        {text(QStringLiteral("Landscape page")),
         WordPicture{{encodedImage("JPEG", Qt::blue), QSizeF(200, 100)}, true, QPointF(100, 200)}}));
    WordSection last;
    last.blocks.append(paragraph({text(QStringLiteral("Last page")),
                                  WordPicture{{encodedImage("BMP", Qt::green), QSizeF(40, 20)}, false, {}}}));

    WordDocument document;
    document.info.title = QStringLiteral("Sample & <test>");
    document.sections = {first, landscape, last};
    return document;
}

// One of each kind of formatting the writer knows, on a page in two columns.
WordDocument formattedDocument()
{
    TextRun marked = text(QStringLiteral("marked"), 12.0, true);
    marked.fontFamily = QStringLiteral("Liberation Serif");
    marked.colour = QColor(0xC0, 0x00, 0x00);
    marked.highlight = QColor(0xFF, 0xFF, 0x00);
    marked.underline = true;
    marked.strike = true;
    TextRun raised = text(QStringLiteral("2"));
    raised.script = TextRun::Script::Superscript;
    WordParagraph body = paragraph({text(QStringLiteral("Plain ")), marked, raised});
    body.alignment = WordParagraph::Alignment::Justify;
    body.indentLeft = 36;
    body.firstLineIndent = -18;
    body.lineSpacing = 14;
    body.shading = QColor(0xFB, 0xE4, 0xD5);
    body.tabs = {{300, WordTabStop::Alignment::Right}};
    WordParagraph item = paragraph({text(QStringLiteral("First item"))});
    item.label.kind = WordListLabel::Kind::Decimal;
    item.label.list = 7;
    item.label.start = 3;
    item.label.suffix = QStringLiteral(")");
    WordParagraph framed = paragraph({text(QStringLiteral("In a frame"))});
    framed.frame = QRectF(100, 200, 150, 0);
    WordParagraph nextColumn = paragraph({text(QStringLiteral("Right column"))});
    nextColumn.columnBreakBefore = true;
    // Read from right to left: the end indent at the left, flush at the start.
    WordParagraph rtl = paragraph({text(QStringLiteral("\u05E9\u05DC\u05D5\u05DD"))});
    rtl.rightToLeft = true;
    rtl.alignment = WordParagraph::Alignment::Right;
    rtl.indentLeft = 45;
    WordPicture equation{{encodedImage("PNG", Qt::white), QSizeF(80, 20)}, false, {}};
    equation.description = QStringLiteral("x = y + 1");
    WordParagraph described = paragraph({equation, text(QStringLiteral("hyphen\u00ADated"))});

    WordTable table = numberTable(2, 3);
    table.borders = false;
    table.position = QPointF(60, 400);
    table.rows[0].cells[0].columnSpan = 2;
    table.rows[0].cells.removeLast();
    table.rows[0].cells[0].shading = QColor(0x1F, 0x4E, 0x79);
    table.rows[0].cells[0].top = WordBorder{WordBorder::Style::Dashed, 1.5, QColor(0x80, 0x80, 0x80)};
    table.rows[0].cells[1].verticalMerge = WordTableCell::Merge::Start;
    table.rows[1].cells[2].verticalMerge = WordTableCell::Merge::Continue;
    table.rows[1].height = 30;

    WordSection section;
    section.page.size = QSizeF(842, 595);
    section.page.margins = QMarginsF(40, 50, 30, 20);
    section.page.columns = 2;
    section.page.columnGap = 18;
    section.blocks = {body, item, framed, table, nextColumn, rtl, described};
    WordSection continuous = section;
    continuous.page.columns = 1;
    continuous.page.continuous = true;
    continuous.blocks = {paragraph({text(QStringLiteral("Below the columns"))})};
    WordDocument document;
    document.sections = {section, continuous};
    return document;
}

// Two sections of two pages: running heads that differ on even pages, a page number, a first
// page without them, and footnotes, one numbered by Word and one with a mark of its own.
WordDocument headedDocument()
{
    TextRun number = text(QStringLiteral("7"), 9.0);
    number.field = TextRun::Field::Page;
    WordHeaderFooter odd{{paragraph({text(QStringLiteral("Odd head"))})},
                         {paragraph({text(QStringLiteral("Page "), 9.0), number})}};
    WordHeaderFooter even = odd;
    even.header = {paragraph({text(QStringLiteral("Even head"))})};
    WordNote numbered{{text(QStringLiteral("First note."), 9.0)}, QString(), text(QString())};
    WordNote marked{{text(QStringLiteral("Second note."), 9.0)}, QStringLiteral("*"), text(QString())};
    WordSection first;
    first.page.pages = std::make_shared<WordHeaderFooter>(odd);
    first.page.evenPages = std::make_shared<WordHeaderFooter>(even);
    first.page.firstPage = std::make_shared<WordHeaderFooter>();
    first.page.firstPageNumber = 3;
    first.page.headerDistance = 20;
    first.blocks = {paragraph({text(QStringLiteral("Title page")), numbered}), PageBreak(),
                    paragraph({text(QStringLiteral("Second page")), marked})};
    WordSection second;
    second.page.pages = std::make_shared<WordHeaderFooter>(odd); // the same parts again
    second.blocks = {paragraph({text(QStringLiteral("Third page"))}), PageBreak(),
                     paragraph({text(QStringLiteral("Fourth page"))})};
    WordDocument document;
    document.sections = {first, second};
    return document;
}

QStringList leftovers(QString const& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden);
}

} // namespace

class TestDocxWriter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void writesCompletePackage();
    void storesEachPictureOnce();
    void keepsTextExact_data();
    void keepsTextExact();
    void rejectsBadModelsWithoutLeavingFiles_data();
    void rejectsBadModelsWithoutLeavingFiles();
    void handlesExistingTargets_data();
    void handlesExistingTargets();
    void opensInLibreOffice();
    void writesFormatting_data();
    void writesFormatting();
    void formattingOpensInLibreOffice();
    void writesRunningHeadsAndNotes();
    void endsWithAParagraphAfterAFrame();

private:
    TestHome m_home;
};

void TestDocxWriter::initTestCase()
{
    ::umask(022);
}

void TestDocxWriter::writesCompletePackage()
{
    QString const path = m_home.filePath(QStringLiteral("sample.docx"));
    WriteResult const result = DocxWriter::write(sampleDocument(), path);
    QVERIFY2(result.ok(), qPrintable(result.message));

    PackageReader package(path);
    QCOMPARE(package.problems(), QStringList());
    for (char const* name : {"word/styles.xml", "docProps/core.xml", "docProps/app.xml",
                             "word/media/image1.png", "word/media/image2.jpeg", "word/media/image3.png"})
        QVERIFY2(package.contains(QString::fromLatin1(name)), name);
    QCOMPARE(package.relationshipTargets(QString()).value(QStringLiteral("rId1")),
             QStringLiteral("word/document.xml"));
    QCOMPARE(
        package.contentType(QStringLiteral("word/document.xml")),
        QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"));
    QVERIFY(package.part(QStringLiteral("word/media/image3.png")).startsWith("\x89PNG")); // BMP converted
    QCOMPARE(xmlread::texts(package.part(QStringLiteral("docProps/core.xml")), QStringLiteral("dc:title"))
                 .join(QString()),
             QStringLiteral("Sample & <test>"));

    QByteArray const xml = package.part(QStringLiteral("word/document.xml"));
    QCOMPARE(xmlread::count(xml, QStringLiteral("w:tbl")), 2);
    QCOMPARE(xmlread::count(xml, QStringLiteral("w:tc")), 14);
    QCOMPARE(xmlread::count(xml, QStringLiteral("w:tblBorders")), 1);
    QCOMPARE(xmlread::count(xml, QStringLiteral("w:br")), 1);
    QCOMPARE(xmlread::count(xml, QStringLiteral("w:tab")), 1);
    // The break before the third paragraph; the one ending the section adds no empty page.
    QCOMPARE(xmlread::count(xml, QStringLiteral("w:pageBreakBefore")), 1);
    QCOMPARE(xmlread::count(xml, QStringLiteral("w:b")), 2);
    QCOMPARE(xmlread::count(xml, QStringLiteral("w:i")), 1);
    auto const pages = xmlread::attributes(xml, QStringLiteral("w:pgSz"));
    QCOMPARE(pages.size(), 3);
    QCOMPARE(pages[1].value(QLatin1String("w:w")), QLatin1String("16840"));
    QCOMPARE(pages[1].value(QLatin1String("w:orient")), QLatin1String("landscape"));
    // The first section ends with a table: a hairline paragraph follows it (LibreOffice lets a
    // table float only above a paragraph of its section), and one of its own carries the break.
    QVERIFY(xml.contains("</w:tbl><w:p><w:pPr><w:spacing w:before=\"0\" w:after=\"0\" w:line=\"20\" "
                         "w:lineRule=\"exact\"/>"));
    QVERIFY(xml.contains("</w:p><w:p><w:pPr><w:sectPr>"));
    QVERIFY(xml.trimmed().endsWith("</w:sectPr></w:body></w:document>"));

    QCOMPARE(xmlread::count(xml, QStringLiteral("wp:inline")), 2);
    QCOMPARE(xmlread::attributes(xml, QStringLiteral("wp:anchor")).value(0).value(QLatin1String("behindDoc")),
             QLatin1String("1"));
    QCOMPARE(xmlread::texts(xml, QStringLiteral("wp:posOffset")),
             (QStringList{QString::number(100 * 12700), QString::number(200 * 12700)}));
    QHash<QString, QString> const targets = package.relationshipTargets(QStringLiteral("word/document.xml"));
    for (QXmlStreamAttributes const& a : xmlread::attributes(xml, QStringLiteral("a:blip")))
        QVERIFY(targets.value(a.value(QLatin1String("r:embed")).toString())
                    .startsWith(QLatin1String("word/media/")));
}

// Pages that show the same picture share one media part; the temporary files are gone. More
// pages than the writing thread lets wait: they still come in order.
void TestDocxWriter::storesEachPictureOnce()
{
    QString const folder = m_home.filePath(QStringLiteral("stream"));
    QVERIFY(QDir().mkpath(folder));
    QString const path = folder + QStringLiteral("/pictures.docx");
    DocxStreamWriter writer(path);
    QByteArray const red = encodedImage("PNG", Qt::red), blue = encodedImage("JPEG", Qt::blue);
    for (int page = 0; page < 300; ++page) {
        writer.beginSection(WordPageSetup());
        WordPicture picture;
        picture.picture = Picture{page % 3 == 2 ? blue : red, QSizeF(40, 20)};
        writer.add(paragraph({picture, text(QStringLiteral("page %1").arg(page + 1))}));
    }
    QCOMPARE(writer.pictureCount(), 2);
    WriteResult const result = writer.finish();
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("pictures.docx")});
    PackageReader package(path);
    QCOMPARE(package.problems(), QStringList());
    QByteArray const xml = package.part(QStringLiteral("word/document.xml"));
    QCOMPARE(xmlread::count(xml, QStringLiteral("w:drawing")), 300);
    QCOMPARE(xmlread::count(xml, QStringLiteral("w:sectPr")), 300);
    QStringList pages;
    for (int page = 0; page < 300; ++page)
        pages << QStringLiteral("page %1").arg(page + 1);
    QCOMPARE(xmlread::texts(xml, QStringLiteral("w:t")), pages);
    QCOMPARE(package.part(QStringLiteral("word/media/image1.png")), red);
    QCOMPARE(package.part(QStringLiteral("word/media/image2.jpeg")), blue);
    QVERIFY(!package.contains(QStringLiteral("word/media/image3.png")));
    // Every drawing has an id of its own.
    QSet<QString> ids;
    for (QXmlStreamAttributes const& a : xmlread::attributes(xml, QStringLiteral("wp:docPr")))
        ids.insert(a.value(QLatin1String("id")).toString());
    QCOMPARE(ids.size(), 300);
}

void TestDocxWriter::keepsTextExact_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("preserved");
    QTest::newRow("markup characters") << QStringLiteral("<a href=\"x\">&amp; 'q'</a>")
                                       << QStringLiteral("<a href=\"x\">&amp; 'q'</a>") << false;
    QTest::newRow("outside the BMP") << QStringLiteral("\U0001D11E clef \U0001F600")
                                     << QStringLiteral("\U0001D11E clef \U0001F600") << false;
    QTest::newRow("controls dropped") << QStringLiteral("a\x01"
                                                        "b\x0b"
                                                        "c\x1f"
                                                        "d\uFFFE"
                                                        "e\uFFFF"
                                                        "f")
                                      << QStringLiteral("abcdef") << false;
    QTest::newRow("unpaired surrogates dropped")
        << (QStringLiteral("x") + QChar(0xD800) + QStringLiteral("y") + QChar(0xDC00)) << QStringLiteral("xy")
        << false;
    QTest::newRow("spaces kept") << QStringLiteral("  two  spaces ") << QStringLiteral("  two  spaces ")
                                 << true;
    // Compressed in pieces while it is written: the pieces must join into the same text.
    QString longText;
    quint32 seed = 1;
    for (int i = 0; i < 1200000; ++i) {
        seed = seed * 1103515245u + 12345u;
        longText += QChar(i % 7 == 6 ? u' ' : char16_t(u'a' + (seed >> 16) % 26));
    }
    longText = QLatin1Char('x') + longText + QLatin1Char('x');
    QTest::newRow("longer than a compressed piece") << longText << longText << false;
}

void TestDocxWriter::keepsTextExact()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QFETCH(bool, preserved);
    WordDocument document;
    document.sections.append(WordSection());
    document.sections[0].blocks.append(paragraph({text(input)}));
    QString const path = m_home.filePath(QStringLiteral("text.docx"));
    QVERIFY(DocxWriter::write(document, path).ok());

    QByteArray const xml = PackageReader(path).part(QStringLiteral("word/document.xml"));
    QCOMPARE(xmlread::error(xml), QString());
    QCOMPARE(xmlread::texts(xml, QStringLiteral("w:t")).join(QString()), expected);
    auto const attributes = xmlread::attributes(xml, QStringLiteral("w:t"));
    QCOMPARE(attributes.size(), 1);
    QCOMPARE(attributes[0].value(QLatin1String("xml:space")) == QLatin1String("preserve"), preserved);
}

void TestDocxWriter::rejectsBadModelsWithoutLeavingFiles_data()
{
    QTest::addColumn<QByteArray>("pictureData");
    QTest::addColumn<QSizeF>("pictureSize");
    QTest::addColumn<QSizeF>("pageSize");
    QByteArray const png = encodedImage("PNG", Qt::black);
    QTest::newRow("unreadable picture") << QByteArray("not an image") << QSizeF(10, 10) << QSizeF(595, 842);
    QTest::newRow("picture without size") << png << QSizeF(0, 10) << QSizeF(595, 842);
    QTest::newRow("page without size") << png << QSizeF(10, 10) << QSizeF(0, 0);
}

void TestDocxWriter::rejectsBadModelsWithoutLeavingFiles()
{
    QFETCH(QByteArray, pictureData);
    QFETCH(QSizeF, pictureSize);
    QFETCH(QSizeF, pageSize);
    WordDocument document;
    WordSection section;
    section.page.size = pageSize;
    section.blocks.append(
        paragraph({text(QStringLiteral("x")), WordPicture{{pictureData, pictureSize}, false, {}}}));
    document.sections = {section};
    QTemporaryDir folder(m_home.filePath(QStringLiteral("bad-XXXXXX")));
    WriteResult const result = DocxWriter::write(document, folder.filePath(QStringLiteral("bad.docx")));
    QCOMPARE(result.error, WriteError::InvalidDocument);
    QVERIFY(!result.message.isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TestDocxWriter::handlesExistingTargets_data()
{
    QTest::addColumn<QString>("inTheWay"); // "", "file", "folder" or "pipe"
    QTest::addColumn<QString>("target");
    QTest::addColumn<ExistingFile>("existing");
    QTest::addColumn<WriteError>("error");
    QTest::newRow("new file") << ""
                              << "out.docx" << ExistingFile::Fail << WriteError::None;
    QTest::newRow("file replaced") << "file"
                                   << "out.docx" << ExistingFile::Replace << WriteError::None;
    QTest::newRow("file kept") << "file"
                               << "out.docx" << ExistingFile::Fail << WriteError::TargetExists;
    QTest::newRow("folder in the way") << "folder"
                                       << "out.docx" << ExistingFile::Replace << WriteError::CannotWrite;
    QTest::newRow("pipe in the way") << "pipe"
                                     << "out.docx" << ExistingFile::Replace << WriteError::CannotWrite;
    QTest::newRow("missing folder") << ""
                                    << "missing/out.docx" << ExistingFile::Replace << WriteError::CannotWrite;
}

void TestDocxWriter::handlesExistingTargets()
{
    QFETCH(QString, inTheWay);
    QFETCH(QString, target);
    QFETCH(ExistingFile, existing);
    QFETCH(WriteError, error);
    QTemporaryDir folder(m_home.filePath(QStringLiteral("target-XXXXXX")));
    QString const path = folder.filePath(target);
    QByteArray const original("the user's own file");
    if (inTheWay == QLatin1String("file")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(original);
    } else if (inTheWay == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else if (inTheWay == QLatin1String("pipe")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }

    WriteResult const result = DocxWriter::write(sampleDocument(), path, existing);
    QCOMPARE(result.error, error);
    QCOMPARE(result.ok(), result.message.isEmpty());
    QCOMPARE(leftovers(folder.path()), QStringList());
    QFile file(path);
    if (result.ok()) {
        QVERIFY(PackageReader(path).problems().isEmpty());
        // Written with the usual permissions, not those of a private temporary file.
        QVERIFY(QFileInfo(path).permissions() & QFileDevice::ReadOther);
    } else if (inTheWay == QLatin1String("file")) {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), original);
    } else if (inTheWay == QLatin1String("folder")) {
        QVERIFY(QFileInfo(path).isDir());
    } else if (inTheWay == QLatin1String("pipe")) {
        QVERIFY(!QFileInfo(path).isFile() && QFileInfo::exists(path));
    } else {
        QVERIFY(!QFileInfo::exists(path) && !QFileInfo::exists(QFileInfo(path).path()));
    }
}

void TestDocxWriter::opensInLibreOffice()
{
    if (!OfficeRunner::available())
        QSKIP("LibreOffice (soffice) or poppler's pdftotext is not installed");
    QString const path = m_home.filePath(QStringLiteral("office.docx"));
    QVERIFY(DocxWriter::write(sampleDocument(), path).ok());
    QString log;
    QVERIFY2(OfficeRunner::convert({path}, QStringLiteral("pdf"), m_home.path(), &log), qPrintable(log));
    QString const pdf = m_home.filePath(QStringLiteral("office.pdf"));
    QCOMPARE(OfficeRunner::pdfPages(pdf), 4);
    QCOMPARE(OfficeRunner::pdfPageSize(pdf, 1), QStringLiteral("595 x 842"));
    QCOMPARE(OfficeRunner::pdfPageSize(pdf, 3), QStringLiteral("842 x 595"));
    QString const content = OfficeRunner::pdfText(pdf);
    for (char const* expected : {"Heading", "Normal bold italic", "second line", "r3c2",
                                 "After the break <b>&amp; \"q\"", "Landscape page", "Last page"})
        QVERIFY2(content.contains(QString::fromLatin1(expected)), expected);
}

void TestDocxWriter::writesFormatting_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QString>("value");
    auto row = [](char const* name, char const* element, char const* attribute, char const* value,
                  char const* part = "word/document.xml") {
        QTest::newRow(name) << part << element << attribute << value;
    };
    row("face", "w:rFonts", "w:ascii", "Liberation Serif");
    row("colour", "w:color", "w:val", "C00000");
    row("highlight", "w:shd", "w:fill", "FFFF00");
    row("underline", "w:u", "w:val", "single");
    row("superscript", "w:vertAlign", "w:val", "superscript");
    row("paragraph shading", "w:shd", "w:fill", "FBE4D5");
    row("justified", "w:jc", "w:val", "both");
    row("left indent", "w:ind", "w:left", "720");
    row("hanging indent", "w:ind", "w:hanging", "360");
    row("line pitch", "w:spacing", "w:line", "280");
    row("tab stop", "w:tab", "w:pos", "6000");
    row("right tab stop", "w:tab", "w:val", "right");
    row("exact pitch", "w:spacing", "w:lineRule", "exact");
    row("list item", "w:numId", "w:val", "1");
    row("list start", "w:start", "w:val", "3", "word/numbering.xml");
    row("list label", "w:lvlText", "w:val", "%1)", "word/numbering.xml");
    row("frame left", "w:framePr", "w:x", "2000");
    row("frame top", "w:framePr", "w:y", "4000");
    row("frame width", "w:framePr", "w:w", "3000");
    row("floating table", "w:tblpPr", "w:tblpY", "7000"); // from the top margin
    row("floating table's anchor", "w:tblpPr", "w:vertAnchor", "margin");
    row("cell shading", "w:shd", "w:fill", "1F4E79");
    row("dashed rule", "w:top", "w:val", "dashed");
    row("rule width", "w:top", "w:sz", "12");
    row("span", "w:gridSpan", "w:val", "2");
    row("merge start", "w:vMerge", "w:val", "restart");
    row("row height", "w:trHeight", "w:val", "600");
    row("landscape", "w:pgSz", "w:orient", "landscape");
    row("margin", "w:pgMar", "w:left", "800");
    row("columns", "w:cols", "w:num", "2");
    row("column gap", "w:cols", "w:space", "360");
    row("column break", "w:br", "w:type", "column");
    row("continuous section", "w:type", "w:val", "continuous");
    row("right-to-left end indent", "w:ind", "w:right", "900");
    row("right-to-left start", "w:jc", "w:val", "left");
    row("alternative text", "wp:docPr", "descr", "x = y + 1");
    row("optional hyphen", "w:softHyphen", "", "");
}

void TestDocxWriter::writesFormatting()
{
    QFETCH(QString, part);
    QFETCH(QString, element);
    QFETCH(QString, attribute);
    QFETCH(QString, value);
    QString const path = m_home.filePath(QStringLiteral("formatted.docx"));
    if (!QFileInfo::exists(path)) {
        WriteResult const result = DocxWriter::write(formattedDocument(), path);
        QVERIFY2(result.ok(), qPrintable(result.message));
    }
    PackageReader package(path);
    QCOMPARE(package.problems(), QStringList());
    QStringList values;
    for (auto const& attributes : xmlread::attributes(package.part(part), element))
        values << attributes.value(attribute).toString();
    QVERIFY2(values.contains(value), qPrintable(values.join(QLatin1Char(','))));
}

void TestDocxWriter::formattingOpensInLibreOffice()
{
    if (!OfficeRunner::available())
        QSKIP("LibreOffice (soffice) or poppler's tools are not installed");
    QString const path = m_home.filePath(QStringLiteral("formatted-lo.docx"));
    QVERIFY(DocxWriter::write(formattedDocument(), path).ok());
    QString log;
    QVERIFY2(
        OfficeRunner::convert({path}, QStringLiteral("pdf"), m_home.filePath(QStringLiteral("lo")), &log),
        qPrintable(log));
    QString const text = OfficeRunner::pdfText(m_home.filePath(QStringLiteral("lo/formatted-lo.pdf")));
    for (char const* words :
         {"Plain", "marked", "First item", "In a frame", "r1c0", "Right column", "Below the columns"})
        QVERIFY2(text.contains(QLatin1String(words)), words);
    QCOMPARE(OfficeRunner::pdfPages(m_home.filePath(QStringLiteral("lo/formatted-lo.pdf"))), 1);
}

void TestDocxWriter::writesRunningHeadsAndNotes()
{
    QString const path = m_home.filePath(QStringLiteral("headed.docx"));
    WriteResult const result = DocxWriter::write(headedDocument(), path);
    QVERIFY2(result.ok(), qPrintable(result.message));
    PackageReader package(path);
    QCOMPARE(package.problems(), QStringList());
    QByteArray const xml = package.part(QStringLiteral("word/document.xml"));
    // Each distinct part once: odd and even heads, the footer, the empty first page's two.
    QHash<QString, QString> const targets = package.relationshipTargets(QStringLiteral("word/document.xml"));
    QStringList referenced;
    for (auto const& name : {QStringLiteral("w:headerReference"), QStringLiteral("w:footerReference")})
        for (auto const& a : xmlread::attributes(xml, name))
            referenced << targets.value(a.value(QLatin1String("r:id")).toString());
    QCOMPARE(referenced.size(), 10);
    referenced.removeDuplicates();
    QCOMPARE(referenced.size(), 5);
    QCOMPARE(xmlread::count(xml, QStringLiteral("w:titlePg")), 1);
    QCOMPARE(xmlread::attributes(xml, QStringLiteral("w:pgNumType")).value(0).value("w:start").toString(),
             QStringLiteral("3"));
    QCOMPARE(xmlread::attributes(xml, QStringLiteral("w:pgMar")).value(0).value("w:header").toString(),
             QStringLiteral("400"));
    QVERIFY(package.part(QStringLiteral("word/settings.xml")).contains("<w:evenAndOddHeaders/>"));
    QByteArray const notes = package.part(QStringLiteral("word/footnotes.xml"));
    QCOMPARE(xmlread::texts(notes, QStringLiteral("w:footnote")).mid(2),
             (QStringList{QStringLiteral(" First note."), QStringLiteral("* Second note.")}));
    QCOMPARE(
        xmlread::attributes(xml, QStringLiteral("w:footnoteReference")).value(1).value("w:customMarkFollows"),
        QLatin1String("1"));

    if (!OfficeRunner::available())
        QSKIP("LibreOffice (soffice) or poppler's tools are not installed");
    QString log;
    QVERIFY2(
        OfficeRunner::convert({path}, QStringLiteral("pdf"), m_home.filePath(QStringLiteral("headed")), &log),
        qPrintable(log));
    QString const pdf = m_home.filePath(QStringLiteral("headed/headed.pdf"));
    QCOMPARE(OfficeRunner::pdfPages(pdf), 4);
    // Pages count from 3: the second page is 4, an even one.
    QStringList const pages = OfficeRunner::pdfText(pdf).split(QLatin1Char('\f'));
    QVERIFY2(!pages.value(0).contains(QLatin1String("head")) &&
                 pages.value(0).contains(QLatin1String("First note.")),
             qPrintable(pages.value(0)));
    QVERIFY2(pages.value(1).contains(QLatin1String("Even head")) &&
                 pages.value(1).contains(QLatin1String("Page 4")) &&
                 pages.value(1).contains(QLatin1String("Second note.")),
             qPrintable(pages.value(1)));
    QVERIFY2(pages.value(2).contains(QLatin1String("Odd head")) &&
                 pages.value(2).contains(QLatin1String("Page 5")),
             qPrintable(pages.value(2)));
}

// LibreOffice sets a framed paragraph that ends the document in the flow of the text.
void TestDocxWriter::endsWithAParagraphAfterAFrame()
{
    WordParagraph framed = paragraph({text(QStringLiteral("Framed last"))});
    framed.frame = QRectF(300, 400, 100, 0);
    WordDocument document;
    document.sections = {WordSection()};
    document.sections[0].blocks = {framed};
    QString const path = m_home.filePath(QStringLiteral("frame-last.docx"));
    QVERIFY(DocxWriter::write(document, path).ok());
    QByteArray const xml = PackageReader(path).part(QStringLiteral("word/document.xml"));
    int const last = xml.lastIndexOf("<w:p>");
    QVERIFY(last > xml.indexOf("w:framePr"));
    QVERIFY(!xml.mid(last).contains("w:framePr"));
}

QTEST_GUILESS_MAIN(TestDocxWriter)
#include "TestDocxWriter.moc"

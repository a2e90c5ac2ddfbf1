#include "OfficeRunner.h"
#include "TestHome.h"
#include "WriterTestTypes.h"

#include "ooxml/CsvWriter.h"

#include <QDir>
#include <QtTest>

using namespace ooxml;

namespace {

QByteArray const Bom("\xEF\xBB\xBF");

QByteArray readAll(QString const& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entries(QString const& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

Workbook sheets(int count)
{
    Workbook workbook;
    for (int i = 1; i <= count; ++i)
        workbook.addSheet().setNumber(0, 0, i);
    return workbook;
}

} // namespace

class TestCsvWriter : public QObject
{
    Q_OBJECT

private slots:
    void quotesFields_data();
    void quotesFields();
    void keepsGridShape();
    void namesFilesInDocumentOrder_data();
    void namesFilesInDocumentOrder();
    void leavesExistingFilesAlone();
    void rejectsBadTargets_data();
    void rejectsBadTargets();
    void opensInLibreOffice();

private:
    TestHome m_home;
};

void TestCsvWriter::quotesFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("plain") << QStringLiteral("plain text") << QByteArray("plain text");
    QTest::newRow("comma") << QStringLiteral("a,b") << QByteArray("\"a,b\"");
    QTest::newRow("quote") << QStringLiteral("say \"hi\"") << QByteArray("\"say \"\"hi\"\"\"");
    QTest::newRow("line feed") << QStringLiteral("one\ntwo") << QByteArray("\"one\ntwo\"");
    QTest::newRow("carriage return") << QStringLiteral("one\rtwo") << QByteArray("\"one\rtwo\"");
    QTest::newRow("utf-8") << QStringLiteral("Zürich € \U0001F600")
                           << QStringLiteral("Zürich € \U0001F600").toUtf8();
    QTest::newRow("semicolon unquoted") << QStringLiteral("a;b'c") << QByteArray("a;b'c");
    // Text that a spreadsheet would run as a formula is kept as text: a leading apostrophe,
    // the field quoted. Numbers, also held as text, stay numbers.
    QTest::newRow("formula") << QStringLiteral("=1+2") << QByteArray("\"'=1+2\"");
    QTest::newRow("formula with quotes")
        << QStringLiteral("=HYPERLINK(\"x\")") << QByteArray("\"'=HYPERLINK(\"\"x\"\")\"");
    QTest::newRow("plus") << QStringLiteral("+cmd|' /C calc'!A0") << QByteArray("\"'+cmd|' /C calc'!A0\"");
    QTest::newRow("minus") << QStringLiteral("-2+3") << QByteArray("\"'-2+3\"");
    QTest::newRow("at") << QStringLiteral("@SUM(A1)") << QByteArray("\"'@SUM(A1)\"");
    QTest::newRow("tab") << QStringLiteral("\t=1") << QByteArray("\"'\t=1\"");
    QTest::newRow("carriage return first") << QStringLiteral("\r=1") << QByteArray("\"'\r=1\"");
    QTest::newRow("negative number as text") << QStringLiteral("-12.5") << QByteArray("-12.5");
    QTest::newRow("signed number as text") << QStringLiteral("+3e4") << QByteArray("+3e4");
    QTest::newRow("lone minus") << QStringLiteral("-") << QByteArray("-");
    QTest::newRow("grouped negative number") << QStringLiteral("-1,250.5") << QByteArray("\"-1,250.5\"");
    QTest::newRow("equals inside") << QStringLiteral("a=b") << QByteArray("a=b");
}

void TestCsvWriter::quotesFields()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, field);
    Sheet sheet;
    sheet.setText(0, 0, text);
    sheet.setNumber(0, 1, 1.5);
    QCOMPARE(CsvWriter::toCsv(sheet), Bom + field + ",1.5\r\n");
}

void TestCsvWriter::keepsGridShape()
{
    Sheet sheet;
    sheet.setText(1, 0, QStringLiteral("a"));
    sheet.setNumber(1, 3, 1e20);
    sheet.setNumber(3, 1, -0.25);
    sheet.setNumber(3, 2, 0.1);
    QCOMPARE(CsvWriter::toCsv(sheet), Bom + ",,,\r\na,,,1e+20\r\n,,,\r\n,-0.25,0.1,\r\n");
    QCOMPARE(CsvWriter::toCsv(Sheet()), Bom);
}

void TestCsvWriter::namesFilesInDocumentOrder_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<QString>("lastName");
    QTest::newRow("no sheet") << 0 << "doc.csv"
                              << "doc.csv";
    QTest::newRow("one sheet") << 1 << "doc.csv"
                               << "doc.csv";
    QTest::newRow("nine sheets") << 9 << "doc_1.csv"
                                 << "doc_9.csv";
    QTest::newRow("twelve sheets") << 12 << "doc_01.csv"
                                   << "doc_12.csv";
}

void TestCsvWriter::namesFilesInDocumentOrder()
{
    QFETCH(int, count);
    QFETCH(QString, firstName);
    QFETCH(QString, lastName);
    QTemporaryDir folder(m_home.filePath(QStringLiteral("csv-XXXXXX")));
    WriteResult const result = CsvWriter::write(sheets(count), folder.path(), QStringLiteral("doc"));
    QVERIFY2(result.ok(), qPrintable(result.message));
    // Sorted by name, the files come in sheet order, and nothing else is left behind.
    QStringList const files = entries(folder.path());
    QCOMPARE(files, CsvWriter::fileNames(sheets(count), QStringLiteral("doc")));
    QCOMPARE(files.first(), firstName);
    QCOMPARE(files.last(), lastName);
    for (int i = 0; i < files.size(); ++i) {
        QByteArray const row = count > 0 ? QByteArray::number(i + 1) + "\r\n" : QByteArray();
        QCOMPARE(readAll(folder.filePath(files[i])), Bom + row);
    }
}

void TestCsvWriter::leavesExistingFilesAlone()
{
    QTemporaryDir folder(m_home.filePath(QStringLiteral("csv-XXXXXX")));
    QFile second(folder.filePath(QStringLiteral("doc_2.csv")));
    QVERIFY(second.open(QIODevice::WriteOnly));
    second.write("mine");
    second.close();

    QCOMPARE(CsvWriter::write(sheets(2), folder.path(), QStringLiteral("doc")).error,
             WriteError::TargetExists);
    QCOMPARE(entries(folder.path()), QStringList{"doc_2.csv"});
    QCOMPARE(readAll(second.fileName()), QByteArray("mine"));

    QVERIFY(CsvWriter::write(sheets(2), folder.path(), QStringLiteral("doc"), ExistingFile::Replace).ok());
    QCOMPARE(entries(folder.path()), (QStringList{"doc_1.csv", "doc_2.csv"}));
    QCOMPARE(readAll(second.fileName()), Bom + "2\r\n");
}

void TestCsvWriter::rejectsBadTargets_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<WriteError>("error");
    QTest::newRow("missing folder") << "missing"
                                    << "doc" << WriteError::CannotWrite;
    QTest::newRow("empty base name") << ""
                                     << "" << WriteError::InvalidDocument;
    QTest::newRow("base name with a slash") << ""
                                            << "../doc" << WriteError::InvalidDocument;
}

void TestCsvWriter::rejectsBadTargets()
{
    QFETCH(QString, folder);
    QFETCH(QString, baseName);
    QFETCH(WriteError, error);
    QTemporaryDir root(m_home.filePath(QStringLiteral("csv-XXXXXX")));
    QCOMPARE(CsvWriter::write(sheets(1), root.filePath(folder), baseName).error, error);
    QCOMPARE(entries(root.path()), QStringList());
    QCOMPARE(entries(m_home.path()).filter(QStringLiteral("doc")), QStringList());
}

void TestCsvWriter::opensInLibreOffice()
{
    if (!OfficeRunner::available())
        QSKIP("LibreOffice (soffice) or poppler's pdftotext is not installed");
    Workbook workbook;
    Sheet& sheet = workbook.addSheet();
    sheet.setText(0, 0, QStringLiteral("Zürich €"));
    sheet.setText(0, 1, QStringLiteral("two\nlines, \"quoted\""));
    sheet.setNumber(1, 0, 3.25);
    sheet.setNumber(1, 1, -42);
    QTemporaryDir folder(m_home.filePath(QStringLiteral("csv-XXXXXX")));
    QVERIFY(CsvWriter::write(workbook, folder.path(), QStringLiteral("table")).ok());
    QString const out = folder.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(out));
    // Headless LibreOffice ignores the byte order mark when guessing the encoding, so the
    // import names UTF-8; the mark must then be skipped, not read into the first field.
    QString log;
    QVERIFY2(OfficeRunner::convert({folder.filePath(QStringLiteral("table.csv"))},
                                   QStringLiteral("csv:Text - txt - csv (StarCalc):59,34,76"), out, &log,
                                   {QStringLiteral("--infilter=Text - txt - csv (StarCalc):44,34,76")}),
             qPrintable(log));
    QByteArray const converted = readAll(out + QStringLiteral("/table.csv"));
    QCOMPARE(converted, QStringLiteral("Zürich €;\"two\nlines, \"\"quoted\"\"\"\n3.25;-42\n").toUtf8());
}

QTEST_GUILESS_MAIN(TestCsvWriter)
#include "TestCsvWriter.moc"

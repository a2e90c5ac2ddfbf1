#include "OfficeRunner.h"
#include "PackageReader.h"
#include "TestHome.h"
#include "WriterTestTypes.h"

#include "ooxml/XlsxWriter.h"

#include <QDir>
#include <QtTest>

#include <cmath>

using namespace ooxml;

namespace {

// The value of every cell of a sheet part, by reference ("B2"), shared strings resolved.
QMap<QString, QString> cellValues(PackageReader const& package, int sheet)
{
    QStringList const strings =
        xmlread::texts(package.part(QStringLiteral("xl/sharedStrings.xml")), QStringLiteral("si"));
    QByteArray const xml = package.part(QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheet));
    auto const cells = xmlread::attributes(xml, QStringLiteral("c"));
    QStringList const values = xmlread::texts(xml, QStringLiteral("v"));
    QMap<QString, QString> out;
    for (int i = 0; i < cells.size() && i < values.size(); ++i) {
        bool const shared = cells[i].value(QLatin1String("t")) == QLatin1String("s");
        out.insert(cells[i].value(QLatin1String("r")).toString(),
                   shared ? strings.value(values[i].toInt()) : values[i]);
    }
    return out;
}

Workbook sampleWorkbook()
{
    Workbook workbook;
    Sheet& numbers = workbook.addSheet(QStringLiteral("Numbers"));
    numbers.setText(0, 0, QStringLiteral("Item"));
    numbers.setText(0, 1, QStringLiteral("Amount"));
    numbers.setText(1, 0, QStringLiteral("Ü & <tag> \"quoted\""));
    numbers.setNumber(1, 1, 2.5);
    numbers.setText(2, 0, QStringLiteral("second\r\nline"));
    numbers.setNumber(2, 1, -1234567);
    numbers.setNumber(3, 1, 0.1);
    numbers.setNumber(3, 27, 7); // column AB
    numbers.setColumnWidth(0, 144.0);
    Sheet& text = workbook.addSheet(QStringLiteral("numbers")); // same name but for case
    text.setText(0, 0, QStringLiteral("_x0041_ stays"));
    text.setText(1, 0, QStringLiteral("Item")); // shared with the first sheet
    text.setNumber(2, 0, std::nan(""));
    text.setText(3, 0, QString(Sheet::MaxTextLength - 1, 'z') + QStringLiteral("\U0001F600"));
    return workbook;
}

} // namespace

class TestXlsxWriter : public QObject
{
    Q_OBJECT

private slots:
    void writesCellsAndSheets();
    void makesSheetNamesValid_data();
    void makesSheetNamesValid();
    void opensInLibreOffice();

private:
    TestHome m_home;
};

void TestXlsxWriter::writesCellsAndSheets()
{
    QString const path = m_home.filePath(QStringLiteral("book.xlsx"));
    WriteResult const result = XlsxWriter::write(sampleWorkbook(), path);
    QVERIFY2(result.ok(), qPrintable(result.message));

    PackageReader package(path);
    QCOMPARE(package.problems(), QStringList());
    QCOMPARE(package.contentType(QStringLiteral("xl/workbook.xml")),
             QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"));
    QByteArray const workbook = package.part(QStringLiteral("xl/workbook.xml"));
    auto const sheets = xmlread::attributes(workbook, QStringLiteral("sheet"));
    QCOMPARE(sheets.size(), 2);
    QCOMPARE(sheets[0].value(QLatin1String("name")), QLatin1String("Numbers"));
    QCOMPARE(sheets[1].value(QLatin1String("name")), QLatin1String("numbers (2)"));
    QHash<QString, QString> const targets = package.relationshipTargets(QStringLiteral("xl/workbook.xml"));
    QCOMPARE(targets.value(sheets[1].value(QLatin1String("r:id")).toString()),
             QStringLiteral("xl/worksheets/sheet2.xml"));

    QMap<QString, QString> const first = cellValues(package, 1);
    QCOMPARE(first.value(QStringLiteral("A1")), QStringLiteral("Item"));
    QCOMPARE(first.value(QStringLiteral("A2")), QStringLiteral("Ü & <tag> \"quoted\""));
    QCOMPARE(first.value(QStringLiteral("B2")), QStringLiteral("2.5"));
    QCOMPARE(first.value(QStringLiteral("A3")), QStringLiteral("second\nline"));
    QCOMPARE(first.value(QStringLiteral("B3")), QStringLiteral("-1234567"));
    QCOMPARE(first.value(QStringLiteral("B4")), QStringLiteral("0.1"));
    QCOMPARE(first.value(QStringLiteral("AB4")), QStringLiteral("7"));
    QCOMPARE(first.size(), 8);
    QByteArray const sheet1 = package.part(QStringLiteral("xl/worksheets/sheet1.xml"));
    QStringList texts;
    for (QXmlStreamAttributes const& c : xmlread::attributes(sheet1, QStringLiteral("c"))) {
        if (c.value(QLatin1String("t")) == QLatin1String("s"))
            texts << c.value(QLatin1String("r")).toString();
    }
    QCOMPARE(texts, (QStringList{"A1", "B1", "A2", "A3"}));
    // 144 pt = 192 px = 26.71 digit widths.
    QCOMPARE(xmlread::attributes(sheet1, QStringLiteral("col")).value(0).value(QLatin1String("width")),
             QLatin1String("26.7109375"));

    QMap<QString, QString> const second = cellValues(package, 2);
    // Readers decode _xHHHH_; the escaped underscore brings the text back as written.
    QCOMPARE(second.value(QStringLiteral("A1")), QStringLiteral("_x005F_x0041_ stays"));
    QCOMPARE(second.value(QStringLiteral("A3")), QStringLiteral("nan"));
    // Cut at Excel's limit without splitting the surrogate pair at its end.
    QCOMPARE(second.value(QStringLiteral("A4")), QString(Sheet::MaxTextLength - 1, 'z'));
    QVERIFY(!Workbook().addSheet().setNumber(Sheet::MaxRows, 0, 1));
    QVERIFY(!Workbook().addSheet().setText(0, -1, QString()));
}

void TestXlsxWriter::makesSheetNamesValid_data()
{
    QTest::addColumn<QStringList>("wished");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("none") << QStringList() << QStringList{"Sheet1"};
    QTest::newRow("forbidden characters")
        << QStringList{"a[b]c:d*e?f/g\\h", "tab\there"} << QStringList{"a_b_c_d_e_f_g_h", "tab here"};
    QTest::newRow("empty and apostrophes")
        << QStringList{"", "'quoted'", "  ", "'"} << QStringList{"Sheet1", "quoted", "Sheet3", "Sheet4"};
    QTest::newRow("too long") << QStringList{QString(40, 'x'), QString(40, 'x')}
                              << QStringList{QString(31, 'x'), QString(27, 'x') + " (2)"};
    QTest::newRow("duplicates ignore case")
        << QStringList{"Table", "TABLE", "table", "Table (2)"}
        << QStringList{"Table", "TABLE (2)", "table (3)", "Table (2) (2)"};
    QTest::newRow("reserved and fallback collide")
        << QStringList{"History", "Sheet3", ""} << QStringList{"History_", "Sheet3", "Sheet3 (2)"};
    QTest::newRow("no split surrogate")
        << QStringList{QString(30, 'y') + QStringLiteral("\U0001F600")} << QStringList{QString(30, 'y')};
}

void TestXlsxWriter::makesSheetNamesValid()
{
    QFETCH(QStringList, wished);
    QFETCH(QStringList, expected);
    Workbook workbook;
    for (QString const& name : wished)
        workbook.addSheet(name);
    QCOMPARE(XlsxWriter::sheetNames(workbook), expected);
}

void TestXlsxWriter::opensInLibreOffice()
{
    if (!OfficeRunner::available())
        QSKIP("LibreOffice (soffice) or poppler's pdftotext is not installed");
    QString const path = m_home.filePath(QStringLiteral("office.xlsx"));
    QVERIFY(XlsxWriter::write(sampleWorkbook(), path).ok());
    QString const out = m_home.filePath(QStringLiteral("office-csv"));
    QVERIFY(QDir().mkpath(out));
    QString log;
    // UTF-8, every sheet to a file of its own ("-1"), values as stored.
    QVERIFY2(
        OfficeRunner::convert(
            {path},
            QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1"),
            out, &log),
        qPrintable(log));
    QFile numbers(out + QStringLiteral("/office-Numbers.csv"));
    QVERIFY2(numbers.open(QIODevice::ReadOnly), qPrintable(QDir(out).entryList().join(", ") + log));
    QString const first = QString::fromUtf8(numbers.readAll());
    QStringList const lines = first.split(QStringLiteral("\n"));
    QCOMPARE(lines.value(0), QStringLiteral("Item,Amount") + QString(26, ','));
    QVERIFY2(first.contains(QStringLiteral("\"Ü & <tag> \"\"quoted\"\"\",2.5")), qPrintable(first));
    QVERIFY2(first.contains(QStringLiteral("\"second\nline\",-1234567")), qPrintable(first));
    QVERIFY2(lines.value(4).startsWith(QStringLiteral(",0.1,")) &&
                 lines.value(4).endsWith(QStringLiteral(",7")),
             qPrintable(first));
    QFile text(out + QStringLiteral("/office-numbers (2).csv"));
    QVERIFY(text.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(text.readAll()).split(QLatin1Char('\n')).value(0),
             QStringLiteral("_x0041_ stays"));
}

QTEST_GUILESS_MAIN(TestXlsxWriter)
#include "TestXlsxWriter.moc"

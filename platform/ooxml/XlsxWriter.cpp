#include "ooxml/XlsxWriter.h"

#include "internal/OutputFile.h"
#include "internal/PackageWriter.h"
#include "internal/XmlText.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace ooxml {

namespace {

using namespace internal;

constexpr int MaxSheetName = 31;

constexpr char const* StylesXml = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><fonts count="1"><font><sz val="11"/><name val="Calibri"/><family val="2"/></font></fonts><fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills><borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders><cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs><cellXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/></cellXfs><cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles></styleSheet>
)";

QString columnName(int column)
{
    QString name;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        name.prepend(QChar(u'A' + (c - 1) % 26));
    return name;
}

// Excel width units: characters of a 7-pixel digit plus 5 pixels of padding, at 96 dpi.
double excelWidth(double points)
{
    double const pixels = points * 96.0 / 72.0;
    return std::clamp(std::floor((pixels - 5.0) / 7.0 * 256.0) / 256.0, 0.0, 255.0);
}

QString number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// Spreadsheet readers decode "_xHHHH_" as the character HHHH; escaping the underscore keeps
// such text as it was written.
QString escapedCellText(QString const& text)
{
    static QRegularExpression const escape(QStringLiteral("_(x[0-9A-Fa-f]{4}_)"));
    QString out = truncated(unixLineEnds(xmlSafe(text)), Sheet::MaxTextLength);
    if (out.contains(QLatin1String("_x")))
        out.replace(escape, QStringLiteral("_x005F_\\1"));
    return out;
}

QString validSheetName(QString const& wished, int index)
{
    QString name = xmlSafe(wished);
    for (QChar& c : name) {
        if (QStringLiteral("[]:*?/\\").contains(c))
            c = QLatin1Char('_');
        else if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    }
    while (name.startsWith(QLatin1Char('\'')))
        name.remove(0, 1);
    name = truncated(name, MaxSheetName);
    while (name.endsWith(QLatin1Char('\'')))
        name.chop(1);
    if (name.trimmed().isEmpty())
        name = QStringLiteral("Sheet%1").arg(index + 1);
    // Excel keeps this name for itself.
    if (name.compare(QLatin1String("History"), Qt::CaseInsensitive) == 0)
        name += QLatin1Char('_');
    return name;
}

class XlsxBuilder
{
public:
    explicit XlsxBuilder(PackageWriter& package) : m_package(package) {}
    void build(Workbook const& workbook);

private:
    QByteArray sheetXml(Sheet const& sheet);
    int sharedString(QString const& text);

    PackageWriter& m_package;
    QHash<QString, int> m_stringIndex;
    QStringList m_strings;
    int m_stringReferences = 0;
};

void XlsxBuilder::build(Workbook const& workbook)
{
    // const: indexing a shared, non-const QVector would copy every sheet.
    QVector<Sheet> const sheets = workbook.sheets.isEmpty() ? QVector<Sheet>{Sheet()} : workbook.sheets;
    QStringList const names = XlsxWriter::sheetNames(workbook);

    Relationships relationships;
    XmlWriter book;
    book.start("workbook");
    book.attr("xmlns", "http://schemas.openxmlformats.org/spreadsheetml/2006/main");
    book.attr("xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships");
    book.start("sheets");
    for (int i = 0; i < sheets.size(); ++i) {
        QString const part = QStringLiteral("worksheets/sheet%1.xml").arg(i + 1);
        m_package.addXml(
            QStringLiteral("xl/") + part, sheetXml(sheets[i]),
            QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"));
        book.empty("sheet");
        book.attr("name", names[i]);
        book.attr("sheetId", i + 1);
        book.attr("r:id",
                  relationships.add(
                      "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet", part));
    }
    book.end();
    book.end();

    relationships.add(rel::styles, QStringLiteral("styles.xml"));
    m_package.addXml(
        QStringLiteral("xl/styles.xml"), StylesXml,
        QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"));
    if (!m_strings.isEmpty()) {
        XmlWriter sst;
        sst.start("sst");
        sst.attr("xmlns", "http://schemas.openxmlformats.org/spreadsheetml/2006/main");
        sst.attr("count", m_stringReferences);
        sst.attr("uniqueCount", int(m_strings.size()));
        for (QString const& text : qAsConst(m_strings)) {
            sst.start("si");
            sst.textElement("t", text);
            sst.end();
        }
        sst.end();
        relationships.add("http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings",
                          QStringLiteral("sharedStrings.xml"));
        m_package.addXml(
            QStringLiteral("xl/sharedStrings.xml"), sst.finish(),
            QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"));
    }
    m_package.addXml(
        QStringLiteral("xl/workbook.xml"), book.finish(),
        QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"));
    m_package.addRelationships(QStringLiteral("xl/workbook.xml"), relationships);
    m_package.addPackageParts(QStringLiteral("xl/workbook.xml"), workbook.info);
}

QByteArray XlsxBuilder::sheetXml(Sheet const& sheet)
{
    XmlWriter xml;
    xml.start("worksheet");
    xml.attr("xmlns", "http://schemas.openxmlformats.org/spreadsheetml/2006/main");
    xml.attr("xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships");
    if (sheet.rowCount() > 0) {
        xml.empty("dimension");
        xml.attr("ref",
                 QStringLiteral("A1:%1%2").arg(columnName(sheet.columnCount() - 1)).arg(sheet.rowCount()));
    }
    if (!sheet.columnWidths().empty()) {
        xml.start("cols");
        for (auto const& [column, points] : sheet.columnWidths()) {
            xml.empty("col");
            xml.attr("min", column + 1);
            xml.attr("max", column + 1);
            xml.attr("width", number(excelWidth(points)));
            xml.attr("customWidth", 1);
        }
        xml.end();
    }
    xml.start("sheetData");
    for (auto const& [row, cells] : sheet.rows()) {
        xml.start("row");
        xml.attr("r", row + 1);
        for (auto const& [column, value] : cells) {
            xml.start("c");
            xml.attr("r", columnName(column) + QString::number(row + 1));
            if (auto const* n = std::get_if<double>(&value)) {
                xml.start("v");
                xml.text(number(*n));
                xml.end();
            } else {
                xml.attr("t", "s");
                xml.start("v");
                xml.text(QString::number(sharedString(escapedCellText(std::get<QString>(value)))));
                xml.end();
            }
            xml.end();
        }
        xml.end();
    }
    xml.end();
    xml.end();
    return xml.finish();
}

int XlsxBuilder::sharedString(QString const& text)
{
    ++m_stringReferences;
    auto const it = m_stringIndex.constFind(text);
    if (it != m_stringIndex.constEnd())
        return it.value();
    int const index = m_strings.size();
    m_strings.append(text);
    m_stringIndex.insert(text, index);
    return index;
}

} // namespace

QStringList XlsxWriter::sheetNames(Workbook const& workbook)
{
    QStringList names;
    QSet<QString> used;
    int const count = std::max(1, int(workbook.sheets.size()));
    for (int i = 0; i < count; ++i) {
        QString const base =
            validSheetName(i < workbook.sheets.size() ? workbook.sheets[i].name() : QString(), i);
        QString name = base;
        for (int n = 2; used.contains(name.toCaseFolded()); ++n) {
            QString const suffix = QStringLiteral(" (%1)").arg(n);
            QString stem = truncated(base, MaxSheetName - suffix.size());
            name = stem + suffix;
        }
        used.insert(name.toCaseFolded());
        names.append(name);
    }
    return names;
}

WriteResult XlsxWriter::write(Workbook const& workbook, QString const& path, ExistingFile existing)
{
    return guarded([&] {
        WriteResult const check = checkTarget(path, existing);
        if (!check.ok())
            return check;
        PackageWriter package;
        XlsxBuilder(package).build(workbook);
        return package.write(path, existing);
    });
}

} // namespace ooxml

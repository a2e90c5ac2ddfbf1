#include "SourceFixtures.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <zip.h>

#include <algorithm>

namespace SourceFixtures {

namespace {

void putLe16(QByteArray& b, quint32 v)
{
    b.append(char(v & 0xff)).append(char((v >> 8) & 0xff));
}

void putLe32(QByteArray& b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xff));
}

void putLe64(QByteArray& b, quint64 v)
{
    for (int i = 0; i < 8; ++i)
        b.append(char((v >> (8 * i)) & 0xff));
}

void setLe32(QByteArray& b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xff);
}

void setLe64(QByteArray& b, int at, quint64 v)
{
    for (int i = 0; i < 8; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xff);
}

// chmlib's variable-length integers: 7 bits a byte, most significant first.
void putEncInt(QByteArray& b, quint64 v)
{
    QByteArray groups;
    do {
        groups.prepend(char(v & 0x7f));
        v >>= 7;
    } while (v);
    for (int i = 0; i < groups.size() - 1; ++i)
        groups[i] = char(groups[i] | 0x80);
    b.append(groups);
}

bool writeFile(QString const& path, QByteArray const& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QString run(QString const& program, QStringList const& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QByteArray const kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

} // namespace

bool writeTiff(QString const& path, QList<TiffFrame> const& frames)
{
    QByteArray out("II*\0\0\0\0\0", 8);
    int previousNext = 4; // where the offset of the next directory goes
    for (int f = 0; f < frames.size(); ++f) {
        TiffFrame const& frame = frames[f];
        quint32 const pixels = quint32(out.size());
        for (int y = 0; y < frame.height; ++y)
            for (int x = 0; x < frame.width; ++x)
                out.append(char((x + y + 60 * f) & 0xff));
        if (out.size() % 2)
            out.append('\0');
        quint32 const rational = quint32(out.size());
        putLe32(out, quint32(frame.dpi));
        putLe32(out, 1);
        quint32 const ifd = quint32(out.size());
        setLe32(out, previousNext, ifd);
        struct Entry
        {
            quint16 tag, type;
            quint32 value;
        };
        QList<Entry> entries{{256, 4, quint32(frame.width)},
                             {257, 4, quint32(frame.height)},
                             {258, 3, 8},
                             {259, 3, 1},
                             {262, 3, 1},
                             {273, 4, pixels},
                             {277, 3, 1},
                             {278, 4, quint32(frame.height)},
                             {279, 4, quint32(frame.width * frame.height)}};
        if (frame.dpi > 0)
            entries << Entry{282, 5, rational} << Entry{283, 5, rational} << Entry{296, 3, 2};
        putLe16(out, quint32(entries.size()));
        for (Entry const& e : entries) {
            putLe16(out, e.tag);
            putLe16(out, e.type);
            putLe32(out, 1);
            putLe32(out, e.value);
        }
        previousNext = out.size();
        putLe32(out, 0);
    }
    return writeFile(path, out);
}

bool writeGif(QString const& path, QImage const& image)
{
    // Qt writes no GIF. With 7-bit codes plus clear and end every code is one byte wide as long
    // as the table never fills, so a clear code every 100 pixels keeps this encoder trivial.
    QVector<QRgb> palette;
    QByteArray indices;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QRgb const c = image.pixel(x, y) | 0xff000000;
            int i = palette.indexOf(c);
            if (i < 0) {
                if (palette.size() == 128)
                    return false;
                i = palette.size();
                palette.append(c);
            }
            indices.append(char(i));
        }
    QByteArray out("GIF89a");
    putLe16(out, quint32(image.width()));
    putLe16(out, quint32(image.height()));
    out.append(char(0xF6)).append('\0').append('\0');
    for (int i = 0; i < 128; ++i) {
        QRgb const c = palette.value(i);
        out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }
    out.append(',');
    putLe16(out, 0);
    putLe16(out, 0);
    putLe16(out, quint32(image.width()));
    putLe16(out, quint32(image.height()));
    out.append('\0').append(char(7));
    QByteArray codes;
    for (int i = 0; i < indices.size(); ++i) {
        if (i % 100 == 0)
            codes.append(char(128));
        codes.append(indices[i]);
    }
    codes.append(char(129));
    for (int at = 0; at < codes.size(); at += 255) {
        QByteArray const block = codes.mid(at, 255);
        out.append(char(block.size())).append(block);
    }
    out.append('\0').append(';');
    return writeFile(path, out);
}

bool writeJpegWithOrientation(QString const& path, QImage const& image, int orientation)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPEG", 95))
        return false;
    QByteArray exif("Exif\0\0II*\0\x08\0\0\0", 14);
    putLe16(exif, 1);
    putLe16(exif, 0x0112);
    putLe16(exif, 3);
    putLe32(exif, 1);
    putLe32(exif, quint32(orientation));
    putLe32(exif, 0);
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char((exif.size() + 2) >> 8)).append(char((exif.size() + 2) & 0xff)).append(exif);
    jpeg.insert(2, segment); // right after the start-of-image marker
    return writeFile(path, jpeg);
}

bool writeZip(QString const& path, QList<QPair<QString, QByteArray>> const& members)
{
    int error = 0;
    zip_t* const zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        return false;
    for (auto const& member : members) {
        zip_source_t* const source =
            zip_source_buffer(zip, member.second.constData(), zip_uint64_t(member.second.size()), 0);
        zip_int64_t const index =
            source ? zip_file_add(zip, member.first.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(source);
            zip_discard(zip);
            return false;
        }
        if (member.first == "mimetype")
            zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    return zip_close(zip) == 0; // reads the buffers, which outlive this call
}

bool writeEpub(QString const& path, QStringList const& chapterBodies, QByteArray const& pngImage)
{
    QList<QPair<QString, QByteArray>> members;
    members << qMakePair(QString("mimetype"), QByteArray("application/epub+zip"));
    members << qMakePair(
        QString("META-INF/container.xml"),
        kXmlHead + "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">"
                   "<rootfiles><rootfile full-path=\"OEBPS/content.opf\" "
                   "media-type=\"application/oebps-package+xml\"/></rootfiles></container>");
    QByteArray manifest;
    QByteArray spine;
    for (int i = chapterBodies.size() - 1; i >= 0; --i)
        manifest +=
            QString("<item id=\"c%1\" href=\"text/chapter%1.xhtml\" media-type=\"application/xhtml+xml\"/>")
                .arg(i + 1)
                .toUtf8();
    for (int i = 0; i < chapterBodies.size(); ++i)
        spine += QString("<itemref idref=\"c%1\"/>").arg(i + 1).toUtf8();
    manifest += "<item id=\"pic\" href=\"images/picture.png\" media-type=\"image/png\"/>";
    members << qMakePair(QString("OEBPS/content.opf"),
                         kXmlHead +
                             "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\">"
                             "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>Fixture "
                             "Book</dc:title></metadata><manifest>" +
                             manifest + "</manifest><spine>" + spine + "</spine></package>");
    for (int i = 0; i < chapterBodies.size(); ++i) {
        QByteArray body = chapterBodies[i].toUtf8();
        if (i == 0)
            body += "<p><img src=\"../images/picture.png\" alt=\"picture\"/></p>";
        members << qMakePair(
            QString("OEBPS/text/chapter%1.xhtml").arg(i + 1),
            kXmlHead + "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>c</title></head><body>" +
                body + "</body></html>");
    }
    members << qMakePair(QString("OEBPS/images/picture.png"), pngImage);
    return writeZip(path, members);
}

bool writeDocx(QString const& path, QStringList const& paragraphs)
{
    QByteArray body;
    for (QString const& p : paragraphs) {
        if (p == "\f")
            body += "<w:p><w:r><w:br w:type=\"page\"/></w:r></w:p>";
        else
            body += "<w:p><w:r><w:t>" + p.toHtmlEscaped().toUtf8() + "</w:t></w:r></w:p>";
    }
    QList<QPair<QString, QByteArray>> members;
    members << qMakePair(
        QString("[Content_Types].xml"),
        kXmlHead + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                   "<Default Extension=\"rels\" "
                   "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                   "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                   "<Override PartName=\"/word/document.xml\" "
                   "ContentType=\"application/"
                   "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>");
    members << qMakePair(
        QString("_rels/.rels"),
        kXmlHead + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                   "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
                   "2006/relationships/officeDocument\" Target=\"word/document.xml\"/></Relationships>");
    members << qMakePair(
        QString("word/document.xml"),
        kXmlHead +
            "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
            "<w:body>" +
            body + "</w:body></w:document>");
    return writeZip(path, members);
}

bool writeXlsx(QString const& path, QList<QStringList> const& rows)
{
    QByteArray data;
    for (int r = 0; r < rows.size(); ++r) {
        data += QString("<row r=\"%1\">").arg(r + 1).toUtf8();
        for (int c = 0; c < rows[r].size() && c < 26; ++c)
            data += QString("<c r=\"%1%2\" t=\"inlineStr\"><is><t>%3</t></is></c>")
                        .arg(QChar('A' + c))
                        .arg(r + 1)
                        .arg(rows[r][c].toHtmlEscaped())
                        .toUtf8();
        data += "</row>";
    }
    QByteArray const main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    QByteArray const rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    QList<QPair<QString, QByteArray>> members;
    members << qMakePair(QString("[Content_Types].xml"),
                         kXmlHead +
                             "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                             "<Default Extension=\"rels\" "
                             "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                             "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                             "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
                             "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
                             "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/"
                             "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/></Types>");
    members << qMakePair(
        QString("_rels/.rels"),
        kXmlHead +
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"" +
            rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    members << qMakePair(QString("xl/workbook.xml"), kXmlHead + "<workbook xmlns=\"" + main +
                                                         "\" xmlns:r=\"" + rel +
                                                         "\"><sheets><sheet name=\"Sheet1\" sheetId=\"1\" "
                                                         "r:id=\"rId1\"/></sheets></workbook>");
    members << qMakePair(
        QString("xl/_rels/workbook.xml.rels"),
        kXmlHead +
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"" +
            rel + "/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>");
    members << qMakePair(QString("xl/worksheets/sheet1.xml"), kXmlHead + "<worksheet xmlns=\"" + main +
                                                                  "\"><sheetData>" + data +
                                                                  "</sheetData></worksheet>");
    return writeZip(path, members);
}

bool writeChm(QString const& path, QList<QPair<QString, QByteArray>> const& files)
{
    constexpr quint32 kBlock = 0x1000;
    QList<QPair<QString, QByteArray>> sorted = files;
    std::sort(sorted.begin(), sorted.end(), [](auto const& a, auto const& b) {
        return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
    });
    QByteArray entries;
    QByteArray content;
    for (auto const& file : sorted) {
        QByteArray const name = file.first.toUtf8();
        putEncInt(entries, quint64(name.size()));
        entries += name;
        putEncInt(entries, 0); // the uncompressed section
        putEncInt(entries, quint64(content.size()));
        putEncInt(entries, quint64(file.second.size()));
        content += file.second;
    }
    if (entries.size() > int(kBlock) - 0x14 - 2)
        return false;

    QByteArray listing("PMGL", 4);
    putLe32(listing, kBlock - 0x14 - quint32(entries.size()));
    putLe32(listing, 0);
    putLe32(listing, 0xffffffff);
    putLe32(listing, 0xffffffff);
    listing += entries;
    listing.append(QByteArray(int(kBlock) - listing.size(), '\0'));
    listing[kBlock - 2] = char(sorted.size() & 0xff);
    listing[kBlock - 1] = char(sorted.size() >> 8);

    QByteArray const uuid(16, '\x11');
    QByteArray directory("ITSP", 4);
    putLe32(directory, 1);
    putLe32(directory, 0x54);
    putLe32(directory, 0x0a);
    putLe32(directory, kBlock);
    putLe32(directory, 2);
    putLe32(directory, 1);
    putLe32(directory, 0xffffffff); // no index chunks: the listing chunk is the root
    putLe32(directory, 0);
    putLe32(directory, 0xffffffff);
    putLe32(directory, 1);
    putLe32(directory, 0xffffffff);
    putLe32(directory, 0x409);
    directory += uuid;
    directory += uuid;
    directory += listing;

    QByteArray out("ITSF", 4);
    putLe32(out, 3);
    putLe32(out, 0x60);
    putLe32(out, 1);
    putLe32(out, 0);
    putLe32(out, 0x409);
    out += uuid;
    out += uuid;
    quint64 const sectionOffset = 0x60;
    quint64 const directoryOffset = sectionOffset + 0x18;
    quint64 const dataOffset = directoryOffset + quint64(directory.size());
    putLe64(out, sectionOffset);
    putLe64(out, 0x18);
    putLe64(out, directoryOffset);
    putLe64(out, quint64(directory.size()));
    putLe64(out, dataOffset);
    putLe32(out, 0x1fe);
    putLe32(out, 0);
    int const sizeAt = out.size();
    putLe64(out, 0);
    putLe32(out, 0);
    putLe32(out, 0);
    out += directory;
    out += content;
    setLe64(out, sizeAt, quint64(out.size()));
    return writeFile(path, out);
}

QString pdfText(QString const& pdf)
{
    return run("pdftotext", {"-enc", "UTF-8", pdf, "-"});
}

QRectF pdfWordBox(QString const& pdf, QString const& word)
{
    QRegularExpression const box(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">)re" +
        QRegularExpression::escape(word.toHtmlEscaped()) + "</word>");
    QRegularExpressionMatch const m = box.match(run("pdftotext", {"-enc", "UTF-8", "-bbox", pdf, "-"}));
    if (!m.hasMatch())
        return QRectF();
    return QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                  QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
}

int pdfPageCount(QString const& pdf)
{
    QRegularExpressionMatch const m = QRegularExpression(R"(Pages:\s+(\d+))").match(run("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QList<QSizeF> pdfPageSizes(QString const& pdf)
{
    QList<QSizeF> sizes;
    QString const info = run("pdfinfo", {"-f", "1", "-l", "100000", pdf});
    auto it = QRegularExpression(R"(Page\s+\d+ size:\s+([\d.]+) x ([\d.]+) pts)").globalMatch(info);
    while (it.hasNext()) {
        QRegularExpressionMatch const m = it.next();
        sizes.append(QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()));
    }
    return sizes;
}

int pdfImageCount(QString const& pdf)
{
    QStringList const lines = run("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
    return std::max(0, lines.size() - 2); // two heading lines
}

QImage renderPage(QString const& pdf, int page, int dpi)
{
    QTemporaryDir dir;
    QString const prefix = dir.filePath("page");
    run("pdftoppm", {"-r", QString::number(dpi), "-f", QString::number(page), "-l", QString::number(page),
                     "-png", "-singlefile", pdf, prefix});
    return QImage(prefix + ".png");
}

QString officeProgram()
{
    return QStandardPaths::findExecutable("soffice");
}

} // namespace SourceFixtures

#include "PdfFixtures.h"

#include <QFile>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>

namespace PdfFixtures {

namespace {

// Helvetica's advances of the characters 32 to 126, in thousandths of an em.
int const kHelvetica[95] = {278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,
                            556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,
                            1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,
                            667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,
                            333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,
                            556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};

} // namespace

QByteArray assemble(QList<QByteArray> const& objects, int root, QByteArray const& version)
{
    QByteArray pdf = "%PDF-" + version + "\n";
    QList<int> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets << pdf.size();
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    int const xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (int offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root " +
           QByteArray::number(root) + " 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

QStringList writeNamedFontPdf(QString const& path, QString const& fontName, double narrowing,
                              QList<QStringList> const& columns)
{
    double const size = 10, pitch = 12, gap = 20;
    double const width = (483 - gap * (columns.size() - 1)) / std::max(1, int(columns.size()));
    auto const advance = [&](QString const& text) {
        double sum = 0;
        for (QChar c : text)
            sum += c.unicode() >= 32 && c.unicode() <= 126 ? kHelvetica[c.unicode() - 32] : 556;
        return sum * narrowing * size / 1000;
    };
    QStringList set;
    QByteArray content;
    for (int c = 0; c < columns.size(); ++c) {
        double top = 70;
        for (auto const& paragraph : columns.at(c)) {
            QStringList lines{QString()};
            for (auto const& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                QString const longer = lines.last().isEmpty() ? word : lines.last() + QLatin1Char(' ') + word;
                if (!lines.last().isEmpty() && advance(longer) > width)
                    lines << word;
                else
                    lines.last() = longer;
            }
            for (auto const& line : lines) {
                QString text = line;
                text.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
                    .replace(QLatin1Char('('), QLatin1String("\\("))
                    .replace(QLatin1Char(')'), QLatin1String("\\)"));
                top += pitch;
                content += QStringLiteral("BT /F1 %1 Tf 1 0 0 1 %2 %3 Tm (%4) Tj ET\n")
                               .arg(size)
                               .arg(56 + c * (width + gap))
                               .arg(842 - top)
                               .arg(text)
                               .toLatin1();
            }
            top += 6;
            set += lines;
        }
    }
    QByteArray widths;
    for (int w : kHelvetica)
        widths += QByteArray::number(qRound(w * narrowing)) + ' ';
    QByteArray const name = fontName.toLatin1();
    QList<QByteArray> const objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 5 0 R >> >> "
        "/Contents 4 0 R >>",
        "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "endstream",
        "<< /Type /Font /Subtype /TrueType /BaseFont /" + name + " /FirstChar 32 /LastChar 126 /Widths [" +
            widths + "] /Encoding /WinAnsiEncoding /FontDescriptor 6 0 R >>",
        "<< /Type /FontDescriptor /FontName /" + name +
            " /Flags 32 /FontBBox [-182 -307 1000 1086] /ItalicAngle 0 /Ascent 905 /Descent -212 "
            "/CapHeight 716 /StemV 80 >>"};
    QByteArray const pdf = assemble(objects);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return {};
    return set;
}

bool writePdf(QString const& path, QList<Page> const& pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72); // one unit is one point
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    QRectF const area(56, 56, 595 - 112, 842 - 112);
    int lineNumber = 0;
    for (int p = 0; p < pages.size(); ++p) {
        if (p > 0)
            writer.newPage();
        Page const& page = pages.at(p);
        double top = area.top();
        if (!page.title.isEmpty()) {
            QFont title(QStringLiteral("DejaVu Sans"));
            title.setPointSizeF(22);
            title.setBold(true);
            painter.setFont(title);
            QRectF used;
            painter.drawText(QRectF(area.left(), top, area.width(), 60), Qt::TextWordWrap, page.title, &used);
            top = used.bottom() + 18;
        }
        QFont body(QStringLiteral("DejaVu Serif"));
        body.setPointSizeF(11);
        painter.setFont(body);
        double const gutter = 28;
        double const colWidth = (area.width() - gutter * (page.columns - 1)) / page.columns;
        int column = 0;
        double y = top;
        for (auto const& text : page.paragraphs) {
            QRectF const box(area.left() + column * (colWidth + gutter), y, colWidth, area.bottom() - y);
            QRectF used;
            painter.drawText(box, Qt::TextWordWrap, text, &used);
            y = used.bottom() + 12;
            if (page.columns > 1 && y > area.bottom() - 150 && column + 1 < page.columns) {
                ++column;
                y = top;
            }
        }
        QFont small(QStringLiteral("DejaVu Serif"));
        small.setPointSizeF(8);
        QFont raised(small);
        raised.setPointSizeF(6.5);
        double noteY = area.bottom() - 11 * page.notes.size();
        for (int n = 0; n < page.notes.size(); ++n) {
            QString const mark = QString::number(n + 1);
            painter.setFont(body);
            QString const line = QStringLiteral("Noted %1.").arg(n + 1);
            painter.drawText(QPointF(area.left(), y + 11), line);
            double const end = area.left() + painter.fontMetrics().horizontalAdvance(line);
            painter.setFont(raised);
            painter.drawText(QPointF(end + 0.5, y + 6), mark);
            painter.setFont(small);
            painter.drawText(QPointF(area.left(), noteY + 8), mark);
            painter.drawText(QPointF(area.left() + 10, noteY + 8), page.notes.at(n));
            noteY += 11;
            y += 16;
        }
        QFont code(QStringLiteral("DejaVu Sans Mono"));
        code.setPointSizeF(10);
        painter.setFont(code);
        for (auto const& line : page.code) {
            painter.drawText(QPointF(area.left() + 12, y + 10), line);
            y += 12;
        }
        QFont numbers(QStringLiteral("DejaVu Serif"));
        numbers.setPointSizeF(7);
        for (auto const& line : page.numbered) {
            painter.setFont(body);
            painter.drawText(QPointF(area.left(), y + 11), line);
            painter.setFont(numbers);
            painter.drawText(QRectF(area.left() - 40, y + 3, 30, 9), Qt::AlignRight,
                             QString::number(++lineNumber));
            y += 22;
        }
        painter.setFont(small);
        QString const number = QString::number(p + 1);
        if (!page.head.isEmpty())
            painter.drawText(QRectF(area.left(), 24, area.width(), 12), Qt::AlignHCenter,
                             QString(page.head).replace(QLatin1Char('#'), number));
        if (!page.foot.isEmpty())
            painter.drawText(QRectF(area.left(), 806, area.width(), 12), Qt::AlignHCenter,
                             QString(page.foot).replace(QLatin1Char('#'), number));
    }
    return painter.end();
}

bool writeTablePdf(QString const& path, QList<QList<QStringList>> const& tables, bool ruled,
                   QStringList const& header)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPointSizeF(10);
    painter.setFont(body);
    for (int t = 0; t < tables.size(); ++t) {
        if (t > 0)
            writer.newPage();
        painter.drawText(QRectF(56, 60, 480, 40), Qt::TextWordWrap,
                         QStringLiteral("Figures of table %1 follow below.").arg(t + 1));
        QList<QStringList> const rows =
            header.isEmpty() ? tables.at(t) : QList<QStringList>{header} + tables.at(t);
        double const left = 80, top = 120, cellWidth = 110, cellHeight = 24;
        int const columns = rows.isEmpty() ? 0 : rows.first().size();
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows.at(r).size(); ++c)
                painter.drawText(
                    QRectF(left + c * cellWidth + 6, top + r * cellHeight, cellWidth - 12, cellHeight),
                    (r == 0 && !header.isEmpty() ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                    rows.at(r).at(c));
        if (ruled) {
            painter.setPen(QPen(Qt::black, 0.8));
            for (int r = 0; r <= rows.size(); ++r)
                painter.drawLine(QPointF(left, top + r * cellHeight),
                                 QPointF(left + columns * cellWidth, top + r * cellHeight));
            for (int c = 0; c <= columns; ++c)
                painter.drawLine(QPointF(left + c * cellWidth, top),
                                 QPointF(left + c * cellWidth, top + rows.size() * cellHeight));
        }
        painter.drawText(QRectF(56, top + rows.size() * cellHeight + 30, 480, 40), Qt::TextWordWrap,
                         QStringLiteral("The end of page %1.").arg(t + 1));
    }
    return painter.end();
}

bool writeScanPdf(QString const& path, QStringList const& lines, QSizeF const& pageSize, int dpi,
                  double fontSize, QRectF const& photo)
{
    double const k = dpi / 72.0;
    QImage image(qRound(pageSize.width() * k), qRound(pageSize.height() * k), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setPixelSize(qRound(fontSize * k));
        painter.setFont(font);
        painter.setPen(Qt::black);
        double baseline = 36 * k + fontSize * k;
        for (auto const& line : lines) {
            painter.drawText(QPointF(36 * k, baseline), line);
            baseline += fontSize * 1.6 * k;
        }
        if (!photo.isEmpty()) {
            QRectF const shown(photo.topLeft() * k, photo.size() * k);
            QLinearGradient gradient(shown.topLeft(), shown.bottomRight());
            gradient.setColorAt(0, QColor(20, 30, 90));
            gradient.setColorAt(1, QColor(110, 40, 20));
            painter.fillRect(shown, gradient);
        }
    }
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(pageSize, QPageSize::Point));
    writer.setResolution(dpi);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.drawImage(QRectF(0, 0, image.width(), image.height()), image);
    return painter.end();
}

bool writeSharedPicturePdf(QString const& path, int pages)
{
    QImage picture(600, 850, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            picture.setPixel(x, y, qRgb(seed >> 24, (seed >> 16) & 0xff, (x + y) & 0xff));
        }
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            writer.newPage();
        painter.drawImage(QRectF(0, 0, 595, 842), picture); // one image object: stored once
    }
    return painter.end();
}

int RawPdf::add(QByteArray const& object)
{
    m_objects << object;
    return m_objects.size();
}

int RawPdf::addStream(QByteArray const& dictionary, QByteArray const& data)
{
    QByteArray const packed = qCompress(data).mid(4); // a zlib stream after Qt's length
    return add("<< " + dictionary + " /Filter /FlateDecode /Length " + QByteArray::number(packed.size()) +
               " >>\nstream\n" + packed + "\nendstream");
}

QByteArray RawPdf::photoPixels(int width, int height)
{
    QByteArray pixels;
    pixels.reserve(3 * width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.append(char(40 + 200 * x / width))
                .append(char(30 + 180 * y / height))
                .append(char(x * y % 200));
    return pixels;
}

int RawPdf::addPhoto(int width, int height)
{
    return addStream(QByteArray("/Type /XObject /Subtype /Image /ColorSpace /DeviceRGB /BitsPerComponent 8") +
                         " /Width " + QByteArray::number(width) + " /Height " + QByteArray::number(height),
                     photoPixels(width, height));
}

QByteArray RawPdf::text(double x, double y, QByteArray const& text, double size)
{
    return "BT /F1 " + QByteArray::number(size) + " Tf " + QByteArray::number(x) + " " +
           QByteArray::number(y) + " Td (" + text + ") Tj ET\n";
}

bool RawPdf::write(QString const& path, QByteArray const& content, QByteArray const& resources,
                   QByteArray const& annotations, QByteArray const& fonts)
{
    RawPdf pdf = *this;
    int const font =
        pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    int const stream = pdf.addStream(QByteArray(), content);
    int const pages = pdf.m_objects.size() + 2;
    int const page = pdf.add("<< /Type /Page /Parent " + QByteArray::number(pages) +
                             " 0 R /MediaBox [0 0 595 842] /Contents " + QByteArray::number(stream) +
                             " 0 R /Resources << /Font << /F1 " + QByteArray::number(font) + " 0 R " + fonts +
                             ">> " +
                             resources + " >> /Annots [" + annotations + "] >>");
    pdf.add("<< /Type /Pages /Kids [" + QByteArray::number(page) + " 0 R] /Count 1 >>");
    int const catalog = pdf.add("<< /Type /Catalog /Pages " + QByteArray::number(pages) + " 0 R >>");
    QByteArray const out = assemble(pdf.m_objects, catalog, "1.5");
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}

namespace Hostile {

bool write(QString const& path, Kind kind)
{
    RawPdf pdf;
    QByteArray content = RawPdf::text(72, 770, "Before");
    QByteArray resources;
    switch (kind) {
    case HugeInlineImage:
        content += "q 100 0 0 10 72 600 cm BI /W 4611686018427387904 /H 1 /BPC 8 /CS /CMYK ID ";
        content += QByteArray(64, '\x7f') + " EI Q\n";
        break;
    case WideWidthRanges: {
        int const descendant =
            pdf.add("<< /Type /Font /Subtype /CIDFontType2 /BaseFont /Wide /CIDSystemInfo << /Registry "
                    "(Adobe) /Ordering (Identity) /Supplement 0 >> /DW 1000 /W [2147413647 2147483647 500 "
                    "2147483647 [600 700]] >>");
        int const composite = pdf.add("<< /Type /Font /Subtype /Type0 /BaseFont /Wide /Encoding /Identity-H "
                                      "/DescendantFonts [" +
                                      QByteArray::number(descendant) + " 0 R] >>");
        int const simple =
            pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /FirstChar 2147483647 "
                    "/LastChar 2147483647 /Widths [500 600 700] >>");
        // Drawn from a form of its own, so that the page's own font sets "Before".
        int const form = pdf.addStream(
            "/Type /XObject /Subtype /Form /BBox [0 0 595 842] /Resources << /Font << "
            "/F2 " +
                QByteArray::number(composite) + " 0 R /F3 " + QByteArray::number(simple) + " 0 R >> >>",
            "BT /F2 12 Tf 72 700 Td <00410042> Tj /F3 12 Tf 0 -20 Td (AB) Tj ET\n");
        resources = "/XObject << /W " + QByteArray::number(form) + " 0 R >>";
        content += "/W Do\n";
        break;
    }
    case FormsDrawnTwice: {
        int previous = 0;
        for (int i = 0; i < 24; ++i) {
            QByteArray const body = previous ? "q 0.5 0 0 0.5 0 0 cm /X Do Q q 0.5 0 0 0.5 50 50 cm /X Do Q\n"
                                             : "BT /F1 9 Tf 0 0 Td (w) Tj ET 0 0 m 10 10 l S\n";
            QByteArray const own =
                previous ? "/Resources << /XObject << /X " + QByteArray::number(previous) + " 0 R >> >>"
                         : QByteArray();
            previous = pdf.addStream("/Type /XObject /Subtype /Form /BBox [0 0 100 100] " + own, body);
        }
        resources = "/XObject << /X " + QByteArray::number(previous) + " 0 R >>";
        content += "q 4 0 0 4 72 200 cm /X Do Q\n";
        break;
    }
    case UnbalancedSaves:
        content += QByteArray("q ").repeated(1000000);
        break;
    case NestedArrays:
        content += QByteArray("[[[[[[[[[[ 1 ]]]]]]]]]] Tj\n").repeated(100000);
        break;
    case ManyLines:
        // A thousand rows of a thousand short strokes each, drawn as one path.
        content += "0.1 w\n";
        for (int row = 0; row < 1000; ++row) {
            content += "72 " + QByteArray::number(100 + row * 0.6) + " m\n";
            for (int i = 1; i < 1000; ++i)
                content += QByteArray::number(72 + i * 0.45) + ' ' +
                           QByteArray::number(100 + row * 0.6 + (i % 2) * 0.3) + " l\n";
        }
        content += "S\n";
        break;
    }
    return pdf.write(path, content, resources);
}

} // namespace Hostile

QString words(QString const& prefix, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("%1%2").arg(prefix).arg(i);
    return list.join(QLatin1Char(' '));
}

bool encrypt(QString const& input, QString const& output, QStringList const& encryptArgs)
{
    QProcess qpdf;
    // Weak (RC4) encryption has to be allowed before --encrypt opens its own options.
    qpdf.start(QStringLiteral("qpdf"),
               QStringList{QStringLiteral("--allow-weak-crypto"), QStringLiteral("--encrypt")} + encryptArgs +
                   QStringList{QStringLiteral("--"), input, output});
    return qpdf.waitForFinished(30000) && qpdf.exitStatus() == QProcess::NormalExit && qpdf.exitCode() == 0;
}

QString pdfToText(QString const& path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return QString();
    return QString::fromUtf8(tool.readAllStandardOutput());
}

} // namespace PdfFixtures

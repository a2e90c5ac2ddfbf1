#include "DocxFrames.h"

#include <QXmlStreamReader>

#include <algorithm>

namespace {

struct Paragraph
{
    QString frame; // the frame's properties, empty outside frames
    QRectF box;
    double spaceBefore = 0;
    double pitch = 0;
    double size = 11;
    QStringList lines{QString()};
};

double points(QXmlStreamAttributes const& a, char const* name)
{
    return a.value(QLatin1String(name)).toDouble() / 20;
}

} // namespace

QVector<DocxFrame> docxFrames(QByteArray const& documentXml)
{
    QVector<DocxFrame> frames;
    QXmlStreamReader xml(documentXml);
    int section = 0, tables = 0;
    bool runProperties = false; // character spacing is no paragraph spacing
    Paragraph p;
    QString lastFrame;
    auto close = [&] {
        if (p.frame.isEmpty()) {
            lastFrame.clear();
            return;
        }
        double const pitch = p.pitch > 0 ? p.pitch : 1.15 * p.size;
        double const height = p.spaceBefore + p.lines.size() * pitch;
        if (p.frame == lastFrame && !frames.isEmpty() && frames.last().section == section) {
            frames.last().box.setHeight(frames.last().box.height() + height);
            frames.last().lines += p.lines;
        } else {
            frames.push_back({section, QRectF(p.box.topLeft(), QSizeF(p.box.width(), height)), p.lines});
        }
        lastFrame = p.frame;
    };
    while (!xml.atEnd()) {
        xml.readNext();
        QStringRef const name = xml.qualifiedName();
        if (xml.isStartElement()) {
            QXmlStreamAttributes const a = xml.attributes();
            if (name == QLatin1String("w:tbl"))
                ++tables;
            else if (tables > 0)
                continue;
            else if (name == QLatin1String("w:p"))
                p = Paragraph();
            else if (name == QLatin1String("w:rPr"))
                runProperties = true;
            else if (name == QLatin1String("w:framePr")) {
                for (auto const& attribute : a)
                    p.frame +=
                        attribute.qualifiedName() + QLatin1Char('=') + attribute.value() + QLatin1Char(' ');
                p.box = QRectF(points(a, "w:x"), points(a, "w:y"), points(a, "w:w"), points(a, "w:h"));
            } else if (name == QLatin1String("w:spacing") && !runProperties) {
                p.spaceBefore = points(a, "w:before");
                if (a.value(QLatin1String("w:lineRule")) == QLatin1String("exact"))
                    p.pitch = points(a, "w:line");
            } else if (name == QLatin1String("w:sz")) {
                p.size = a.value(QLatin1String("w:val")).toDouble() / 2;
            } else if (name == QLatin1String("w:t")) {
                p.lines.last() += xml.readElementText();
            } else if (name == QLatin1String("w:br") && a.value(QLatin1String("w:type")).isEmpty()) {
                p.lines << QString();
            }
        } else if (xml.isEndElement()) {
            if (name == QLatin1String("w:tbl"))
                --tables;
            else if (tables == 0 && name == QLatin1String("w:p"))
                close();
            else if (name == QLatin1String("w:rPr"))
                runProperties = false;
            else if (name == QLatin1String("w:sectPr"))
                ++section;
        }
    }
    return frames;
}

QVector<QPair<int, int>> overlappingFrames(QVector<DocxFrame> const& frames, double tolerance)
{
    QVector<QPair<int, int>> pairs;
    for (int i = 0; i < frames.size(); ++i)
        for (int k = i + 1; k < frames.size(); ++k) {
            if (frames.at(i).section != frames.at(k).section)
                continue;
            QRectF const common = frames.at(i).box.intersected(frames.at(k).box);
            if (common.width() > tolerance && common.height() > tolerance)
                pairs.push_back({i, k});
        }
    return pairs;
}

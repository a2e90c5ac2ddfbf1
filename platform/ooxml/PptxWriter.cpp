#include "ooxml/PptxWriter.h"

#include "internal/OutputFile.h"
#include "internal/PackageWriter.h"
#include "internal/PictureData.h"
#include "internal/XmlText.h"

#include <algorithm>
#include <cmath>

namespace ooxml {

namespace {

using namespace internal;

constexpr double MinSlidePoints = 72.0;   // 914400 EMU
constexpr double MaxSlidePoints = 4032.0; // 51206400 EMU

#define PPTX_XML_HEAD                                                                                        \
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"                                             \
    "\n"
#define PPTX_NS                                                                                              \
    R"(xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" )"                                    \
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" )"                      \
    R"(xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main")"
#define PPTX_EMPTY_TREE                                                                                      \
    R"(<p:spTree><p:nvGrpSpPr><p:cNvPr id="1" name=""/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>)"              \
    R"(<p:grpSpPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="0" cy="0"/><a:chOff x="0" y="0"/>)"                 \
    R"(<a:chExt cx="0" cy="0"/></a:xfrm></p:grpSpPr></p:spTree>)"

constexpr char const* MasterXml = PPTX_XML_HEAD
    R"(<p:sldMaster )" PPTX_NS
    R"(><p:cSld><p:bg><p:bgRef idx="1001"><a:schemeClr val="bg1"/></p:bgRef></p:bg>)" PPTX_EMPTY_TREE
    R"(</p:cSld><p:clrMap bg1="lt1" tx1="dk1" bg2="lt2" tx2="dk2" accent1="accent1" accent2="accent2" )"
    R"(accent3="accent3" accent4="accent4" accent5="accent5" accent6="accent6" hlink="hlink" folHlink="folHlink"/>)"
    R"(<p:sldLayoutIdLst><p:sldLayoutId id="2147483649" r:id="rId1"/></p:sldLayoutIdLst>)"
    R"(<p:txStyles><p:titleStyle><a:lvl1pPr><a:defRPr sz="4400"><a:solidFill><a:schemeClr val="tx1"/></a:solidFill>)"
    R"(<a:latin typeface="+mj-lt"/><a:ea typeface="+mj-ea"/><a:cs typeface="+mj-cs"/></a:defRPr></a:lvl1pPr></p:titleStyle>)"
    R"(<p:bodyStyle><a:lvl1pPr><a:defRPr sz="1800"><a:solidFill><a:schemeClr val="tx1"/></a:solidFill>)"
    R"(<a:latin typeface="+mn-lt"/><a:ea typeface="+mn-ea"/><a:cs typeface="+mn-cs"/></a:defRPr></a:lvl1pPr></p:bodyStyle>)"
    R"(<p:otherStyle><a:lvl1pPr><a:defRPr sz="1800"><a:solidFill><a:schemeClr val="tx1"/></a:solidFill>)"
    R"(<a:latin typeface="+mn-lt"/><a:ea typeface="+mn-ea"/><a:cs typeface="+mn-cs"/></a:defRPr></a:lvl1pPr></p:otherStyle>)"
    R"(</p:txStyles></p:sldMaster>)";

constexpr char const* LayoutXml = PPTX_XML_HEAD
    R"(<p:sldLayout )" PPTX_NS R"( type="blank" preserve="1"><p:cSld name="Blank">)" PPTX_EMPTY_TREE
    R"(</p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sldLayout>)";

constexpr char const* PresPropsXml = PPTX_XML_HEAD R"(<p:presentationPr )" PPTX_NS R"(/>)";
constexpr char const* ViewPropsXml = PPTX_XML_HEAD R"(<p:viewPr )" PPTX_NS R"(/>)";
constexpr char const* TableStylesXml =
    PPTX_XML_HEAD R"(<a:tblStyleLst xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" )"
                  R"(def="{5C22544A-7EE6-4342-B048-85BDC9FD1C3A}"/>)";

#define PPTX_SOLID R"(<a:solidFill><a:schemeClr val="phClr"/></a:solidFill>)"
#define PPTX_LINE(w)                                                                                         \
    R"(<a:ln w=")" w R"(" cap="flat" cmpd="sng" algn="ctr">)" PPTX_SOLID R"(<a:prstDash val="solid"/></a:ln>)"

constexpr char const* ThemeXml = PPTX_XML_HEAD
    R"(<a:theme xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" name="Docquill">)"
    R"(<a:themeElements><a:clrScheme name="Docquill">)"
    R"(<a:dk1><a:srgbClr val="000000"/></a:dk1><a:lt1><a:srgbClr val="FFFFFF"/></a:lt1>)"
    R"(<a:dk2><a:srgbClr val="44546A"/></a:dk2><a:lt2><a:srgbClr val="E7E6E6"/></a:lt2>)"
    R"(<a:accent1><a:srgbClr val="4472C4"/></a:accent1><a:accent2><a:srgbClr val="ED7D31"/></a:accent2>)"
    R"(<a:accent3><a:srgbClr val="A5A5A5"/></a:accent3><a:accent4><a:srgbClr val="FFC000"/></a:accent4>)"
    R"(<a:accent5><a:srgbClr val="5B9BD5"/></a:accent5><a:accent6><a:srgbClr val="70AD47"/></a:accent6>)"
    R"(<a:hlink><a:srgbClr val="0563C1"/></a:hlink><a:folHlink><a:srgbClr val="954F72"/></a:folHlink>)"
    R"(</a:clrScheme><a:fontScheme name="Docquill">)"
    R"(<a:majorFont><a:latin typeface="Arial"/><a:ea typeface=""/><a:cs typeface=""/></a:majorFont>)"
    R"(<a:minorFont><a:latin typeface="Arial"/><a:ea typeface=""/><a:cs typeface=""/></a:minorFont>)"
    R"(</a:fontScheme><a:fmtScheme name="Docquill"><a:fillStyleLst>)" PPTX_SOLID PPTX_SOLID PPTX_SOLID
    R"(</a:fillStyleLst><a:lnStyleLst>)" PPTX_LINE("6350") PPTX_LINE("12700") PPTX_LINE(
        "19050") R"(</a:lnStyleLst><a:effectStyleLst><a:effectStyle><a:effectLst/></a:effectStyle>)"
                 R"(<a:effectStyle><a:effectLst/></a:effectStyle><a:effectStyle><a:effectLst/></a:effectStyle></a:effectStyleLst>)"
                 R"(<a:bgFillStyleLst>)" PPTX_SOLID PPTX_SOLID PPTX_SOLID
                 R"(</a:bgFillStyleLst></a:fmtScheme></a:themeElements>)"
                 R"(<a:objectDefaults/><a:extraClrSchemeLst/></a:theme>)";

#undef PPTX_LINE
#undef PPTX_SOLID
#undef PPTX_EMPTY_TREE
#undef PPTX_NS
#undef PPTX_XML_HEAD

QString contentType(char const* kind)
{
    return QStringLiteral("application/vnd.openxmlformats-officedocument.presentationml.%1+xml")
        .arg(QLatin1String(kind));
}

QString relationship(char const* kind)
{
    return QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/%1")
        .arg(QLatin1String(kind));
}

bool positiveSize(QSizeF const& size)
{
    return std::isfinite(size.width()) && std::isfinite(size.height()) && size.width() > 0.0 &&
           size.height() > 0.0;
}

// Maps a slide's own coordinates onto the written slide.
struct Placement
{
    double scale = 1.0;
    double dx = 0.0;
    double dy = 0.0;

    qint64 x(double v) const { return emu(std::clamp(v * scale + dx, -1.0e7, 1.0e7)); }
    qint64 y(double v) const { return emu(std::clamp(v * scale + dy, -1.0e7, 1.0e7)); }
    qint64 length(double v) const { return emu(std::clamp(std::abs(v) * scale, 0.0, 1.0e7)); }
};

class PptxBuilder
{
public:
    explicit PptxBuilder(PackageWriter& package) : m_package(package) {}
    bool build(Presentation const& presentation);
    QString error() const { return m_error; }

private:
    QByteArray slideXml(Slide const& slide, Placement const& placement, Relationships& relationships);
    void picture(XmlWriter& xml, SlidePicture const& picture, Placement const& placement, int id,
                 Relationships& relationships);
    void textBox(XmlWriter& xml, SlideTextBox const& box, Placement const& placement, int id);
    void transform(XmlWriter& xml, qint64 x, qint64 y, qint64 cx, qint64 cy);

    PackageWriter& m_package;
    int m_pictureCount = 0;
    QString m_error;
};

bool PptxBuilder::build(Presentation const& presentation)
{
    if (!positiveSize(presentation.slideSize)) {
        m_error = QStringLiteral("slide size is not positive");
        return false;
    }
    QSizeF const slideSize = PptxWriter::fittedSlideSize(presentation.slideSize);

    Relationships relationships;
    relationships.add("http://schemas.openxmlformats.org/officeDocument/2006/relationships/slideMaster",
                      QStringLiteral("slideMasters/slideMaster1.xml"));
    XmlWriter xml;
    xml.start("p:presentation");
    xml.attr("xmlns:a", "http://schemas.openxmlformats.org/drawingml/2006/main");
    xml.attr("xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships");
    xml.attr("xmlns:p", "http://schemas.openxmlformats.org/presentationml/2006/main");
    xml.attr("saveSubsetFonts", 1);
    xml.start("p:sldMasterIdLst");
    xml.empty("p:sldMasterId");
    xml.attr("id", qint64(2147483648LL));
    xml.attr("r:id", QStringLiteral("rId1"));
    xml.end();
    if (!presentation.slides.isEmpty()) {
        xml.start("p:sldIdLst");
        for (int i = 0; i < presentation.slides.size(); ++i) {
            Slide const& slide = presentation.slides[i];
            QSizeF const own = positiveSize(slide.size) ? slide.size : presentation.slideSize;
            Placement placement;
            placement.scale = std::min(slideSize.width() / own.width(), slideSize.height() / own.height());
            placement.dx = (slideSize.width() - own.width() * placement.scale) / 2.0;
            placement.dy = (slideSize.height() - own.height() * placement.scale) / 2.0;

            Relationships slideRelationships;
            slideRelationships.add(relationship("slideLayout"),
                                   QStringLiteral("../slideLayouts/slideLayout1.xml"));
            QString const part = QStringLiteral("ppt/slides/slide%1.xml").arg(i + 1);
            m_package.addXml(part, slideXml(slide, placement, slideRelationships), contentType("slide"));
            if (!m_error.isEmpty())
                return false;
            m_package.addRelationships(part, slideRelationships);
            xml.empty("p:sldId");
            xml.attr("id", 256 + i);
            xml.attr("r:id", relationships.add(relationship("slide"),
                                               QStringLiteral("slides/slide%1.xml").arg(i + 1)));
        }
        xml.end();
    }
    xml.empty("p:sldSz");
    xml.attr("cx", emu(slideSize.width()));
    xml.attr("cy", emu(slideSize.height()));
    xml.empty("p:notesSz");
    xml.attr("cx", 6858000);
    xml.attr("cy", 9144000);
    xml.end();

    relationships.add(rel::theme, QStringLiteral("theme/theme1.xml"));
    relationships.add(relationship("presProps"), QStringLiteral("presProps.xml"));
    relationships.add(relationship("viewProps"), QStringLiteral("viewProps.xml"));
    relationships.add(relationship("tableStyles"), QStringLiteral("tableStyles.xml"));
    m_package.addXml(QStringLiteral("ppt/presentation.xml"), xml.finish(), contentType("presentation.main"));
    m_package.addRelationships(QStringLiteral("ppt/presentation.xml"), relationships);

    Relationships master;
    master.add(relationship("slideLayout"), QStringLiteral("../slideLayouts/slideLayout1.xml"));
    master.add(rel::theme, QStringLiteral("../theme/theme1.xml"));
    m_package.addXml(QStringLiteral("ppt/slideMasters/slideMaster1.xml"), MasterXml,
                     contentType("slideMaster"));
    m_package.addRelationships(QStringLiteral("ppt/slideMasters/slideMaster1.xml"), master);
    Relationships layout;
    layout.add(relationship("slideMaster"), QStringLiteral("../slideMasters/slideMaster1.xml"));
    m_package.addXml(QStringLiteral("ppt/slideLayouts/slideLayout1.xml"), LayoutXml,
                     contentType("slideLayout"));
    m_package.addRelationships(QStringLiteral("ppt/slideLayouts/slideLayout1.xml"), layout);
    m_package.addXml(QStringLiteral("ppt/theme/theme1.xml"), ThemeXml,
                     QStringLiteral("application/vnd.openxmlformats-officedocument.theme+xml"));
    m_package.addXml(QStringLiteral("ppt/presProps.xml"), PresPropsXml, contentType("presProps"));
    m_package.addXml(QStringLiteral("ppt/viewProps.xml"), ViewPropsXml, contentType("viewProps"));
    m_package.addXml(QStringLiteral("ppt/tableStyles.xml"), TableStylesXml, contentType("tableStyles"));
    m_package.addPackageParts(QStringLiteral("ppt/presentation.xml"), presentation.info);
    return true;
}

QByteArray PptxBuilder::slideXml(Slide const& slide, Placement const& placement, Relationships& relationships)
{
    XmlWriter xml;
    xml.start("p:sld");
    xml.attr("xmlns:a", "http://schemas.openxmlformats.org/drawingml/2006/main");
    xml.attr("xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships");
    xml.attr("xmlns:p", "http://schemas.openxmlformats.org/presentationml/2006/main");
    xml.start("p:cSld");
    xml.start("p:spTree");
    xml.start("p:nvGrpSpPr");
    xml.empty("p:cNvPr");
    xml.attr("id", 1);
    xml.attr("name", QString());
    xml.empty("p:cNvGrpSpPr");
    xml.empty("p:nvPr");
    xml.end();
    xml.start("p:grpSpPr");
    xml.start("a:xfrm");
    for (char const* offset : {"a:off", "a:chOff"}) {
        char const* extent = offset[2] == 'o' ? "a:ext" : "a:chExt";
        xml.empty(offset);
        xml.attr("x", 0);
        xml.attr("y", 0);
        xml.empty(extent);
        xml.attr("cx", 0);
        xml.attr("cy", 0);
    }
    xml.end();
    xml.end();
    int id = 2;
    for (SlidePicture const& p : slide.pictures)
        picture(xml, p, placement, id++, relationships);
    for (SlideTextBox const& box : slide.textBoxes)
        textBox(xml, box, placement, id++);
    xml.end(); // p:spTree
    xml.end(); // p:cSld
    xml.start("p:clrMapOvr");
    xml.empty("a:masterClrMapping");
    xml.end();
    xml.end();
    return xml.finish();
}

void PptxBuilder::transform(XmlWriter& xml, qint64 x, qint64 y, qint64 cx, qint64 cy)
{
    xml.start("a:xfrm");
    xml.empty("a:off");
    xml.attr("x", x);
    xml.attr("y", y);
    xml.empty("a:ext");
    xml.attr("cx", cx);
    xml.attr("cy", cy);
    xml.end();
    xml.start("a:prstGeom");
    xml.attr("prst", "rect");
    xml.empty("a:avLst");
    xml.end();
}

void PptxBuilder::picture(XmlWriter& xml, SlidePicture const& picture, Placement const& placement, int id,
                          Relationships& relationships)
{
    PictureData data;
    QString why;
    if (!preparePicture(picture.picture, &data, &why)) {
        if (m_error.isEmpty())
            m_error = why;
        return;
    }
    QString const name = QStringLiteral("image%1.%2").arg(++m_pictureCount).arg(data.extension);
    m_package.addMedia(QStringLiteral("ppt/media/") + name, data.bytes, data.contentType);
    QString const rid = relationships.add(rel::image, QStringLiteral("../media/") + name);

    xml.start("p:pic");
    xml.start("p:nvPicPr");
    xml.empty("p:cNvPr");
    xml.attr("id", id);
    xml.attr("name", QStringLiteral("Picture %1").arg(id - 1));
    xml.start("p:cNvPicPr");
    xml.empty("a:picLocks");
    xml.attr("noChangeAspect", 1);
    xml.end();
    xml.empty("p:nvPr");
    xml.end();
    xml.start("p:blipFill");
    xml.empty("a:blip");
    xml.attr("r:embed", rid);
    xml.start("a:stretch");
    xml.empty("a:fillRect");
    xml.end();
    xml.end();
    xml.start("p:spPr");
    transform(xml, placement.x(picture.position.x()), placement.y(picture.position.y()),
              placement.length(picture.picture.size.width()),
              placement.length(picture.picture.size.height()));
    xml.end();
    xml.end();
}

void PptxBuilder::textBox(XmlWriter& xml, SlideTextBox const& box, Placement const& placement, int id)
{
    QRectF const frame = box.frame.normalized();
    xml.start("p:sp");
    xml.start("p:nvSpPr");
    xml.empty("p:cNvPr");
    xml.attr("id", id);
    xml.attr("name", QStringLiteral("TextBox %1").arg(id - 1));
    xml.empty("p:cNvSpPr");
    xml.attr("txBox", 1);
    xml.empty("p:nvPr");
    xml.end();
    xml.start("p:spPr");
    transform(xml, placement.x(frame.x()), placement.y(frame.y()), placement.length(frame.width()),
              placement.length(frame.height()));
    xml.empty("a:noFill");
    xml.end();
    xml.start("p:txBody");
    xml.start("a:bodyPr");
    xml.attr("wrap", "none");
    for (char const* inset : {"lIns", "tIns", "rIns", "bIns"})
        xml.attr(inset, 0);
    xml.attr("rtlCol", 0);
    xml.attr("anchor", "t");
    xml.empty("a:noAutofit");
    xml.end();
    xml.empty("a:lstStyle");
    xml.start("a:p");
    int lastSize = 1800;
    auto properties = [&xml, &placement](char const* element, TextRun const& run) {
        double const points = std::isfinite(run.fontSize) ? run.fontSize * placement.scale : 18.0;
        int const size = std::clamp(int(std::lround(points * 100.0)), 100, 400000);
        xml.start(element);
        xml.attr("lang", "en-US");
        xml.attr("sz", size);
        if (run.bold)
            xml.attr("b", 1);
        if (run.italic)
            xml.attr("i", 1);
        if (run.underline)
            xml.attr("u", "sng");
        if (run.strike)
            xml.attr("strike", "sngStrike");
        if (run.script != TextRun::Script::Normal)
            xml.attr("baseline", run.script == TextRun::Script::Superscript ? 30000 : -25000);
        xml.attr("dirty", 0);
        auto const colour = [&xml](QColor const& c) {
            xml.empty("a:srgbClr");
            xml.attr("val", hexColour(c));
        };
        if (run.colour.isValid()) {
            xml.start("a:solidFill");
            colour(run.colour);
            xml.end();
        }
        if (run.highlight.isValid()) {
            xml.start("a:highlight");
            colour(run.highlight);
            xml.end();
        }
        if (!run.fontFamily.isEmpty()) {
            xml.empty("a:latin");
            xml.attr("typeface", run.fontFamily);
        }
        xml.end();
        return size;
    };
    for (TextRun const& run : box.runs) {
        QString const text = unixLineEnds(xmlSafe(run.text));
        int start = 0;
        for (int i = 0; i <= text.size(); ++i) {
            bool const atEnd = i == text.size();
            if (!atEnd && text.at(i) != QLatin1Char('\n'))
                continue;
            if (i > start) {
                xml.start("a:r");
                lastSize = properties("a:rPr", run);
                xml.start("a:t");
                xml.text(text.mid(start, i - start));
                xml.end();
                xml.end();
            }
            if (!atEnd) {
                xml.start("a:br");
                lastSize = properties("a:rPr", run);
                xml.end();
            }
            start = i + 1;
        }
    }
    xml.empty("a:endParaRPr");
    xml.attr("lang", "en-US");
    xml.attr("sz", lastSize);
    xml.attr("dirty", 0);
    xml.end(); // a:p
    xml.end(); // p:txBody
    xml.end(); // p:sp
}

} // namespace

QSizeF PptxWriter::fittedSlideSize(QSizeF const& points)
{
    if (!positiveSize(points))
        return QSizeF(720.0, 540.0);
    double const longer = std::max(points.width(), points.height());
    double const shorter = std::min(points.width(), points.height());
    double scale = 1.0;
    if (longer > MaxSlidePoints)
        scale = MaxSlidePoints / longer;
    if (shorter * scale < MinSlidePoints)
        scale = MinSlidePoints / shorter;
    return QSizeF(std::clamp(points.width() * scale, MinSlidePoints, MaxSlidePoints),
                  std::clamp(points.height() * scale, MinSlidePoints, MaxSlidePoints));
}

WriteResult PptxWriter::write(Presentation const& presentation, QString const& path, ExistingFile existing)
{
    return guarded([&] {
        WriteResult const check = checkTarget(path, existing);
        if (!check.ok())
            return check;
        PackageWriter package;
        PptxBuilder builder(package);
        if (!builder.build(presentation))
            return WriteResult::failure(WriteError::InvalidDocument, builder.error());
        return package.write(path, existing);
    });
}

} // namespace ooxml

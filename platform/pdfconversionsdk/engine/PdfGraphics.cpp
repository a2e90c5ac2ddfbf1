#include "PdfGraphics.h"

#include "ColourSpace.h"
#include "ContentParser.h"
#include "FileSource.h"
#include "FontMetrics.h"
#include "PngWriter.h"

#include <QPolygonF>
#include <QRectF>
#include <QTransform>

#include <qpdf/Buffer.hh>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <deque>
#include <map>
#include <set>

namespace pdfconv {
namespace engine {

namespace {

// Enough for any real table; a page of hatching stops here.
constexpr int kMaxRulings = 20000;
constexpr int kMaxFormDepth = 8;
// Work on one page, forms and appearances included: a page drawn to keep a reader busy
// stops here with what it drew so far.
constexpr long long kMaxOperators = 5'000'000;
constexpr int kMaxFormDraws = 20'000;
constexpr int kMaxSaves = 1'000;
constexpr int kMaxPathPoints = 1'000'000;

QRectF rectOf(QPDFObjectHandle box)
{
    if (!box.isRectangle())
        return {};
    QPDFObjectHandle::Rectangle const r = box.getArrayAsRectangle();
    return QRectF(QPointF(std::min(r.llx, r.urx), std::min(r.lly, r.ury)),
                  QPointF(std::max(r.llx, r.urx), std::max(r.lly, r.ury)));
}

QRectF cropOf(QPDFPageObjectHelper& page)
{
    QRectF crop = rectOf(page.getCropBox());
    QRectF const media = rectOf(page.getMediaBox());
    if (!media.isEmpty())
        crop = crop.isEmpty() ? media : crop.intersected(media);
    return crop;
}

// From PDF user space of the page to points from the top-left corner of the page as shown.
QTransform displayTransform(QPDFPageObjectHelper& page)
{
    QRectF const crop = cropOf(page);
    int rotate = 0;
    QPDFObjectHandle r = page.getAttribute("/Rotate", false);
    if (r.isInteger())
        rotate = ((r.getIntValueAsInt() % 360) + 360) % 360;
    double const x0 = crop.left(), y0 = crop.top(), x1 = crop.right(), y1 = crop.bottom();
    // QTransform(m11, m12, m21, m22, dx, dy) maps (x, y) to (m11 x + m21 y + dx, m12 x + m22 y + dy).
    switch (rotate) {
    case 90:
        return QTransform(0, 1, 1, 0, -y0, -x0);
    case 180:
        return QTransform(-1, 0, 0, 1, x1, -y0);
    case 270:
        return QTransform(0, -1, -1, 0, y1, x1);
    default:
        return QTransform(1, 0, 0, -1, -x0, y1);
    }
}

// Limits that keep a page of hatching or of countless glyph runs cheap to read.
constexpr int kMaxShapes = 20000;
constexpr int kMaxAnnotations = 2000;

std::string nameOf(QPDFObjectHandle object)
{
    return object.isName() ? object.getName() : std::string();
}

// An annotation's appearance as the page shows it: a form drawn into its rectangle.
struct Appearance
{
    QPDFObjectHandle form;
    QRectF rect; // PDF user space of the page
};

// The appearances of the annotations a viewer shows on the page: stamps, shapes, notes,
// not links, pop-ups or form fields, and none that is hidden.
std::vector<Appearance> appearancesOf(QPDFObjectHandle page)
{
    std::vector<Appearance> out;
    QPDFObjectHandle annotations = page.getKey("/Annots");
    if (!annotations.isArray())
        return out;
    int const n = std::min(annotations.getArrayNItems(), kMaxAnnotations);
    for (int i = 0; i < n; ++i) {
        QPDFObjectHandle annotation = annotations.getArrayItem(i);
        if (!annotation.isDictionary())
            continue;
        std::string const subtype = nameOf(annotation.getKey("/Subtype"));
        if (subtype == "/Link" || subtype == "/Popup" || subtype == "/Widget")
            continue;
        QPDFObjectHandle flags = annotation.getKey("/F");
        if (flags.isInteger() && (flags.getIntValue() & (2 | 32))) // hidden, or not for viewing
            continue;
        QPDFObjectHandle appearance = annotation.getKey("/AP");
        QPDFObjectHandle normal = appearance.isDictionary() ? appearance.getKey("/N") : QPDFObjectHandle();
        if (normal.isDictionary()) // one appearance per state
            normal = normal.getKey(nameOf(annotation.getKey("/AS")));
        QRectF const rect = rectOf(annotation.getKey("/Rect"));
        if (normal.isStream() && rect.width() > 0 && rect.height() > 0)
            out.push_back({normal, rect});
    }
    return out;
}

QTransform matrixOf(QPDFObjectHandle form)
{
    QPDFObjectHandle matrix = form.getDict().getKey("/Matrix");
    if (!matrix.isMatrix())
        return QTransform();
    QPDFObjectHandle::Matrix const m = matrix.getArrayAsMatrix();
    return QTransform(m.a, m.b, m.c, m.d, m.e, m.f);
}

// Fonts are shared by the pages of a document: their metrics are read once.
// Collects at most a cap's bytes of a decoded stream: a font's map of text has no need of more.
class CappedString : public Pipeline
{
public:
    CappedString(std::string& out, size_t cap) : Pipeline("cmap", nullptr), m_out(out), m_cap(cap) {}
    void write(unsigned char const* data, size_t length) override
    {
        m_out.append(reinterpret_cast<char const*>(data), std::min(length, m_cap - m_out.size()));
    }
    void finish() override {}

private:
    std::string& m_out;
    size_t m_cap;
};

bool isAlef(unsigned c)
{
    return c == 0x0627 || c == 0x0623 || c == 0x0625 || c == 0x0622;
}

// The UTF-16 units of a hex string's digits; empty for anything but whole units.
std::vector<unsigned> unitsOf(std::string const& hex)
{
    std::vector<unsigned> units;
    if (hex.size() % 4 != 0 || hex.size() > 64)
        return units;
    for (size_t i = 0; i < hex.size(); i += 4)
        units.push_back(unsigned(std::stoul(hex.substr(i, 4), nullptr, 16)));
    return units;
}

// The codes that a font's ToUnicode map gives a lam followed by an alef: one glyph for both.
std::set<int> lamAlefCodes(QPDFObjectHandle font)
{
    std::set<int> codes;
    QPDFObjectHandle map = font.isDictionary() ? font.getKey("/ToUnicode") : QPDFObjectHandle::newNull();
    if (!map.isStream())
        return codes;
    std::string data;
    try {
        CappedString pipe(data, 1 << 20);
        map.pipeStreamData(&pipe, 0, qpdf_dl_generalized);
    } catch (std::exception const&) {
        return codes;
    }
    if (data.find("0644") == std::string::npos)
        return codes;
    enum class Section
    {
        None,
        Chars,
        Ranges
    } section = Section::None;
    std::vector<std::string> entry; // hex strings of the entry being read; "[" opens a list
    size_t i = 0;
    while (i < data.size()) {
        char const c = data[i];
        if (c == '<') {
            size_t const end = data.find('>', i + 1);
            if (end == std::string::npos)
                break;
            std::string hex;
            for (size_t k = i + 1; k < end; ++k)
                if (std::isxdigit(uchar(data[k])))
                    hex += data[k];
            i = end + 1;
            if (section == Section::None)
                continue;
            entry.push_back(hex);
            bool const listOpen = entry.size() > 2 && entry[2] == "[";
            if (section == Section::Chars && entry.size() == 2) {
                std::vector<unsigned> const to = unitsOf(entry[1]);
                if (entry[0].size() <= 4 && to.size() == 2 && to[0] == 0x0644 && isAlef(to[1]))
                    codes.insert(int(std::stoul(entry[0].empty() ? "0" : entry[0], nullptr, 16)));
                entry.clear();
            } else if (section == Section::Ranges && entry.size() == 3 && !listOpen) {
                if (entry[0].size() <= 4 && entry[1].size() <= 4 && !entry[0].empty() && !entry[1].empty()) {
                    long long const low = std::stoll(entry[0], nullptr, 16);
                    long long const high = std::stoll(entry[1], nullptr, 16);
                    std::vector<unsigned> const to = unitsOf(entry[2]);
                    // The last unit counts up through the range.
                    if (to.size() == 2 && to[0] == 0x0644)
                        for (unsigned alef : {0x0627u, 0x0623u, 0x0625u, 0x0622u}) {
                            long long const k = (long long)alef - to[1];
                            if (k >= 0 && k <= high - low)
                                codes.insert(int(low + k));
                        }
                }
                entry.clear();
            }
        } else if (c == '[') {
            if (section == Section::Ranges && entry.size() == 2)
                entry.push_back("[");
            ++i;
        } else if (c == ']') {
            if (section == Section::Ranges && entry.size() > 2 && entry[2] == "[" && entry[0].size() <= 4 &&
                !entry[0].empty()) {
                long long const low = std::stoll(entry[0], nullptr, 16);
                for (size_t k = 3; k < entry.size(); ++k) {
                    std::vector<unsigned> const to = unitsOf(entry[k]);
                    if (to.size() == 2 && to[0] == 0x0644 && isAlef(to[1]))
                        codes.insert(int(low + (long long)(k - 3)));
                }
            }
            entry.clear();
            ++i;
        } else if (std::isalpha(uchar(c))) {
            size_t end = i;
            while (end < data.size() && std::isalpha(uchar(data[end])))
                ++end;
            std::string const word = data.substr(i, end - i);
            if (word == "beginbfchar")
                section = Section::Chars;
            else if (word == "beginbfrange")
                section = Section::Ranges;
            else if (word == "endbfchar" || word == "endbfrange")
                section = Section::None;
            entry.clear();
            i = end;
        } else {
            ++i;
        }
    }
    return codes;
}

// A font's advances, and the codes of its lam-alef glyphs.
FontMetrics measured(QPDFObjectHandle font)
{
    FontMetrics m = readMetrics(font);
    m.lamAlef = lamAlefCodes(font);
    return m;
}

using FontCache = std::map<QPDFObjGen, FontMetrics>;

// Walks content streams and notes the strokes, bars, pictures, shapes and glyph runs they paint.
class GraphicsReader
{
public:
    GraphicsReader(PageGraphics& out, QTransform const& display, QRectF const& page, FontCache& fonts)
        : m_out(out), m_display(display), m_page(page), m_fonts(fonts)
    {
    }

    void run(QPDFPageObjectHelper& page)
    {
        QPDFObjectHandle const resources = page.getAttribute("/Resources", false);
        Scope scope{resources, 0, {}, {}, {}};
        std::string data;
        StringPipeline pipe(data);
        page.pipeContents(&pipe);
        parse(data, scope);
        // Annotations are drawn over the page, each from the page's own coordinates.
        for (auto& appearance : appearancesOf(page.getObjectHandle())) {
            m_stack.clear();
            m_floor = 0;
            m_lostSaves = 0;
            m_state = State();
            m_path.clear();
            m_pathPoints = 0;
            QRectF const box = rectOf(appearance.form.getDict().getKey("/BBox"));
            QRectF const shown = matrixOf(appearance.form).mapRect(box);
            if (shown.width() <= 0 || shown.height() <= 0)
                continue;
            QRectF const& rect = appearance.rect;
            drawForm(appearance.form,
                     QTransform::fromTranslate(-shown.left(), -shown.top()) *
                         QTransform::fromScale(rect.width() / shown.width(), rect.height() / shown.height()) *
                         QTransform::fromTranslate(rect.left(), rect.top()),
                     resources, 0);
        }
    }

private:
    // What a content stream draws with: its resources, how deep in forms it lies, and the
    // fonts already looked up there.
    struct Scope
    {
        QPDFObjectHandle resources;
        int depth;
        std::map<std::string, FontMetrics const*> fonts; // by resource name
        std::map<std::string, std::shared_ptr<ColourSpace const>> spaces;
        std::map<std::string, QColor> patterns; // painted with a pattern of its own colours
    };

    // Collects a decoded stream.
    class StringPipeline : public Pipeline
    {
    public:
        explicit StringPipeline(std::string& out) : Pipeline("content", nullptr), m_out(out) {}
        void write(unsigned char const* data, size_t length) override
        {
            m_out.append(reinterpret_cast<char const*>(data), length);
        }
        void finish() override {}

    private:
        std::string& m_out;
    };

    void parse(std::string const& data, Scope& scope)
    {
        ContentParser parser(data.data(), data.data() + data.size());
        std::vector<Operand> operands;
        std::string op;
        while (parser.next(operands, op)) {
            if (++m_operators > kMaxOperators) {
                m_out.shapesCut = true;
                return;
            }
            if (op == "BI")
                addImage();
            else
                apply(op, operands, scope);
        }
    }

    struct Subpath
    {
        QVector<QPointF> points; // in user space after the CTM
        bool curved = false;
        bool rect = false;
    };

    // What q and Q save and restore.
    struct State
    {
        QTransform ctm;
        bool clipped = false;
        QRectF clip; // where painting shows when clipped, in layout coordinates
        int renderMode = 0;
        QColor fill = Qt::black;
        QColor stroke = Qt::black;
        std::shared_ptr<ColourSpace const> fillSpace = ColourSpace::device(ColourSpace::Family::Gray);
        std::shared_ptr<ColourSpace const> strokeSpace = fillSpace;
        double lineWidth = 1.0;
        int dash = 0;
        // Text state
        std::string font;
        double fontSize = 0;
        double charSpacing = 0;
        double wordSpacing = 0;
        double horizontalScale = 1.0;
        double leading = 0;
        double rise = 0;
    };

    static bool numbers(std::vector<Operand> const& ops, size_t count, double* out)
    {
        if (ops.size() < count)
            return false;
        for (size_t i = 0; i < count; ++i) {
            Operand const& o = ops[ops.size() - count + i];
            if (!o.isNumber())
                return false;
            out[i] = o.number;
        }
        return true;
    }

    // The colour of sc, scn, SC or SCN: the numbers, and a pattern's name after them.
    static QColor colourOf(std::vector<Operand> const& ops, ColourSpace const& space, Scope& scope)
    {
        double v[32];
        int count = 0;
        for (auto const& o : ops)
            if (o.isNumber() && count < 32)
                v[count++] = o.number;
        std::string const pattern = !ops.empty() && ops.back().isName() ? ops.back().text : std::string();
        if (space.family() != ColourSpace::Family::Pattern || count > 0)
            return space.colour(v, count, pattern, scope.resources);
        // A pattern's colour is read from its functions once per page and name, not per use.
        auto known = scope.patterns.find(pattern);
        if (known == scope.patterns.end())
            known = scope.patterns.emplace(pattern, space.colour(v, count, pattern, scope.resources)).first;
        return known->second;
    }

    static std::shared_ptr<ColourSpace const> spaceOf(Operand const& operand, Scope& scope)
    {
        if (!operand.isName())
            return ColourSpace::resolve(QPDFObjectHandle(), QPDFObjectHandle());
        auto& known = scope.spaces[operand.text];
        if (!known)
            known = ColourSpace::resolve(QPDFObjectHandle::newName(operand.text), scope.resources);
        return known;
    }

    QPolygonF unitSquare() const { return m_state.ctm.map(QPolygonF(QRectF(0, 0, 1, 1))); }

    // The part of a box the clipping path lets show; false when none does.
    bool visible(QRectF& box) const
    {
        if (!m_state.clipped)
            return true;
        QRectF const& c = m_state.clip;
        double const left = std::max(box.left(), c.left()), right = std::min(box.right(), c.right());
        double const top = std::max(box.top(), c.top()), bottom = std::min(box.bottom(), c.bottom());
        if (c.isNull() || right < left || bottom < top)
            return false;
        box = QRectF(QPointF(left, top), QPointF(right, bottom));
        return true;
    }

    void clipTo(QRectF const& shown)
    {
        State& st = m_state;
        QRectF box = shown;
        st.clip = !st.clipped ? shown : visible(box) ? box : QRectF();
        st.clipped = true;
    }

    void addShown(QRectF box)
    {
        m_out.hasDrawings = true;
        m_out.shapesCut = m_out.shapesCut || m_out.drawings.size() >= kMaxShapes;
        if (m_out.drawings.size() < kMaxShapes && visible(box) && (box.width() > 0 || box.height() > 0))
            m_out.drawings.push_back(box);
    }

    void addDrawing(QPolygonF const& userSpace, double pad)
    {
        addShown(m_display.map(userSpace).boundingRect().adjusted(-pad, -pad, pad, pad));
    }

    // An image fills the unit square of its space.
    void addImage(QPDFObjectHandle* object = nullptr)
    {
        bool const first = !m_out.hasImages;
        m_out.hasImages = true;
        QRectF const whole = m_display.map(unitSquare()).boundingRect();
        QRectF box = whole;
        bool const shown = visible(box) && box.width() > 0 && box.height() > 0;
        m_out.shapesCut = m_out.shapesCut || m_out.images.size() >= kMaxShapes;
        if (m_out.images.size() < kMaxShapes && shown)
            m_out.images.push_back(box);
        // Its first row at the top, nothing cut off: the image's own pixels show the page.
        QTransform const t = m_state.ctm * m_display;
        bool const upright =
            std::abs(t.m12()) < 1e-9 && std::abs(t.m21()) < 1e-9 && t.m11() > 0 && t.m22() < 0;
        auto const near = [](QRectF const& a, QRectF const& b) {
            return std::abs(a.left() - b.left()) < 0.5 && std::abs(a.top() - b.top()) < 0.5 &&
                   std::abs(a.right() - b.right()) < 0.5 && std::abs(a.bottom() - b.bottom()) < 0.5;
        };
        if (first && object && upright && shown && near(box, whole)) {
            m_out.imageObject = object->getObjectID();
            m_out.imageGeneration = object->getGeneration();
            m_out.imageBox = whole;
            QPDFObjectHandle dict = object->getDict();
            QPDFObjectHandle w = dict.getKey("/Width"), h = dict.getKey("/Height");
            QPDFObjectHandle bits = dict.getKey("/BitsPerComponent"), mask = dict.getKey("/ImageMask");
            if (w.isInteger() && h.isInteger())
                m_out.imagePixels = QSize(int(std::clamp<long long>(w.getIntValue(), 0, 1 << 20)),
                                          int(std::clamp<long long>(h.getIntValue(), 0, 1 << 20)));
            m_out.imageBilevel =
                (bits.isInteger() && bits.getIntValue() == 1) || (mask.isBool() && mask.getBoolValue());
        }
    }

    // A path of more points than any drawing needs keeps its first ones.
    bool roomInPath(int points)
    {
        if (m_pathPoints > kMaxPathPoints - points) {
            m_out.shapesCut = true;
            return false;
        }
        m_pathPoints += points;
        return true;
    }

    // Clipping by the path being built takes effect when it is painted (or ended with n).
    void applyClip()
    {
        if (!m_clipPending)
            return;
        m_clipPending = false;
        QPolygonF points;
        for (auto const& sub : m_path)
            points += QPolygonF(sub.points);
        if (!points.isEmpty())
            clipTo(m_display.map(points).boundingRect());
    }

    // Draws a form XObject (or an annotation's appearance) with @p placement between its
    // own matrix and the current transformation, in a graphics state of its own.
    void drawForm(QPDFObjectHandle form, QTransform const& placement, QPDFObjectHandle const& outer,
                  int depth)
    {
        if (depth >= kMaxFormDepth || m_operators > kMaxOperators || !m_forms.insert(form.getObjGen()).second)
            return;
        if (++m_formDraws > kMaxFormDraws) {
            m_out.shapesCut = true;
            m_forms.erase(form.getObjGen());
            return;
        }
        State const saved = m_state;
        int const floor = m_floor;
        long long const lostSaves = m_lostSaves;
        auto path = std::move(m_path);
        int const pathPoints = m_pathPoints;
        bool const clipPending = m_clipPending;
        QTransform const text = m_textMatrix, line = m_lineMatrix;
        m_floor = m_stack.size();
        m_path.clear();
        m_pathPoints = 0;
        m_clipPending = false;
        m_state.ctm = matrixOf(form) * placement * m_state.ctm;
        QRectF const box = rectOf(form.getDict().getKey("/BBox"));
        if (!box.isEmpty())
            clipTo(m_display.mapRect(m_state.ctm.mapRect(box)));
        QPDFObjectHandle own = form.getDict().getKey("/Resources");
        Scope inner{own.isDictionary() ? own : outer, depth + 1, {}, {}, {}};
        try {
            std::string data;
            StringPipeline pipe(data);
            form.pipeStreamData(&pipe, 0, qpdf_dl_generalized);
            parse(data, inner);
        } catch (std::exception const&) {
            // What the form drew before the damage stays.
        }
        // A form cannot take away what was saved before it, nor leave anything saved.
        m_stack.resize(m_floor);
        m_floor = floor;
        m_lostSaves = lostSaves;
        m_state = saved;
        m_path = std::move(path);
        m_pathPoints = pathPoints;
        m_clipPending = clipPending;
        m_textMatrix = text;
        m_lineMatrix = line;
        m_forms.erase(form.getObjGen());
    }

    void addRuling(QLineF const& shown, QColor const& colour, double width, int dash)
    {
        if (m_out.rulings.size() >= kMaxRulings) {
            m_out.shapesCut = true;
            return;
        }
        layout::Rule style;
        style.present = true;
        style.width = width;
        style.colour = colour;
        style.dash = dash;
        m_out.rulings.push_back(shown);
        m_out.rulingStyles.push_back(style);
    }

    double shownLineWidth() const
    {
        QTransform const t = m_state.ctm * m_display;
        double const scale = std::sqrt(std::abs(t.determinant()));
        return std::max(0.1, m_state.lineWidth * (scale > 0 ? scale : 1.0));
    }

    void paint(bool stroke, bool fill)
    {
        m_out.hasDrawings = true;
        double const width = shownLineWidth();
        for (auto const& sub : m_path) {
            if (sub.points.size() < 2)
                continue;
            QPolygonF const polygon(sub.points);
            QRectF const shown = m_display.mapRect(polygon.boundingRect());
            bool const straight = !sub.curved;
            bool const axisBox =
                straight && sub.points.size() >= 4 && sub.points.size() <= 5 && isAxisRectangle(sub.points);
            if (stroke) {
                bool drawing = !straight;
                if (straight) {
                    int const n = sub.points.size();
                    int const edges = sub.rect ? n : n - 1;
                    for (int i = 0; i < edges; ++i) {
                        QLineF const l(m_display.map(sub.points.at(i)),
                                       m_display.map(sub.points.at((i + 1) % n)));
                        if (std::abs(l.dx()) <= 1.0 || std::abs(l.dy()) <= 1.0)
                            addRuling(l, m_state.stroke, width, m_state.dash);
                        else
                            drawing = true;
                    }
                }
                if (drawing)
                    addDrawing(polygon, width / 2);
            }
            if (fill && sub.points.size() >= 3) {
                if (axisBox && shown.height() <= 3 && shown.width() > 3) {
                    addRuling(QLineF(shown.left(), shown.center().y(), shown.right(), shown.center().y()),
                              m_state.fill, shown.height(), 0);
                } else if (axisBox && shown.width() <= 3 && shown.height() > 3) {
                    addRuling(QLineF(shown.center().x(), shown.top(), shown.center().x(), shown.bottom()),
                              m_state.fill, shown.width(), 0);
                } else if (axisBox) {
                    m_out.shapesCut = m_out.shapesCut || m_out.fills.size() >= kMaxShapes;
                    if (m_out.fills.size() < kMaxShapes)
                        m_out.fills.push_back({shown, m_state.fill});
                } else {
                    addDrawing(polygon, 0);
                }
            }
        }
        m_path.clear();
        m_pathPoints = 0;
    }

    static bool isAxisRectangle(QVector<QPointF> const& points)
    {
        QRectF const box = QPolygonF(points).boundingRect();
        for (auto const& p : points) {
            bool const onX = std::abs(p.x() - box.left()) < 0.01 || std::abs(p.x() - box.right()) < 0.01;
            bool const onY = std::abs(p.y() - box.top()) < 0.01 || std::abs(p.y() - box.bottom()) < 0.01;
            if (!onX || !onY)
                return false;
        }
        return true;
    }

    FontMetrics const& metrics(Scope& scope)
    {
        static FontMetrics const none;
        auto const known = scope.fonts.find(m_state.font);
        if (known != scope.fonts.end())
            return *known->second;
        FontMetrics const* found = &none;
        QPDFObjectHandle fonts =
            scope.resources.isDictionary() ? scope.resources.getKey("/Font") : QPDFObjectHandle::newNull();
        QPDFObjectHandle font =
            fonts.isDictionary() ? fonts.getKey(m_state.font) : QPDFObjectHandle::newNull();
        if (font.isDictionary()) {
            QPDFObjGen const id = font.getObjGen();
            if (id.getObj() == 0) {
                m_directFonts.push_back(measured(font)); // a font written into its page
                found = &m_directFonts.back();
            } else {
                auto it = m_fonts.find(id);
                if (it == m_fonts.end())
                    it = m_fonts.emplace(id, measured(font)).first;
                found = &it->second;
            }
        }
        scope.fonts[m_state.font] = found;
        return *found;
    }

    // How far a string moves the text position, in text space; @p from: where it starts,
    // from the text matrix.
    double advanceOf(std::string const& bytes, Scope& scope, double from = 0)
    {
        FontMetrics const& font = metrics(scope);
        State const& st = m_state;
        double advance = 0;
        size_t const step = font.twoByte ? 2 : 1;
        for (size_t i = 0; i + step <= bytes.size(); i += step) {
            int const code = font.twoByte ? (uchar(bytes[i]) << 8) | uchar(bytes[i + 1]) : uchar(bytes[i]);
            double const glyph = font.width(code) / 1000.0 * st.fontSize * st.horizontalScale;
            if (!font.lamAlef.empty() && font.lamAlef.count(code) > 0 &&
                m_out.lamAlefGlyphs.size() < PageGraphics::kMaxTextSpans) {
                QRectF const textSpace(QPointF(from + advance, st.rise - 0.22 * st.fontSize),
                                       QPointF(from + advance + glyph, st.rise + 0.9 * st.fontSize));
                m_out.lamAlefGlyphs.push_back(
                    (m_textMatrix * st.ctm * m_display).mapRect(textSpace.normalized()));
            }
            double tx = font.width(code) / 1000.0 * st.fontSize + st.charSpacing;
            if (!font.twoByte && code == 32)
                tx += st.wordSpacing;
            advance += tx * st.horizontalScale;
        }
        return advance;
    }

    // Notes where a run of glyphs `advance` long is painted and moves past it.
    void show(double advance)
    {
        span(advance);
        m_textMatrix = QTransform::fromTranslate(advance, 0) * m_textMatrix;
    }

    void span(double advance)
    {
        if (advance == 0 || m_out.textSpans.size() >= PageGraphics::kMaxTextSpans)
            return;
        State const& st = m_state;
        bool const invisible = st.renderMode == 3 || st.renderMode == 7;
        (invisible ? m_out.hasInvisibleText : m_out.hasVisibleText) = true;
        double const size = st.fontSize;
        QTransform const toShown = m_textMatrix * st.ctm * m_display;
        QRectF const textSpace(QPointF(std::min(0.0, advance), st.rise - 0.22 * size),
                               QPointF(std::max(0.0, advance), st.rise + 0.9 * size));
        TextSpan span;
        span.box = toShown.mapRect(textSpace);
        span.baseline = toShown.map(QPointF(0, st.rise)).y();
        span.colour = st.renderMode == 1 ? st.stroke : st.fill;
        span.invisible = invisible;
        m_out.textSpans.push_back(span);
    }

    void apply(std::string const& op, std::vector<Operand> const& ops, Scope& scope)
    {
        QPDFObjectHandle resources = scope.resources;
        int const depth = scope.depth;
        double v[6];
        State& st = m_state;
        if (op == "q") {
            // Saves nested beyond any real drawing's are counted, and their restores skipped.
            if (m_stack.size() < kMaxSaves)
                m_stack.push_back(st);
            else
                ++m_lostSaves;
        } else if (op == "Q") {
            if (m_lostSaves > 0)
                --m_lostSaves;
            else if (m_stack.size() > m_floor)
                st = m_stack.takeLast();
        } else if (op == "BT") {
            m_textMatrix = m_lineMatrix = QTransform();
        } else if (op == "Tf") {
            if (ops.size() >= 2 && ops[0].isName() && ops[1].isNumber()) {
                st.font = ops[0].text;
                st.fontSize = ops[1].number;
            }
        } else if (op == "Tc") {
            if (numbers(ops, 1, v))
                st.charSpacing = v[0];
        } else if (op == "Tw") {
            if (numbers(ops, 1, v))
                st.wordSpacing = v[0];
        } else if (op == "Tz") {
            if (numbers(ops, 1, v))
                st.horizontalScale = v[0] / 100.0;
        } else if (op == "TL") {
            if (numbers(ops, 1, v))
                st.leading = v[0];
        } else if (op == "Ts") {
            if (numbers(ops, 1, v))
                st.rise = v[0];
        } else if (op == "Td" || op == "TD") {
            if (numbers(ops, 2, v)) {
                if (op == "TD")
                    st.leading = -v[1];
                m_textMatrix = m_lineMatrix = QTransform::fromTranslate(v[0], v[1]) * m_lineMatrix;
            }
        } else if (op == "Tm") {
            if (numbers(ops, 6, v))
                m_textMatrix = m_lineMatrix = QTransform(v[0], v[1], v[2], v[3], v[4], v[5]);
        } else if (op == "T*") {
            m_textMatrix = m_lineMatrix = QTransform::fromTranslate(0, -st.leading) * m_lineMatrix;
        } else if (op == "Tr") {
            if (numbers(ops, 1, v))
                st.renderMode = v[0] >= 0 && v[0] <= 7 ? int(v[0]) : 0;
        } else if (op == "Tj" || op == "'" || op == "\"") {
            if (op != "Tj") {
                if (op == "\"" && numbers(ops, 3, v)) {
                    st.wordSpacing = v[0];
                    st.charSpacing = v[1];
                }
                m_textMatrix = m_lineMatrix = QTransform::fromTranslate(0, -st.leading) * m_lineMatrix;
            }
            if (!ops.empty() && ops.back().isString())
                show(advanceOf(ops.back().text, scope));
            else
                (st.renderMode == 3 ? m_out.hasInvisibleText : m_out.hasVisibleText) = true;
        } else if (op == "TJ") {
            (st.renderMode == 3 ? m_out.hasInvisibleText : m_out.hasVisibleText) = true;
            if (!ops.empty() && ops.back().isArray()) {
                // One span for the whole array: kerning inside keeps its words together.
                double total = 0;
                for (Operand const& item : ops.back().items) {
                    if (item.isString())
                        total += advanceOf(item.text, scope, total);
                    else if (item.isNumber())
                        total -= item.number / 1000.0 * st.fontSize * st.horizontalScale;
                }
                show(total);
            }
        } else if (op == "cm") {
            if (numbers(ops, 6, v))
                st.ctm = QTransform(v[0], v[1], v[2], v[3], v[4], v[5]) * st.ctm;
        } else if (op == "w") {
            if (numbers(ops, 1, v))
                st.lineWidth = v[0];
        } else if (op == "d") {
            st.dash = 0;
            if (!ops.empty() && ops.front().isArray() && !ops.front().items.empty()) {
                Operand const& first = ops.front().items.front();
                double const on = first.isNumber() ? first.number : 3;
                st.dash = on <= std::max(1.5 * st.lineWidth, 1.0) ? 2 : 1;
            }
        } else if (op == "g" || op == "rg" || op == "k" || op == "G" || op == "RG" || op == "K") {
            using Family = ColourSpace::Family;
            char const kind = char(std::tolower(op.front()));
            auto space = ColourSpace::device(kind == 'g'   ? Family::Gray
                                             : kind == 'r' ? Family::Rgb
                                                           : Family::Cmyk);
            bool const fill = std::islower(op.front());
            (fill ? st.fill : st.stroke) = numbers(ops, space->components(), v)
                                               ? space->colour(v, space->components())
                                               : space->initial();
            (fill ? st.fillSpace : st.strokeSpace) = std::move(space);
        } else if (op == "cs" || op == "CS") {
            auto space = spaceOf(ops.empty() ? Operand() : ops.back(), scope);
            (op == "cs" ? st.fill : st.stroke) = space->initial();
            (op == "cs" ? st.fillSpace : st.strokeSpace) = std::move(space);
        } else if (op == "sc" || op == "scn") {
            st.fill = colourOf(ops, *st.fillSpace, scope);
        } else if (op == "SC" || op == "SCN") {
            st.stroke = colourOf(ops, *st.strokeSpace, scope);
        } else if (op == "m") {
            if (numbers(ops, 2, v) && roomInPath(1)) {
                m_path.push_back({});
                m_path.last().points << st.ctm.map(QPointF(v[0], v[1]));
            }
        } else if (op == "l") {
            if (numbers(ops, 2, v) && !m_path.isEmpty() && roomInPath(1))
                m_path.last().points << st.ctm.map(QPointF(v[0], v[1]));
        } else if (op == "c" || op == "v" || op == "y") {
            size_t const n = op == "c" ? 6 : 4;
            if (numbers(ops, n, v) && !m_path.isEmpty() && roomInPath(int(n / 2))) {
                m_path.last().curved = true;
                for (size_t k = 0; k + 1 < n; k += 2)
                    m_path.last().points << st.ctm.map(QPointF(v[k], v[k + 1]));
            }
        } else if (op == "h") {
            if (!m_path.isEmpty() && m_path.last().points.size() > 2)
                m_path.last().rect = true; // closes back to its start
        } else if (op == "re") {
            if (numbers(ops, 4, v) && roomInPath(4)) {
                Subpath sub;
                sub.rect = true;
                sub.points << st.ctm.map(QPointF(v[0], v[1])) << st.ctm.map(QPointF(v[0] + v[2], v[1]))
                           << st.ctm.map(QPointF(v[0] + v[2], v[1] + v[3]))
                           << st.ctm.map(QPointF(v[0], v[1] + v[3]));
                m_path.push_back(sub);
            }
        } else if (op == "W" || op == "W*") {
            m_clipPending = true;
        } else if (op == "S" || op == "s") {
            if (op == "s" && !m_path.isEmpty())
                m_path.last().rect = true;
            applyClip();
            paint(true, false);
        } else if (op == "f" || op == "F" || op == "f*") {
            applyClip();
            paint(false, true);
        } else if (op == "B" || op == "B*" || op == "b" || op == "b*") {
            applyClip();
            paint(true, true);
        } else if (op == "n") {
            applyClip();
            m_path.clear();
            m_pathPoints = 0;
        } else if (op == "sh") {
            addShown(m_page); // the shading fills what the clipping path leaves
        } else if (op == "Do" && !ops.empty() && ops.back().isName() && resources.isDictionary()) {
            QPDFObjectHandle xobjects = resources.getKey("/XObject");
            if (!xobjects.isDictionary())
                return;
            QPDFObjectHandle xobject = xobjects.getKey(ops.back().text);
            if (!xobject.isStream())
                return;
            QPDFObjectHandle dict = xobject.getDict();
            std::string const subtype =
                dict.getKey("/Subtype").isName() ? dict.getKey("/Subtype").getName() : "";
            if (subtype == "/Image")
                addImage(&xobject);
            else if (subtype == "/Form")
                drawForm(xobject, QTransform(), resources, depth);
        }
    }

    PageGraphics& m_out;
    QTransform m_display;
    QRectF m_page; // the page as shown
    State m_state;
    QVector<State> m_stack;
    int m_floor = 0; // the form being drawn restores no state saved below this
    long long m_lostSaves = 0;
    int m_pathPoints = 0; // in m_path
    long long m_operators = 0;
    int m_formDraws = 0;
    bool m_clipPending = false;
    QTransform m_textMatrix;
    QTransform m_lineMatrix;
    QVector<Subpath> m_path;
    std::set<QPDFObjGen> m_forms; // forms being read: a form that draws itself stops here
    FontCache& m_fonts;
    std::deque<FontMetrics> m_directFonts;
};

// Drops the operators that show text, with their operands; everything else passes unchanged,
// so colours and states set inside text objects still reach the drawing after them.
class TextRemover : public QPDFObjectHandle::TokenFilter
{
public:
    void handleToken(QPDFTokenizer::Token const& token) override
    {
        if (token.getType() == QPDFTokenizer::tt_word) {
            std::string const& op = token.getValue();
            if (op == "Tj" || op == "TJ" || op == "'" || op == "\"") {
                m_pending.clear();
                return;
            }
            flush();
            writeToken(token);
            return;
        }
        if (token.getType() == QPDFTokenizer::tt_inline_image) {
            flush();
            writeToken(token);
            return;
        }
        m_pending.push_back(token);
    }
    void handleEOF() override { flush(); }

private:
    void flush()
    {
        for (auto const& t : m_pending)
            writeToken(t);
        m_pending.clear();
    }

    std::vector<QPDFTokenizer::Token> m_pending;
};

} // namespace

struct PdfGraphics::Fonts
{
    FontCache metrics;
};

PdfGraphics::PdfGraphics() : m_fonts(std::make_unique<Fonts>()) {}
PdfGraphics::~PdfGraphics() = default;

bool PdfGraphics::open(QString const& path, std::string const& password)
{
    m_pdf.reset();
    try {
        auto pdf = std::make_unique<QPDF>();
        pdf->setSuppressWarnings(true);
        pdf->processInputSource(std::make_shared<FileSource>(path), password.c_str());
        m_pdf = std::move(pdf);
        return true;
    } catch (std::exception const&) {
        return false;
    }
}

PageGraphics PdfGraphics::page(int index)
{
    PageGraphics out;
    if (!m_pdf)
        return out;
    try {
        if (m_pages.empty())
            m_pages = QPDFPageDocumentHelper(*m_pdf).getAllPages();
        if (index < 0 || size_t(index) >= m_pages.size())
            return out;
        QPDFPageObjectHelper& page = m_pages[size_t(index)];
        QTransform const display = displayTransform(page);
        GraphicsReader reader(out, display, display.mapRect(cropOf(page)), m_fonts->metrics);
        reader.run(page);
    } catch (std::exception const&) {
        // What was read stays; the text of the page is read by poppler anyway.
    }
    return out;
}

QByteArray PdfGraphics::imageFile(int object, int generation)
{
    if (!m_pdf || object <= 0)
        return {};
    try {
        QPDFObjectHandle image = m_pdf->getObjectByID(object, generation);
        if (!image.isStream())
            return {};
        QPDFObjectHandle dict = image.getDict();
        if (dict.getKey("/ImageMask").isBool() && dict.getKey("/ImageMask").getBoolValue())
            return {};
        if (dict.hasKey("/SMask") || dict.hasKey("/Mask") || dict.hasKey("/Decode"))
            return {};
        auto const space = ColourSpace::resolve(dict.getKey("/ColorSpace"), QPDFObjectHandle());
        bool const gray = space->family() == ColourSpace::Family::Gray;
        if (!gray && space->family() != ColourSpace::Family::Rgb)
            return {};
        QPDFObjectHandle filter = dict.getKey("/Filter");
        if (filter.isArray() && filter.getArrayNItems() == 1)
            filter = filter.getArrayItem(0);
        if (filter.isName() && filter.getName() == "/DCTDecode" && !dict.hasKey("/DecodeParms")) {
            std::shared_ptr<Buffer> const raw = image.getRawStreamData();
            QByteArray jpeg(reinterpret_cast<char const*>(raw->getBuffer()), int(raw->getSize()));
            return jpeg.startsWith("\xff\xd8\xff") ? jpeg : QByteArray();
        }
        // Pixels qpdf can decode (deflated, LZW, run-length): kept without loss.
        QPDFObjectHandle w = dict.getKey("/Width"), h = dict.getKey("/Height");
        QPDFObjectHandle b = dict.getKey("/BitsPerComponent");
        if (!w.isInteger() || !h.isInteger() || !b.isInteger())
            return {};
        long long const width = w.getIntValue(), height = h.getIntValue(), bits = b.getIntValue();
        if (width <= 0 || height <= 0 || width * height > 60'000'000 || !(bits == 8 || (bits == 1 && gray)))
            return {};
        std::shared_ptr<Buffer> const data =
            image.getStreamData(qpdf_dl_generalized); // throws when it cannot
        long long const row = bits == 1 ? (width + 7) / 8 : width * (gray ? 1 : 3);
        if (qint64(data->getSize()) < row * height)
            return {};
        QByteArray png;
        PngPixels const kind = bits == 1 ? PngPixels::Gray1 : gray ? PngPixels::Gray8 : PngPixels::Rgb8;
        return writePng(&png, reinterpret_cast<unsigned char const*>(data->getBuffer()), int(width),
                        int(height), int(row), kind)
                   ? png
                   : QByteArray();
    } catch (std::exception const&) {
        return {};
    }
}

QByteArray PdfGraphics::withoutText()
{
    if (!m_pdf)
        return {};
    try {
        std::set<QPDFObjGen> filtered;
        auto const filter = [&](QPDFObjectHandle& form, QPDFObjectHandle&, std::string const&) {
            if (filtered.insert(form.getObjGen()).second)
                form.addTokenFilter(std::make_shared<TextRemover>());
        };
        for (auto& page : QPDFPageDocumentHelper(*m_pdf).getAllPages()) {
            page.addContentTokenFilter(std::make_shared<TextRemover>());
            page.forEachFormXObject(true, filter);
            QPDFObjectHandle none;
            for (auto& appearance : appearancesOf(page.getObjectHandle())) {
                filter(appearance.form, none, std::string());
                QPDFPageObjectHelper(appearance.form).forEachFormXObject(true, filter);
            }
        }
        QPDFWriter writer(*m_pdf);
        writer.setOutputMemory();
        writer.setPreserveEncryption(false);
        writer.write();
        std::shared_ptr<Buffer> const buffer = writer.getBufferSharedPointer();
        QByteArray bytes(reinterpret_cast<char const*>(buffer->getBuffer()), int(buffer->getSize()));
        // The filters stay on this document: it is read no further.
        m_pages.clear();
        m_pdf.reset();
        return bytes;
    } catch (std::exception const&) {
        m_pages.clear();
        m_pdf.reset();
        return {};
    }
}

} // namespace engine
} // namespace pdfconv

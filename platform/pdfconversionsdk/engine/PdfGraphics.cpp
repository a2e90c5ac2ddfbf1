#include "PdfGraphics.h"

#include <QFile>
#include <QPolygonF>
#include <QRectF>
#include <QTransform>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cmath>
#include <set>

namespace pdfconv {
namespace engine {

namespace {

// Enough for any real table; a page of hatching stops here.
constexpr int kMaxRulings = 20000;
constexpr int kMaxFormDepth = 8;

QRectF rectOf(QPDFObjectHandle box)
{
    if (!box.isRectangle())
        return {};
    QPDFObjectHandle::Rectangle const r = box.getArrayAsRectangle();
    return QRectF(QPointF(std::min(r.llx, r.urx), std::min(r.lly, r.ury)),
                  QPointF(std::max(r.llx, r.urx), std::max(r.lly, r.ury)));
}

// From PDF user space of the page to points from the top-left corner of the page as shown.
QTransform displayTransform(QPDFPageObjectHelper& page)
{
    QRectF crop = rectOf(page.getCropBox());
    QRectF const media = rectOf(page.getMediaBox());
    if (!media.isEmpty())
        crop = crop.isEmpty() ? media : crop.intersected(media);
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

// Walks content streams and notes the strokes, bars, pictures and shapes they paint.
class GraphicsReader
{
public:
    GraphicsReader(PageGraphics& out, QTransform const& display) : m_out(out), m_display(display) {}

    void run(QPDFPageObjectHelper& page)
    {
        Callbacks callbacks(*this, page.getAttribute("/Resources", false), 0);
        page.parseContents(&callbacks);
    }

private:
    struct Callbacks : QPDFObjectHandle::ParserCallbacks
    {
        Callbacks(GraphicsReader& reader, QPDFObjectHandle resources, int depth)
            : reader(reader), resources(std::move(resources)), depth(depth)
        {
        }
        void handleObject(QPDFObjectHandle object) override
        {
            if (object.isOperator()) {
                reader.apply(object.getOperatorValue(), operands, resources, depth);
                operands.clear();
            } else if (object.isInlineImage()) {
                reader.m_out.hasImages = true;
            } else if (operands.size() < 64) {
                operands.push_back(object);
            }
        }
        void handleEOF() override {}

        GraphicsReader& reader;
        QPDFObjectHandle resources;
        int depth;
        std::vector<QPDFObjectHandle> operands;
    };

    struct Subpath
    {
        QVector<QPointF> points; // in user space after the CTM
        bool curved = false;
        bool rect = false;
    };

    static bool numbers(std::vector<QPDFObjectHandle>& ops, size_t count, double* out)
    {
        if (ops.size() < count)
            return false;
        for (size_t i = 0; i < count; ++i) {
            QPDFObjectHandle o = ops[ops.size() - count + i];
            if (!o.isNumber())
                return false;
            out[i] = o.getNumericValue();
        }
        return true;
    }

    void addRuling(QPointF a, QPointF b)
    {
        if (m_out.rulings.size() >= kMaxRulings)
            return;
        QLineF const l(m_display.map(a), m_display.map(b));
        if (std::abs(l.dx()) <= 1.0 || std::abs(l.dy()) <= 1.0)
            m_out.rulings.push_back(l);
    }

    void paint(bool stroke, bool fill)
    {
        m_out.hasDrawings = true;
        for (auto const& sub : m_path) {
            if (sub.curved || sub.points.size() < 2)
                continue;
            if (stroke) {
                for (int i = 1; i < sub.points.size(); ++i)
                    addRuling(sub.points.at(i - 1), sub.points.at(i));
                if (sub.rect)
                    addRuling(sub.points.last(), sub.points.first());
            }
            if (fill && sub.points.size() >= 4) {
                // A thin filled bar draws a line.
                QRectF const box = QPolygonF(sub.points).boundingRect();
                QRectF const shown = m_display.mapRect(box);
                if (shown.height() <= 3 && shown.width() > 3)
                    m_out.rulings.push_back(
                        QLineF(shown.left(), shown.center().y(), shown.right(), shown.center().y()));
                else if (shown.width() <= 3 && shown.height() > 3)
                    m_out.rulings.push_back(
                        QLineF(shown.center().x(), shown.top(), shown.center().x(), shown.bottom()));
            }
        }
        m_path.clear();
    }

    void apply(std::string const& op, std::vector<QPDFObjectHandle>& ops, QPDFObjectHandle resources,
               int depth)
    {
        double v[6];
        if (op == "q") {
            m_stack.push_back({m_ctm, m_renderMode});
        } else if (op == "Q") {
            if (!m_stack.isEmpty()) {
                m_ctm = m_stack.last().ctm;
                m_renderMode = m_stack.takeLast().renderMode;
            }
        } else if (op == "Tr") {
            if (numbers(ops, 1, v))
                m_renderMode = int(v[0]);
        } else if (op == "Tj" || op == "TJ" || op == "'" || op == "\"") {
            (m_renderMode == 3 ? m_out.hasInvisibleText : m_out.hasVisibleText) = true;
        } else if (op == "cm") {
            if (numbers(ops, 6, v))
                m_ctm = QTransform(v[0], v[1], v[2], v[3], v[4], v[5]) * m_ctm;
        } else if (op == "m") {
            if (numbers(ops, 2, v)) {
                m_path.push_back({});
                m_path.last().points << m_ctm.map(QPointF(v[0], v[1]));
            }
        } else if (op == "l") {
            if (numbers(ops, 2, v) && !m_path.isEmpty())
                m_path.last().points << m_ctm.map(QPointF(v[0], v[1]));
        } else if (op == "c" || op == "v" || op == "y") {
            size_t const n = op == "c" ? 6 : 4;
            if (numbers(ops, n, v) && !m_path.isEmpty()) {
                m_path.last().curved = true;
                m_path.last().points << m_ctm.map(QPointF(v[n - 2], v[n - 1]));
            }
        } else if (op == "h") {
            if (!m_path.isEmpty() && m_path.last().points.size() > 2)
                m_path.last().rect = true; // closes back to its start
        } else if (op == "re") {
            if (numbers(ops, 4, v)) {
                Subpath sub;
                sub.rect = true;
                sub.points << m_ctm.map(QPointF(v[0], v[1])) << m_ctm.map(QPointF(v[0] + v[2], v[1]))
                           << m_ctm.map(QPointF(v[0] + v[2], v[1] + v[3]))
                           << m_ctm.map(QPointF(v[0], v[1] + v[3]));
                m_path.push_back(sub);
            }
        } else if (op == "S" || op == "s") {
            paint(true, false);
        } else if (op == "f" || op == "F" || op == "f*") {
            paint(false, true);
        } else if (op == "B" || op == "B*" || op == "b" || op == "b*") {
            paint(true, true);
        } else if (op == "n") {
            m_path.clear();
        } else if (op == "sh") {
            m_out.hasDrawings = true;
        } else if (op == "BI" || op == "EI") {
            m_out.hasImages = true;
        } else if (op == "Do" && !ops.empty() && ops.back().isName() && resources.isDictionary()) {
            QPDFObjectHandle xobjects = resources.getKey("/XObject");
            if (!xobjects.isDictionary())
                return;
            QPDFObjectHandle xobject = xobjects.getKey(ops.back().getName());
            if (!xobject.isStream())
                return;
            QPDFObjectHandle dict = xobject.getDict();
            std::string const subtype =
                dict.getKey("/Subtype").isName() ? dict.getKey("/Subtype").getName() : "";
            if (subtype == "/Image") {
                m_out.hasImages = true;
            } else if (subtype == "/Form" && depth < kMaxFormDepth &&
                       m_forms.insert(xobject.getObjGen()).second) {
                m_stack.push_back({m_ctm, m_renderMode});
                QPDFObjectHandle matrix = dict.getKey("/Matrix");
                if (matrix.isMatrix()) {
                    QPDFObjectHandle::Matrix const mx = matrix.getArrayAsMatrix();
                    m_ctm = QTransform(mx.a, mx.b, mx.c, mx.d, mx.e, mx.f) * m_ctm;
                }
                QPDFObjectHandle own = dict.getKey("/Resources");
                Callbacks inner(*this, own.isDictionary() ? own : resources, depth + 1);
                auto const path = m_path;
                m_path.clear();
                xobject.parseAsContents(&inner);
                m_path = path;
                m_ctm = m_stack.last().ctm;
                m_renderMode = m_stack.takeLast().renderMode;
                m_forms.erase(xobject.getObjGen());
            }
        }
    }

    PageGraphics& m_out;
    QTransform m_display;
    struct State
    {
        QTransform ctm;
        int renderMode;
    };
    QTransform m_ctm;
    int m_renderMode = 0;
    QVector<State> m_stack;
    QVector<Subpath> m_path;
    std::set<QPDFObjGen> m_forms; // forms being read: a form that draws itself stops here
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

PdfGraphics::PdfGraphics() = default;
PdfGraphics::~PdfGraphics() = default;

bool PdfGraphics::open(QString const& path, std::string const& password)
{
    m_pdf.reset();
    try {
        auto pdf = std::make_unique<QPDF>();
        pdf->setSuppressWarnings(true);
        QByteArray const file = QFile::encodeName(path);
        pdf->processFile(file.constData(), password.c_str());
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
        GraphicsReader reader(out, displayTransform(m_pages[size_t(index)]));
        reader.run(m_pages[size_t(index)]);
    } catch (std::exception const&) {
        // What was read stays; the text of the page is read by poppler anyway.
    }
    return out;
}

QByteArray PdfGraphics::withoutText()
{
    if (!m_pdf)
        return {};
    try {
        std::set<QPDFObjGen> filtered;
        for (auto& page : QPDFPageDocumentHelper(*m_pdf).getAllPages()) {
            page.addContentTokenFilter(std::make_shared<TextRemover>());
            page.forEachFormXObject(true, [&](QPDFObjectHandle& form, QPDFObjectHandle&, std::string const&) {
                if (filtered.insert(form.getObjGen()).second)
                    form.addContentTokenFilter(std::make_shared<TextRemover>());
            });
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

#include "PathSplitter.h"

#include "ContentParser.h"
#include "FileSource.h"

#include <QFile>

#include <qpdf/Pl_String.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace pdfconv {
namespace engine {

namespace {

// The points an operator adds to the path, with whether it starts a subpath; -1: not a
// path-building operator.
int pathPoints(std::string const& op, bool& starts)
{
    starts = false;
    if (op.size() == 2)
        return op == "re" ? (starts = true, 4) : -1;
    if (op.size() != 1)
        return -1;
    switch (op[0]) {
    case 'm':
        starts = true;
        return 1;
    case 'l':
        return 1;
    case 'c':
        return 3;
    case 'v':
    case 'y':
        return 2;
    case 'h':
        return 0;
    default:
        return -1;
    }
}

bool paints(std::string const& op)
{
    static char const* const kPainting[] = {"S", "s", "f", "F", "f*", "B", "B*", "b", "b*", "n"};
    return op.size() <= 2 && std::find(std::begin(kPainting), std::end(kPainting), op) != std::end(kPainting);
}

// A coordinate as content streams write them: no exponent, no more digits than matter.
std::string number(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.6f", value);
    std::string out(text);
    out.erase(out.find_last_not_of('0') + 1);
    if (!out.empty() && out.back() == '.')
        out.pop_back();
    return out == "-0" ? "0" : out;
}

} // namespace

void PathSplitter::endPath(bool stroked)
{
    if (stroked && !m_clip && !m_broken)
        m_cuts.insert(m_cuts.end(), m_pending.begin(), m_pending.end());
    m_pending.clear();
    m_piece = m_subpath = 0;
    m_clip = m_inPath = m_broken = m_hasPoint = false;
}

void PathSplitter::add(std::string const& op, std::vector<Operand> const& operands, size_t end)
{
    size_t const start = m_previousEnd; // where the operator's operands begin
    m_previousEnd = end;
    bool starts = false;
    int const points = pathPoints(op, starts);
    if (points >= 0) {
        if (starts && m_piece >= kMaxPoints) {
            m_pending.push_back({start, false, 0, 0});
            m_piece = 0;
        } else if (!starts && points > 0 && m_piece >= kMaxPoints && m_subpath >= kMaxPoints && m_solid &&
                   m_hasPoint) {
            m_pending.push_back({start, true, m_x, m_y});
            m_piece = 0;
        }
        m_piece += points;
        m_subpath = starts ? points : m_subpath + points;
        m_inPath = true;
        // Where a line or curve ends; a closed subpath or a rectangle ends elsewhere.
        size_t const n = operands.size();
        m_hasPoint = points > 0 && op != "re" && n >= 2 && operands[n - 2].isNumber() &&
                     operands[n - 1].isNumber() && std::abs(operands[n - 2].number) < 1e9 &&
                     std::abs(operands[n - 1].number) < 1e9;
        if (m_hasPoint) {
            m_x = operands[n - 2].number;
            m_y = operands[n - 1].number;
        }
    } else if (op == "W" || op == "W*") {
        m_clip = true;
    } else if (paints(op)) {
        endPath(op == "S" || op == "s");
    } else if (m_inPath) {
        m_broken = true;
    } else if (op == "d") {
        // Only "[] 0 d" keeps lines solid; anything else may be dashed from here on.
        m_solid =
            m_solid && !operands.empty() && operands.front().isArray() && operands.front().items.empty();
    }
}

bool PathSplitter::split(std::string const& data, bool solidAtStart, std::string& out)
{
    ContentParser parser(data.data(), data.data() + data.size(), false);
    PathSplitter splitter(solidAtStart);
    std::vector<Operand> operands;
    std::string op;
    while (parser.next(operands, op))
        splitter.add(op, operands, parser.offset());
    if (splitter.m_cuts.empty())
        return false;
    out.clear();
    out.reserve(data.size() + 40 * splitter.m_cuts.size());
    size_t from = 0;
    char point[80];
    for (Cut const& cut : splitter.m_cuts) {
        out.append(data, from, cut.at - from);
        out += "\nS\n";
        if (cut.inside) {
            std::snprintf(point, sizeof point, "%s %s m\n", number(cut.x).c_str(), number(cut.y).c_str());
            out += point;
        }
        from = cut.at;
    }
    out.append(data, from, std::string::npos);
    return true;
}

bool PathSplitter::writeCopy(QString const& input, std::string const& password, std::vector<int> const& pages,
                             std::vector<std::pair<int, int>> const& streams, QString const& output)
{
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processInputSource(std::make_shared<FileSource>(input), password.c_str());
        std::vector<QPDFPageObjectHelper> all = QPDFPageDocumentHelper(pdf).getAllPages();
        std::string data, out;
        // A stream that cannot be read here is left as it is, for its readers to judge.
        for (int index : pages) {
            if (index < 0 || size_t(index) >= all.size())
                continue;
            try {
                data.clear();
                Pl_String pipe("paths", nullptr, data);
                all[size_t(index)].pipeContents(&pipe);
                if (split(data, true, out))
                    all[size_t(index)].getObjectHandle().replaceKey("/Contents",
                                                                    QPDFObjectHandle::newStream(&pdf, out));
            } catch (std::exception const&) {
            }
        }
        for (auto const& id : streams) {
            try {
                QPDFObjectHandle stream = pdf.getObjectByID(id.first, id.second);
                data.clear();
                Pl_String pipe("paths", nullptr, data);
                if (stream.isStream() && stream.pipeStreamData(&pipe, 0, qpdf_dl_generalized, true) &&
                    split(data, false, out))
                    stream.replaceStreamData(out, QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
            } catch (std::exception const&) {
            }
        }
        // Streams pass as they are: the copy is read once and removed. The writer keeps the
        // name it is given until it writes.
        QByteArray const name = QFile::encodeName(output);
        QPDFWriter writer(pdf, name.constData());
        writer.setCompressStreams(false);
        writer.setDecodeLevel(qpdf_dl_none);
        writer.write();
        return true;
    } catch (std::exception const&) {
        return false;
    }
}

} // namespace engine
} // namespace pdfconv

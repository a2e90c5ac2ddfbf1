#include "PathSplitter.h"

#include "ContentParser.h"
#include "FileSource.h"

#include <QFile>

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <iterator>

namespace pdfconv {
namespace engine {

namespace {

class StringPipeline : public Pipeline
{
public:
    explicit StringPipeline(std::string& out) : Pipeline("paths", nullptr), m_out(out) {}
    void write(unsigned char const* data, size_t length) override
    {
        m_out.append(reinterpret_cast<char const*>(data), length);
    }
    void finish() override {}

private:
    std::string& m_out;
};

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

} // namespace

void PathSplitter::endPath(bool stroked)
{
    if (stroked && !m_clip && !m_broken)
        m_cuts.insert(m_cuts.end(), m_pending.begin(), m_pending.end());
    m_pending.clear();
    m_piece = 0;
    m_clip = m_inPath = m_broken = false;
}

void PathSplitter::add(std::string const& op, size_t end)
{
    size_t const start = m_previousEnd; // where the operator's operands begin
    m_previousEnd = end;
    bool starts = false;
    int const points = pathPoints(op, starts);
    if (points >= 0) {
        if (starts && m_piece >= kMaxPoints) {
            m_pending.push_back(start);
            m_piece = 0;
        }
        m_piece += points;
        m_inPath = true;
    } else if (op == "W" || op == "W*") {
        m_clip = true;
    } else if (paints(op)) {
        endPath(op == "S" || op == "s");
    } else if (m_inPath) {
        m_broken = true;
    }
}

bool PathSplitter::split(std::string const& data, std::string& out)
{
    ContentParser parser(data.data(), data.data() + data.size(), false);
    PathSplitter splitter;
    std::vector<Operand> operands;
    std::string op;
    while (parser.next(operands, op))
        splitter.add(op, parser.offset());
    if (splitter.m_cuts.empty())
        return false;
    out.clear();
    out.reserve(data.size() + 3 * splitter.m_cuts.size());
    size_t from = 0;
    for (size_t cut : splitter.m_cuts) {
        out.append(data, from, cut - from);
        out += "\nS\n";
        from = cut;
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
                StringPipeline pipe(data);
                all[size_t(index)].pipeContents(&pipe);
                if (split(data, out))
                    all[size_t(index)].getObjectHandle().replaceKey("/Contents",
                                                                    QPDFObjectHandle::newStream(&pdf, out));
            } catch (std::exception const&) {
            }
        }
        for (auto const& id : streams) {
            try {
                QPDFObjectHandle stream = pdf.getObjectByID(id.first, id.second);
                data.clear();
                StringPipeline pipe(data);
                if (stream.isStream() && stream.pipeStreamData(&pipe, 0, qpdf_dl_generalized, true) &&
                    split(data, out))
                    stream.replaceStreamData(out, QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
            } catch (std::exception const&) {
            }
        }
        // Streams pass as they are: the copy is read once and removed.
        QPDFWriter writer(pdf, QFile::encodeName(output).constData());
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

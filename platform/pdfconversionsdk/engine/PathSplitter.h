#pragma once

#include <QString>

#include <string>
#include <utility>
#include <vector>

namespace pdfconv {
namespace engine {

struct Operand;

// The PDF library strokes a path in memory that grows with its points, about a kilobyte a
// point: one stroke of a million short lines takes a gigabyte to draw. Such a stroke is cut,
// where one of its subpaths starts, into strokes of about kMaxPoints points each. They draw
// the same: every subpath is stroked, and its dashes laid, on its own either way. A single
// subpath longer than that is cut where it stands, the next stroke starting where the last
// one ended, as long as no dash pattern is set whose phase the cut would restart. A path that
// clips, is filled, or is broken by other operators is left as it is.
class PathSplitter
{
public:
    // A few tens of megabytes in the PDF library, and more points than a detailed map or a
    // plot of a long signal strokes at once.
    static constexpr long long kMaxPoints = 50'000;

    // @p solidAtStart: the stream starts with no dash pattern set, as a page's contents do;
    // a form's may be drawn dashed.
    explicit PathSplitter(bool solidAtStart) : m_solid(solidAtStart) {}

    // Takes the operators of one content stream in order, each with its operands and the
    // offset in the stream just past it (ContentParser::offset).
    void add(std::string const& op, std::vector<Operand> const& operands, size_t end);

    // Where a stroke ends early: at a subpath's start, or inside one, where the next stroke
    // moves to the point it was cut at.
    struct Cut
    {
        size_t at = 0;
        bool inside = false;
        double x = 0, y = 0;
    };
    // The cuts of the stream's long strokes, ascending; none when it has none.
    std::vector<Cut> const& cuts() const { return m_cuts; }

    // The decoded stream with its long strokes cut; false when it has none.
    static bool split(std::string const& data, bool solidAtStart, std::string& out);

    // Writes a copy of the PDF with the long strokes of the given pages' contents and of the
    // given streams (object, generation) cut, encrypted as the original. False when the copy
    // cannot be made.
    static bool writeCopy(QString const& input, std::string const& password, std::vector<int> const& pages,
                          std::vector<std::pair<int, int>> const& streams, QString const& output);

private:
    void endPath(bool stroked);

    bool m_solid;
    size_t m_previousEnd = 0;
    long long m_piece = 0;   // points since the path started or was last cut
    long long m_subpath = 0; // points of the subpath being built
    bool m_inPath = false;
    bool m_clip = false;
    bool m_broken = false; // other operators came between its parts
    // The current point as the last operator set it: the end of a line or curve.
    bool m_hasPoint = false;
    double m_x = 0, m_y = 0;
    std::vector<Cut> m_pending; // cuts of the path being built, kept if it is stroked
    std::vector<Cut> m_cuts;
};

} // namespace engine
} // namespace pdfconv

#pragma once

#include <QString>

#include <string>
#include <utility>
#include <vector>

namespace pdfconv {
namespace engine {

// The PDF library strokes a path in memory that grows with its points, about a kilobyte a
// point: one stroke of a million short lines takes a gigabyte to draw. Such a stroke is cut,
// where one of its subpaths starts, into strokes of about kMaxPoints points each. They draw
// the same: every subpath is stroked, and its dashes laid, on its own either way. A path that
// clips, is filled, or is broken by other operators is left as it is.
class PathSplitter
{
public:
    // A few tens of megabytes in the PDF library; far more than any real drawing strokes at once.
    static constexpr long long kMaxPoints = 50'000;

    // Takes the operators of one content stream in order, each with the offset in the stream
    // just past it (ContentParser::offset).
    void add(std::string const& op, size_t end);
    // Where "S" goes in to cut the stream's long strokes, ascending; none when it has none.
    std::vector<size_t> const& cuts() const { return m_cuts; }

    // The decoded stream with its long strokes cut; false when it has none.
    static bool split(std::string const& data, std::string& out);

    // Writes a copy of the PDF with the long strokes of the given pages' contents and of the
    // given streams (object, generation) cut, encrypted as the original. False when the copy
    // cannot be made.
    static bool writeCopy(QString const& input, std::string const& password, std::vector<int> const& pages,
                          std::vector<std::pair<int, int>> const& streams, QString const& output);

private:
    void endPath(bool stroked);

    size_t m_previousEnd = 0;
    long long m_piece = 0; // points since the path started or was last cut
    bool m_inPath = false;
    bool m_clip = false;
    bool m_broken = false;         // other operators came between its parts
    std::vector<size_t> m_pending; // cuts of the path being built, kept if it is stroked
    std::vector<size_t> m_cuts;
};

} // namespace engine
} // namespace pdfconv

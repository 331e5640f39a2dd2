// Contour lines of values on a rectangular grid, by marching squares. Qt-free,
// so that code without Qt can use them as well as the study maps.
#pragma once

#include <optional>
#include <vector>

namespace ppspin {

struct TContourPoint {
    double X = 0, Y = 0;
    friend bool operator==(const TContourPoint&, const TContourPoint&) = default;
};

struct TContourSegment {
    TContourPoint A, B;
};

// Z[i][j] is the value at (X[i], Y[j]); X and Y ascend, not necessarily
// evenly. A missing or non-finite value leaves out the cells it is a corner
// of.
using TGridValues = std::vector<std::vector<std::optional<double>>>;

// The pieces of the line where the linearly interpolated values equal level,
// one or two per cell. Values equal to the level count as above it, and a
// piece lying on a cell edge is given once: a corner on the level yields no
// zero-length piece and no piece twice. A saddle cell is split by its centre
// value (the average of its corners). Both cells at an edge compute its
// crossing from the same numbers, so pieces that meet share their ends
// exactly.
std::vector<TContourSegment> ContourSegments(const std::vector<double>& x,
                                             const std::vector<double>& y, const TGridValues& z,
                                             double level);

// Segments joined end to end into polylines; a closed line repeats its first
// point at the end.
std::vector<std::vector<TContourPoint>> JoinSegments(const std::vector<TContourSegment>& segments);

// The step of 1, 2 or 5 times a power of ten nearest span / intervals; 1 for
// an empty or non-finite span.
double RoundStep(double span, int intervals);

// About `count` levels at whole multiples of a round step strictly between
// lo and hi; none when lo and hi are equal.
std::vector<double> ContourLevels(double lo, double hi, int count = 8);

} // namespace ppspin

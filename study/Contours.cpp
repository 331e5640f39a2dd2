#include "Contours.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <map>
#include <set>
#include <tuple>
#include <utility>

namespace ppspin {

namespace {

bool Present(const std::optional<double>& v) {
    return v.has_value() && std::isfinite(*v);
}

// A crossing point, and the corner (0-3) it falls on, or -1.
struct TCrossing {
    TContourPoint Point;
    int Corner = -1;
};

// Where the level crosses the edge from corner a to corner b. Callers pass
// the corner with the lower grid index as a, so that both cells at an edge
// get the same bits. A corner on the level is returned exactly, not as
// a + 1 * (b - a), so that pieces meeting there share the point.
TCrossing Crossing(const TContourPoint& a, double za, int cornerA, const TContourPoint& b,
                   double zb, int cornerB, double level) {
    if (za == level)
        return {a, cornerA};
    if (zb == level)
        return {b, cornerB};
    const double t = (level - za) / (zb - za);
    return {{a.X + t * (b.X - a.X), a.Y + t * (b.Y - a.Y)}, -1};
}

// The round step nearest span / intervals (on a log scale), as mantissa
// (1, 2 or 5) and power of ten.
std::pair<double, int> RoundStepParts(double span, int intervals) {
    if (!(span > 0) || !std::isfinite(span) || intervals < 1)
        return {1.0, 0};
    const double raw = span / intervals;
    const int power = static_cast<int>(std::floor(std::log10(raw)));
    const double mantissa = raw / std::pow(10.0, power); // in [1, 10)
    // Geometric midpoints between 1, 2, 5 and 10.
    if (mantissa < std::sqrt(2.0))
        return {1.0, power};
    if (mantissa < std::sqrt(10.0))
        return {2.0, power};
    if (mantissa < std::sqrt(50.0))
        return {5.0, power};
    return {1.0, power + 1};
}

// k steps of m * 10^power, rounded once: 3 * 0.1 would give 0.30000000000000004.
double Multiple(double k, double m, int power) {
    return power >= 0 ? k * m * std::pow(10.0, power) : k * m / std::pow(10.0, -power);
}

} // namespace

std::vector<TContourSegment> ContourSegments(const std::vector<double>& x,
                                             const std::vector<double>& y, const TGridValues& z,
                                             double level) {
    std::vector<TContourSegment> segments;
    const std::size_t nx = std::min(x.size(), z.size());
    const std::size_t ny = y.size();
    if (nx < 2 || ny < 2 || !std::isfinite(level))
        return segments;

    // Grid edges already given as a piece, by lower corner and direction: the
    // cells on both sides of an edge lying on the level would each give it.
    std::set<std::tuple<std::size_t, std::size_t, bool>> edgePieces;

    for (std::size_t i = 0; i + 1 < nx; ++i) {
        for (std::size_t j = 0; j + 1 < ny; ++j) {
            // Corners counter-clockwise from the lower left.
            const std::array<std::pair<std::size_t, std::size_t>, 4> index = {
                {{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}}};
            std::array<double, 4> v{};
            std::array<TContourPoint, 4> p{};
            bool complete = true;
            for (int k = 0; k < 4; ++k) {
                const auto [ci, cj] = index[static_cast<std::size_t>(k)];
                const auto& column = z[ci];
                if (cj >= column.size() || !Present(column[cj])) {
                    complete = false;
                    break;
                }
                v[static_cast<std::size_t>(k)] = *column[cj];
                p[static_cast<std::size_t>(k)] = {x[ci], y[cj]};
            }
            if (!complete)
                continue;

            std::array<bool, 4> above{};
            for (std::size_t k = 0; k < 4; ++k)
                above[k] = v[k] >= level;
            // Edge e joins corners e and (e + 1) % 4, from its lower grid index.
            constexpr std::array<std::pair<int, int>, 4> edgeEnds = {
                {{0, 1}, {1, 2}, {3, 2}, {0, 3}}};
            std::array<std::optional<TCrossing>, 4> cross;
            int crossings = 0;
            for (std::size_t e = 0; e < 4; ++e) {
                const auto [a, b] = edgeEnds[e];
                const auto ua = static_cast<std::size_t>(a), ub = static_cast<std::size_t>(b);
                if (above[ua] != above[ub]) {
                    cross[e] = Crossing(p[ua], v[ua], a, p[ub], v[ub], b, level);
                    ++crossings;
                }
            }

            auto add = [&](std::size_t e1, std::size_t e2) {
                const TCrossing& c1 = *cross[e1];
                const TCrossing& c2 = *cross[e2];
                if (c1.Point == c2.Point)
                    return;
                // Ends on two neighbouring corners: the piece lies on a grid
                // edge, named by its lower end and whether it runs along y.
                if (c1.Corner >= 0 && c2.Corner >= 0 && std::abs(c1.Corner - c2.Corner) != 2) {
                    const auto a = index[static_cast<std::size_t>(c1.Corner)];
                    const auto b = index[static_cast<std::size_t>(c2.Corner)];
                    const auto lower = std::min(a, b);
                    if (!edgePieces.emplace(lower.first, lower.second, a.first == b.first).second)
                        return;
                }
                segments.push_back({c1.Point, c2.Point});
            };

            if (crossings == 2) {
                std::size_t first = 4;
                for (std::size_t e = 0; e < 4; ++e) {
                    if (!cross[e])
                        continue;
                    if (first == 4)
                        first = e;
                    else
                        add(first, e);
                }
            } else if (crossings == 4) {
                // A saddle: the centre decides which pair of opposite corners
                // the region around it joins; the other two are cut off.
                const bool centreAbove = (v[0] + v[1] + v[2] + v[3]) / 4 >= level;
                for (std::size_t k = 0; k < 4; ++k) {
                    if (above[k] != centreAbove)
                        add((k + 3) % 4, k);
                }
            }
        }
    }
    return segments;
}

std::vector<std::vector<TContourPoint>> JoinSegments(const std::vector<TContourSegment>& segments) {
    std::map<std::pair<double, double>, std::vector<std::size_t>> ends;
    for (std::size_t s = 0; s < segments.size(); ++s) {
        ends[{segments[s].A.X, segments[s].A.Y}].push_back(s);
        ends[{segments[s].B.X, segments[s].B.Y}].push_back(s);
    }
    std::vector<bool> used(segments.size(), false);
    auto next = [&](const TContourPoint& p) -> std::optional<std::size_t> {
        for (const std::size_t s : ends[{p.X, p.Y}]) {
            if (!used[s])
                return s;
        }
        return std::nullopt;
    };

    std::vector<std::vector<TContourPoint>> lines;
    for (std::size_t s = 0; s < segments.size(); ++s) {
        if (used[s])
            continue;
        used[s] = true;
        std::deque<TContourPoint> line = {segments[s].A, segments[s].B};
        while (const auto k = next(line.back())) {
            used[*k] = true;
            const TContourSegment& g = segments[*k];
            line.push_back(g.A == line.back() ? g.B : g.A);
        }
        while (const auto k = next(line.front())) {
            used[*k] = true;
            const TContourSegment& g = segments[*k];
            line.push_front(g.A == line.front() ? g.B : g.A);
        }
        lines.emplace_back(line.begin(), line.end());
    }
    return lines;
}

double RoundStep(double span, int intervals) {
    const auto [m, power] = RoundStepParts(span, intervals);
    return Multiple(1.0, m, power);
}

std::vector<double> ContourLevels(double lo, double hi, int count) {
    std::vector<double> levels;
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo))
        return levels;
    const auto [m, power] = RoundStepParts(hi - lo, count);
    const double step = Multiple(1.0, m, power);
    for (double k = std::floor(lo / step); levels.size() < 100; ++k) {
        const double level = Multiple(k, m, power);
        if (level >= hi)
            break;
        if (level > lo)
            levels.push_back(level);
    }
    return levels;
}

} // namespace ppspin

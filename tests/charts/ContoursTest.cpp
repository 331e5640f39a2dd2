// Contour lines against fields whose level lines are known.
#include "Contours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <numbers>

using namespace ppspin;

namespace {

template <class F>
TGridValues Sample(const std::vector<double>& x, const std::vector<double>& y, F f) {
    TGridValues z(x.size(), std::vector<std::optional<double>>(y.size()));
    for (std::size_t i = 0; i < x.size(); ++i) {
        for (std::size_t j = 0; j < y.size(); ++j)
            z[i][j] = f(x[i], y[j]);
    }
    return z;
}

// Points from lo to hi with steps cycling through the given lengths.
std::vector<double> Uneven(double lo, double hi, const std::vector<double>& steps) {
    std::vector<double> v{lo};
    for (std::size_t k = 0; v.back() < hi; ++k)
        v.push_back(v.back() + steps[k % steps.size()]);
    return v;
}

std::map<std::pair<double, double>, int> EndCounts(const std::vector<TContourSegment>& segments) {
    std::map<std::pair<double, double>, int> counts;
    for (const TContourSegment& s : segments) {
        ++counts[{s.A.X, s.A.Y}];
        ++counts[{s.B.X, s.B.Y}];
    }
    return counts;
}

double Length(const TContourSegment& s) {
    return std::hypot(s.B.X - s.A.X, s.B.Y - s.A.Y);
}

// Which side of the line through s the point lies on.
double Side(const TContourSegment& s, TContourPoint p) {
    return (s.B.X - s.A.X) * (p.Y - s.A.Y) - (s.B.Y - s.A.Y) * (p.X - s.A.X);
}

} // namespace

TEST(Contours, CircleOnAnUnevenGridIsOneClosedLineNearTheCircle) {
    const std::vector<double> x = Uneven(-1.5, 1.5, {0.04, 0.07, 0.1});
    const std::vector<double> y = Uneven(-1.4, 1.4, {0.05, 0.09});
    const double r = 1.1, h = 0.1;
    const auto segments = ContourSegments(
        x, y, Sample(x, y, [](double a, double b) { return a * a + b * b; }), r * r);

    // Along an edge the field is a parabola of curvature 2; its chord is off
    // by at most h^2 / 4 in value.
    double length = 0;
    for (const TContourSegment& s : segments) {
        for (const TContourPoint& p : {s.A, s.B})
            EXPECT_LE(std::abs(p.X * p.X + p.Y * p.Y - r * r), h * h / 4 + 1e-12);
        length += Length(s);
    }
    EXPECT_NEAR(length, 2 * std::numbers::pi * r, 0.01 * r);

    const auto lines = JoinSegments(segments);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), segments.size() + 1);
    EXPECT_EQ(lines[0].front(), lines[0].back());
}

TEST(Contours, CornersOnTheLevelGiveNoDegenerateOrRepeatedPieces) {
    // r = 5 passes through grid points (3, 4), (5, 0), ... and touches the
    // grid's edge cells at their corners.
    std::vector<double> g;
    for (int k = -6; k <= 6; ++k)
        g.push_back(k);
    const auto circle =
        ContourSegments(g, g, Sample(g, g, [](double a, double b) { return a * a + b * b; }), 25);
    for (const TContourSegment& s : circle)
        EXPECT_GT(Length(s), 0);
    for (const auto& [point, count] : EndCounts(circle))
        EXPECT_EQ(count, 2) << point.first << ", " << point.second;
    EXPECT_EQ(JoinSegments(circle).size(), 1u);

    // A ridge exactly on the level: the cells on both sides of x = 0 meet
    // it along their shared edges, which must each come once.
    const std::vector<double> x = {-2, -1, 0, 1, 2}, y = {0, 1, 2, 3};
    const auto ridge =
        ContourSegments(x, y, Sample(x, y, [](double a, double) { return -std::abs(a); }), 0);
    ASSERT_EQ(ridge.size(), 3u);
    for (const TContourSegment& s : ridge) {
        EXPECT_EQ(s.A.X, 0);
        EXPECT_EQ(s.B.X, 0);
    }
    EXPECT_EQ(EndCounts(ridge).size(), 4u);
}

TEST(Contours, LinearFieldGivesAStraightLineAcrossTheGrid) {
    const std::vector<double> x = {0, 0.3, 1, 1.7, 2.2, 4}, y = {0, 0.5, 2, 2.5};
    const auto segments =
        ContourSegments(x, y, Sample(x, y, [](double a, double) { return a; }), 1.4);
    ASSERT_EQ(segments.size(), y.size() - 1);
    double covered = 0;
    for (const TContourSegment& s : segments) {
        EXPECT_NEAR(s.A.X, 1.4, 1e-12);
        EXPECT_NEAR(s.B.X, 1.4, 1e-12);
        covered += std::abs(s.B.Y - s.A.Y);
    }
    EXPECT_DOUBLE_EQ(covered, 2.5);
}

TEST(Contours, MissingCornersLeaveTheirCellsOut) {
    std::vector<double> g = {0, 1, 2, 3, 4, 5};
    const auto plane = [](double a, double b) { return a + b; };
    const auto full = ContourSegments(g, g, Sample(g, g, plane), 4.5);
    TGridValues holes = Sample(g, g, plane);
    holes[2][3] = std::nullopt;
    holes[4][1] = std::numeric_limits<double>::quiet_NaN();

    // Cells that have a missing corner: within one grid step of it.
    auto touchesHole = [](const TContourSegment& s) {
        const double mx = (s.A.X + s.B.X) / 2, my = (s.A.Y + s.B.Y) / 2;
        return (std::abs(mx - 2) < 1 && std::abs(my - 3) < 1) ||
               (std::abs(mx - 4) < 1 && std::abs(my - 1) < 1);
    };
    std::size_t touching = 0;
    for (const TContourSegment& s : full)
        touching += touchesHole(s) ? 1 : 0;
    ASSERT_GT(touching, 0u);

    const auto withHoles = ContourSegments(g, g, holes, 4.5);
    EXPECT_EQ(withHoles.size(), full.size() - touching);
    for (const TContourSegment& s : withHoles)
        EXPECT_FALSE(touchesHole(s));
}

TEST(Contours, SaddleCellIsSplitByItsCentreValue) {
    // Corners (0,0) and (1,1) at 1, the others at 0; the centre is at 0.5.
    const std::vector<double> g = {0, 1};
    const TGridValues z = {{1.0, 0.0}, {0.0, 1.0}};
    const TContourPoint centre{0.5, 0.5};
    // Below the centre value the high corners join through the centre and
    // the low ones are cut off; above it the reverse.
    const std::vector<std::pair<double, std::vector<TContourPoint>>> cases = {
        {0.4, {{1, 0}, {0, 1}}}, {0.6, {{0, 0}, {1, 1}}}};
    for (const auto& [level, cutOff] : cases) {
        const auto segments = ContourSegments(g, g, z, level);
        ASSERT_EQ(segments.size(), 2u) << level;
        const TContourSegment &s = segments[0], &t = segments[1];
        const bool cross = Side(s, t.A) * Side(s, t.B) < 0 && Side(t, s.A) * Side(t, s.B) < 0;
        EXPECT_FALSE(cross) << level;
        for (const TContourPoint& corner : cutOff) {
            const bool separated =
                Side(s, corner) * Side(s, centre) < 0 || Side(t, corner) * Side(t, centre) < 0;
            EXPECT_TRUE(separated) << level << ": " << corner.X << ", " << corner.Y;
        }
    }
}

TEST(Contours, LevelsAreRoundNumbersStrictlyInsideTheRange) {
    EXPECT_EQ(ContourLevels(0.13, 0.97),
              (std::vector<double>{0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}));
    const auto wide = ContourLevels(-3.1e4, 2.07e5);
    EXPECT_GE(wide.size(), 5u);
    EXPECT_LE(wide.size(), 12u);
    for (const double level : wide)
        EXPECT_EQ(std::fmod(level, 2e4), 0) << level;
    // Whole steps: the ends themselves are not levels.
    EXPECT_EQ(ContourLevels(0, 8).front(), 1);
    EXPECT_EQ(ContourLevels(0, 8).back(), 7);
    EXPECT_TRUE(ContourLevels(3, 3).empty());
    EXPECT_TRUE(ContourLevels(4, 3).empty());
}

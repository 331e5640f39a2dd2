// Where the filament freezes: the first grid step that ends below 130 degC.
#include "ProfileSnapshot.h"

#include <gtest/gtest.h>

namespace ppspin {
namespace {

std::vector<TProfilePoint> Cooling(std::initializer_list<double> temperatures) {
    std::vector<TProfilePoint> points;
    double z = 0;
    for (double t : temperatures) {
        TProfilePoint point{};
        point.Z = z++;
        point.T = t;
        points.push_back(point);
    }
    return points;
}

TEST(FreezePosition, IsEmptyWhileTheFilamentStaysMolten) {
    EXPECT_FALSE(FreezePosition(Cooling({190, 131}), 130.0).has_value());
    EXPECT_EQ(FreezePosition(Cooling({190, 131, 129}), 130.0), 1.5);
}

// A point at exactly 130 degC is still molten: the filament freezes only
// past it, and a point that reaches 130 from above is where it begins.
TEST(FreezePosition, APointAtTheFreezeTemperatureIsStillMolten) {
    EXPECT_FALSE(FreezePosition(Cooling({131, 130}), 130.0).has_value());
    EXPECT_EQ(FreezePosition(Cooling({130, 129}), 130.0), 0.0);
    EXPECT_EQ(FreezePosition(Cooling({131, 130, 130, 129}), 130.0), 2.0);
}

} // namespace
} // namespace ppspin

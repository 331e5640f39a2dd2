// The pictures' data as they cross into the plot module: each kind comes
// back from its bytes whole, and bytes of another kind, another version or
// cut short are refused.
#include "PictureBytes.h"

#include <gtest/gtest.h>

using namespace ppspin;

namespace {

template <typename Data> Data RoundTrip(const TPictureBytes& bytes) {
    Data data;
    EXPECT_TRUE(DecodePicture(bytes.data(), bytes.size(), data));
    return data;
}

} // namespace

TEST(PictureBytes, EveryKindComesBackWhole) {
    TProfileSnapshot run;
    run.Input.VL = 1234.5;
    run.Input.Dz = 0.25;
    run.Input.FileName = "r\u00e9sult.txt";
    run.Trials = 7;
    run.F0 = 0.125;
    run.Points = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {11, 12, 13, 14, 15, 16, 17, 18, 19, 20}};
    run.ZFreeze = 42.5;
    const TProfilePicture profile{&run, {{TSpinlineQuantity::Tension, {10, 50}, {0.5, 1e-300}}}};
    const TResidualPlot residuals{"R", 100, {{"D (\u00b5m)", {10}, {-0.5}}}};
    const TSummaryPlot summary{"S", "x (m/min)", {1, 2}, {{"y", {3.0, std::nullopt}}}};
    TGridMaps maps{"", "x", "y", {1, 2}, {5}, {{"z", {{1.0}, {std::nullopt}}}}, {}};
    maps.Cells = {{{TGridRunStatus::Ok, ""}}, {{TGridRunStatus::Refused, "no"}}};
    const TTornado tornado{"T", {"a", "b"}, {{"o", {{0.25, ""}, {std::nullopt, "failed"}}}}};

    const TDecodedProfile p = RoundTrip<TDecodedProfile>(EncodePicture(profile));
    ASSERT_TRUE(p.Profile);
    EXPECT_EQ(p.Picture().Profile, &*p.Profile);
    EXPECT_EQ(p.Profile->Input.VL, 1234.5);
    EXPECT_EQ(p.Profile->Input.Dz, 0.25);
    EXPECT_EQ(p.Profile->Input.FileName, run.Input.FileName);
    EXPECT_EQ(p.Profile->Trials, 7);
    EXPECT_EQ(p.Profile->Points.size(), 2u);
    EXPECT_EQ(p.Profile->Points[1].TenAp, 20);
    EXPECT_EQ(p.Profile->ZFreeze, 42.5);
    ASSERT_EQ(p.Markers.size(), 1u);
    EXPECT_EQ(p.Markers[0].Quantity, TSpinlineQuantity::Tension);
    EXPECT_EQ(p.Markers[0].Value, profile.Markers[0].Value);
    EXPECT_FALSE(RoundTrip<TDecodedProfile>(EncodePicture(TProfilePicture{})).Profile);

    const TResidualPlot r = RoundTrip<TResidualPlot>(EncodePicture(residuals));
    EXPECT_EQ(r.ZEnd, 100);
    EXPECT_EQ(r.Series[0].Name, "D (\u00b5m)");
    EXPECT_EQ(r.Series[0].Residual, std::vector<double>{-0.5});

    const TSummaryPlot s = RoundTrip<TSummaryPlot>(EncodePicture(summary));
    EXPECT_EQ(s.XLabel, "x (m/min)");
    EXPECT_EQ(s.X, summary.X);
    EXPECT_EQ(s.Series[0].Y, summary.Series[0].Y);

    const TGridMaps m = RoundTrip<TGridMaps>(EncodePicture(maps));
    EXPECT_EQ(m.YName, "y");
    EXPECT_EQ(m.Outputs[0].Values, maps.Outputs[0].Values);
    EXPECT_EQ(m.Cells[1][0].Status, TGridRunStatus::Refused);
    EXPECT_EQ(m.Cells[1][0].Message, "no");

    const TTornado t = RoundTrip<TTornado>(EncodePicture(tornado));
    EXPECT_EQ(t.Inputs, tornado.Inputs);
    EXPECT_EQ(t.Outputs[0].Inputs[0].Elasticity, 0.25);
    EXPECT_FALSE(t.Outputs[0].Inputs[1].Elasticity);
    EXPECT_EQ(t.Outputs[0].Inputs[1].Message, "failed");
}

TEST(PictureBytes, OnlyWholeBytesOfTheKindAndVersionAreTaken) {
    const TPictureBytes bytes = EncodePicture(TTornado{"T", {"a"}, {{"o", {{0.25, ""}}}}});
    EXPECT_EQ(PictureKindOf(bytes.data(), bytes.size()), TPictureKind::Tornado);
    TTornado tornado;
    TSummaryPlot summary;
    EXPECT_FALSE(DecodePicture(bytes.data(), bytes.size(), summary));
    EXPECT_FALSE(DecodePicture(bytes.data(), bytes.size() - 1, tornado));
    TPictureBytes longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(DecodePicture(longer.data(), longer.size(), tornado));
    // The version comes first.
    TPictureBytes other = bytes;
    ++other[0];
    EXPECT_FALSE(PictureKindOf(other.data(), other.size()));
    EXPECT_FALSE(DecodePicture(other.data(), other.size(), tornado));
    // A count beyond the bytes is refused before anything is made of it.
    TPictureBytes huge = EncodePicture(TTornado{"", {"a"}, {}});
    huge[15] = 0x7f; // the title's length, over 2^62
    EXPECT_FALSE(DecodePicture(huge.data(), huge.size(), tornado));
}

// The plot module as ppspin-cli loads it: its entries are found under this
// build's version only, and whatever goes wrong inside comes back as a
// message, nothing written.
#include "PlotModule.h"
#include "PictureBytes.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>
#include <filesystem>
#include <string>

using namespace ppspin;

TEST(PlotModule, FoundUnderItsVersionAndFailingWithAMessage) {
    void* module = dlopen(PPSPIN_PLOT_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    // A runner of another version finds nothing to call.
    for (const char* name : {"ppspin_plot_draw_v", "ppspin_plot_release_v"})
        EXPECT_EQ(dlsym(module, (name + std::to_string(PlotModuleVersion - 1)).c_str()), nullptr);
    const auto draw = reinterpret_cast<TPlotDraw>(dlsym(module, PlotDrawEntry));
    const auto release = reinterpret_cast<TPlotRelease>(dlsym(module, PlotReleaseEntry));
    ASSERT_TRUE(draw && release);

    ppspin::testing::TempDir dir;
    const std::string path = dir.File("s.svg");
    TPictureBytes bytes = EncodePicture(TSummaryPlot{"", "x", {1, 2}, {{"y", {3.0, 4.0}}}});
    char error[PlotErrorSize] = {};
    EXPECT_EQ(draw(bytes.data(), bytes.size(), path.c_str(), 400, 300, error, sizeof error), 1)
        << error;
    EXPECT_TRUE(std::filesystem::exists(path));

    EXPECT_EQ(draw(bytes.data(), bytes.size(), dir.File("no/s.svg").c_str(), 400, 300, error,
                   sizeof error),
              0);
    EXPECT_EQ(std::string(error), "Image can not be written: " + dir.File("no/s.svg"));
    // Cut to the room given.
    char small[8];
    EXPECT_EQ(draw(bytes.data(), bytes.size(), "", 400, 300, small, sizeof small), 0);
    EXPECT_EQ(std::strlen(small), sizeof small - 1);

    ++bytes[0]; // another version's data
    const std::string refused = dir.File("v.svg");
    EXPECT_EQ(draw(bytes.data(), bytes.size(), refused.c_str(), 400, 300, error, sizeof error), 0);
    EXPECT_STREQ(error, "The picture's data are not this plot module's");
    EXPECT_FALSE(std::filesystem::exists(refused));
    release();
}

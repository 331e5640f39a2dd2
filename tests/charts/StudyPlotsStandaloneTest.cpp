// The study pictures called as the headless runner calls them: from code
// without Qt, with no application in the process and no platform set.
#include "StudyPlots.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>

using namespace ppspin;

TEST(StudyPlotsStandalone, DrawWithoutAnApplicationAndKeepTheCLocale) {
    // Qt takes the C locale from the environment; the caller's must stay.
    ::setenv("LC_ALL", "C.UTF-8", 1);
    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);

    ppspin::testing::TempDir dir;
    std::string error;
    TTornado tornado{"", {"Throughput (g/min)"}, {{"End diameter (\u00b5m)", {{0.5, ""}}}}};
    ASSERT_TRUE(RenderTornado(tornado, dir.File("t.png"), 400, 300, error)) << error;
    TGridMaps maps{"", "x", "y", {1, 2}, {1, 2}, {{"z", {{1.0, 2.0}, {3.0, 4.0}}}}, {}};
    ASSERT_TRUE(RenderGridMaps(maps, dir.File("m.svg"), 400, 300, error)) << error;

    EXPECT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
    EXPECT_GT(std::filesystem::file_size(dir.File("t.png")), 0u);
    EXPECT_GT(std::filesystem::file_size(dir.File("m.svg")), 0u);
    // What Qt and fontconfig hold goes with the application (the leak
    // checker of the sanitizer build tells).
    ReleaseStudyPlots();
}

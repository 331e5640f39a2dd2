#include "FieldTexts.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

// glibc's newlocale does not free its copy of LOCPATH; only the sanitizer
// build looks, and only this test sets LOCPATH.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:__argz_add_sep\n";
}

namespace ppspin {
namespace {

// The separator is the numeric category's: LC_ALL, else LC_NUMERIC, else
// LANG. A missing locale for another category does not matter.
TEST(UserDecimalSeparator, IsTheNumericCategorysDecimalPoint) {
    testing::TempDir dir;
    // A locale of a numeric category only, with a decimal comma.
    std::ofstream(dir.File("comma.src")) << "LC_NUMERIC\n"
                                            "decimal_point \"<U002C>\"\n"
                                            "thousands_sep \"\"\n"
                                            "grouping -1\n"
                                            "END LC_NUMERIC\n";
    // localedef complains of the missing categories but writes the locale.
    const std::string make =
        "localedef -i '" + dir.File("comma.src") + "' '" + dir.File("comma") + "' >/dev/null 2>&1";
    (void)std::system(make.c_str());
    ASSERT_TRUE(std::ifstream(dir.File("comma/LC_NUMERIC")).good()) << make;
    setenv("LOCPATH", dir.Path().c_str(), 1);

    // Each case sets these variables in turn, a null pointer unsets one.
    const char* const names[] = {"LC_ALL", "LC_NUMERIC", "LC_CTYPE", "LANG"};
    const struct {
        const char* values[4];
        char separator;
    } cases[] = {
        {{"comma", nullptr, nullptr, nullptr}, ','},
        {{nullptr, "comma", nullptr, "C"}, ','},
        {{nullptr, nullptr, nullptr, "comma"}, ','},
        {{"C", "comma", nullptr, "comma"}, '.'},
        {{nullptr, "comma", "xx_XX.none", "C"}, ','}, // a locale this system lacks
        {{nullptr, "xx_XX.none", nullptr, "comma"}, '.'},
        {{nullptr, nullptr, nullptr, nullptr}, '.'},
    };
    for (const auto& c : cases) {
        std::string environment;
        for (int k = 0; k < 4; ++k) {
            c.values[k] ? setenv(names[k], c.values[k], 1) : unsetenv(names[k]);
            if (c.values[k])
                environment += std::string(names[k]) + "=" + c.values[k] + " ";
        }
        EXPECT_EQ(UserDecimalSeparator(), c.separator) << environment;
    }
}

} // namespace
} // namespace ppspin

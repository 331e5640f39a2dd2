// Measured files: what is read, and every refusal naming its line with the
// data left as it was.
#include "MeasuredData.h"
#include "ProfileCsv.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace ppspin {
namespace {

using namespace std::string_literals;

TEST(MeasuredData, ReadsAProfileCsvAndTheGaugesForms) {
    TProfileSnapshot profile;
    profile.Points = {{0, 18.8, 20.2, 190, 0.025, 250, 180, 0, 0.01, 0.1},
                      {1, 19.5, 20.2, 189.8, 0.024, 240, 170, 0.001, 0.01, 0.1}};
    TMeasuredData data;
    std::string message;
    ASSERT_TRUE(ReadMeasured(ProfileCsv(profile), data, message)) << message;
    ASSERT_EQ(data.Series.size(), 4u); // v, F, T, D_cm; Ta, h and tenacities unread
    EXPECT_STREQ(data.Series[3].Column->Name, "D_cm");
    EXPECT_EQ(data.Series[3].Points[1].Value, 0.024);
    EXPECT_EQ(data.PointCount(), 8u);

    // A byte-order mark, CRLF, spaces, empty cells, a blank line, rows out of order.
    ASSERT_TRUE(
        ReadMeasured("\xEF\xBB\xBFz_cm, D_um ,sigma_D_um,T_C\r\n30,25,0.5,\r\n10,80,,170\r\n"
                     "\r\n",
                     data, message))
        << message;
    ASSERT_EQ(data.Series.size(), 2u);
    const TMeasuredSeries &t = data.Series[0], &d = data.Series[1];
    EXPECT_STREQ(t.Column->Name, "T_C");
    ASSERT_EQ(t.Points.size(), 1u);
    EXPECT_EQ(t.Points[0].Line, 3);
    ASSERT_EQ(d.Points.size(), 2u);
    EXPECT_EQ(d.Points[0].Z, 10);
    EXPECT_FALSE(d.Points[0].Sigma);
    EXPECT_EQ(d.Points[1].Z, 30);
    EXPECT_EQ(d.Points[1].Sigma, 0.5);
}

TEST(MeasuredData, RefusesWithTheLineAndChangesNothing) {
    std::string tooManyRows = "z_cm,T_C\n";
    for (int k = 0; k <= MaxMeasuredRows; ++k)
        tooManyRows += "1,150\n";
    const struct {
        std::string text, message;
    } cases[] = {
        {"", "the file is empty"},
        {"z_cm,T_C,Tair\n1,150,20\n", "line 1: unknown column \"Tair\" (known: z_cm, v_m_min, "
                                      "F_dyn, T_C, D_cm, D_um, and sigma_ before any but z_cm)"},
        {"D_um\n20\n", "line 1: there is no column z_cm"},
        {"z_cm,T_C,T_C\n", "line 1: column \"T_C\" appears twice"},
        {"z_cm,D_cm,D_um\n", "line 1: D_cm and D_um both give the diameter: keep one"},
        {"z_cm,D_um,sigma_T_C\n", "line 1: sigma_T_C has no column T_C"},
        {"z_cm,T_C\n1,150\n2,140,3\n", "line 3: 3 cells where the header names 2"},
        {"z_cm,T_C\n1,150\n2,14O\n", "line 3: T_C \"14O\" is not a number"},
        {"z_cm,T_C\n1,150\n2,140\n3,inf\n", "line 4: T_C \"inf\" is not a number"},
        {"z_cm,T_C\n1,1e999\n", "line 2: T_C \"1e999\" is not a number"},
        {"z_cm,T_C\n1;150\n", "line 2: 1 cell where the header names 2"},
        {"z_cm,T_C\n1,150\n2,1\xC2\xA0"
         "40\n",
         "line 3: T_C \"1\xC2\xA0"
         "40\" is not a number"},
        // A file's text quoted whole and harmless: control bytes and bytes
        // that are not UTF-8 escaped, a long text cut.
        {"z_cm,T_C\n1,1\0"
         "2\n"s,
         "line 2: T_C \"1\\x002\" is not a number"},
        {"z_cm,T_C\n1,\x1b[2J\x9b" + std::string(70, '9') + "\n",
         "line 2: T_C \"\\x1b[2J\\x9b" + std::string(55, '9') + "\"... is not a number"},
        {"z_cm,T_C,sigma_T_C\n1,150,0\n", "line 2: sigma_T_C \"0\" is not greater than 0"},
        {"z_cm,T_C\n1,150\n,140\n", "line 3: a value without z_cm"},
        {"z_cm,T_C\n1,\n2,\n", "no row has z_cm and a measured value"},
        {tooManyRows, "line 100002: more than 100000 rows"},
        {std::string(MaxMeasuredBytes + 1, ' '), "the file is larger than 10 MB"},
    };
    for (const auto& c : cases) {
        TMeasuredData data;
        data.Series.push_back({&MeasuredColumns[0], {{1, 2, std::nullopt, 2}}});
        std::string message;
        EXPECT_FALSE(ReadMeasured(c.text, data, message)) << c.message;
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(data.PointCount(), 1u) << c.message;
    }
}

// A file chosen in the window is read at once: a pipe that nobody writes
// to reads as empty rather than hold the window, and a folder is unreadable.
TEST(MeasuredData, ReadsAFileWithoutWaitingForAWriter) {
    testing::TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
    const struct {
        std::string path, message;
    } cases[] = {
        {dir.File("pipe"), dir.File("pipe") + ": the file is empty"},
        {dir.Path().string(), "Can not read measured file " + dir.Path().string()},
        {dir.File("missing.csv"), "Can not read measured file " + dir.File("missing.csv")},
    };
    for (const auto& c : cases) {
        TMeasuredData data;
        std::string message;
        EXPECT_FALSE(ReadMeasuredFile(c.path, data, message)) << c.path;
        EXPECT_EQ(message, c.message);
    }
}

} // namespace
} // namespace ppspin

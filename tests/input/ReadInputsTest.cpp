#include "ReadInputs.h"
#include "Report.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace ppspin {
namespace {

using testing::ReadBytes;
using testing::TempDir;

class ReadInputsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DecimalSeparator = '.';
        texts = DefaultFieldTexts('.');
        texts[19] = dir.File("result.txt");
    }
    void TearDown() override { DecimalSeparator = '.'; }

    // The message of a refused input; empty when it passes.
    std::string Refusal() {
        std::string message;
        return ReadInputs(texts, message) ? std::string() : message;
    }

    TempDir dir;
    TFieldTexts texts;
};

TEST_F(ReadInputsTest, DefaultsPassAndWriteTheHeader) {
    EXPECT_EQ(Refusal(), "");
    EXPECT_EQ(RunInput.D0, 0.025);
    EXPECT_EQ(RunInput.Zone2A2, -8.636);
    EXPECT_EQ(RunInput.Dz, 1.0);
    EXPECT_EQ(RunInput.FileName, texts[19]);
    EXPECT_EQ(testing::CrlfLines(ReadBytes(texts[19])).size(), 45u);
}

TEST_F(ReadInputsTest, EachCheckHasItsMessage) {
    const std::string longName = dir.File(std::string(260, 'a'));
    const struct {
        int field;
        const char* text;
        const char* message;
    } cases[] = {
        {0, "abc", "Input value is not correct!"},
        {0, "", "Input value is not correct!"},
        {0, "0,025", "Input value is not correct!"},
        {18, "\t1", "Input value is not correct!"},
        {0, "0", "Value of Hole Diameter is not correct"},
        {0, ".", "Value of Hole Diameter is not correct"},
        {1, "-0.7", "Value of Output is not correct"},
        {2, "0", "Value of Take-up Speed is not correct"},
        {3, "0", "Value of Polymer Melt Temperature is not correct"},
        {4, "0", "Value of 1st Zone End Position is not correct"},
        {9, "-1", "Value of 2nd Zone End Position is not correct"},
        {14, "0", "Value of 3rd Zone End Position is not correct"},
        {8, "-1", "Value of 1st Zone Air Velocity is not correct"},
        {13, "-1", "Value of 2nd Zone Air Velocity is not correct"},
        {15, "-0.001", "Value of 3rd Zone Air Velocity is not correct"},
        {16, "0", "Value of Zero Shear Viscosity at Ref. Temp. is not correct"},
        {17, "0", "Value of Reference Temperature is not correct"},
        {18, "0", "Value of Increment is not correct"},
        {19, "", "Save File Name is not correct"},
        {18, "0.0999", "Value of Increment is too small for 3rd Zone End Position"},
        {14, "0.4", "Value of 3rd Zone End Position is too small for Increment"},
        {19, longName.c_str(), "Save File Name is not correct"},
    };
    for (const auto& c : cases) {
        SetUp();
        texts[static_cast<std::size_t>(c.field)] = c.text;
        EXPECT_EQ(Refusal(), c.message) << "Edit" << c.field + 1 << " = \"" << c.text << '"';
        EXPECT_FALSE(std::filesystem::exists(dir.File("result.txt"))) << c.message;
    }
}

TEST_F(ReadInputsTest, OnlyTheFirstFailureIsReported) {
    texts[18] = "0"; // increment
    texts[8] = "-1"; // zone-1 air velocity
    texts[2] = "0";  // take-up speed
    EXPECT_EQ(Refusal(), "Value of Take-up Speed is not correct");
    texts[16] = "x"; // a conversion failure comes before every check
    EXPECT_EQ(Refusal(), "Input value is not correct!");
}

TEST_F(ReadInputsTest, PassesWhatIsNotChecked) {
    texts[8] = "0";                     // air velocities may be zero
    texts[4] = "35", texts[9] = "10";   // zone order is not required
    texts[5] = "-1e6", texts[11] = "0"; // air-law coefficients are free
    texts[18] = "0.1";                  // exactly 1001 points
    EXPECT_EQ(Refusal(), "");
    TRunInput blanks;
    blanks.FileName = "   ";
    EXPECT_EQ(CheckInputs(blanks), nullptr);
    blanks.FileName = std::string(259, 'a');
    EXPECT_EQ(CheckInputs(blanks), nullptr);
}

TEST_F(ReadInputsTest, RefusedInputLeavesAnExistingReport) {
    ASSERT_EQ(Refusal(), "");
    const std::string before = ReadBytes(texts[19]);
    texts[0] = "0";
    EXPECT_NE(Refusal(), "");
    EXPECT_EQ(ReadBytes(texts[19]), before);
}

TEST_F(ReadInputsTest, UnwritableFileName) {
    texts[19] = dir.File("missing/result.txt");
    EXPECT_EQ(Refusal(), "File can not open!");
}

TEST_F(ReadInputsTest, FollowsTheLocaleSeparator) {
    DecimalSeparator = ',';
    EXPECT_EQ(Refusal(), "Input value is not correct!"); // "0.025" under a comma locale
    TFieldTexts comma = DefaultFieldTexts(',');
    EXPECT_EQ(comma[0], "0,025");
    EXPECT_EQ(comma[19], "result.txt");
    comma[19] = texts[19];
    texts = comma;
    EXPECT_EQ(Refusal(), "");
    EXPECT_EQ(RunInput.Zone2A2, -8.636);
    EXPECT_NE(ReadBytes(texts[19]).find("=  0,0250\r\n"), std::string::npos);
}

} // namespace
} // namespace ppspin

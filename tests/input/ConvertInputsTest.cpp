#include "ConvertInputs.h"

#include <gtest/gtest.h>

#include <string>

namespace ppspin {
namespace {

class ConvertInputsTest : public ::testing::Test {
  protected:
    // The refusal of the texts; an empty message when they pass.
    std::string Refusal(char separator = '.') {
        refusal = ConvertInputs(texts, separator, in);
        return refusal ? refusal.Message : "";
    }

    TFieldTexts texts = DefaultFieldTexts('.');
    TRunInput in;
    TRefusal refusal;
};

TEST_F(ConvertInputsTest, DefaultsPass) {
    in.D0 = in.Zone2A2 = in.Dz = -1;
    EXPECT_EQ(Refusal(), "");
    EXPECT_EQ(in.D0, 0.025);
    EXPECT_EQ(in.Zone2A2, -8.636);
    EXPECT_EQ(in.Dz, 1.0);
    EXPECT_EQ(in.FileName, "result.txt");
}

TEST_F(ConvertInputsTest, EachCheckHasItsMessageAndField) {
    const std::string longName(260, 'a');
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
        texts = DefaultFieldTexts('.');
        texts[static_cast<std::size_t>(c.field)] = c.text;
        EXPECT_EQ(Refusal(), c.message) << "Edit" << c.field + 1 << " = \"" << c.text << '"';
        EXPECT_EQ(refusal.Field, c.field) << c.message;
    }
}

TEST_F(ConvertInputsTest, OnlyTheFirstFailureIsReported) {
    texts[18] = "0"; // increment
    texts[8] = "-1"; // zone-1 air velocity
    texts[2] = "0";  // take-up speed
    EXPECT_EQ(Refusal(), "Value of Take-up Speed is not correct");
    texts[16] = "x"; // a conversion failure comes before every check
    EXPECT_EQ(Refusal(), "Input value is not correct!");
    EXPECT_EQ(refusal.Field, 16);
}

TEST_F(ConvertInputsTest, PassesWhatIsNotChecked) {
    texts[8] = "0";                     // air velocities may be zero
    texts[4] = "35", texts[9] = "10";   // zone order is not required
    texts[5] = "-1e6", texts[11] = "0"; // air-law coefficients are free
    texts[18] = "0.1";                  // exactly 1001 points
    texts[19] = "   ";                  // blanks are a name
    EXPECT_EQ(Refusal(), "");
    texts[19] = std::string(259, 'a');
    EXPECT_EQ(Refusal(), "");
}

TEST_F(ConvertInputsTest, FollowsTheGivenSeparator) {
    EXPECT_EQ(Refusal(','), "Input value is not correct!"); // "0.025" under a comma locale
    TFieldTexts comma = DefaultFieldTexts(',');
    EXPECT_EQ(comma[0], "0,025");
    EXPECT_EQ(comma[19], "result.txt");
    texts = comma;
    EXPECT_EQ(Refusal(','), "");
    EXPECT_EQ(in.Zone2A2, -8.636);
}

} // namespace
} // namespace ppspin

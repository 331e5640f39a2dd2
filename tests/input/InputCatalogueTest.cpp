// The catalogue's defaults are the run record's, field for field.
#include "InputCatalogue.h"
#include "ConvertInputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace ppspin {
namespace {

TEST(InputCatalogue, TheDefaultTextsConvertToTheRecordsDefaults) {
    for (const char separator : {'.', ','}) {
        TRunInput converted;
        // Every member away from its default first, so that a field that
        // lands nowhere, or in another's member, shows.
        for (const TInputField& input : InputCatalogue())
            if (input.Value != nullptr)
                converted.*input.Value = -12345.5;
        converted.FileName.clear();
        ASSERT_FALSE(ConvertInputs(DefaultFieldTexts(separator), separator, converted));
        const TRunInput defaults;
        for (const TInputField& input : InputCatalogue()) {
            if (input.Value != nullptr) {
                EXPECT_EQ(converted.*input.Value, defaults.*input.Value) << input.Component;
            }
        }
        EXPECT_EQ(converted.FileName, defaults.FileName);
    }
}

TEST(InputCatalogue, EachFieldHasItsOwnPlaceAndNames) {
    std::vector<double TRunInput::*> members;
    std::set<std::string> names, columns;
    int field = 0;
    for (const TInputField& input : InputCatalogue()) {
        EXPECT_EQ(input.Field, field++);
        EXPECT_EQ(input.Component, "Edit" + std::to_string(input.Field + 1));
        EXPECT_EQ(std::count(members.begin(), members.end(), input.Value), 0) << input.Component;
        members.push_back(input.Value);
        EXPECT_TRUE(names.insert(input.Name).second) << input.Name;
        EXPECT_TRUE(columns.insert(CsvColumn(input)).second) << input.ColumnName;
    }
    EXPECT_EQ(EditableInputs().size(), 15u);
}

} // namespace
} // namespace ppspin

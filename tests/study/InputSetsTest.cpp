#include "InputSets.h"
#include "TempDir.h"

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

namespace ppspin {
namespace {

// Take-up speed and zone-2 air velocity set by set; the report named where
// a test can see that none is written.
TInputSets SpeedAndAirSets(const testing::TempDir& dir) {
    TInputSets sets;
    sets.Texts = DefaultFieldTexts('.');
    sets.Texts[FileNameField] = dir.File("r.txt");
    sets.Fields = {FieldIndex(3), FieldIndex(14)};
    sets.Values = {"3000", "50", "abc", "50", "3500", " 75"};
    sets.Count = 3;
    return sets;
}

TEST(InputSets, EachSetRunsInMemoryWithItsOwnTextsInOrder) {
    testing::TempDir dir;
    const TInputSets sets = SpeedAndAirSets(dir);
    std::vector<TSweepRow> rows;
    RunInputSets(sets, {}, 2, [&](TSweepRow&& row, std::size_t k) {
        EXPECT_EQ(k, rows.size());
        rows.push_back(std::move(row));
        return true;
    });
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].Status, "Input value is not correct!");
    EXPECT_FALSE(std::filesystem::exists(dir.File("r.txt")));
    for (const std::size_t k : {0u, 2u}) {
        const TRunOutcome single = RunCalculation(*std::make_unique<TRun>(), sets.SetTexts(k));
        ASSERT_TRUE(rows[k].Ok()) << rows[k].Status;
        ASSERT_TRUE(single.Snapshot) << single.Message;
        EXPECT_TRUE(rows[k].Values.empty());
        EXPECT_EQ(rows[k].Outputs.Trials, single.Trials);
        EXPECT_EQ(rows[k].Outputs.DEnd, single.Snapshot->Points.back().DUm);
    }
    EXPECT_EQ(sets.SetTexts(2)[FieldIndex(14)], " 75");
}

} // namespace
} // namespace ppspin

// Sensitivities heard as they run: every run counted, each row handed on
// in order, and a cancel that keeps the rows done and starts no more runs.
#include "Sensitivity.h"

#include <gtest/gtest.h>

namespace ppspin {
namespace {

TEST(Sensitivities, RowsArriveInOrderAndACancelKeepsThoseDone) {
    const TFieldTexts texts = DefaultFieldTexts('.');
    const TSensitivities all = RunSensitivities(texts, {}, 2);
    ASSERT_EQ(SensitivitiesFailure(all), "");
    const std::size_t total = 1 + 2 * EditableInputs().size();
    EXPECT_EQ(SensitivityRunCount(), total);

    for (const std::size_t stopAfter : {std::size_t{1}, std::size_t{6}, total}) {
        std::atomic<bool> cancel = false;
        TRunOptions options;
        options.Cancel = &cancel;
        std::size_t runs = 0;
        std::vector<TSensitivityRow> heard;
        TSensitivityWatch watch;
        watch.Progress = [&](std::size_t done, std::size_t of) {
            EXPECT_EQ(done, ++runs);
            EXPECT_EQ(of, total);
            if (done == stopAfter)
                cancel = true;
        };
        watch.Row = [&](const TSensitivityRow& row) { heard.push_back(row); };
        const TSensitivities some = RunSensitivities(texts, options, 2, watch);

        EXPECT_EQ(runs, stopAfter);
        EXPECT_EQ(some.Cancelled, stopAfter < total);
        EXPECT_EQ(some.Rows.size(), (stopAfter - 1) / 2);
        EXPECT_EQ(SensitivityText(heard), SensitivityText(some.Rows));
        // The rows kept are the first rows of the whole table.
        EXPECT_EQ(SensitivityText(all.Rows).rfind(SensitivityText(some.Rows), 0), 0u);
    }
}

TEST(Sensitivities, NoRowsWithoutTheRunAtTheCurrentValues) {
    TFieldTexts texts = DefaultFieldTexts('.');
    texts[static_cast<std::size_t>(FindEditableInput("take-up-speed")->Field)] = "abc";
    EXPECT_EQ(SensitivitiesFailure(RunSensitivities(texts, {}, 2)), "Input value is not correct!");
    texts = DefaultFieldTexts('.');
    texts[static_cast<std::size_t>(FindEditableInput("increment")->Field)] = "0.05";
    const TSensitivities refused = RunSensitivities(texts, {}, 2);
    EXPECT_TRUE(refused.Rows.empty());
    EXPECT_EQ(SensitivitiesFailure(refused), "The run at the current values failed: Value of "
                                             "Increment is too small for 3rd Zone End Position");
}

} // namespace
} // namespace ppspin

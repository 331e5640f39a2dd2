// Studies of any sets of inputs, one run per set, as a Monte Carlo study
// draws them: a few fields' texts change from set to set, the others are
// shared by all.
#pragma once

#include "FieldTexts.h"
#include "RunCalculation.h"
#include "Sweep.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace ppspin {

struct TInputSets {
    TFieldTexts Texts;       // of the fields no set changes
    std::vector<int> Fields; // the fields each set gives a text of its own
    // Set k's text of Fields[j] at k * Fields.size() + j: one string per
    // changed field and set, not twenty.
    std::vector<std::string> Values;
    std::size_t Count = 0;

    // The twenty texts of set k.
    TFieldTexts SetTexts(std::size_t k) const;
};

// Runs every set in memory (no report is written) with options, on jobs
// threads, each on a run context of its own, and hands each set's row
// (without swept values) to deliver(row, k) in the sets' order as soon as it
// and every one before it are done. Once deliver returns false no further
// set is started.
void RunInputSets(const TInputSets& sets, const TRunOptions& options, int jobs,
                  const std::function<bool(TSweepRow&&, std::size_t)>& deliver);

} // namespace ppspin

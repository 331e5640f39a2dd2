#include "InputSets.h"

#include "OrderedRuns.h"

namespace ppspin {

TFieldTexts TInputSets::SetTexts(std::size_t k) const {
    TFieldTexts texts = Texts;
    for (std::size_t j = 0; j < Fields.size(); ++j)
        texts[static_cast<std::size_t>(Fields[j])] = Values[k * Fields.size() + j];
    return texts;
}

void RunInputSets(const TInputSets& sets, const TRunOptions& options, int jobs,
                  const std::function<bool(TSweepRow&&, std::size_t)>& deliver) {
    RunInOrder<TSweepRow>(
        sets.Count, jobs,
        [&](TRun& run, std::size_t k) {
            return RowOf(RunCalculation(run, sets.SetTexts(k), options), {});
        },
        deliver);
}

} // namespace ppspin

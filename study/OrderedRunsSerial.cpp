// The ordered runner without threads, for builds without oneTBB.
#include "OrderedRuns.h"

namespace ppspin {

void RunIndicesSerially(std::size_t count, int, const TComputeIndex& compute,
                        const TDeliverIndex& deliver) {
    if (count == 0)
        return;
    const auto run = std::make_unique<TRun>();
    for (std::size_t i = 0; i < count; ++i) {
        compute(*run, i);
        if (!deliver(i))
            return;
    }
}

} // namespace ppspin

#include "RunOutputs.h"

namespace ppspin {

TRunOutputs OutputsOf(const TProfileSnapshot& profile) {
    TRunOutputs o;
    o.Trials = profile.Trials;
    o.F0 = profile.F0;
    if (!profile.Points.empty()) {
        const TProfilePoint& end = profile.Points.back();
        o.FEnd = end.F;
        o.VEnd = end.VM;
        o.DEnd = end.DUm;
        o.TEnd = end.T;
        o.TenApEnd = end.TenAp;
    }
    o.ZFreeze = profile.ZFreeze;
    return o;
}

const TOutputColumn* FindOutputColumn(std::string_view name) {
    for (const TOutputColumn& column : OutputColumns)
        if (name == column.Name)
            return &column;
    return nullptr;
}

} // namespace ppspin

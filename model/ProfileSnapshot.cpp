#include "ProfileSnapshot.h"

#include "Constants.h"
#include "FileReplacement.h"
#include "Report.h"
#include "EditableInputs.h"

#include <algorithm>
#include <charconv>

namespace ppspin {

TProfileSnapshot TakeProfileSnapshot(const TRun& run) {
    const TRunInput& in = run.RunInput;
    const TRunState& s = run.RunState;
    const TSpinProfile& p = run.SpinProfile;
    TProfileSnapshot snap;
    snap.Input = in;
    snap.Trials = s.TrialCount;
    snap.F0 = s.F0;
    snap.Points.reserve(static_cast<std::size_t>(std::max(0, s.N3)));
    for (int k = 1; k <= s.N3 && k <= MaxPoints; ++k) {
        const double vm = p.V[k] * 60 / 100;
        snap.Points.push_back({p.Z[k], vm, p.F[k], p.T[k], p.D[k], p.D[k] * 1e4, p.TA[k], p.H[k],
                               Tenacity(p.F[k], in.Q, vm), Tenacity(p.F[k], in.Q, in.VL)});
    }
    snap.ZFreeze = FreezePosition(snap.Points, FreezeTemperature);
    return snap;
}

std::optional<double> FreezePosition(const std::vector<TProfilePoint>& points, double freezeT) {
    for (std::size_t k = 1; k < points.size(); ++k) {
        if (points[k].T < freezeT && points[k - 1].T >= freezeT) {
            const double share = (points[k - 1].T - freezeT) / (points[k - 1].T - points[k].T);
            return points[k - 1].Z + share * (points[k].Z - points[k - 1].Z);
        }
    }
    return std::nullopt;
}

void AppendShortest(std::string& out, double x) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    out.append(buf, r.ptr);
}

namespace {

constexpr const char* ProfileColumns =
    "z_cm,v_m_min,F_dyn,T_C,D_cm,Ta_C,h_cal_cm2_s_C,ten_re_g_den,ten_ap_g_den";

// The values of one point, comma-separated, without a line end.
void AppendPointValues(std::string& out, const TProfilePoint& pt) {
    const double values[] = {pt.Z, pt.VM, pt.F, pt.T, pt.D, pt.TA, pt.H, pt.TenRe, pt.TenAp};
    bool first = true;
    for (double v : values) {
        if (!first)
            out += ',';
        first = false;
        AppendShortest(out, v);
    }
}

} // namespace

std::string ProfileCsv(const TProfileSnapshot& profile) {
    std::string out = ProfileColumns;
    out += '\n';
    for (const TProfilePoint& pt : profile.Points) {
        AppendPointValues(out, pt);
        out += '\n';
    }
    return out;
}

std::string ProfilesCsv(const std::vector<const TProfileSnapshot*>& runs) {
    std::string out = "run";
    for (const TEditableInput& input : EditableInputs)
        (out += ',') += input.Column;
    (out += ',') += ProfileColumns;
    out += '\n';
    // Every row repeats its run's inputs: a row read alone, or the file
    // filtered by run, still says what was computed.
    for (std::size_t r = 0; r < runs.size(); ++r) {
        std::string lead = std::to_string(r + 1);
        for (const TEditableInput& input : EditableInputs) {
            lead += ',';
            AppendShortest(lead, runs[r]->Input.*input.Value);
        }
        lead += ',';
        for (const TProfilePoint& pt : runs[r]->Points) {
            out += lead;
            AppendPointValues(out, pt);
            out += '\n';
        }
    }
    return out;
}

bool WriteProfileCsv(const TProfileSnapshot& profile, const std::string& path) {
    return ReplaceFileWith(path, ProfileCsv(profile));
}

} // namespace ppspin

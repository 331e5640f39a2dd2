// Plots need Qt; a build without the desktop program has none.
#include "Plots.h"

namespace ppspin::cli {

namespace {
constexpr const char* NotAvailable = "Plots are not available in this build (no Qt Charts)";
}

bool PlotProfile(const TProfileSnapshot&, const std::string&, TPlotSize, std::string& error) {
    error = NotAvailable;
    return false;
}

bool PlotSummary(std::string_view, const std::vector<TSweepRow>&, const std::string&, TPlotSize,
                 std::string& error) {
    error = NotAvailable;
    return false;
}

} // namespace ppspin::cli

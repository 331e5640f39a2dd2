// Measured points on the command line: the file, and the lines that say how
// far a run is from them.
#include "Commands.h"
#include "NumberText.h"

namespace ppspin::cli {

int ReadMeasuredOption(const TOptions& o, TMeasuredData& data) {
    std::string message;
    if (!ReadMeasuredFile(o.Measured, data, message)) {
        PrintError(message);
        return ExitRefused;
    }
    if (message = MeasuredRangeRefusal(data, o.Texts, o.DecimalSeparator); !message.empty()) {
        PrintError(o.Measured + ": " + message);
        return ExitRefused;
    }
    return -1;
}

std::string RmsLine(const TQuantityComparison& after, const TQuantityComparison* before) {
    const std::size_t n = after.Series->Points.size();
    std::string line = std::string("rms ") + after.Series->Column->Name + " ";
    if (before != nullptr)
        line += SignificantText(before->Rms, 3, '.') + " -> ";
    return line + SignificantText(after.Rms, 3, '.') + " (" + std::to_string(n) +
           (n == 1 ? " point)" : " points)");
}

} // namespace ppspin::cli

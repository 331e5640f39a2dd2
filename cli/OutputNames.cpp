#include "OutputNames.h"

#include <filesystem>
#include <unordered_map>

namespace ppspin::cli {

std::string OutputClash(const std::vector<TNamedOutput>& outputs) {
    std::unordered_map<std::string, const TNamedOutput*> seen;
    for (const TNamedOutput& output : outputs) {
        if (output.Path.empty())
            continue;
        std::error_code ec;
        std::filesystem::path path = std::filesystem::absolute(output.Path, ec);
        if (!ec)
            path = std::filesystem::weakly_canonical(path, ec);
        const auto [at, added] = seen.emplace(path.lexically_normal().string(), &output);
        if (!added)
            return "Output files clash: " + output.Path + " is written by both " +
                   at->second->Option + " and " + output.Option;
    }
    return {};
}

} // namespace ppspin::cli

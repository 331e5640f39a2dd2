#include "OutputNames.h"

#include <filesystem>
#include <unordered_map>

namespace ppspin::cli {

namespace {

// The file a path names, however it is written.
std::string Canonical(const std::string& name) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(name, ec);
    if (!ec)
        path = std::filesystem::weakly_canonical(path, ec);
    return path.lexically_normal().string();
}

} // namespace

std::string OutputClash(const std::vector<TNamedOutput>& outputs) {
    std::unordered_map<std::string, const TNamedOutput*> seen;
    for (const TNamedOutput& output : outputs) {
        if (output.Path.empty())
            continue;
        const auto [at, added] = seen.emplace(Canonical(output.Path), &output);
        if (!added)
            return "Output files clash: " + output.Path + " is written by both " +
                   at->second->Option + " and " + output.Option;
    }
    return {};
}

std::string InputClash(const TNamedOutput& input, const std::vector<TNamedOutput>& outputs) {
    if (input.Path.empty())
        return {};
    const std::string read = Canonical(input.Path);
    for (const TNamedOutput& output : outputs)
        if (!output.Path.empty() && Canonical(output.Path) == read)
            return "Output files clash: " + output.Path + " is read by " + input.Option +
                   " and would be replaced by " + output.Option;
    return {};
}

} // namespace ppspin::cli

#include "PlotOptions.h"

#include "NumberText.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace ppspin::cli {

bool ParsePlotSize(const std::string& text, TPlotSize& size) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos)
        return false;
    auto read = [](std::string_view digits, int& value) {
        return ReadInteger(digits, value) && value >= 100 && value <= 10000;
    };
    const std::string_view whole = text;
    return read(whole.substr(0, x), size.Width) && read(whole.substr(x + 1), size.Height);
}

std::string PlotFileNameRefusal(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    std::string ending = name.substr(name.size() - std::min<std::size_t>(name.size(), 4));
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ending != ".png" && ending != ".svg")
        return "Plot file name must end in .png or .svg: " + path;
    if (name.size() == ending.size())
        return "Plot file name has no name before its " + ending + ": " + path;
    return {};
}

} // namespace ppspin::cli

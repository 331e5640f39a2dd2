#include "PlotOptions.h"

#include "NumberText.h"

#include <algorithm>
#include <cctype>

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

bool IsPlotFileName(const std::string& path) {
    auto endsWith = [&](const char* suffix) {
        const std::size_t n = std::char_traits<char>::length(suffix);
        return path.size() > n &&
               std::equal(
                   path.end() - static_cast<std::ptrdiff_t>(n), path.end(), suffix,
                   [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
    };
    return endsWith(".png") || endsWith(".svg");
}

} // namespace ppspin::cli

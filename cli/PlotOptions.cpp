#include "PlotOptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace ppspin::cli {

bool ParsePlotSize(const std::string& text, TPlotSize& size) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos)
        return false;
    auto read = [](const char* first, const char* last, int& value) {
        const auto r = std::from_chars(first, last, value);
        return r.ec == std::errc() && r.ptr == last && value >= 100 && value <= 10000;
    };
    const char* begin = text.data();
    return read(begin, begin + x, size.Width) &&
           read(begin + x + 1, begin + text.size(), size.Height);
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

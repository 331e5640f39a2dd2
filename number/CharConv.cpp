// The primitives of the number module over the standard library's
// to_chars and from_chars: exact in both directions, locale-free. The one
// file a platform without the floating-point forms replaces.
#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace ppspin {

namespace {

// Enough for any double in any of the forms below: 17 significant digits,
// or up to 309 integer digits and the decimals asked for.
constexpr std::size_t BufferSize = 1100;

template <typename... Format> std::string Chars(double x, Format... format) {
    char buf[BufferSize];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, format...);
    return std::string(buf, r.ptr);
}

} // namespace

void AppendShortest(std::string& out, double x) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    out.append(buf, r.ptr);
}

std::string DecimalText(double x, int decimals) {
    return Chars(x, std::chars_format::fixed, std::clamp(decimals, 0, 700));
}

std::string ScientificText(double x, int decimals) {
    return Chars(x, std::chars_format::scientific, std::clamp(decimals, 0, 700));
}

std::string GeneralText(double x, int digits, char separator) {
    std::string text = Chars(x, std::chars_format::general, std::clamp(digits, 1, 700));
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

TNumberRead ReadDouble(std::string_view text, double& value) {
    double read = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), read);
    if (r.ec == std::errc::result_out_of_range)
        return TNumberRead::OutOfRange;
    if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        return TNumberRead::NotANumber;
    value = read;
    return TNumberRead::Ok;
}

} // namespace ppspin

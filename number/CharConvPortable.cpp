// The primitives of the number module for a standard library without the
// floating-point to_chars and from_chars (the browser's): doubles are read
// by fast_float, and written by the C library's printf, which rounds
// correctly in glibc and musl alike, in the C locale such a build never
// leaves. Each gives the bytes CharConv.cpp gives; a test compares the two
// over millions of values.
#include "NumberText.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace ppspin {

namespace {

// Enough for any double in any of the forms below: 17 significant digits,
// or up to 309 integer digits, a sign and 700 decimals.
constexpr std::size_t BufferSize = 1100;

std::string Printf(const char* format, int precision, double x) {
    char buf[BufferSize];
    const int n = std::snprintf(buf, sizeof buf, format, precision, x);
    return std::string(buf, static_cast<std::size_t>(std::clamp(n, 0, int(sizeof buf) - 1)));
}

bool ReadsBackAs(const std::string& text, double x) {
    double read = 0;
    const auto r = fast_float::from_chars(text.data(), text.data() + text.size(), read);
    return r.ec == std::errc() && read == x;
}

// A double as significant digits and the decimal exponent of the first:
// x = 0.d1d2... * 10^(Exponent + 1).
struct TDigits {
    std::string Digits;
    int Exponent = 0;
};

// The digits of "d.ddde+XX" as printf writes them.
TDigits DigitsOf(const std::string& scientific) {
    TDigits d;
    const std::size_t e = scientific.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (scientific[i] >= '0' && scientific[i] <= '9')
            d.Digits += scientific[i];
    std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1),
                    scientific.data() + scientific.size(), d.Exponent);
    return d;
}

// The digits one unit in the last place up, as a number of the same length
// (a carry moves the exponent).
TDigits NextUp(TDigits d) {
    std::string& s = d.Digits;
    auto i = s.size();
    while (i > 0 && s[i - 1] == '9')
        s[--i] = '0';
    if (i == 0) {
        s.insert(s.begin(), '1');
        s.pop_back();
        ++d.Exponent;
    } else {
        ++s[i - 1];
    }
    return d;
}

std::string Scientific(const TDigits& d, bool negative) {
    std::string out = negative ? "-" : "";
    out += d.Digits[0];
    if (d.Digits.size() > 1)
        out += "." + d.Digits.substr(1);
    out += d.Exponent < 0 ? "e-" : "e+";
    const int e = std::abs(d.Exponent);
    if (e < 10)
        out += '0';
    return out + std::to_string(e);
}

// With a point: the whole number is written exactly by AppendShortest.
std::string FixedForm(const TDigits& d, bool negative) {
    std::string out = negative ? "-" : "";
    if (d.Exponent < 0)
        return out + "0." + std::string(static_cast<std::size_t>(-d.Exponent - 1), '0') + d.Digits;
    return out + d.Digits.substr(0, static_cast<std::size_t>(d.Exponent + 1)) + "." +
           d.Digits.substr(static_cast<std::size_t>(d.Exponent + 1));
}

// The fewest significant digits that read back as x, the nearest such. The
// correctly rounded digits of a length read back whenever any of that length
// do, except at a power of two, whose interval reaches twice as far above as
// below: digits rounded down past its narrow side may fail where the next
// ones up, on its wide side, read back.
bool ShortestOfLength(double x, int precision, TDigits& d) {
    const std::string text = Printf("%.*e", precision, x);
    if (ReadsBackAs(text, x)) {
        d = DigitsOf(text);
        return true;
    }
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits); // no std::bit_cast in every library yet
    if ((bits & ((std::uint64_t{1} << 52) - 1)) != 0)
        return false;
    const TDigits up = NextUp(DigitsOf(text));
    if (!ReadsBackAs(Scientific(up, std::signbit(x)), x))
        return false;
    d = up;
    return true;
}

TDigits Shortest(double x) {
    // Reading back is monotonic in the length: search it by halves, longest
    // first known good (17 digits always read back).
    TDigits best;
    ShortestOfLength(x, 16, best);
    int lo = 0, hi = 16;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        TDigits d;
        if (ShortestOfLength(x, mid, d)) {
            best = d;
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    while (best.Digits.size() > 1 && best.Digits.back() == '0')
        best.Digits.pop_back();
    return best;
}

} // namespace

void AppendShortest(std::string& out, double x) {
    if (!std::isfinite(x)) {
        out += Printf("%.*g", 1, x);
        return;
    }
    const TDigits d = Shortest(x);
    // Written without a point, the value is a whole number, and of the
    // texts of that length the nearest is its exact digits.
    const std::string fixed = d.Exponent >= static_cast<int>(d.Digits.size()) - 1
                                  ? Printf("%.*f", 0, x)
                                  : FixedForm(d, std::signbit(x));
    const std::string scientific = Scientific(d, std::signbit(x));
    out += fixed.size() <= scientific.size() ? fixed : scientific;
}

std::string DecimalText(double x, int decimals) {
    return Printf("%.*f", std::clamp(decimals, 0, 700), x);
}

std::string ScientificText(double x, int decimals) {
    return Printf("%.*e", std::clamp(decimals, 0, 700), x);
}

std::string GeneralText(double x, int digits, char separator) {
    std::string text = Printf("%.*g", std::clamp(digits, 1, 700), x);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

TNumberRead ReadDouble(std::string_view text, double& value) {
    double read = 0;
    const auto r = fast_float::from_chars(text.data(), text.data() + text.size(), read);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        return TNumberRead::NotANumber;
    // fast_float gives an infinity or zero where the text's number lies
    // beyond a double's range; the standard library says it is out of range.
    const std::string_view number = text.substr(text.starts_with('-') ? 1 : 0);
    const bool literal = !number.empty() && (number[0] == 'i' || number[0] == 'I' ||
                                              number[0] == 'n' || number[0] == 'N');
    const std::string_view mantissa = number.substr(0, number.find_first_of("eE"));
    if (!literal && (std::isinf(read) ||
                     (read == 0 && mantissa.find_first_of("123456789") != std::string_view::npos)))
        return TNumberRead::OutOfRange;
    value = read;
    return TNumberRead::Ok;
}

} // namespace ppspin

#include "Fixed.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

namespace ppspin {

namespace {

constexpr int ExpansionDigits = 18;

// |x| as 18 significant decimal digits and the exponent E with
// |x| = 0.d1d2... x 10^E, d1 != 0; x must be finite and non-zero.
void Expand(double x, std::string& digits, int& e) {
    // Rounded from the exact binary value to nearest, a tie to even.
    const std::string text = ScientificText(std::fabs(x), ExpansionDigits - 1);
    const auto ePos = text.find('e');
    digits.assign(1, text[0]);
    digits.append(text, 2, ExpansionDigits - 1);
    std::string_view exponent = std::string_view(text).substr(ePos + 1);
    if (exponent[0] == '+')
        exponent.remove_prefix(1);
    int power = 0;
    ReadInteger(exponent, power);
    e = power + 1;
}

std::string Zero(int d, char separator) {
    std::string s = "0";
    if (d > 0) {
        s += separator;
        s.append(static_cast<std::size_t>(d), '0');
    }
    return s;
}

} // namespace

std::string Fixed(double x, int p, int d, char separator) {
    if (std::isnan(x))
        return "NAN";
    if (std::isinf(x))
        return x < 0 ? "-INF" : "INF";
    p = std::clamp(p, 2, ExpansionDigits);
    // The exponent of a double lies within +-330: decimals beyond a
    // thousand either way change nothing, and e + d cannot overflow.
    d = std::clamp(d, -1000, 1000);
    const int decimals = std::clamp(d, 0, ExpansionDigits);
    if (x == 0)
        return Zero(decimals, separator);

    std::string digits;
    int e = 0;
    Expand(x, digits, e);
    if (e + d < 0)
        return Zero(decimals, separator);

    // Cut to k digits, looking at the next digit only.
    const int k = std::min(e + d, p);
    std::string kept = digits.substr(0, static_cast<std::size_t>(k));
    if (k < ExpansionDigits && digits[static_cast<std::size_t>(k)] >= '5') {
        int i = k - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9')
            kept[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++kept[static_cast<std::size_t>(i)];
        } else {
            kept.insert(kept.begin(), '1'); // the carry adds a digit
            kept.pop_back();
            ++e;
            if (kept.empty())
                kept = "1";
        }
    }
    kept.erase(kept.find_last_not_of('0') + 1);
    if (kept.empty())
        return Zero(decimals, separator);

    std::string s = x < 0 ? "-" : "";
    if (e > p) {
        s += kept[0];
        if (kept.size() > 1) {
            s += separator;
            s.append(kept, 1);
        }
        std::string exponent = std::to_string(e - 1);
        if (d <= 4 && static_cast<int>(exponent.size()) < d)
            exponent.insert(0, static_cast<std::size_t>(d) - exponent.size(), '0');
        return s + "E" + exponent;
    }
    // Digit at position j of the number: j = 0 is d1, the first before the point.
    auto digitAt = [&](int j) {
        return j >= 0 && j < static_cast<int>(kept.size()) ? kept[static_cast<std::size_t>(j)]
                                                           : '0';
    };
    if (e <= 0) {
        s += '0';
    } else {
        for (int j = 0; j < e; ++j)
            s += digitAt(j);
    }
    if (decimals > 0) {
        s += separator;
        for (int j = 0; j < decimals; ++j)
            s += digitAt(e + j);
    }
    return s;
}

std::string FormatColumn(int w, int d, double x, char separator) {
    std::string s = Fixed(x, w, d, separator);
    const int length = static_cast<int>(s.size());
    if (length >= 3 && length < w)
        s.insert(0, static_cast<std::size_t>(w - length), ' ');
    return s;
}

} // namespace ppspin

#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace ppspin {

std::string NumberText(double value, char separator) {
    std::string text;
    AppendShortest(text, value);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

std::string SignificantText(double x, int digits, char separator) {
    // Rounded to the digits, then written without an exponent.
    const double rounded = RoundToSignificant(x, digits);
    const int exponent =
        rounded == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(rounded))));
    std::string text = DecimalText(rounded, std::clamp(digits - 1 - exponent, 0, 340));
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
        std::replace(text.begin(), text.end(), '.', separator);
    }
    return text == "-0" ? "0" : text;
}

double RoundToSignificant(double x, int digits) {
    double rounded = x;
    ReadDouble(ScientificText(x, digits - 1), rounded);
    return rounded;
}

} // namespace ppspin

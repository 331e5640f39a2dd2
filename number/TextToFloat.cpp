#include "TextToFloat.h"

#include "NumberText.h"

#include <string>

namespace ppspin {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal exponent m of the digits' value, 10^(m-1) <= value < 10^m; the
// digits must not all be zero.
long Magnitude(std::string_view intDigits, std::string_view fracDigits) {
    const auto first = intDigits.find_first_not_of('0');
    if (first != std::string_view::npos)
        return static_cast<long>(intDigits.size() - first);
    return -static_cast<long>(fracDigits.find_first_not_of('0'));
}

} // namespace

bool TextToFloat(std::string_view text, char separator, double& value) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto at = [&](std::size_t j) { return j < n ? text[j] : '\0'; };

    while (at(i) == ' ' && i < n)
        ++i;
    bool negative = false;
    if (at(i) == '+' || at(i) == '-')
        negative = text[i++] == '-';
    const std::size_t intStart = i;
    while (i < n && IsDigit(text[i]))
        ++i;
    const std::string_view intDigits = text.substr(intStart, i - intStart);
    bool hasSeparator = false;
    std::string_view fracDigits;
    if (i < n && text[i] == separator) {
        hasSeparator = true;
        const std::size_t fracStart = ++i;
        while (i < n && IsDigit(text[i]))
            ++i;
        fracDigits = text.substr(fracStart, i - fracStart);
    }
    if (intDigits.empty() && fracDigits.empty() && !hasSeparator)
        return false;

    long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool expNegative = false;
        if (at(i) == '+' || at(i) == '-')
            expNegative = text[i++] == '-';
        // Exponent digits are read only while the exponent is below 500.
        while (i < n && IsDigit(text[i]) && exponent < 500)
            exponent = exponent * 10 + (text[i++] - '0');
        if (expNegative)
            exponent = -exponent;
    }
    while (i < n && text[i] == ' ')
        ++i;
    if (i != n)
        return false; // anything else, left-over exponent digits included

    const bool allZero = intDigits.find_first_not_of('0') == std::string_view::npos &&
                         fracDigits.find_first_not_of('0') == std::string_view::npos;
    if (allZero) {
        value = negative ? -0.0 : 0.0;
        return true;
    }
    // Far beyond the range of a double: no need to hand it on.
    const long magnitude = Magnitude(intDigits, fracDigits) + exponent;
    if (magnitude > 400)
        return false;
    if (magnitude < -400) {
        value = negative ? -0.0 : 0.0;
        return true;
    }

    std::string plain;
    plain.reserve(intDigits.size() + fracDigits.size() + 16);
    if (negative)
        plain += '-';
    plain.append(intDigits.empty() ? std::string_view("0") : intDigits);
    plain += '.';
    plain.append(fracDigits.empty() ? std::string_view("0") : fracDigits);
    plain += 'e';
    plain += std::to_string(exponent);

    double result = 0;
    switch (ReadDouble(plain, result)) {
    case TNumberRead::Ok:
        break;
    case TNumberRead::OutOfRange:
        if (magnitude > 0)
            return false;               // beyond the largest double
        result = negative ? -0.0 : 0.0; // below the smallest: underflows to zero
        break;
    case TNumberRead::NotANumber:
        return false;
    }
    value = result;
    return true;
}

} // namespace ppspin

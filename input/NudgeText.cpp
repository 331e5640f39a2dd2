#include "NudgeText.h"

#include "NumberText.h"
#include "TextToFloat.h"

#include <algorithm>
#include <cstdlib>

namespace ppspin {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// digits + amount, both as decimal digit strings without sign.
std::string AddMagnitude(std::string digits, unsigned amount) {
    for (auto i = digits.rbegin(); i != digits.rend() && amount > 0; ++i) {
        amount += static_cast<unsigned>(*i - '0');
        *i = static_cast<char>('0' + amount % 10);
        amount /= 10;
    }
    return amount > 0 ? std::to_string(amount) + digits : digits;
}

// digits - amount; the sign flips when amount is the larger.
std::string SubtractMagnitude(std::string digits, unsigned amount, bool& flipped) {
    // Past its last nine digits the text is far larger than any step.
    const std::size_t tail = std::min<std::size_t>(digits.size(), 9);
    unsigned long low = 0;
    ReadInteger(std::string_view(digits).substr(digits.size() - tail), low);
    const bool larger = digits.find_first_not_of('0') < digits.size() - tail;
    flipped = !larger && low < amount;
    if (flipped)
        return std::string(digits.size() - tail, '0') + std::to_string(amount - low);
    unsigned borrow = amount;
    for (auto i = digits.rbegin(); i != digits.rend() && borrow > 0; ++i) {
        const int d = (*i - '0') - static_cast<int>(borrow % 10);
        borrow /= 10;
        *i = static_cast<char>('0' + (d + 10) % 10);
        if (d < 0)
            ++borrow;
    }
    return digits;
}

} // namespace

std::optional<std::string> NudgeText(std::string_view text, char separator, int steps,
                                     TInputDomain domain) {
    double value = 0;
    if (steps == 0 || steps < -MaxNudgeSteps || steps > MaxNudgeSteps ||
        !TextToFloat(text, separator, value))
        return std::nullopt;

    // The parts as TextToFloat reads them: spaces, sign, digits, separator,
    // digits, the rest (exponent and spaces), which is kept as it is.
    const std::size_t start = std::min(text.find_first_not_of(' '), text.size());
    std::size_t i = start;
    char sign = '\0';
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        sign = text[i++];
    const std::size_t intStart = i;
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    const std::string_view intDigits = text.substr(intStart, i - intStart);
    bool hasSeparator = false;
    std::string_view fracDigits;
    if (i < text.size() && text[i] == separator) {
        hasSeparator = true;
        const std::size_t fracStart = ++i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        fracDigits = text.substr(fracStart, i - fracStart);
    }
    if (intDigits.empty() && fracDigits.empty())
        return std::nullopt; // "." or "-": no digit to step

    // The mantissa as one integer of its digits, stepped with its sign.
    std::string digits = std::string(intDigits) + std::string(fracDigits);
    const bool negative = sign == '-';
    const unsigned amount = static_cast<unsigned>(std::abs(steps));
    bool flipped = false;
    if (negative == (steps < 0))
        digits = AddMagnitude(std::move(digits), amount);
    else
        digits = SubtractMagnitude(std::move(digits), amount, flipped);
    bool resultNegative = negative != flipped;
    // Zero or below, for an input that takes neither, is as far as it goes.
    const bool bounded =
        (domain == TInputDomain::Positive || domain == TInputDomain::NonNegative) &&
        InDomain(domain, value);
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    if (bounded && (resultNegative || (zero && domain == TInputDomain::Positive))) {
        std::fill(digits.begin(), digits.end(), '0');
        if (domain == TInputDomain::Positive)
            digits.back() = '1';
        resultNegative = false;
    }

    // Split the stepped digits again where the separator was.
    const std::size_t decimals = fracDigits.size();
    if (digits.size() <= decimals)
        digits.insert(0, decimals + 1 - digits.size(), '0');
    std::string newInt = digits.substr(0, digits.size() - decimals);
    newInt.erase(0, std::min(newInt.find_first_not_of('0'), newInt.size() - 1));
    if (intDigits.empty() && newInt == "0")
        newInt.clear(); // ".5" stays without its leading zero

    std::string out(text.substr(0, start));
    if (resultNegative && digits.find_first_not_of('0') != std::string::npos)
        out += '-';
    else if (sign == '+')
        out += '+';
    out += newInt;
    if (hasSeparator)
        out += separator;
    out += digits.substr(digits.size() - decimals);
    out += text.substr(i);
    double stepped = 0;
    if (out == text || !TextToFloat(out, separator, stepped))
        return std::nullopt;
    return out;
}

} // namespace ppspin

// Whole numbers read by the standard library's integer from_chars, which
// every platform's library has (unlike its floating-point forms).
#include "NumberText.h"

#include <charconv>
#include <system_error>

namespace ppspin {

namespace {

template <typename Integer> bool ReadWhole(std::string_view text, Integer& value) {
    Integer read{};
    const auto r = std::from_chars(text.data(), text.data() + text.size(), read);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        return false;
    value = read;
    return true;
}

} // namespace

bool ReadInteger(std::string_view text, int& value) {
    return ReadWhole(text, value);
}

bool ReadInteger(std::string_view text, unsigned long& value) {
    return ReadWhole(text, value);
}

} // namespace ppspin

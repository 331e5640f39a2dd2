#include "QuotedText.h"

#include <algorithm>

namespace ppspin {

namespace {

// The length of the UTF-8 sequence at the start of text, or 0 where it is
// none (a stray continuation byte, an overlong form, a cut sequence).
std::size_t Utf8Length(std::string_view text) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC2 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    if (length == 0 || length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
    // Overlong three- and four-byte forms, surrogates, beyond U+10FFFF.
    if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) >= 0xA0) ||
        (lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) >= 0x90))
        return 0;
    return length;
}

void AppendEscaped(std::string& out, unsigned char c) {
    constexpr char Hex[] = "0123456789abcdef";
    out += "\\x";
    out += Hex[c >> 4];
    out += Hex[c & 0xF];
}

} // namespace

std::string QuotedText(std::string_view text) {
    std::string quoted = "\"";
    std::size_t shown = 0;
    while (!text.empty() && shown < QuotedLength) {
        const auto lead = static_cast<unsigned char>(text[0]);
        const std::size_t length = Utf8Length(text);
        // C0 controls, DEL, and C1 controls (U+0080 to U+009F) as UTF-8.
        const bool control =
            lead < 0x20 || lead == 0x7F ||
            (lead == 0xC2 && length == 2 && static_cast<unsigned char>(text[1]) < 0xA0);
        const std::size_t taken = std::max<std::size_t>(length, 1);
        if (length == 0 || control)
            for (const char c : text.substr(0, taken))
                AppendEscaped(quoted, static_cast<unsigned char>(c));
        else
            quoted += text.substr(0, taken);
        text.remove_prefix(taken);
        ++shown;
    }
    quoted += '"';
    if (!text.empty())
        quoted += "...";
    return quoted;
}

} // namespace ppspin

// Text from a file, quoted in a message: whatever the file holds, the
// message prints whole and harmless, at a length one can read.
#pragma once

#include <string>
#include <string_view>

namespace ppspin {

// Characters of the text a quotation shows at most; a longer text is cut
// there and the quotation followed by "...".
inline constexpr std::size_t QuotedLength = 60;

// text in double quotes, UTF-8 as it is, but control bytes (a NUL, the
// escape that starts a terminal's sequences, C1 controls) and bytes that are
// not UTF-8 written as \xNN: "T_C \"1\x00\"".
std::string QuotedText(std::string_view text);

} // namespace ppspin

// The twenty field texts of the main window, as the window, ppspin-cli and
// studies hand them to a run.
#pragma once

#include <array>
#include <string>

namespace ppspin {

inline constexpr int FieldCount = 20;

// Texts of Edit1 .. Edit20, index 0 .. 19.
using TFieldTexts = std::array<std::string, FieldCount>;

// Index of EditN's text.
constexpr int FieldIndex(int editNumber) {
    return editNumber - 1;
}

// Index of the result file name among the texts.
inline constexpr int FileNameField = FieldIndex(20);

// The fields' opening texts ("0.025", "0.7", ... "result.txt"), written with
// the given decimal separator.
TFieldTexts DefaultFieldTexts(char separator);

// First character of the user's locale decimal symbol, "." when it cannot be read.
char UserDecimalSeparator();

} // namespace ppspin

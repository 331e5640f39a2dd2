// A report opened as a case file: its header read from a path, for the
// window and ppspin-cli alike. The read is bounded, so that a folder, a
// device or an endless stream is refused rather than read without end.
#pragma once

#include "FieldTexts.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ppspin {

// No more than this is read: several times what a header holds.
inline constexpr std::size_t MaxReportHeaderBytes = 8192;

enum class TCaseRead {
    Read,       // the inputs are in the texts
    Unreadable, // the path cannot be opened or read
    Refused,    // it is no report of this program; the message says why
};

// Reads the inputs from the head of a report's bytes (a file's first
// MaxReportHeaderBytes or more; the rest is ignored), as ReadReportInputs
// does; never Unreadable.
TCaseRead ReadReportHead(std::string_view head, char separator, TFieldTexts& texts,
                         std::string& message);

// Reads the inputs from the header of the report at path into texts, as
// ReadReportInputs does, from at most MaxReportHeaderBytes.
TCaseRead ReadReportFile(const std::string& path, char separator, TFieldTexts& texts,
                         std::string& message);

} // namespace ppspin

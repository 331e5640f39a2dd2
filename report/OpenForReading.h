// Files the program reads at the operator's word: a report as a case, a
// measured file.
#pragma once

#include <cstdio>
#include <string>

namespace ppspin {

// Opened without waiting: a pipe with no writer would hold the caller (the
// window, say) until one came, and now reads as empty. Once open, reads
// wait as usual. Null when the file cannot be opened.
std::FILE* OpenForReading(const std::string& path);

} // namespace ppspin

// Files the program reads at the operator's word: a report as a case, a
// measured file. Every front-end reads them through here, so that a pipe
// without a writer, a device or an endless stream is met the same way.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace ppspin {

// Opened without waiting: a pipe with no writer would hold the caller (the
// window, say) until one came, and now reads as empty. Once open, reads
// wait as usual. Null when the file cannot be opened.
std::FILE* OpenForReading(const std::string& path);

// The first most bytes of the file at path (all of it when shorter), opened
// as OpenForReading opens it; nothing beyond them is read. False when it
// cannot be opened or read.
bool ReadFileHead(const std::string& path, std::size_t most, std::string& head);

} // namespace ppspin

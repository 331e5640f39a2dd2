// The temporary files of this process's unpublished outputs, noted from
// their creation to their rename or removal, so that a signal that ends the
// process can remove them first. Each call is one step as against
// RemoveTemporaryFiles: a file is never left created but not yet noted.
#pragma once

#include <functional>
#include <string>

namespace ppspin {

// Runs create, which makes the file at path, and notes path when it
// returns true. Returns what create returned.
bool CreateTemporaryFile(const std::string& path, const std::function<bool()>& create);

// Runs settle, which renames or removes the file at path, and forgets path.
void SettleTemporaryFile(const std::string& path, const std::function<void()>& settle);

// Removes every file noted, and from then on holds any thread that would
// create, rename or remove one: for a process about to end.
void RemoveTemporaryFiles();

} // namespace ppspin

// The command line as the option parser should see it.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace ppspin::cli {

// Rewrites args (without the program name) so that "--name=" gives the
// option an empty text, as an emptied window field would, instead of
// taking the next word; and refuses "--name" followed by a word that starts
// with "--", which names an option and is never a value. valueOptions are
// the long names, without "--", of the options that take a value. Returns
// false with the message to show for a missing value.
bool NormaliseArguments(const std::vector<std::string>& args,
                        const std::set<std::string>& valueOptions,
                        std::vector<std::string>& normalised, std::string& message);

} // namespace ppspin::cli

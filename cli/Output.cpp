#include "Output.h"

#include <cerrno>
#include <cstring>

namespace ppspin::cli {

bool TOutput::Write(std::string_view text) {
    return !failed_ && Check(std::fwrite(text.data(), 1, text.size(), file_) == text.size());
}

bool TOutput::WriteLine(std::string_view line) {
    return Write(line) && Write("\n");
}

bool TOutput::Flush() {
    return !failed_ && Check(std::fflush(file_) == 0);
}

bool TOutput::Check(bool ok) {
    if (!ok && !failed_) {
        failed_ = true;
        error_ = errno;
    }
    return ok;
}

std::string TOutput::FailureMessage() const {
    return "Can not write to " + name_ + ": " + std::strerror(error_);
}

} // namespace ppspin::cli

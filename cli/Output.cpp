#include "Output.h"

#include <cerrno>
#include <cstring>

namespace ppspin::cli {

bool TOutput::Write(std::string_view text) {
    return !failed_ && file_ != nullptr &&
           Check(std::fwrite(text.data(), 1, text.size(), file_) == text.size());
}

bool TOutput::WriteLine(std::string_view line) {
    return Write(line) && Write("\n");
}

bool TOutput::Flush() {
    return !failed_ && file_ != nullptr && Check(std::fflush(file_) == 0);
}

bool TOutput::Close() {
    if (file_ == nullptr)
        return !failed_;
    Flush();
    Check(std::fclose(file_) == 0);
    file_ = nullptr;
    return !failed_;
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

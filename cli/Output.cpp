#include "Output.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#define fileno _fileno
#define ftruncate _chsize_s
#else
#include <unistd.h>
#endif

namespace ppspin::cli {

bool TOutput::Write(std::string_view text) {
    return !failed_ && file_ != nullptr &&
           Check(std::fwrite(text.data(), 1, text.size(), file_) == text.size());
}

bool TOutput::WriteLine(std::string_view line) {
    return Write(line) && Write("\n");
}

bool TOutput::WriteRow(std::string_view row) {
    if (Write(row) && Flush()) {
        if (whole_ >= 0)
            whole_ += static_cast<long>(row.size());
        return true;
    }
    // Only a file has an end to cut back to: a pipe's reader has what it has.
    if (whole_ >= 0 && file_ != nullptr) {
        [[maybe_unused]] const int cut = ftruncate(fileno(file_), whole_);
    }
    return false;
}

void TOutput::KeepRowsWhole() {
    if (file_ == nullptr)
        return;
    std::setvbuf(file_, nullptr, _IONBF, 0);
    whole_ = std::ftell(file_);
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

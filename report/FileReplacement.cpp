#include "FileReplacement.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace ppspin {

namespace {

// A name no other writer in the folder is using; hidden, so that a file left
// by a killed process does not crowd the folder's listing.
std::string TemporaryName(const fs::path& replaced) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    constexpr const char* digits = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string suffix(8, '0');
    for (char& c : suffix)
        c = digits[random() % 36];
    return "." + replaced.filename().string() + "." + suffix + ".tmp";
}

} // namespace

TFileReplacement::TFileReplacement(std::string target) : target_(std::move(target)) {}

TFileReplacement::~TFileReplacement() {
    Discard();
}

bool TFileReplacement::Begin() {
    Discard();
    std::error_code ec;
    fs::path replaced = target_;
    // A link is followed, so that the file it names is the one replaced.
    if (fs::is_symlink(replaced, ec)) {
        replaced = fs::weakly_canonical(replaced, ec);
        if (ec)
            return false;
    }
    const fs::file_status status = fs::status(replaced, ec);
    if (fs::is_directory(status))
        return false;
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        // A device or a pipe cannot be replaced, only written: the content
        // goes to it directly, and there is nothing to rename.
        std::FILE* probe = std::fopen(replaced.string().c_str(), "ab");
        if (probe == nullptr)
            return false;
        std::fclose(probe);
        temporary_ = replaced.string();
        direct_ = true;
        return true;
    }
    if (fs::exists(status)) {
        // The rename would replace a write-protected file: refuse it as the
        // file itself would refuse a write.
        std::FILE* probe = std::fopen(replaced.string().c_str(), "ab");
        if (probe == nullptr)
            return false;
        std::fclose(probe);
    }
    if (replaced.filename().empty())
        return false;
    const fs::path folder = replaced.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path temporary = folder / TemporaryName(replaced);
        // "x": created here and now, never an existing file.
        if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx")) {
            if (std::fclose(file) != 0) {
                fs::remove(temporary, ec);
                return false;
            }
            replaced_ = replaced.string();
            temporary_ = temporary.string();
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool TFileReplacement::Publish(std::string& reason) {
    if (direct_) {
        temporary_.clear();
        return true;
    }
    std::error_code ec;
    const fs::file_status old = fs::status(replaced_, ec);
    if (fs::exists(old))
        fs::permissions(temporary_, old.permissions(), ec); // best effort
    fs::rename(temporary_, replaced_, ec);
    if (ec) {
        reason = ec.message();
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void TFileReplacement::Discard() {
    if (!temporary_.empty() && !direct_) {
        std::error_code ec;
        fs::remove(temporary_, ec);
    }
    temporary_.clear();
    direct_ = false;
}

bool ReplaceFileWith(const std::string& target, std::string_view bytes) {
    TFileReplacement replacement(target);
    if (!replacement.Begin())
        return false;
    std::FILE* file = std::fopen(replacement.TemporaryPath().c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    std::string reason;
    return written && flushed && closed && replacement.Publish(reason);
}

} // namespace ppspin

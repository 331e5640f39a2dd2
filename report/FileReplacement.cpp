#include "FileReplacement.h"

#include "NumberText.h"
#include "TemporaryFiles.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace ppspin {

namespace {

// More links than this in a row are a loop.
constexpr int MaxLinks = 40;

// A name no other writer in the folder is using, of a bounded length
// whatever the target's, so that a target named up to the file system's
// limit can be replaced; hidden, so that a file left by a killed process
// does not crowd the folder's listing.
std::string TemporaryName(const fs::path& replaced) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    constexpr const char* digits = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string name = ".ppspin-00000000.tmp";
    for (std::size_t i = 8; i < 16; ++i)
        name[i] = digits[random() % 36];
    // The target's ending, for writers that choose a format by it.
    const std::string ending = replaced.extension().string();
    return ending.size() <= 9 ? name + ending : name;
}

// Where a name leads once its links are followed.
struct TResolved {
    fs::path Path;
    bool ThroughDescriptor = false; // it names a descriptor in /proc/PID/fd
    int Descriptor = -1;            // ... one of this process's, by number
};

// /proc/PID/fd (or /proc/PID/task/TID/fd): its entries are descriptors,
// whose links say what they are open on ("pipe:[1234]"), not where.
bool IsDescriptorFolder(const fs::path& folder, bool& own) {
    auto part = folder.begin();
    if (folder.filename() != "fd" || part == folder.end() || *part != "/" ||
        ++part == folder.end() || *part != "proc" || ++part == folder.end())
        return false;
#ifdef _WIN32
    own = false;
#else
    own = *part == std::to_string(getpid());
#endif
    return true;
}

// Follows the links of name one by one, so that a dangling one leads to
// the file it would name. False for a loop or a link that cannot be read.
bool Resolve(const std::string& name, TResolved& resolved) {
    fs::path path = name;
    std::error_code ec;
    for (int hop = 0; hop < MaxLinks; ++hop) {
        const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
        const fs::path real = fs::canonical(folder, ec);
        bool own = false;
        if (!ec && IsDescriptorFolder(real, own)) {
            resolved.Path = path;
            resolved.ThroughDescriptor = true;
            const std::string number = path.filename().string();
            if (int fd = -1; own && ReadInteger(number, fd))
                resolved.Descriptor = fd;
            return true;
        }
        if (!fs::is_symlink(path, ec)) {
            resolved.Path = path;
            return true;
        }
        const fs::path link = fs::read_symlink(path, ec);
        if (ec)
            return false;
        path = link.is_absolute() ? link : folder / link;
    }
    return false;
}

bool IsWritable(const TResolved& resolved) {
#ifdef _WIN32
    return _access(resolved.Path.string().c_str(), 2) == 0;
#else
    if (resolved.Descriptor >= 0) {
        const int flags = fcntl(resolved.Descriptor, F_GETFL);
        return flags != -1 && (flags & O_ACCMODE) != O_RDONLY;
    }
    return access(resolved.Path.c_str(), W_OK) == 0;
#endif
}

// A stream of its own on this process's descriptor fd, sharing its offset.
std::FILE* OpenDescriptor(int fd) {
#ifdef _WIN32
    (void)fd;
    return nullptr;
#else
    const int copy = dup(fd);
    if (copy < 0)
        return nullptr;
    std::FILE* file = fdopen(copy, "wb"); // "w" on a descriptor empties nothing
    if (file == nullptr)
        close(copy);
    return file;
#endif
}

std::FILE* OpenResolved(const TResolved& resolved) {
    if (resolved.Descriptor >= 0)
        return OpenDescriptor(resolved.Descriptor);
    return std::fopen(resolved.Path.string().c_str(), "wb");
}

// The content on the disk before the rename publishes it, so that a power
// cut leaves the old file or the new one, never an empty or torn new one.
bool SyncContent(std::FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// The rename on the disk: until the folder is synced, a power cut may
// bring the old file back under the name. Left as the system has it, with
// the content published all the same: a folder this process may rename in
// but not read (EACCES), and a file system that cannot sync a folder
// (EINVAL, ENOTSUP, ENOSYS). Any other failure (EIO) is the caller's to
// hear. Windows gives no handle on a folder to sync.
bool SyncFolder(const fs::path& folder, std::string& reason) {
#ifdef _WIN32
    (void)folder;
    (void)reason;
    return true;
#else
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == EACCES || errno == EPERM)
            return true;
        reason = std::strerror(errno);
        return false;
    }
    if (fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP && errno != ENOSYS) {
        reason = std::strerror(errno);
        close(fd);
        return false;
    }
    if (close(fd) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
#endif
}

// Gives the temporary file the owner and group of the file it replaces,
// where the process may (root, or a group of its own); otherwise it stays
// the process's, as a new file is. False when refused: EPERM, or EINVAL
// for an id the user namespace cannot map.
bool KeepOwner(const std::string& temporary, const std::string& replaced) {
#ifdef _WIN32
    (void)temporary;
    (void)replaced;
    return false;
#else
    struct stat old {};
    if (stat(replaced.c_str(), &old) != 0)
        return false;
    return (old.st_uid == geteuid() && old.st_gid == getegid()) ||
           chown(temporary.c_str(), old.st_uid, old.st_gid) == 0;
#endif
}

} // namespace

TFileReplacement::TFileReplacement(std::string target) : target_(std::move(target)) {}

TFileReplacement::~TFileReplacement() {
    Discard();
}

bool TFileReplacement::Begin() {
    Discard();
    TResolved resolved;
    if (!Resolve(target_, resolved))
        return false;
    std::error_code ec;
    const fs::file_status status = fs::status(resolved.Path, ec);
    if (fs::is_directory(status))
        return false;
    if (resolved.ThroughDescriptor || (fs::exists(status) && !fs::is_regular_file(status))) {
        // Written in place: opened when the content comes, so that a pipe's
        // reader sees one stream from beginning to end.
        if (!IsWritable(resolved))
            return false;
        temporary_ = resolved.Path.string();
        descriptor_ = resolved.Descriptor;
        direct_ = true;
        begun_ = true;
        return true;
    }
    if (fs::exists(status)) {
        // The rename would replace a write-protected file: refuse it as the
        // file itself would refuse a write.
        std::FILE* probe = std::fopen(resolved.Path.string().c_str(), "ab");
        if (probe == nullptr)
            return false;
        std::fclose(probe);
    }
    if (resolved.Path.filename().empty())
        return false;
    const fs::path folder = resolved.Path.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path temporary = folder / TemporaryName(resolved.Path);
        // "x": created here and now, never an existing file.
        std::FILE* file = nullptr;
        int error = 0;
        if (CreateTemporaryFile(temporary.string(), [&] {
                file = std::fopen(temporary.string().c_str(), "wbx");
                error = errno;
                return file != nullptr;
            })) {
            replaced_ = resolved.Path.string();
            temporary_ = temporary.string();
            file_ = file;
            begun_ = true;
            return true;
        }
        if (error != EEXIST)
            return false;
    }
    return false;
}

std::FILE* TFileReplacement::File() {
    if (file_ == nullptr && direct_ && begun_ && !completed_ && !failed_) {
        TResolved resolved;
        resolved.Path = temporary_;
        resolved.Descriptor = descriptor_;
        file_ = OpenResolved(resolved);
        if (file_ == nullptr)
            Fail();
    }
    return completed_ ? nullptr : file_;
}

bool TFileReplacement::Write(std::string_view bytes) {
    std::FILE* file = File();
    if (file == nullptr || failed_)
        return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        Fail();
    return !failed_;
}

bool TFileReplacement::Complete(std::string& reason) {
    if (!begun_) {
        reason = "not begun";
        return false;
    }
    if (file_ != nullptr) {
        if (std::fflush(file_) != 0)
            Fail();
        // What is written directly (a pipe, a device, a descriptor's file)
        // is its owner's to sync; fsync of a pipe fails with EINVAL.
        if (!failed_ && !direct_ && !SyncContent(file_))
            Fail();
        std::FILE* file = file_;
        file_ = nullptr;
        if (std::fclose(file) != 0)
            Fail();
    }
    completed_ = true;
    reason = failure_;
    return !failed_;
}

bool TFileReplacement::Publish(std::string& reason) {
    if (!Complete(reason)) {
        Discard();
        return false;
    }
    if (direct_) {
        Discard();
        return true;
    }
    std::error_code ec;
    const fs::file_status old = fs::status(replaced_, ec);
    if (fs::exists(old)) {
        // Best effort, the owner first: a change of owner clears the
        // set-id bits.
        KeepOwner(temporary_, replaced_);
        fs::permissions(temporary_, old.permissions(), ec);
    }
    SettleTemporaryFile(temporary_, [&] {
        fs::rename(temporary_, replaced_, ec);
        if (std::error_code kept; ec)
            fs::remove(temporary_, kept);
    });
    if (ec) {
        reason = ec.message();
        Discard();
        return false;
    }
    temporary_.clear();
    const bool synced = SyncFolder(fs::path(replaced_).parent_path(), reason);
    Discard();
    return synced;
}

void TFileReplacement::Fail() {
    if (!failed_)
        failure_ = std::strerror(errno);
    failed_ = true;
}

void TFileReplacement::Discard() {
    if (file_ != nullptr)
        std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty() && !direct_) {
        SettleTemporaryFile(temporary_, [this] {
            std::error_code ec;
            fs::remove(temporary_, ec);
        });
    }
    temporary_.clear();
    replaced_.clear();
    failure_.clear();
    descriptor_ = -1;
    direct_ = begun_ = completed_ = failed_ = false;
}

std::FILE* OpenInPlace(const std::string& path) {
    TResolved resolved;
    if (!Resolve(path, resolved))
        return nullptr;
    if (resolved.Descriptor < 0)
        resolved.Path = path; // the system follows the links, creating a dangling one's file
    return OpenResolved(resolved);
}

bool ReplaceFileWith(const std::string& target, std::string_view bytes) {
    TFileReplacement replacement(target);
    std::string reason;
    return replacement.Begin() && replacement.Write(bytes) && replacement.Publish(reason);
}

} // namespace ppspin

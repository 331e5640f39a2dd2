#include "OpenForReading.h"

#include <utility>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace ppspin {

std::FILE* OpenForReading(const std::string& path) {
#ifdef _WIN32
    return std::fopen(path.c_str(), "rb");
#else
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    const int flags = ::fcntl(fd, F_GETFL);
    std::FILE* file = flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1
                          ? nullptr
                          : ::fdopen(fd, "rb");
    if (file == nullptr)
        ::close(fd);
    return file;
#endif
}

bool ReadFileHead(const std::string& path, std::size_t most, std::string& head) {
    std::FILE* file = OpenForReading(path);
    if (file == nullptr)
        return false;
    std::string read(most, '\0');
    read.resize(std::fread(read.data(), 1, read.size(), file));
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return false;
    head = std::move(read);
    return true;
}

} // namespace ppspin

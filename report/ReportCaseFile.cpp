#include "ReportCaseFile.h"

#include "ReportHeader.h"
#include "ReportInputs.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace ppspin {

namespace {

// Opened without waiting: a pipe with no writer would hold the caller (the
// window, say) until one came. Once open, reads wait as usual.
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

} // namespace

TCaseRead ReadReportFile(const std::string& path, char separator, TFieldTexts& texts,
                         std::string& message) {
    const std::string refusal = "Not a report of this program: ";
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        message = refusal + "it is a folder";
        return TCaseRead::Refused;
    }
    std::FILE* file = OpenForReading(path);
    if (file == nullptr)
        return TCaseRead::Unreadable;
    std::string head(MaxReportHeaderBytes, '\0');
    head.resize(std::fread(head.data(), 1, head.size(), file));
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return TCaseRead::Unreadable;
    // Cut short with its last line unended, the header would read as if
    // it ended there.
    if (head.size() == MaxReportHeaderBytes &&
        std::count(head.begin(), head.end(), '\n') < ReportHeaderLineCount) {
        message = refusal + "its header does not end within the first " +
                  std::to_string(MaxReportHeaderBytes) + " bytes";
        return TCaseRead::Refused;
    }
    return ReadReportInputs(head, separator, texts, message) ? TCaseRead::Read : TCaseRead::Refused;
}

} // namespace ppspin

#include "ReportCaseFile.h"

#include "OpenForReading.h"
#include "ReportHeader.h"
#include "ReportInputs.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace ppspin {

namespace {
const std::string Refusal = "Not a report of this program: ";
}

TCaseRead ReadReportHead(std::string_view head, char separator, TFieldTexts& texts,
                         std::string& message) {
    // Cut short with its last line unended, the header would read as if
    // it ended there.
    if (head.size() >= MaxReportHeaderBytes &&
        std::count(head.begin(), head.begin() + MaxReportHeaderBytes, '\n') <
            ReportHeaderLineCount) {
        message = Refusal + "its header does not end within the first " +
                  std::to_string(MaxReportHeaderBytes) + " bytes";
        return TCaseRead::Refused;
    }
    return ReadReportInputs(head.substr(0, MaxReportHeaderBytes), separator, texts, message)
               ? TCaseRead::Read
               : TCaseRead::Refused;
}

TCaseRead ReadReportFile(const std::string& path, char separator, TFieldTexts& texts,
                         std::string& message) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        message = Refusal + "it is a folder";
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
    return ReadReportHead(head, separator, texts, message);
}

} // namespace ppspin

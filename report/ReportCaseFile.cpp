#include "ReportCaseFile.h"

#include "OpenForReading.h"
#include "ReportHeader.h"
#include "ReportInputs.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace ppspin {

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

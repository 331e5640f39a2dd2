#include "ReportCaseFile.h"

#include "OpenForReading.h"
#include "ReportHeader.h"
#include "ReportInputs.h"

#include <algorithm>
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
    std::string head;
    if (!ReadFileHead(path, MaxReportHeaderBytes, head))
        return TCaseRead::Unreadable;
    return ReadReportHead(head, separator, texts, message);
}

} // namespace ppspin

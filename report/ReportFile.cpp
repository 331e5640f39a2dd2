#include "Report.h"

#include "FileReplacement.h"
#include "Fixed.h"
#include "ReportHeader.h"
#include "RunError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace ppspin {

namespace {

// Writes into the report's content file; a failure names the report, not
// its temporary file.
class ReportWriter {
  public:
    explicit ReportWriter(TFileReplacement& report) : report_(report), file_(report.File()) {}

    bool IsOpen() const { return file_ != nullptr; }

    void Line(const std::string& text = {}) {
        if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() ||
            std::fwrite("\r\n", 1, 2, file_) != 2)
            Fail();
    }

    // Hands what is buffered to the system: a failure shows now, and a
    // pipe's reader has the header while the run goes on.
    void Flush() {
        if (std::fflush(file_) != 0)
            Fail();
    }

    // Flushes and closes the content, so that a failure to write its last
    // block is reported.
    void Complete() {
        std::string reason;
        if (!report_.Complete(reason))
            Fail(reason);
    }

    [[noreturn]] void Fail(const std::string& reason = std::strerror(errno)) {
        throw RunError(TRunErrorKind::File, CanNotWriteToFileMessage(report_.Target(), reason));
    }

  private:
    TFileReplacement& report_;
    std::FILE* file_;
};

} // namespace

std::string CanNotWriteToFileMessage(const std::string& name, const std::string& reason) {
    return "Can not write to file " + name + ": " + reason;
}

std::vector<std::string> ReportHeaderTexts(const TRunInput& in, char separator) {
    std::vector<std::string> lines;
    for (const THeaderLine& line : ReportHeaderLines()) {
        if (line.Input == nullptr)
            lines.push_back(line.Text);
        else
            lines.push_back(line.Text +
                            Fixed(in.*line.Input->Value, line.Input->P, line.Input->D, separator));
    }
    return lines;
}

bool WriteReportHeader(const TRunInput& in, char separator, TFileReplacement& report) {
    if (!report.Begin())
        return false;
    ReportWriter out(report);
    if (!out.IsOpen())
        return false;
    for (const std::string& line : ReportHeaderTexts(in, separator))
        out.Line(line);
    out.Flush();
    return true;
}

std::string ResultRow(const TProfilePoint& point, char separator) {
    const auto FormatColumn = [separator](int w, int d, double x) {
        return ppspin::FormatColumn(w, d, x, separator);
    };
    return " " + FormatColumn(5, 1, point.Z) + " " + FormatColumn(7, 1, point.VM) + " " +
           FormatColumn(8, 3, point.F) + " " + FormatColumn(6, 1, point.T) + " " +
           FormatColumn(8, 5, point.D) + " " + FormatColumn(6, 1, point.TA) + " " +
           FormatColumn(8, 5, point.H) + " " + FormatColumn(7, 4, point.TenRe) + " " +
           FormatColumn(7, 4, point.TenAp);
}

std::string ReportText(const TProfileSnapshot& profile, char separator) {
    std::string text;
    for (const std::string& line : ReportHeaderTexts(profile.Input, separator))
        (text += line) += "\r\n";
    for (const TProfilePoint& point : profile.Points)
        (text += ResultRow(point, separator)) += "\r\n";
    return text + "\r\n\r\n";
}

bool WriteResultRows(const TProfileSnapshot& profile, char separator, TFileReplacement& report) {
    ReportWriter out(report);
    if (!out.IsOpen())
        return false;
    for (const TProfilePoint& point : profile.Points)
        out.Line(ResultRow(point, separator));
    out.Line();
    out.Line();
    out.Complete();
    return true;
}

} // namespace ppspin

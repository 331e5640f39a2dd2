#include "Report.h"

#include "FileReplacement.h"
#include "Fixed.h"
#include "InputCatalogue.h"
#include "ReportHeader.h"
#include "RunError.h"
#include "Tenacity.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace ppspin {

namespace {

// The report's temporary file open for one writing step; closed when the
// step ends. Failures name the report, not its temporary file.
class ReportWriter {
  public:
    ReportWriter(const TFileReplacement& report, bool append) : name_(report.Target()) {
        // Appending needs the file to exist already.
        file_ = std::fopen(report.TemporaryPath().c_str(), append ? "r+b" : "wb");
        if (file_ && append && std::fseek(file_, 0, SEEK_END) != 0) {
            std::fclose(file_);
            file_ = nullptr;
        }
    }
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;
    ~ReportWriter() {
        if (file_)
            std::fclose(file_);
    }

    bool IsOpen() const { return file_ != nullptr; }

    void Line(const std::string& text = {}) {
        if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() ||
            std::fwrite("\r\n", 1, 2, file_) != 2)
            Fail();
    }

    // Flushes and closes the file, so that a failure to write its last
    // block is reported.
    void Close() {
        if (std::fflush(file_) != 0)
            Fail();
        std::FILE* f = file_;
        file_ = nullptr;
        if (std::fclose(f) != 0)
            Fail();
    }

    [[noreturn]] void Fail(const std::string& reason = std::strerror(errno)) {
        if (file_) {
            std::fclose(file_);
            file_ = nullptr;
        }
        throw RunError(TRunErrorKind::File, "Can not write to file " + name_ + ": " + reason);
    }

  private:
    std::string name_;
    std::FILE* file_ = nullptr;
};

} // namespace

bool WriteReportHeader(const TRunInput& in, char separator, TFileReplacement& report) {
    if (!report.Begin())
        return false;
    ReportWriter out(report, false);
    if (!out.IsOpen())
        return false;
    for (const THeaderLine& line : ReportHeaderLines()) {
        if (line.Input == nullptr)
            out.Line(line.Text);
        else
            out.Line(line.Text +
                     Fixed(in.*line.Input->Value, line.Input->P, line.Input->D, separator));
    }
    out.Close();
    return true;
}

std::string ResultRow(const TRun& run, int k, char separator) {
    const TRunInput& in = run.RunInput;
    const TSpinProfile& p = run.SpinProfile;
    const auto FormatColumn = [separator](int w, int d, double x) {
        return ppspin::FormatColumn(w, d, x, separator);
    };
    const double tenRe = Tenacity(p.F[k], in.Q, p.VM[k]);
    const double tenAp = Tenacity(p.F[k], in.Q, in.VL);
    return " " + FormatColumn(5, 1, p.Z[k]) + " " + FormatColumn(7, 1, p.VM[k]) + " " +
           FormatColumn(8, 3, p.F[k]) + " " + FormatColumn(6, 1, p.T[k]) + " " +
           FormatColumn(8, 5, p.D[k]) + " " + FormatColumn(6, 1, p.TA[k]) + " " +
           FormatColumn(8, 5, p.H[k]) + " " + FormatColumn(7, 4, tenRe) + " " +
           FormatColumn(7, 4, tenAp);
}

bool WriteResultRows(TRun& run, char separator, TFileReplacement& report) {
    ReportWriter out(report, true);
    if (!out.IsOpen())
        return false;
    const int points = std::min(run.RunState.N3, MaxPoints);
    TSpinProfile& p = run.SpinProfile;
    for (int k = 1; k <= points; ++k)
        p.VM[k] = p.V[k] * 60 / 100; // the velocity in the report's unit, m/min
    for (int k = 1; k <= points; ++k)
        out.Line(ResultRow(run, k, separator));
    out.Line();
    out.Line();
    out.Close();
    std::string reason;
    if (!report.Publish(reason))
        out.Fail(reason);
    return true;
}

} // namespace ppspin

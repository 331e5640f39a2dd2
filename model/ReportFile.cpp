#include "Report.h"

#include "FileReplacement.h"
#include "RunError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace ppspin {

namespace {

// The report's degree-Celsius sign, in its Shift-JIS bytes.
constexpr const char* Degree = "\x81\x8E";

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

double Tenacity(double f, double q, double vm) {
    return 0.00101972 * f / (q * 9000 / vm);
}

bool WriteReportHeader(const TRun& run, TFileReplacement& report) {
    const TRunInput& in = run.RunInput;
    if (!report.Begin())
        return false;
    ReportWriter out(report, false);
    if (!out.IsOpen())
        return false;
    const std::string deg = Degree;
    const auto Fixed = [sep = run.DecimalSeparator](double x, int p, int d) {
        return ppspin::Fixed(x, p, d, sep);
    };
    out.Line("OPERATING CONDITION");
    out.Line("-------------------");
    out.Line("    Hole Diameter                        (cm) =  " + Fixed(in.D0, 6, 4));
    out.Line("    Output                            (g/min) =  " + Fixed(in.Q, 5, 3));
    out.Line("    Take-up Speed                     (m/min) =  " + Fixed(in.VL, 6, 1));
    out.Line("    Polymer Melt Temperature             (" + deg + ") =  " + Fixed(in.T0, 5, 1));
    out.Line();
    auto zone = [&](const char* title, const char* rule, double zEnd, double a1, double a2,
                    double a3, double va) {
        out.Line(title);
        out.Line(rule);
        out.Line("    Zone End Position                    (cm) =  " + Fixed(zEnd, 5, 1));
        out.Line("    Air Temperature Eq. Parameters:");
        out.Line("        A1                                    =  " + Fixed(a1, 10, 2));
        out.Line("        A2                                    =  " + Fixed(a2, 9, 4));
        out.Line("        A3                                    =  " + Fixed(a3, 9, 2));
        out.Line("    Air Velocity                       (cm/s) =  " + Fixed(va, 5, 1));
        out.Line();
    };
    zone("FIRST ZONE CONDITION", "--------------------", in.Z1, in.Zone1A1, in.Zone1A2, in.Zone1A3,
         in.Va1);
    zone("SECOND ZONE CONDITION", "---------------------", in.Z2, in.Zone2A1, in.Zone2A2,
         in.Zone2A3, in.Va2);
    out.Line("THIRD ZONE CONDITION");
    out.Line("--------------------");
    out.Line("    Zone End Position                    (cm) =  " + Fixed(in.Z3, 5, 1));
    out.Line("    Air Velocity                       (cm/s) =  " + Fixed(in.Va3, 5, 1));
    out.Line();
    out.Line("PHISICAL PROPERTY");
    out.Line("-----------------");
    out.Line("    Zero Shear Viscosity at Ref. Temp.(poise) =  " + Fixed(in.Eta0, 7, 1));
    out.Line("    Reference Temperature                (" + deg + ") =  " + Fixed(in.Tref, 4, 1));
    out.Line();
    out.Line("CALCULATION ACCURACY");
    out.Line("--------------------");
    out.Line("    Increment                            (cm) =  " + Fixed(in.Dz, 4, 1));
    out.Line();
    out.Line();
    out.Line();
    out.Line("[RESULTS]");
    out.Line("    X       V       F      T       D      TA      H     TEN(RE) TEN(AP)");
    out.Line("   cm     m/min    dyn    " + deg + "      cm     " + deg +
             "     cal/cm2  G/den   G/den");
    out.Line(std::string(48, ' ') + ".s." + deg);
    out.Close();
    return true;
}

std::string ResultRow(TRun& run, int k) {
    const TRunInput& in = run.RunInput;
    TSpinProfile& p = run.SpinProfile;
    const auto FormatColumn = [sep = run.DecimalSeparator](int w, int d, double x) {
        return ppspin::FormatColumn(w, d, x, sep);
    };
    p.VM[k] = p.V[k] * 60 / 100;
    const double tenRe = Tenacity(p.F[k], in.Q, p.VM[k]);
    const double tenAp = Tenacity(p.F[k], in.Q, in.VL);
    return " " + FormatColumn(5, 1, p.Z[k]) + " " + FormatColumn(7, 1, p.VM[k]) + " " +
           FormatColumn(8, 3, p.F[k]) + " " + FormatColumn(6, 1, p.T[k]) + " " +
           FormatColumn(8, 5, p.D[k]) + " " + FormatColumn(6, 1, p.TA[k]) + " " +
           FormatColumn(8, 5, p.H[k]) + " " + FormatColumn(7, 4, tenRe) + " " +
           FormatColumn(7, 4, tenAp);
}

bool WriteResultRows(TRun& run, TFileReplacement& report) {
    ReportWriter out(report, true);
    if (!out.IsOpen())
        return false;
    for (int k = 1; k <= run.RunState.N3 && k <= MaxPoints; ++k)
        out.Line(ResultRow(run, k));
    out.Line();
    out.Line();
    out.Close();
    std::string reason;
    if (!report.Publish(reason))
        out.Fail(reason);
    return true;
}

} // namespace ppspin

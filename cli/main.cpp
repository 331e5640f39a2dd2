// ppspin-cli: one calculation of the spinline without a window, from the same
// field texts, with the same checks, messages and report as the desktop program.
#include "FieldOptions.h"
#include "MiscCalc.h"
#include "ProfileSnapshot.h"
#include "ReadInputs.h"
#include "Report.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using namespace ppspin;

constexpr int ExitOk = 0;
constexpr int ExitRunError = 1;
constexpr int ExitRefused = 2;

std::string Decimal(double x, int decimals) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
    return std::string(buf, r.ptr);
}

void PrintLine(std::FILE* stream, const std::string& line) {
    std::fputs(line.c_str(), stream);
    std::fputc('\n', stream);
}

std::string Summary(const std::string& reportPath) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(reportPath, ec);
    return std::to_string(RunState.TrialCount) + " trials, spinneret tension " +
           Decimal(RunState.F0, 4) + " dyn, velocity at the last point " +
           Decimal(SpinProfile.V[RunState.N3] * 60 / 100, 1) + " m/min, report " +
           (ec ? reportPath : absolute.string());
}

// One run from the texts; prints the summary or the message and returns the
// exit status.
int RunOnce(const TFieldTexts& texts, const std::string& csvPath) {
    try {
        std::string message;
        if (!ReadInputs(texts, message)) {
            PrintLine(stderr, message);
            return message == FileCanNotOpenMessage ? ExitRunError : ExitRefused;
        }
        SetUpRun();
        RunTrials();
        if (!WriteResultRows()) {
            PrintLine(stderr, CanNotWriteResultMessage);
            return ExitRunError;
        }
        if (!csvPath.empty() && !WriteProfileCsv(TakeProfileSnapshot(), csvPath)) {
            PrintLine(stderr, "Can not write CSV file " + csvPath);
            return ExitRunError;
        }
    } catch (const RunError& e) {
        PrintLine(stderr, e.what());
        return ExitRunError;
    }
    PrintLine(stdout, Summary(texts[FieldCount - 1]));
    return ExitOk;
}

} // namespace

int main(int argc, char** argv) {
    DecimalSeparator = UserDecimalSeparator();
    TFieldTexts texts = DefaultFieldTexts(DecimalSeparator);
    std::string csvPath;

    CLI::App app{"Melt spinning of a polypropylene filament: computes the spinline and writes "
                 "the report file, as the desktop program ppspin does."};
    app.footer("Numbers are written as in the window's fields, with the locale's decimal "
               "separator.\nExit status: 0 success, 2 input refused, 1 run error (floating-point "
               "fault, no convergence, file failure).");
    for (const auto& o : cli::FieldOptions)
        app.add_option(std::string("--") + o.Name, texts[static_cast<std::size_t>(o.Field)], o.Help)
            ->capture_default_str();
    app.add_option("--output", texts[FieldCount - 1], "Result report file")->capture_default_str();
    app.add_option("--csv", csvPath, "Also write the converged profile as CSV to this file");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? ExitOk : ExitRefused;
    }
    return RunOnce(texts, csvPath);
}

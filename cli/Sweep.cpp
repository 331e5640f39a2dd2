#include "Sweep.h"

#include "TextToFloat.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <cmath>
#include <filesystem>

namespace ppspin::cli {

namespace {

// A CSV field, quoted when it holds a separator, a quote or a line break.
std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace

bool ParseSweepRange(std::string_view text, char separator, TSweepRange& range,
                     std::string& message) {
    const std::string malformed = "Sweep range is not correct: expected NAME=FROM:TO:STEP";
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) {
        message = malformed;
        return false;
    }
    const std::string_view name = text.substr(0, equals);
    range.Option = FindFieldOption(name);
    if (range.Option == nullptr) {
        message = "Unknown input to sweep: \"" + std::string(name) + "\"";
        return false;
    }
    std::string_view rest = text.substr(equals + 1);
    double* const parts[] = {&range.From, &range.To, &range.Step};
    for (int i = 0; i < 3; ++i) {
        const auto colon = i < 2 ? rest.find(':') : rest.size();
        if (colon == std::string_view::npos ||
            !TextToFloat(rest.substr(0, colon), separator, *parts[i])) {
            message = malformed;
            return false;
        }
        rest.remove_prefix(std::min(colon + 1, rest.size()));
    }
    if (range.From > range.To) {
        message = "Sweep range is not correct: FROM is greater than TO";
        return false;
    }
    if (!(range.Step > 0)) {
        message = "Sweep range is not correct: STEP must be greater than 0";
        return false;
    }
    if ((range.To - range.From) / range.Step >= MaxSweepValues) {
        message =
            "Sweep range is not correct: more than " + std::to_string(MaxSweepValues) + " values";
        return false;
    }
    // Values that round to the same 12 digits would give the same row twice,
    // and their reports would replace each other.
    const std::vector<double> values = SweepValues(range);
    if (std::adjacent_find(values.begin(), values.end(), std::greater_equal<>()) !=
        values.end()) {
        message = "Sweep range is not correct: STEP is too small for values of 12 significant "
                  "digits";
        return false;
    }
    return true;
}

std::vector<double> SweepValues(const TSweepRange& range) {
    std::vector<double> values;
    // Values are FROM + i STEP, not accumulated, and cut to 12 significant
    // digits so that 0.1 + 0.05 reads 0.15; a hair of slack keeps TO when
    // rounding lands just beyond it.
    const double last = range.To + range.Step * 1e-9;
    for (int i = 0; i < MaxSweepValues; ++i) {
        double v = range.From + i * range.Step;
        if (v > last)
            break;
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 12);
        std::from_chars(buf, r.ptr, v);
        values.push_back(v);
    }
    return values;
}

std::string ValueText(double value, char separator) {
    std::string text;
    AppendShortest(text, value);
    for (char& c : text)
        if (c == '.')
            c = separator;
    return text;
}

std::string ReportPath(const std::string& reportDir, const TSweepRange& range, double value,
                       char separator) {
    return (std::filesystem::path(reportDir) /
            (std::string(range.Option->Name) + "=" + ValueText(value, separator) + ".txt"))
        .string();
}

TSweepRow RunSweepPoint(TRun& run, const TStudy& study, double value) {
    TFieldTexts texts = study.Texts;
    texts[static_cast<std::size_t>(study.Range.Option->Field)] =
        ValueText(value, run.DecimalSeparator);
    TRunOptions options;
    options.MaxTrials = study.MaxTrials;
    options.WriteReport = !study.ReportDir.empty();
    if (options.WriteReport)
        texts[FileNameField] = ReportPath(study.ReportDir, study.Range, value, run.DecimalSeparator);
    const TRunOutcome outcome = RunCalculation(run, texts, options);

    TSweepRow row;
    row.Value = value;
    row.Kind = outcome.Kind;
    if (!outcome.Converged()) {
        row.Status = outcome.Message;
        return row;
    }
    const TProfileSnapshot& profile = *outcome.Snapshot;
    const TProfilePoint& end = profile.Points.back();
    row.Status = "ok";
    row.Trials = profile.Trials;
    row.F0 = profile.F0;
    row.FEnd = end.F;
    row.VEnd = end.VM;
    row.DEnd = end.DUm;
    row.TEnd = end.T;
    row.ZFreeze = profile.ZFreeze;
    row.TenApEnd = end.TenAp;
    return row;
}

std::string SummaryHeader(std::string_view valueName) {
    return CsvField(valueName) +
           ",status,trials,F0_dyn,F_end_dyn,v_end_m_min,D_end_um,T_end_C,z_freeze_cm,"
           "ten_ap_end_g_den\n";
}

std::string SummaryRow(const TSweepRow& r) {
    std::string out;
    AppendShortest(out, r.Value);
    out += ',' + CsvField(r.Status);
    if (r.Ok()) {
        out += ',' + std::to_string(r.Trials);
        for (double x : {r.F0, r.FEnd, r.VEnd, r.DEnd, r.TEnd}) {
            out += ',';
            AppendShortest(out, x);
        }
        out += ',';
        if (r.ZFreeze)
            AppendShortest(out, *r.ZFreeze);
        out += ',';
        AppendShortest(out, r.TenApEnd);
    } else {
        out += ",,,,,,,,";
    }
    return out + '\n';
}

} // namespace ppspin::cli

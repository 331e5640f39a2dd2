#include "Sweep.h"

#include "TextToFloat.h"

#include <charconv>
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

TSweepRow RunSweepPoint(TRun& run, TFieldTexts texts, const TSweepRange& range, double value,
                        const std::string& reportDir) {
    const std::string valueText = ValueText(value, run.DecimalSeparator);
    texts[static_cast<std::size_t>(range.Option->Field)] = valueText;
    TRunOptions options;
    options.WriteReport = !reportDir.empty();
    if (options.WriteReport)
        texts[FileNameField] = (std::filesystem::path(reportDir) /
                                (std::string(range.Option->Name) + "=" + valueText + ".txt"))
                                   .string();
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

std::string SummaryCsv(std::string_view valueName, const std::vector<TSweepRow>& rows) {
    std::string out = CsvField(valueName);
    out += ",status,trials,F0_dyn,F_end_dyn,v_end_m_min,D_end_um,T_end_C,z_freeze_cm,"
           "ten_ap_end_g_den\n";
    for (const TSweepRow& r : rows) {
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
        out += '\n';
    }
    return out;
}

} // namespace ppspin::cli

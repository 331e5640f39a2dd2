#include "Sweep.h"

#include "NumberText.h"
#include "OrderedRuns.h"
#include "QuotedText.h"
#include "ReportedRun.h"
#include "TextToFloat.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <utility>

namespace ppspin {

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

bool ParseSweepRange(std::string_view text, char separator, TSweepRange& range,
                     std::string& message) {
    const std::string malformed = "Sweep range is not correct: expected NAME=FROM:TO:STEP";
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) {
        message = malformed;
        return false;
    }
    const std::string_view name = text.substr(0, equals);
    range.Input = FindEditableInput(name);
    if (range.Input == nullptr) {
        message = "Unknown input to sweep: " + QuotedText(name);
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
    return CheckSweepRange(range, message);
}

bool CheckSweepRange(const TSweepRange& range, std::string& message) {
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
    if (std::adjacent_find(values.begin(), values.end(), std::greater_equal<>()) != values.end()) {
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
        // Where FROM and i STEP cancel, what is left below their 12th
        // digit is rounding, and the value is 0 (-0.3 + 3 x 0.1).
        if (std::abs(v) < 1e-12 * std::max(std::abs(range.From), std::abs(i * range.Step)))
            v = 0;
        values.push_back(RoundToSignificant(v, 12));
    }
    return values;
}

std::vector<std::vector<double>> StudyPoints(const TStudy& study) {
    std::vector<std::vector<double>> points = {{}};
    for (const TSweepRange& range : study.Ranges) {
        std::vector<std::vector<double>> longer;
        for (const std::vector<double>& point : points) {
            for (double value : SweepValues(range)) {
                longer.push_back(point);
                longer.back().push_back(value);
            }
        }
        points = std::move(longer);
    }
    return points;
}

std::string StudyRefusal(const TStudy& study) {
    if (study.Ranges.size() == 2 && study.Ranges[0].Input == study.Ranges[1].Input)
        return "A grid needs two different inputs to sweep";
    std::size_t cells = 1;
    for (const TSweepRange& range : study.Ranges)
        cells *= SweepValues(range).size();
    if (cells > MaxGridCells)
        return "Grid is too large: " + std::to_string(cells) + " points, at most " +
               std::to_string(MaxGridCells);
    return {};
}

std::string ReportPath(const TStudy& study, const std::vector<double>& values) {
    std::string name;
    for (std::size_t r = 0; r < study.Ranges.size(); ++r)
        name += (r > 0 ? "," : "") + std::string(study.Ranges[r].Input->Name) + "=" +
                NumberText(values[r], study.DecimalSeparator);
    return (std::filesystem::path(study.ReportDir) / (name + ".txt")).string();
}

TSweepRow RunSweepPoint(TRun& run, const TStudy& study, const std::vector<double>& values) {
    TFieldTexts texts = study.Texts;
    for (std::size_t r = 0; r < study.Ranges.size(); ++r)
        texts[static_cast<std::size_t>(study.Ranges[r].Input->Field)] =
            NumberText(values[r], study.DecimalSeparator);
    TRunOptions options;
    options.DecimalSeparator = study.DecimalSeparator;
    options.MaxTrials = study.MaxTrials;
    options.Cancel = study.Cancel;
    if (study.ReportDir.empty())
        return RowOf(RunCalculation(run, texts, options), values);
    texts[FileNameField] = ReportPath(study, values);
    return RowOf(RunWithReport(run, texts, options), values);
}

TSweepRow RowOf(const TRunOutcome& outcome, std::vector<double> values) {
    TSweepRow row;
    row.Values = std::move(values);
    row.Kind = outcome.Kind;
    row.Status = outcome.Converged() ? "ok" : outcome.Message;
    if (outcome.Converged())
        row.Outputs = OutputsOf(*outcome.Snapshot);
    return row;
}

std::string SummaryHeader(const TStudy& study) {
    std::string out;
    for (const TSweepRange& range : study.Ranges)
        out += CsvField(range.Input->Name) + ",";
    out += "status,trials";
    for (const TOutputColumn& column : OutputColumns)
        out += std::string(",") + column.Name;
    return out + "\n";
}

std::string SummaryRow(const TSweepRow& r) {
    std::string out;
    for (double value : r.Values) {
        AppendShortest(out, value);
        out += ',';
    }
    out += CsvField(r.Status) + ',';
    // A run that failed leaves the trials and every output empty.
    if (r.Ok())
        out += std::to_string(r.Outputs.Trials);
    for (const TOutputColumn& column : OutputColumns) {
        out += ',';
        if (const std::optional<double> value = r.Ok() ? column.Of(r.Outputs) : std::nullopt)
            AppendShortest(out, *value);
    }
    return out + '\n';
}

std::string SummaryText(const TStudy& study, const std::vector<TSweepRow>& rows) {
    std::string text = SummaryHeader(study);
    for (const TSweepRow& row : rows)
        text += SummaryRow(row);
    return text;
}

void RunStudyPoints(const TStudy& study, const std::vector<std::vector<double>>& points, int jobs,
                    const std::function<bool(TSweepRow&&, std::size_t)>& deliver) {
    RunInOrder<TSweepRow>(
        points.size(), jobs,
        [&](TRun& run, std::size_t i) { return RunSweepPoint(run, study, points[i]); }, deliver);
}

} // namespace ppspin

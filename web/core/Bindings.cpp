// The core for the page: the study library's calls with JavaScript values
// in and out (shapes in web/src/coreApi.ts). Each call is complete in
// itself, computing in memory, so that every worker may hold a module of
// its own and split a study by point index.
#include "JsValues.h"

#include "Fit.h"
#include "GoalSeek.h"
#include "MeasuredData.h"
#include "ProfileCsv.h"
#include "Report.h"
#include "ReportCaseFile.h"
#include "Sensitivity.h"
#include "Sweep.h"

#include <emscripten/bind.h>

#include <memory>

namespace ppspin::web {

namespace {

const char* DomainName(TInputDomain domain) {
    switch (domain) {
    case TInputDomain::Positive:
        return "Positive";
    case TInputDomain::NonNegative:
        return "NonNegative";
    case TInputDomain::Free:
        return "Free";
    case TInputDomain::Text:
        break;
    }
    return "Text";
}

val Catalogue() {
    val out = val::array();
    for (const TInputField& f : InputCatalogue()) {
        val field = val::object();
        field.set("field", f.Field);
        field.set("component", f.Component);
        field.set("name", f.Name);
        field.set("editable", f.Editable);
        field.set("domain", DomainName(f.Domain));
        field.set("checkOrder", f.CheckOrder);
        // As std::string: embind reads a bare char* as Latin-1, and the
        // symbols (η0, Δz) are UTF-8.
        field.set("refusal", std::string(f.Refusal != nullptr ? f.Refusal : ""));
        field.set("title", std::string(f.Title));
        field.set("unit", std::string(f.Unit));
        field.set("symbol", std::string(f.Symbol));
        field.set("label", WindowLabel(f));
        field.set("caption", WindowCaption(f));
        field.set("chartLabel", ChartLabel(f));
        field.set("column", CsvColumn(f));
        field.set("defaultText", DefaultText(f));
        out.call<void>("push", field);
    }
    return out;
}

val DefaultTexts() {
    return TextsValue(DefaultFieldTexts('.'));
}

val OutputColumnsValue() {
    val out = val::array();
    for (const TOutputColumn& c : OutputColumns) {
        val column = val::object();
        column.set("name", c.Name);
        column.set("title", std::string(c.Title));
        out.call<void>("push", column);
    }
    return out;
}

int DefaultMaxTrials() {
    return MaxTrials;
}

TRunOutcome Calculate(const val& texts, int maxTrials) {
    auto run = std::make_unique<TRun>();
    TRunOptions options;
    options.MaxTrials = maxTrials;
    return RunCalculation(*run, TextsOf(texts), options);
}

val Run(const val& texts, int maxTrials) {
    return OutcomeValue(Calculate(texts, maxTrials));
}

val ReportOf(const val& texts, int maxTrials) {
    const TRunOutcome outcome = Calculate(texts, maxTrials);
    val out = OutcomeValue(outcome);
    if (outcome.Snapshot)
        out.set("report", Uint8Array(ReportText(*outcome.Snapshot, '.')));
    return out;
}

std::string ProfileCsvOf(const val& texts, int maxTrials) {
    const TRunOutcome outcome = Calculate(texts, maxTrials);
    return outcome.Snapshot ? ProfileCsv(*outcome.Snapshot) : std::string();
}

val ReadReport(const val& bytes) {
    const std::vector<unsigned char> data = emscripten::convertJSArrayToNumberVector<unsigned char>(
        bytes["subarray"].isUndefined() ? bytes : bytes.call<val>("subarray", 0, MaxReportHeaderBytes));
    TFieldTexts texts = DefaultFieldTexts('.');
    std::string message;
    const bool read = ReadReportHead(std::string_view(reinterpret_cast<const char*>(data.data()),
                                                      data.size()),
                                     '.', texts, message) == TCaseRead::Read;
    val out = val::object();
    out.set("ok", read);
    out.set("message", message);
    out.set("texts", TextsValue(texts));
    return out;
}

// The study of a setup, or why there is none.
std::string StudyOf(const val& setup, TStudy& study) {
    study.Texts = TextsOf(setup["texts"]);
    study.MaxTrials = setup["maxTrials"].as<int>();
    const val ranges = setup["ranges"];
    for (std::size_t i = 0; i < ranges["length"].as<std::size_t>(); ++i) {
        TSweepRange range;
        std::string message;
        if (!ParseSweepRange(ranges[i].as<std::string>(), '.', range, message))
            return message;
        study.Ranges.push_back(range);
    }
    return StudyRefusal(study);
}

val StudyPlan(const val& setup) {
    TStudy study;
    const std::string refusal = StudyOf(setup, study);
    val out = val::object();
    out.set("refusal", refusal);
    out.set("header", refusal.empty() ? SummaryHeader(study) : std::string());
    val points = val::array();
    if (refusal.empty())
        for (const std::vector<double>& point : StudyPoints(study))
            points.call<void>("push", Float64Array(point));
    out.set("points", points);
    return out;
}

val StudyRows(const val& setup, std::size_t from, std::size_t to) {
    TStudy study;
    val out = val::array();
    if (!StudyOf(setup, study).empty())
        return out;
    const std::vector<std::vector<double>> points = StudyPoints(study);
    auto run = std::make_unique<TRun>();
    for (std::size_t i = from; i < std::min(to, points.size()); ++i) {
        const TSweepRow row = RunSweepPoint(*run, study, points[i]);
        val r = val::object();
        r.set("index", i);
        r.set("values", Float64Array(row.Values));
        r.set("kind", KindName(row.Kind));
        r.set("status", row.Status);
        if (row.Ok())
            r.set("outputs", OutputsValue(row.Outputs));
        r.set("line", SummaryRow(row));
        out.call<void>("push", r);
    }
    return out;
}

const char* GoalEndName(TGoalSeekEnd end) {
    switch (end) {
    case TGoalSeekEnd::Found:
        return "Found";
    case TGoalSeekEnd::Refused:
        return "Refused";
    case TGoalSeekEnd::NoBracket:
        return "NoBracket";
    case TGoalSeekEnd::RunFailed:
        return "RunFailed";
    case TGoalSeekEnd::Cancelled:
        break;
    }
    return "Cancelled";
}

val GoalSeekOf(const val& setup) {
    TGoal goal;
    goal.Input = FindEditableInput(setup["input"].as<std::string>());
    goal.Output = FindOutputColumn(setup["output"].as<std::string>());
    goal.Target = setup["target"].as<double>();
    goal.MaxTrials = setup["maxTrials"].as<int>();
    if (const val bracket = setup["bracket"]; !bracket.isUndefined() && !bracket.isNull())
        goal.Bracket = std::pair(bracket[0].as<double>(), bracket[1].as<double>());
    val out = val::object();
    if (goal.Input == nullptr || goal.Output == nullptr) {
        out.set("end", "Refused");
        out.set("message", goal.Input == nullptr ? "Unknown input" : "Unknown output");
        out.set("field", -1);
        out.set("runs", 0);
        out.set("solutions", val::array());
        return out;
    }
    const TGoalSeekResult result = GoalSeek(TextsOf(setup["texts"]), goal);
    out.set("end", GoalEndName(result.End));
    out.set("message", result.Message);
    out.set("field", result.Field);
    out.set("runs", result.Runs);
    val solutions = val::array();
    for (const TGoalSolution& s : result.Solutions) {
        val solution = val::object();
        solution.set("value", s.Value);
        solution.set("output", s.Output);
        solution.set("text", s.Text);
        solutions.call<void>("push", solution);
    }
    out.set("solutions", solutions);
    return out;
}

val Sensitivities(const val& texts, int maxTrials) {
    TRunOptions options;
    options.MaxTrials = maxTrials;
    const TSensitivities s = RunSensitivities(TextsOf(texts), options, 1);
    val out = val::object();
    out.set("refusal", SensitivitiesFailure(s));
    out.set("text", SensitivityText(s.Rows));
    val rows = val::array();
    for (const TSensitivityRow& row : s.Rows) {
        val r = val::object();
        r.set("name", row.Input->Name);
        r.set("value", row.Value);
        r.set("step", row.Step);
        r.set("status", row.Status);
        val elasticity = val::array();
        for (const std::optional<double>& e : row.Elasticity)
            elasticity.call<void>("push", NumberOrNull(e));
        r.set("elasticity", elasticity);
        rows.call<void>("push", r);
    }
    out.set("rows", rows);
    return out;
}

const char* QuantityName(TSpinlineQuantity quantity) {
    switch (quantity) {
    case TSpinlineQuantity::Velocity:
        return "Velocity";
    case TSpinlineQuantity::Tension:
        return "Tension";
    case TSpinlineQuantity::Temperature:
        return "Temperature";
    case TSpinlineQuantity::Diameter:
        break;
    }
    return "Diameter";
}

val ReadMeasuredOf(const std::string& csv) {
    TMeasuredData data;
    std::string message;
    const bool read = ReadMeasured(csv, data, message);
    val series = val::array();
    for (const TMeasuredSeries& s : data.Series) {
        std::vector<double> z, value;
        for (const TMeasuredPoint& p : s.Points) {
            z.push_back(p.Z);
            value.push_back(p.Value);
        }
        val v = val::object();
        v.set("column", s.Column->Name);
        v.set("unit", std::string(s.Column->Unit));
        v.set("chartFactor", s.Column->ChartFactor);
        v.set("quantity", QuantityName(s.Column->Quantity));
        v.set("z", Float64Array(z));
        v.set("value", Float64Array(value));
        series.call<void>("push", v);
    }
    val out = val::object();
    out.set("ok", read);
    out.set("message", message);
    out.set("series", series);
    return out;
}

val CompareOf(const val& texts, const std::string& csv, int maxTrials) {
    val out = val::object();
    val series = val::array();
    out.set("series", series);
    TMeasuredData data;
    std::string message;
    if (!ReadMeasured(csv, data, message)) {
        out.set("refusal", message);
        return out;
    }
    const TRunOutcome outcome = Calculate(texts, maxTrials);
    if (!outcome.Snapshot) {
        out.set("refusal", outcome.Message);
        return out;
    }
    out.set("refusal", MeasuredRangeRefusal(data, outcome.Snapshot->Points.back().Z));
    for (const TQuantityComparison& q : Compare(*outcome.Snapshot, data)) {
        std::vector<double> z;
        for (const TMeasuredPoint& p : q.Series->Points)
            z.push_back(p.Z);
        val v = val::object();
        v.set("column", q.Series->Column->Name);
        v.set("z", Float64Array(z));
        v.set("model", Float64Array(q.Model));
        v.set("residual", Float64Array(q.Residual));
        v.set("rms", q.Rms);
        series.call<void>("push", v);
    }
    return out;
}

const char* FitEndName(TFitEnd end) {
    switch (end) {
    case TFitEnd::Converged:
        return "Converged";
    case TFitEnd::RunLimit:
        return "RunLimit";
    case TFitEnd::Refused:
        return "Refused";
    case TFitEnd::StartFailed:
        return "StartFailed";
    case TFitEnd::Failed:
        return "Failed";
    case TFitEnd::Cancelled:
        break;
    }
    return "Cancelled";
}

// progress, when a function, hears (runs, objective) after every run.
val FitOf(const val& setup, const std::string& csv, const val& progress) {
    val out = val::object();
    out.set("runs", 0);
    out.set("failedRuns", 0);
    out.set("inputs", val::array());
    out.set("rmsBefore", val::object());
    out.set("rmsAfter", val::object());
    out.set("warnings", val::array());
    const auto refuse = [&](const std::string& message) {
        out.set("end", "Refused");
        out.set("message", message);
        return out;
    };
    TMeasuredData data;
    std::string message;
    if (!ReadMeasured(csv, data, message))
        return refuse(message);
    const TFieldTexts texts = TextsOf(setup["texts"]);
    TFitSetup fit;
    fit.MaxRuns = setup["maxRuns"].as<int>();
    fit.MaxTrials = setup["maxTrials"].as<int>();
    const val inputs = setup["inputs"];
    for (std::size_t i = 0; i < inputs["length"].as<std::size_t>(); ++i) {
        const std::string name = inputs[i]["name"].as<std::string>();
        const TInputField* input = FindEditableInput(name);
        if (input == nullptr)
            return refuse("Unknown input to fit: \"" + name + "\"");
        TFitInput fitted{input, std::nullopt};
        if (inputs[i]["lo"].isNumber() && inputs[i]["hi"].isNumber())
            fitted.Bounds = std::pair(inputs[i]["lo"].as<double>(), inputs[i]["hi"].as<double>());
        fit.Inputs.push_back(fitted);
    }
    if (std::string refusal = MeasuredRangeRefusal(data, texts, '.'); !refusal.empty())
        return refuse(refusal);
    if (progress.typeOf().as<std::string>() == "function")
        fit.Progress = [&](const TFitProgress& p) { progress(p.Runs, p.Objective); };
    const TFitResult result = FitMeasured(texts, data, fit);
    out.set("end", FitEndName(result.End));
    out.set("message", result.Message);
    out.set("runs", result.Runs);
    out.set("failedRuns", result.FailedRuns);
    val fittedInputs = val::array();
    for (const TFittedInput& f : result.Inputs) {
        val v = val::object();
        v.set("name", f.Input->Name);
        v.set("start", f.Start);
        v.set("value", f.Value);
        v.set("lo", f.Lo);
        v.set("hi", f.Hi);
        v.set("standardError", NumberOrNull(f.StandardError));
        v.set("text", f.Text);
        fittedInputs.call<void>("push", v);
    }
    out.set("inputs", fittedInputs);
    out.set("rmsBefore", RmsValue(result.Before));
    out.set("rmsAfter", RmsValue(result.After));
    out.set("warnings", Strings(result.Warnings));
    return out;
}

} // namespace

EMSCRIPTEN_BINDINGS(ppspin) {
    using namespace emscripten;
    function("catalogue", &Catalogue);
    function("defaultTexts", &DefaultTexts);
    function("outputColumns", &OutputColumnsValue);
    function("maxTrials", &DefaultMaxTrials);
    function("run", &Run);
    function("report", &ReportOf);
    function("profileCsv", &ProfileCsvOf);
    function("readReport", &ReadReport);
    function("studyPlan", &StudyPlan);
    function("studyRows", &StudyRows);
    function("goalSeek", &GoalSeekOf);
    function("sensitivities", &Sensitivities);
    function("readMeasured", &ReadMeasuredOf);
    function("compare", &CompareOf);
    function("fit", &FitOf);
}

} // namespace ppspin::web

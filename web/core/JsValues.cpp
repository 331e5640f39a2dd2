#include "JsValues.h"

#include "ProfileCsv.h"

namespace ppspin::web {

TFieldTexts TextsOf(const val& texts) {
    // One crossing for all twenty: a field's text holds no line break.
    const std::string joined = texts.call<std::string>("join", std::string("\n"));
    TFieldTexts out;
    std::size_t from = 0;
    for (std::string& text : out) {
        const std::size_t end = std::min(joined.find('\n', from), joined.size());
        if (from <= joined.size())
            text = joined.substr(from, end - from);
        from = end + 1;
    }
    return out;
}

val TextsValue(const TFieldTexts& texts) {
    return Strings({texts.begin(), texts.end()});
}

val NumberOrNull(const std::optional<double>& x) {
    return x ? val(*x) : val::null();
}

val Float64Array(const std::vector<double>& values) {
    // A copy: a view into the module's memory dies when the memory grows.
    return val::global("Float64Array")
        .new_(emscripten::typed_memory_view(values.size(), values.data()))
        .call<val>("slice");
}

val Uint8Array(std::string_view bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(bytes.size(), data))
        .call<val>("slice");
}

val Strings(const std::vector<std::string>& texts) {
    val out = val::array();
    for (const std::string& text : texts)
        out.call<void>("push", text);
    return out;
}

const char* KindName(TRunOutcomeKind kind) {
    switch (kind) {
    case TRunOutcomeKind::Converged:
        return "Converged";
    case TRunOutcomeKind::Refused:
        return "Refused";
    case TRunOutcomeKind::FloatingPointFault:
        return "FloatingPointFault";
    case TRunOutcomeKind::NotConverged:
        return "NotConverged";
    case TRunOutcomeKind::Cancelled:
        return "Cancelled";
    case TRunOutcomeKind::FileError:
        return "FileError";
    case TRunOutcomeKind::Failed:
        break;
    }
    return "Failed";
}

val OutputsValue(const TRunOutputs& outputs) {
    val values = val::object();
    for (const TOutputColumn& column : OutputColumns)
        values.set(column.Name, NumberOrNull(column.Of(outputs)));
    val out = val::object();
    out.set("trials", outputs.Trials);
    out.set("values", values);
    return out;
}

val ProfileValue(const TProfileSnapshot& profile) {
    // The columns side by side in one array, copied out once, each column a
    // view of it: few crossings, as Live redraws on every keystroke.
    const std::size_t n = profile.Points.size();
    const std::size_t columnCount = std::size(ProfileColumns) + 1;
    std::vector<double> all(n * columnCount);
    for (std::size_t c = 0; c < columnCount; ++c) {
        const auto member = c < std::size(ProfileColumns) ? ProfileColumns[c].Value : &TProfilePoint::DUm;
        for (std::size_t k = 0; k < n; ++k)
            all[c * n + k] = profile.Points[k].*member;
    }
    const val copy = Float64Array(all);
    val columns = val::object();
    for (std::size_t c = 0; c < columnCount; ++c)
        columns.set(c < std::size(ProfileColumns) ? ProfileColumns[c].Name : "D_um",
                    copy.call<val>("subarray", c * n, (c + 1) * n));
    val out = val::object();
    out.set("columns", columns);
    out.set("f0", profile.F0);
    out.set("zFreeze", NumberOrNull(profile.ZFreeze));
    return out;
}

val OutcomeValue(const TRunOutcome& outcome) {
    val out = val::object();
    out.set("kind", KindName(outcome.Kind));
    out.set("message", outcome.Message);
    out.set("field", outcome.Field);
    out.set("trials", outcome.Trials);
    if (outcome.Snapshot) {
        out.set("outputs", OutputsValue(OutputsOf(*outcome.Snapshot)));
        out.set("profile", ProfileValue(*outcome.Snapshot));
    }
    return out;
}

val RmsValue(const TComparison& comparison) {
    val out = val::object();
    for (const TQuantityComparison& q : comparison)
        out.set(q.Series->Column->Name, q.Rms);
    return out;
}

} // namespace ppspin::web

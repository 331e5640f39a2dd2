// The core's records as JavaScript values, and field texts from them: the
// one place the page's shapes (web/src/coreApi.ts) are made.
#pragma once

#include "FieldTexts.h"
#include "Measured.h"
#include "RunCalculation.h"
#include "RunOutputs.h"

#include <emscripten/val.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ppspin::web {

using emscripten::val;

// The twenty texts of an array of strings; a missing one is empty, which
// its field's check refuses.
TFieldTexts TextsOf(const val& texts);
val TextsValue(const TFieldTexts& texts);

val NumberOrNull(const std::optional<double>& x);
val Float64Array(const std::vector<double>& values);
val Uint8Array(std::string_view bytes);
val Strings(const std::vector<std::string>& texts);

const char* KindName(TRunOutcomeKind kind);
val OutputsValue(const TRunOutputs& outputs);
val ProfileValue(const TProfileSnapshot& profile);
// {kind, message, field, trials} and, converged, the outputs and profile.
val OutcomeValue(const TRunOutcome& outcome);

// RMS by measured column.
val RmsValue(const TComparison& comparison);

} // namespace ppspin::web

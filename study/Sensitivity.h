// Sensitivities: how much each output moves when each editable input moves,
// at the current values.
#pragma once

#include "FieldTexts.h"
#include "InputCatalogue.h"
#include "RunCalculation.h"
#include "RunOutputs.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ppspin {

inline constexpr std::size_t OutputCount = std::size(OutputColumns);

struct TSensitivityRow {
    const TInputField* Input = nullptr;
    double Value = 0;
    // "1%": d ln output / d ln input, by central differences at +-1 %.
    // Where the input is 0 there is no relative step: "+1" or "+-1" give the
    // output's relative change per unit step of the input instead.
    std::string Step;
    std::string Status; // "ok", or the message of the run that failed
    std::array<std::optional<double>, OutputCount> Elasticity;
};

// The input values a sensitivity row needs, below and above value; below is
// value itself where the input cannot go lower than 0.
struct TSensitivitySteps {
    double Below, Above;
    std::string Step;
};
TSensitivitySteps SensitivitySteps(const TInputField& input, double value);

// The row of input from the outputs at the current values and at the steps
// below and above.
TSensitivityRow SensitivityRow(const TInputField& input, double value, const TRunOutputs& current,
                               const TRunOutputs& below, const TRunOutputs& above);

// The sensitivities at the current texts.
struct TSensitivities {
    // Why nothing ran: an input's text does not convert.
    std::string Refusal;
    // The run at the current values; without it there are no rows.
    TRunOutcome Current;
    std::vector<TSensitivityRow> Rows; // one per editable input, in order
    bool Cancelled = false;            // then Rows holds those done before
};

// What the caller hears while they run, from one thread at a time.
struct TSensitivityWatch {
    // After each run: the runs done, of total.
    std::function<void(std::size_t done, std::size_t total)> Progress;
    // Each input's row, in order, as soon as its runs are done.
    std::function<void(const TSensitivityRow& row)> Row;
};

// Runs the current values and two steps of every editable input on jobs
// threads; options say how the texts are read and how long a run may shoot.
// options.Cancel, once set, stops the runs in progress and starts no more:
// the rows done are kept.
TSensitivities RunSensitivities(const TFieldTexts& texts, const TRunOptions& options, int jobs,
                                const TSensitivityWatch& watch = {});

// The runs RunSensitivities makes, the total its watch hears of.
std::size_t SensitivityRunCount();

// Why there are no rows: the refusal, or the failure of the run at the
// current values. Empty when there are.
std::string SensitivitiesFailure(const TSensitivities& sensitivities);

// The table: header, then one line per input.
std::string SensitivityHeader();
std::string SensitivityLine(const TSensitivityRow& row);
// The whole table of the rows.
std::string SensitivityText(const std::vector<TSensitivityRow>& rows);

} // namespace ppspin

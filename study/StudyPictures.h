// The data the study pictures are drawn from: maps of a two-input grid,
// tornado charts of sensitivities, and a study's series against its input.
// Standard C++ only, so that the headless runner, the window and Python fill
// them alike and the drawing (ui/charts) takes them as they are. Texts are
// UTF-8.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ppspin {

// How the run at one grid point ended; Pending while it has not run yet
// (left blank, unmarked).
enum class TGridRunStatus { Ok, Failed, Refused, Pending };

struct TGridCell {
    TGridRunStatus Status = TGridRunStatus::Ok;
    std::string Message; // why the run failed or was refused; may be empty
};

struct TGridOutput {
    std::string Name; // with its unit, e.g. "End diameter (µm)"
    // Values[i][j] at (X[i], Y[j]); missing where the run has no such value
    // (a filament that never freezes has no freeze position).
    std::vector<std::vector<std::optional<double>>> Values;
};

struct TGridMaps {
    std::string Title;                // above the maps; when empty, named after the inputs
    std::string XName;                // the first input, with its unit
    std::string YName;                // the second input, with its unit
    std::vector<double> X, Y;         // strictly ascending, at least one each
    std::vector<TGridOutput> Outputs; // one map each
    // Cells[i][j]: the run at (X[i], Y[j]). Empty when every run is Ok.
    std::vector<std::vector<TGridCell>> Cells;
};

struct TSensitivity {
    // d ln output / d ln input; missing when a run of the input's
    // perturbation failed.
    std::optional<double> Elasticity;
    std::string Message; // why it is missing; may be empty
};

struct TTornadoOutput {
    std::string Name;                 // e.g. "End diameter (µm)"
    std::vector<TSensitivity> Inputs; // one per TTornado::Inputs, in that order
};

struct TTornado {
    std::string Title;                   // above the charts; none when empty
    std::vector<std::string> Inputs;     // names with units
    std::vector<TTornadoOutput> Outputs; // one chart each
};

struct TSummarySeries {
    std::string Name;                     // the chart's y title, with its unit
    std::vector<std::optional<double>> Y; // one per x; a missing value breaks the line
};

struct TSummaryPlot {
    std::string Title, XLabel; // the x label with its unit
    std::vector<double> X;
    std::vector<TSummarySeries> Series;
};

} // namespace ppspin

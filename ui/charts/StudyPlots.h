// Pictures of design studies: maps of a two-input grid study, and tornado
// charts of the outputs' sensitivities to the inputs. Qt-free, so that code
// without Qt (the headless runner, which loads the drawing at run time) can
// fill the data and call the renderers. Texts are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ppspin {

// How the run at one grid point ended.
enum class TGridRunStatus { Ok, Failed, Refused };

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

// Draw into path (PNG or SVG by its ending, any case) a picture of width x
// height pixels. RenderGridMaps draws one map per output: the values as
// coloured cells with contour lines, failed and refused runs marked. A
// RenderTornado chart shows each input's elasticity as a bar from zero,
// largest magnitude first. On failure they return false with the reason in
// error and write nothing. Without a Qt application in the process they make
// one on Qt's offscreen platform, leaving the C locale as it was; either way
// call them from one thread only.
bool RenderGridMaps(const TGridMaps& maps, const std::string& path, int width, int height,
                    std::string& error);
bool RenderTornado(const TTornado& tornado, const std::string& path, int width, int height,
                   std::string& error);

// Deletes the Qt application the renderers made, if they made one, with what
// Qt holds for it. Call it after the last picture, before the code holding
// the renderers is unloaded; an application the caller made is left alone.
void ReleaseStudyPlots();

} // namespace ppspin

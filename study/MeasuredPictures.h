// The data of the pictures that show measured points: markers over a run's
// profile charts, and the residuals (measured minus model) along the
// spinline. Standard C++ only, like StudyPictures.h. Texts are UTF-8.
#pragma once

#include "MeasuredData.h"
#include "ProfileSnapshot.h"

#include <string>
#include <vector>

namespace ppspin {

// The measured points of one quantity, on its profile chart.
struct TMeasuredMarkers {
    TSpinlineQuantity Quantity = TSpinlineQuantity::Diameter;
    std::vector<double> Z;     // cm
    std::vector<double> Value; // in the chart's unit: m/min, dyn, degC, um
};

struct TProfilePicture {
    const TProfileSnapshot* Profile = nullptr;
    std::vector<TMeasuredMarkers> Markers; // none without measured points
};

struct TResidualSeries {
    std::string Name; // the chart's y title, with its unit
    std::vector<double> Z, Residual;
};

struct TResidualPlot {
    std::string Title;                   // above the charts; none when empty
    double ZEnd = 0;                     // the spinline's end, cm
    std::vector<TResidualSeries> Series; // one chart each
};

} // namespace ppspin

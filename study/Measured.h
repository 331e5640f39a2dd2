// How far a run is from measured points: the model interpolated at each
// measured position, the residuals, their RMS per quantity, and the
// weighted residuals a fit minimises.
#pragma once

#include "FieldTexts.h"
#include "MeasuredData.h"
#include "MeasuredPictures.h"
#include "ProfileSnapshot.h"

#include <string>
#include <vector>

namespace ppspin {

// The model's value of column at z, linear between the grid points around
// it; beyond the last grid point (a zone-3 end between grid points), the
// last point's.
double ModelAt(const std::vector<TProfilePoint>& points, const TMeasuredColumn& column, double z);

struct TQuantityComparison {
    const TMeasuredSeries* Series = nullptr;
    std::vector<double> Model;    // the model at each point (see ModelAt)
    std::vector<double> Residual; // measured minus model, by point
    double Rms = 0;               // of the residuals, in the column's unit
};

// One entry per measured series, in the data's order.
using TComparison = std::vector<TQuantityComparison>;

TComparison Compare(const TProfileSnapshot& profile, const TMeasuredData& data);

// Why points of data cannot be compared with a spinline ending at zEnd:
// the first line (in file order) whose z lies outside 0 .. zEnd; empty when
// every point lies on it.
std::string MeasuredRangeRefusal(const TMeasuredData& data, double zEnd);

// The same for the spinline of texts, read with separator; empty too when
// the texts are refused, which their run names.
std::string MeasuredRangeRefusal(const TMeasuredData& data, const TFieldTexts& texts,
                                 char separator);

// What each residual is divided by before it is squared: the point's sigma,
// else the RMS of its quantity's measured values, so that quantities in
// different units weigh alike. In the order of WeightedResiduals.
std::vector<double> ResidualScales(const TMeasuredData& data);

// Every residual of the comparison divided by its scale, series by series.
std::vector<double> WeightedResiduals(const TComparison& comparison,
                                      const std::vector<double>& scales);

// The markers of the measured points, for the profile charts.
std::vector<TMeasuredMarkers> MeasuredMarkers(const TMeasuredData& data);

// The residuals of a comparison against z, one chart per quantity.
TResidualPlot ResidualPlotOf(const TComparison& comparison, double zEnd);

} // namespace ppspin

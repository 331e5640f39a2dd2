#include "Measured.h"

#include "ConvertInputs.h"
#include "FieldTexts.h"
#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace ppspin {

namespace {

constexpr const char* QuantityTitles[] = {"Velocity", "Tension", "Temperature", "Diameter"};

const char* TitleOf(TSpinlineQuantity quantity) {
    return QuantityTitles[static_cast<int>(quantity)];
}

} // namespace

double ModelAt(const std::vector<TProfilePoint>& points, const TMeasuredColumn& column, double z) {
    if (points.empty())
        return 0;
    const auto above = std::upper_bound(points.begin(), points.end(), z,
                                        [](double x, const TProfilePoint& p) { return x < p.Z; });
    if (above == points.begin())
        return column.Of(points.front());
    if (above == points.end())
        return column.Of(points.back());
    const TProfilePoint& lo = *(above - 1);
    const TProfilePoint& hi = *above;
    const double share = (z - lo.Z) / (hi.Z - lo.Z);
    return column.Of(lo) + share * (column.Of(hi) - column.Of(lo));
}

TComparison Compare(const TProfileSnapshot& profile, const TMeasuredData& data) {
    TComparison comparison;
    for (const TMeasuredSeries& series : data.Series) {
        TQuantityComparison q;
        q.Series = &series;
        double sum = 0;
        for (const TMeasuredPoint& point : series.Points) {
            const double model = ModelAt(profile.Points, *series.Column, point.Z);
            const double r = point.Value - model;
            q.Model.push_back(model);
            q.Residual.push_back(r);
            sum += r * r;
        }
        q.Rms = std::sqrt(sum / static_cast<double>(series.Points.size()));
        comparison.push_back(std::move(q));
    }
    return comparison;
}

std::string MeasuredRangeRefusal(const TMeasuredData& data, double zEnd) {
    const TMeasuredPoint* first = nullptr;
    for (const TMeasuredSeries& series : data.Series)
        for (const TMeasuredPoint& point : series.Points)
            if (!(point.Z >= 0 && point.Z <= zEnd) && (!first || point.Line < first->Line))
                first = &point;
    if (first == nullptr)
        return {};
    return "line " + std::to_string(first->Line) + ": z_cm " + NumberText(first->Z, '.') +
           " lies outside the spinline, 0 to " + NumberText(zEnd, '.') + " cm";
}

std::string MeasuredRangeRefusal(const TMeasuredData& data, const TFieldTexts& texts,
                                 char separator) {
    TRunInput input;
    if (ConvertInputs(texts, separator, input))
        return {};
    return MeasuredRangeRefusal(data, input.Z3);
}

std::vector<double> ResidualScales(const TMeasuredData& data) {
    std::vector<double> scales;
    for (const TMeasuredSeries& series : data.Series) {
        double sum = 0;
        for (const TMeasuredPoint& point : series.Points)
            sum += point.Value * point.Value;
        const double rms = std::sqrt(sum / static_cast<double>(series.Points.size()));
        // Measured values all zero leave nothing to scale by.
        for (const TMeasuredPoint& point : series.Points)
            scales.push_back(point.Sigma ? *point.Sigma : rms > 0 ? rms : 1.0);
    }
    return scales;
}

std::vector<double> WeightedResiduals(const TComparison& comparison,
                                      const std::vector<double>& scales) {
    std::vector<double> weighted;
    for (const TQuantityComparison& q : comparison)
        for (const double r : q.Residual)
            weighted.push_back(r / scales.at(weighted.size()));
    return weighted;
}

std::vector<TMeasuredMarkers> MeasuredMarkers(const TMeasuredData& data) {
    std::vector<TMeasuredMarkers> markers;
    for (const TMeasuredSeries& series : data.Series) {
        TMeasuredMarkers m;
        m.Quantity = series.Column->Quantity;
        for (const TMeasuredPoint& point : series.Points) {
            m.Z.push_back(point.Z);
            m.Value.push_back(point.Value * series.Column->ChartFactor);
        }
        markers.push_back(std::move(m));
    }
    return markers;
}

TResidualPlot ResidualPlotOf(const TComparison& comparison, double zEnd) {
    TResidualPlot plot;
    plot.Title = "Measured minus model";
    plot.ZEnd = zEnd;
    for (const TQuantityComparison& q : comparison) {
        const TMeasuredColumn& column = *q.Series->Column;
        TResidualSeries s;
        s.Name =
            std::string(TitleOf(column.Quantity)) + " " + column.Name + " (" + column.Unit + ")";
        for (const TMeasuredPoint& point : q.Series->Points)
            s.Z.push_back(point.Z);
        s.Residual = q.Residual;
        plot.Series.push_back(std::move(s));
    }
    return plot;
}

} // namespace ppspin

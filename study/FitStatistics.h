// What a fit's optimum says about its inputs: approximate standard errors
// from the Jacobian of the weighted residuals, and warnings where the
// points cannot tell the inputs apart or do not see one.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ppspin {

// Parameters whose estimates correlate more than this are called
// interchangeable.
inline constexpr double InterchangeableCorrelation = 0.95;

struct TFitStatistics {
    std::vector<std::optional<double>> StandardErrors; // none where undetermined
    // The estimates' covariance, p by p, none where either input has no
    // standard error; its diagonal is their squares, whose roots give the
    // standard errors back exactly.
    std::vector<std::vector<std::optional<double>>> Covariance;
    std::vector<std::string> Warnings;                 // first per input, in order, then per pair
};

// columns[j] holds d(weighted residual i)/d(input j) at the optimum, none
// where its runs failed; residuals the weighted residuals there, values the
// inputs' values, names their names. The covariance is s^2 (J'J)^-1 with
// s^2 the residuals' sum of squares over their degrees of freedom, since the
// weights are scales rather than known uncertainties. An input whose column
// is zero has no effect; one without a finite standard error, or with one
// larger than its value, is undetermined.
TFitStatistics FitStatistics(const std::vector<std::optional<std::vector<double>>>& columns,
                             const std::vector<double>& residuals,
                             const std::vector<double>& values,
                             const std::vector<std::string>& names);

} // namespace ppspin

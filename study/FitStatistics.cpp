#include "FitStatistics.h"

#include "NumberText.h"

#include <cmath>
#include <utility>

namespace ppspin {

namespace {

using TMatrix = std::vector<std::vector<double>>;

// A pivot below this, in a matrix of unit diagonal, leaves it singular to
// the precision the Jacobian has.
constexpr double SingularPivot = 1e-12;

double Dot(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += a[i] * b[i];
    return sum;
}

// The inverse of m by Gauss-Jordan elimination with partial pivoting; none
// when m is singular.
std::optional<TMatrix> Inverse(TMatrix m) {
    const std::size_t n = m.size();
    TMatrix inv(n, std::vector<double>(n, 0.0));
    for (std::size_t i = 0; i < n; ++i)
        inv[i][i] = 1;
    for (std::size_t c = 0; c < n; ++c) {
        std::size_t pivot = c;
        for (std::size_t r = c + 1; r < n; ++r)
            if (std::fabs(m[r][c]) > std::fabs(m[pivot][c]))
                pivot = r;
        if (!(std::fabs(m[pivot][c]) > SingularPivot))
            return std::nullopt;
        std::swap(m[c], m[pivot]);
        std::swap(inv[c], inv[pivot]);
        const double d = m[c][c];
        for (std::size_t k = 0; k < n; ++k) {
            m[c][k] /= d;
            inv[c][k] /= d;
        }
        for (std::size_t r = 0; r < n; ++r) {
            if (r == c || m[r][c] == 0)
                continue;
            const double f = m[r][c];
            for (std::size_t k = 0; k < n; ++k) {
                m[r][k] -= f * m[c][k];
                inv[r][k] -= f * inv[c][k];
            }
        }
    }
    return inv;
}

std::string Significant(double x) {
    return SignificantText(x, 3, '.');
}

std::string Correlation(double c) {
    return DecimalText(c, 2);
}

} // namespace

TFitStatistics FitStatistics(const std::vector<std::optional<std::vector<double>>>& columns,
                             const std::vector<double>& residuals,
                             const std::vector<double>& values,
                             const std::vector<std::string>& names) {
    const std::size_t p = columns.size();
    TFitStatistics stats;
    stats.StandardErrors.assign(p, std::nullopt);
    std::vector<bool> noEffect(p, false);
    // The inputs the points see, and the norms of their columns.
    std::vector<std::size_t> seen;
    std::vector<double> norms(p, 0.0);
    for (std::size_t j = 0; j < p; ++j) {
        if (!columns[j])
            continue;
        norms[j] = std::sqrt(Dot(*columns[j], *columns[j]));
        noEffect[j] = norms[j] == 0;
        if (!noEffect[j] && std::isfinite(norms[j]))
            seen.push_back(j);
    }
    // Columns scaled to unit length, so that inputs of any size and unit
    // meet the same singularity test; their products are the cosines
    // between the columns.
    const std::size_t n = seen.size();
    TMatrix cosines(n, std::vector<double>(n, 0.0));
    for (std::size_t a = 0; a < n; ++a)
        for (std::size_t b = 0; b < n; ++b)
            cosines[a][b] =
                Dot(*columns[seen[a]], *columns[seen[b]]) / norms[seen[a]] / norms[seen[b]];
    const std::optional<TMatrix> inverse = Inverse(cosines);
    const double dof = static_cast<double>(residuals.size()) - static_cast<double>(p);
    // Correlations of the estimates; where the matrix cannot be inverted,
    // those of two inputs alone, minus their columns' cosine.
    TMatrix correlation(n, std::vector<double>(n, 0.0));
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = 0; b < n; ++b) {
            correlation[a][b] =
                inverse ? (*inverse)[a][b] / std::sqrt((*inverse)[a][a] * (*inverse)[b][b])
                        : -cosines[a][b];
        }
        if (inverse && dof > 0) {
            const double s2 = Dot(residuals, residuals) / dof;
            const double se = std::sqrt(s2 * (*inverse)[a][a]) / norms[seen[a]];
            if (std::isfinite(se))
                stats.StandardErrors[seen[a]] = se;
        }
    }

    stats.Covariance.assign(p, std::vector<std::optional<double>>(p));
    if (inverse && dof > 0) {
        const double s2 = Dot(residuals, residuals) / dof;
        // The upper triangle mirrored: the elimination leaves the inverse
        // symmetric only to rounding.
        for (std::size_t a = 0; a < n; ++a)
            for (std::size_t b = a; b < n; ++b) {
                const std::optional<double>& sa = stats.StandardErrors[seen[a]];
                const std::optional<double>& sb = stats.StandardErrors[seen[b]];
                if (!sa || !sb)
                    continue;
                const double c = a == b ? *sa * *sa
                                        : s2 * (*inverse)[a][b] / norms[seen[a]] / norms[seen[b]];
                if (std::isfinite(c))
                    stats.Covariance[seen[a]][seen[b]] = stats.Covariance[seen[b]][seen[a]] = c;
            }
    }

    for (std::size_t j = 0; j < p; ++j) {
        const std::optional<double>& se = stats.StandardErrors[j];
        if (noEffect[j])
            stats.Warnings.push_back(names[j] + " has no effect on the measured points near its value");
        else if (!se)
            stats.Warnings.push_back(names[j] + " is undetermined by the measured points");
        else if (*se > std::fabs(values[j]))
            stats.Warnings.push_back(names[j] + " is undetermined: its standard error " +
                                     Significant(*se) + " exceeds its value " +
                                     Significant(values[j]));
    }
    for (std::size_t a = 0; a < n; ++a)
        for (std::size_t b = a + 1; b < n; ++b)
            if (std::fabs(correlation[a][b]) > InterchangeableCorrelation)
                stats.Warnings.push_back(names[seen[a]] + " and " + names[seen[b]] +
                                         " are nearly interchangeable (correlation " +
                                         Correlation(correlation[a][b]) + ")");
    return stats;
}

} // namespace ppspin

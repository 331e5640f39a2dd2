#include "Fit.h"

#include "NumberText.h"
#include "OrderedRuns.h"
#include "RunCalculation.h"
#include "TextToFloat.h"

#include <nlopt.hpp>

#include <algorithm>
#include <cmath>
#include <memory>

namespace ppspin {

namespace {

// A failed run scores this many times the worse of the start's score and a
// 100 % miss at every point: far above any run that converged, yet finite,
// so that the search's model of the objective stays usable.
constexpr double PenaltyFactor = 10;
// The search works on each input in units of a tenth of its start (of a
// twentieth of its bounds for a start of 0), and stops once a step moves
// every input by less than this many such units.
constexpr double StartShare = 0.1;
constexpr double StepTolerance = 1e-3;
// The Jacobian's relative step: wide enough that the outputs' change stands
// well above the shooting's 0.1 % scatter, narrow enough to stay linear.
constexpr double JacobianStep = 0.02;

// One run of the fit and how far it is from the points.
struct TEvaluation {
    TRunOutcomeKind Kind = TRunOutcomeKind::Converged;
    std::string Why; // why it did not converge or cannot be compared
    std::vector<double> Weighted;
    TComparison Comparison;
    double Objective = 0;
    bool Ok() const { return Kind == TRunOutcomeKind::Converged; }
};

// The runs of a fit: texts with the fitted inputs set to values.
class TFitRuns {
  public:
    TFitRuns(const TFieldTexts& texts, const TMeasuredData& data, const TFitSetup& setup)
        : Texts(texts), Data(data), Setup(setup), Scales(ResidualScales(data)) {}

    TEvaluation Evaluate(TRun& run, const std::vector<double>& values) const {
        TFieldTexts texts = Texts;
        for (std::size_t j = 0; j < values.size(); ++j)
            texts[static_cast<std::size_t>(Setup.Inputs[j].Input->Field)] =
                NumberText(values[j], Setup.DecimalSeparator);
        TRunOptions options;
        options.DecimalSeparator = Setup.DecimalSeparator;
        options.MaxTrials = Setup.MaxTrials;
        options.Cancel = Setup.Cancel;
        const TRunOutcome outcome = RunCalculation(run, texts, options);
        TEvaluation e;
        e.Kind = outcome.Kind;
        e.Why = outcome.Message;
        if (!outcome.Converged())
            return e;
        // A spinline that ends before a point cannot be compared with it.
        if (std::string outside = MeasuredRangeRefusal(Data, outcome.Snapshot->Input.Z3);
            !outside.empty()) {
            e.Kind = TRunOutcomeKind::Refused;
            e.Why = std::move(outside);
            return e;
        }
        e.Comparison = Compare(*outcome.Snapshot, Data);
        e.Weighted = WeightedResiduals(e.Comparison, Scales);
        for (const double r : e.Weighted)
            e.Objective += r * r;
        return e;
    }

  private:
    const TFieldTexts& Texts;
    const TMeasuredData& Data;
    const TFitSetup& Setup;
    std::vector<double> Scales;
};

// The search's state, which NLopt hands back to the objective.
struct TSearch {
    const TFitRuns* Runs = nullptr;
    const TFitSetup* Setup = nullptr;
    nlopt::opt* Opt = nullptr;
    TRun* Run = nullptr;
    std::vector<double> Start, Unit, Lo, Hi;
    TEvaluation StartEvaluation;
    double Penalty = 0;
    // The best run so far.
    std::vector<double> BestValues;
    TEvaluation Best;
    int RunCount = 0, Failed = 0;
    bool LimitReached = false, Cancelled = false;

    std::vector<double> ValuesAt(const std::vector<double>& u) const {
        std::vector<double> x(u.size());
        for (std::size_t j = 0; j < u.size(); ++j)
            x[j] = u[j] == 0 ? Start[j] : std::clamp(Start[j] + u[j] * Unit[j], Lo[j], Hi[j]);
        return x;
    }

    double Objective(const std::vector<double>& u) {
        if (std::all_of(u.begin(), u.end(), [](double v) { return v == 0; }))
            return StartEvaluation.Objective;
        if (Setup->Cancel != nullptr && Setup->Cancel->load()) {
            Cancelled = true;
            Opt->force_stop();
            return Best.Objective;
        }
        if (RunCount >= Setup->MaxRuns) {
            LimitReached = true;
            Opt->force_stop();
            return Best.Objective;
        }
        const std::vector<double> x = ValuesAt(u);
        TEvaluation e = Runs->Evaluate(*Run, x);
        ++RunCount;
        if (e.Kind == TRunOutcomeKind::Cancelled) {
            Cancelled = true;
            Opt->force_stop();
            return Best.Objective;
        }
        const double objective = e.Ok() ? e.Objective : Penalty;
        if (!e.Ok())
            ++Failed;
        else if (e.Objective < Best.Objective) {
            Best = std::move(e);
            BestValues = x;
        }
        if (Setup->Progress)
            Setup->Progress({RunCount, Best.Objective});
        return objective;
    }

    static double Callback(unsigned, const double* u, double*, void* data) {
        auto* search = static_cast<TSearch*>(data);
        const std::vector<double> values(u, u + search->Start.size());
        return search->Objective(values);
    }
};

// The two runs of input j's column of the Jacobian: either side of its
// value, or upwards alone where its domain ends below.
std::pair<double, double> JacobianSteps(const TInputField& input, double value, double lo,
                                        double hi) {
    const double h = value != 0 ? JacobianStep * std::fabs(value) : JacobianStep * (hi - lo);
    return {InDomain(input, value - h) ? value - h : value, value + h};
}

// The Jacobian of the weighted residuals at the best values, on the
// setup's threads; none for an input whose runs failed.
std::vector<std::optional<std::vector<double>>> Jacobian(const TFitRuns& runs,
                                                         const TFitSetup& setup,
                                                         const TSearch& search, int& runCount,
                                                         int& failed) {
    const std::size_t p = search.BestValues.size();
    std::vector<std::vector<double>> points;
    for (std::size_t j = 0; j < p; ++j) {
        const auto [below, above] =
            JacobianSteps(*setup.Inputs[j].Input, search.BestValues[j], search.Lo[j], search.Hi[j]);
        for (const double v : {below, above}) {
            points.push_back(search.BestValues);
            points.back()[j] = v;
        }
    }
    std::vector<TEvaluation> evaluations(points.size());
    RunInOrder<TEvaluation>(
        points.size(), setup.Jobs,
        [&](TRun& run, std::size_t i) {
            // The side that does not move is the optimum itself.
            if (points[i] == search.BestValues)
                return search.Best;
            return runs.Evaluate(run, points[i]);
        },
        [&](TEvaluation&& e, std::size_t i) {
            if (points[i] != search.BestValues) {
                ++runCount;
                failed += e.Ok() ? 0 : 1;
            }
            evaluations[i] = std::move(e);
            return true;
        });
    std::vector<std::optional<std::vector<double>>> columns(p);
    for (std::size_t j = 0; j < p; ++j) {
        // A failed side is replaced by the optimum, a one-sided difference.
        std::size_t lo = 2 * j, hi = 2 * j + 1;
        double xLo = points[lo][j], xHi = points[hi][j];
        const TEvaluation* eLo = &evaluations[lo];
        const TEvaluation* eHi = &evaluations[hi];
        if (!eLo->Ok())
            eLo = &search.Best, xLo = search.BestValues[j];
        if (!eHi->Ok())
            eHi = &search.Best, xHi = search.BestValues[j];
        if (xLo == xHi)
            continue;
        std::vector<double> column(eLo->Weighted.size());
        for (std::size_t i = 0; i < column.size(); ++i)
            column[i] = (eHi->Weighted[i] - eLo->Weighted[i]) / (xHi - xLo);
        columns[j] = std::move(column);
    }
    return columns;
}

// The value to two significant digits of its standard error; 6 digits
// without one.
std::string FieldText(double value, const std::optional<double>& se, char separator) {
    int digits = 6;
    if (se && *se > 0 && value != 0)
        digits = static_cast<int>(std::floor(std::log10(std::fabs(value))) -
                                  std::floor(std::log10(*se))) +
                 2;
    return SignificantText(value, std::clamp(digits, 1, 10), separator);
}

std::string NameOf(const TFitSetup& setup, const TInputField& input) {
    return setup.InputName ? setup.InputName(input) : std::string(input.Name);
}

} // namespace

std::optional<std::pair<double, double>> FitBounds(const TInputField& input, double start) {
    if (start == 0)
        return std::nullopt;
    const double size = std::fabs(start);
    switch (input.Domain) {
    case TInputDomain::Positive:
        return std::pair(start / 10, start * 10);
    case TInputDomain::NonNegative:
        return std::pair(0.0, start * 10);
    case TInputDomain::Free:
    case TInputDomain::Text:
        break;
    }
    return std::pair(start - 10 * size, start + 10 * size);
}

std::string FitRefusal(const TFieldTexts& texts, const TFitSetup& setup) {
    const std::size_t count = setup.Inputs.size();
    if (count < 1 || count > static_cast<std::size_t>(MaxFitInputs))
        return "A fit adjusts 1 to " + std::to_string(MaxFitInputs) + " inputs, not " +
               std::to_string(count);
    for (std::size_t j = 0; j < count; ++j) {
        const TFitInput& fit = setup.Inputs[j];
        const TInputField& input = *fit.Input;
        const std::string name = NameOf(setup, input);
        for (std::size_t k = 0; k < j; ++k)
            if (setup.Inputs[k].Input == fit.Input)
                return name + " is fitted twice";
        double start = 0;
        if (!TextToFloat(texts[static_cast<std::size_t>(input.Field)], setup.DecimalSeparator,
                         start))
            return "Input value is not correct!";
        if (!InDomain(input, start))
            return input.Refusal;
        if (fit.Bounds) {
            const auto [lo, hi] = *fit.Bounds;
            if (!(lo < hi) || !std::isfinite(lo) || !std::isfinite(hi) || !InDomain(input, lo))
                return "Bounds of " + name + " are not correct: expected LO below HI" +
                       (input.Domain == TInputDomain::Positive      ? ", both above 0"
                        : input.Domain == TInputDomain::NonNegative ? ", both 0 or above"
                                                                    : "");
            if (!(start >= lo && start <= hi))
                return name + " starts at " + NumberText(start, '.') + ", outside its bounds " +
                       NumberText(lo, '.') + " to " + NumberText(hi, '.');
        } else if (!FitBounds(input, start)) {
            return name + " starts at 0, which gives its bounds no scale: they must be given";
        }
    }
    return {};
}

TFitResult FitMeasured(const TFieldTexts& texts, const TMeasuredData& data,
                       const TFitSetup& setup) {
    TFitResult result;
    const auto end = [&](TFitEnd kind, std::string message) {
        result.End = kind;
        result.Message = std::move(message);
        return result;
    };
    if (std::string refusal = FitRefusal(texts, setup); !refusal.empty())
        return end(TFitEnd::Refused, std::move(refusal));

    const TFitRuns runs(texts, data, setup);
    const std::size_t p = setup.Inputs.size();
    TSearch search;
    search.Runs = &runs;
    search.Setup = &setup;
    for (const TFitInput& fit : setup.Inputs) {
        double start = 0;
        TextToFloat(texts[static_cast<std::size_t>(fit.Input->Field)], setup.DecimalSeparator,
                    start);
        const auto [lo, hi] = fit.Bounds ? *fit.Bounds : *FitBounds(*fit.Input, start);
        search.Start.push_back(start);
        search.Lo.push_back(lo);
        search.Hi.push_back(hi);
        search.Unit.push_back(start != 0 ? StartShare * std::fabs(start) : (hi - lo) / 20);
        result.Inputs.push_back({fit.Input, start, start, lo, hi, std::nullopt, {}});
    }

    const auto run = std::make_unique<TRun>();
    search.Run = run.get();
    search.StartEvaluation = runs.Evaluate(*run, search.Start);
    result.Runs = search.RunCount = 1;
    const TEvaluation& start = search.StartEvaluation;
    if (start.Kind == TRunOutcomeKind::Refused)
        return end(TFitEnd::Refused, start.Why);
    if (start.Kind == TRunOutcomeKind::Cancelled)
        return end(TFitEnd::Cancelled, "The fit was cancelled");
    if (!start.Ok())
        return end(TFitEnd::StartFailed, "The run at the starting values failed: " + start.Why);
    result.Before = start.Comparison;
    if (setup.Progress)
        setup.Progress({1, start.Objective});
    search.Best = start;
    search.BestValues = search.Start;
    search.Penalty =
        PenaltyFactor * std::max(start.Objective, static_cast<double>(start.Weighted.size()));

    nlopt::opt opt(nlopt::LN_BOBYQA, static_cast<unsigned>(p));
    search.Opt = &opt;
    std::vector<double> lower(p), upper(p), step(p), u(p, 0.0);
    for (std::size_t j = 0; j < p; ++j) {
        lower[j] = (search.Lo[j] - search.Start[j]) / search.Unit[j];
        upper[j] = (search.Hi[j] - search.Start[j]) / search.Unit[j];
        // The first steps stay inside the bounds, whichever side they take.
        step[j] = std::min(1.0, 0.5 * (upper[j] - lower[j]));
    }
    opt.set_lower_bounds(lower);
    opt.set_upper_bounds(upper);
    opt.set_initial_step(step);
    opt.set_xtol_abs(StepTolerance);
    opt.set_min_objective(&TSearch::Callback, &search);
    TFitEnd kind = TFitEnd::Converged;
    std::string message;
    try {
        double f = 0;
        if (opt.optimize(u, f) == nlopt::MAXEVAL_REACHED)
            search.LimitReached = true;
    } catch (const nlopt::roundoff_limited&) {
        // The objective's own scatter stopped the search: as near as it gets.
    } catch (const nlopt::forced_stop&) {
        // The limit or the cancel, as flagged.
    } catch (const std::exception& e) {
        kind = TFitEnd::Failed;
        message = std::string("The fit failed: ") + e.what();
    }
    if (search.Cancelled)
        kind = TFitEnd::Cancelled, message = "The fit was cancelled";
    else if (search.LimitReached)
        kind = TFitEnd::RunLimit,
        message = "The fit stopped at its limit of " + std::to_string(setup.MaxRuns) + " runs";

    for (std::size_t j = 0; j < p; ++j)
        result.Inputs[j].Value = search.BestValues[j];
    result.After = search.Best.Comparison;
    result.Runs = search.RunCount;
    result.FailedRuns = search.Failed;
    if (kind == TFitEnd::Converged) {
        const auto columns = Jacobian(runs, setup, search, result.Runs, result.FailedRuns);
        if (setup.Cancel != nullptr && setup.Cancel->load())
            return end(TFitEnd::Cancelled, "The fit was cancelled");
        std::vector<std::string> names;
        for (const TFitInput& fit : setup.Inputs)
            names.push_back(NameOf(setup, *fit.Input));
        TFitStatistics stats =
            FitStatistics(columns, search.Best.Weighted, search.BestValues, names);
        for (std::size_t j = 0; j < p; ++j)
            result.Inputs[j].StandardError = stats.StandardErrors[j];
        result.Warnings = std::move(stats.Warnings);
        result.Covariance = std::move(stats.Covariance);
    }
    for (TFittedInput& input : result.Inputs)
        input.Text = FieldText(input.Value, input.StandardError, setup.DecimalSeparator);
    result.End = kind;
    result.Message = message;
    return result;
}

} // namespace ppspin

#include "GoalSeek.h"

#include "NumberText.h"
#include "OrderedRuns.h"
#include "RunCalculation.h"
#include "TextToFloat.h"

#include <boost/math/tools/toms748_solve.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace ppspin {

namespace {

// Samples of the reach per pass, and passes at most.
constexpr int SamplesPerPass = 64;
constexpr int MaxPasses = 4;
// A pass whose converged runs hold fewer samples than this is followed by
// one over their span alone.
constexpr int DenseEnough = SamplesPerPass / 4;
// While sampling, a run that needs more trials than this counts as failed:
// the reach's far ends rarely converge, and need not take long to say so.
constexpr int SamplingTrials = 500;

// A number in a message, as the goal's wording writes it.
std::string Number(const TGoal& goal, double x) {
    if (goal.Wording.Digits <= 0)
        return NumberText(x, '.');
    return GeneralText(x, goal.Wording.Digits, goal.DecimalSeparator);
}

std::string InputName(const TGoal& goal) {
    return goal.Wording.Input.empty() ? goal.Input->Name : goal.Wording.Input;
}

std::string OutputName(const TGoal& goal) {
    return goal.Wording.Output.empty() ? goal.Output->Name : goal.Wording.Output;
}

// "take-up-speed=2639.64", or as the wording has it.
std::string InputAt(const TGoal& goal, double x) {
    return InputName(goal) + goal.Wording.Equals + Number(goal, x);
}

// The run at one value of the input.
struct TPoint {
    double X = 0;
    std::optional<double> Y; // the output; none when the run failed or has none
    TRunOutcomeKind Kind = TRunOutcomeKind::Converged;
    std::string Why; // why there is no output
    int Field = -1;  // the field refused, for a refusal
};

// Runs the texts with the goal's input set to text.
TPoint RunAt(TRun& run, const TFieldTexts& texts, const TGoal& goal, const std::string& text,
             int maxTrials) {
    TPoint point;
    TextToFloat(text, goal.DecimalSeparator, point.X);
    TFieldTexts changed = texts;
    changed[static_cast<std::size_t>(goal.Input->Field)] = text;
    TRunOptions options;
    options.DecimalSeparator = goal.DecimalSeparator;
    options.MaxTrials = maxTrials;
    options.Cancel = goal.Cancel;
    const TRunOutcome outcome = RunCalculation(run, changed, options);
    point.Kind = outcome.Kind;
    point.Field = outcome.Field;
    if (outcome.Converged())
        point.Y = goal.Output->Of(OutputsOf(*outcome.Snapshot));
    if (!point.Y)
        point.Why = outcome.Converged() ? "it has no " + OutputName(goal) : outcome.Message;
    return point;
}

// "The run at take-up-speed=…: why it gave no output".
std::string FailureAt(const TGoal& goal, const TPoint& point) {
    return "The run at " + InputAt(goal, point.X) + ": " + point.Why;
}

TPoint RunAt(TRun& run, const TFieldTexts& texts, const TGoal& goal, double x, int maxTrials) {
    TPoint point = RunAt(run, texts, goal, NumberText(x, goal.DecimalSeparator), maxTrials);
    point.X = x;
    return point;
}

// n values from lo to hi: evenly spaced in the logarithm when both are
// positive, else evenly.
std::vector<double> Spread(double lo, double hi, int n) {
    std::vector<double> xs;
    const bool logarithmic = lo > 0;
    const double a = logarithmic ? std::log(lo) : lo, b = logarithmic ? std::log(hi) : hi;
    for (int k = 0; k < n; ++k) {
        const double t = a + (b - a) * k / (n - 1);
        xs.push_back(logarithmic ? std::exp(t) : t);
    }
    return xs;
}

// The first pass over the reach: the bracket, or the input's domain as far
// as the search once widened from the input's value, by doublings.
std::vector<double> FirstPass(const TGoal& goal, double x0) {
    if (goal.Bracket)
        return Spread(goal.Bracket->first, goal.Bracket->second, SamplesPerPass);
    constexpr double Widest = 1152921504606846976.0; // 2^60
    const TInputDomain domain = goal.Input->Domain;
    std::vector<double> xs;
    if (domain != TInputDomain::Free && x0 > 0) {
        xs = Spread(x0 / Widest, x0 * Widest, SamplesPerPass);
        if (domain == TInputDomain::NonNegative)
            xs.insert(xs.begin(), 0.0);
    } else if (domain == TInputDomain::NonNegative) {
        xs = Spread(1, Widest / 2, SamplesPerPass); // up from zero
        xs.insert(xs.begin(), 0.0);
    } else {
        // Either way from the value, by distances growing as the widening grew.
        const double d = x0 != 0 ? std::fabs(x0) * 0.5 : 1.0;
        for (double distance : Spread(d, d * Widest / 2, SamplesPerPass / 2)) {
            xs.push_back(x0 - distance);
            xs.push_back(x0 + distance);
        }
    }
    xs.push_back(x0);
    return xs;
}

// Runs every value of xs on the goal's threads.
std::vector<TPoint> RunAll(const std::vector<double>& xs, const TFieldTexts& texts,
                           const TGoal& goal, int maxTrials) {
    std::vector<TPoint> points(xs.size());
    RunInOrder<TPoint>(
        xs.size(), goal.Jobs,
        [&](TRun& run, std::size_t i) { return RunAt(run, texts, goal, xs[i], maxTrials); },
        [&](TPoint&& point, std::size_t i) {
            points[i] = std::move(point);
            return true;
        });
    return points;
}

// Sorted by value, each value once.
void Order(std::vector<TPoint>& points) {
    std::sort(points.begin(), points.end(),
              [](const TPoint& a, const TPoint& b) { return a.X < b.X; });
    points.erase(std::unique(points.begin(), points.end(),
                             [](const TPoint& a, const TPoint& b) { return a.X == b.X; }),
                 points.end());
}

// Samples the reach, then, while its converged runs are few, their span again.
std::vector<TPoint> Sample(const TFieldTexts& texts, const TGoal& goal, double x0, int& runs) {
    const int maxTrials = std::min(goal.MaxTrials, SamplingTrials);
    std::vector<double> xs = FirstPass(goal, x0);
    std::vector<TPoint> all;
    for (int pass = 0; pass < MaxPasses && !xs.empty(); ++pass) {
        std::vector<TPoint> points = RunAll(xs, texts, goal, maxTrials);
        runs += static_cast<int>(points.size());
        Order(points);
        all.insert(all.end(), points.begin(), points.end());
        const auto converged = [](const TPoint& p) { return p.Y.has_value(); };
        const auto first = std::find_if(points.begin(), points.end(), converged);
        const auto last = std::find_if(points.rbegin(), points.rend(), converged);
        if (first == points.end() ||
            std::count_if(points.begin(), points.end(), converged) >= DenseEnough ||
            first->X == last->X)
            break;
        xs = Spread(first->X, last->X, SamplesPerPass);
    }
    Order(all);
    return all;
}

// The last bracket about the value in [lo, hi] where the output meets the
// target, the output changing sign about it between the ends: two runs as
// near each other as the seek's tolerance allows, the nearer the target first.
std::optional<std::pair<TPoint, TPoint>> Refine(TRun& run, const TFieldTexts& texts,
                                                const TGoal& goal, const TPoint& lo,
                                                const TPoint& hi, std::string& failure, int& runs) {
    std::map<double, TPoint> seen = {{lo.X, lo}, {hi.X, hi}};
    struct TFailed {};
    const auto miss = [&](double x) {
        auto known = seen.find(x);
        if (known == seen.end()) {
            known = seen.emplace(x, RunAt(run, texts, goal, x, goal.MaxTrials)).first;
            ++runs;
        }
        if (!known->second.Y) {
            failure = FailureAt(goal, known->second);
            throw TFailed{};
        }
        return *known->second.Y - goal.Target;
    };
    const double floor = std::numeric_limits<double>::min() / goal.RelativeTolerance;
    const auto close = [&](double a, double b) {
        return std::fabs(b - a) <=
               goal.RelativeTolerance * std::max({std::fabs(a), std::fabs(b), floor});
    };
    try {
        std::uintmax_t iterations = 200;
        const auto [a, b] = boost::math::tools::toms748_solve(miss, lo.X, hi.X, miss(lo.X),
                                                              miss(hi.X), close, iterations);
        if (std::fabs(miss(a)) <= std::fabs(miss(b)))
            return std::pair(seen.at(a), seen.at(b));
        return std::pair(seen.at(b), seen.at(a));
    } catch (const TFailed&) {
        return std::nullopt;
    }
}

// The fewest significant digits of the value whose own run meets the target
// within tolerance; ten when none does.
std::string ShortText(TRun& run, const TFieldTexts& texts, const TGoal& goal, double value,
                      double tolerance, int& runs) {
    for (int digits = 1; digits < 10; ++digits) {
        const std::string text = SignificantText(value, digits, goal.DecimalSeparator);
        const TPoint point = RunAt(run, texts, goal, text, goal.MaxTrials);
        ++runs;
        if (point.Y && std::fabs(*point.Y - goal.Target) <= tolerance)
            return text;
    }
    return SignificantText(value, 10, goal.DecimalSeparator);
}

// A bracket of the sampled reach and what its refinement found: a value
// that gives the target, a value where the output jumps across it, or a
// run that failed.
struct TFound {
    std::optional<TGoalSolution> Solution;
    std::optional<std::pair<TPoint, TPoint>> Jump;
    std::string Failure;
    int Runs = 0;
};

std::string JumpMessage(const TGoal& goal, const std::pair<TPoint, TPoint>& step) {
    const auto& [a, b] = step.first.X < step.second.X ? step : std::pair(step.second, step.first);
    return OutputName(goal) + " steps from " + Number(goal, *a.Y) + " to " + Number(goal, *b.Y) +
           " between " + InputAt(goal, a.X) + " and " + Number(goal, b.X) + ": no value gives " +
           Number(goal, goal.Target);
}

std::string NoValueMessage(const TGoal& goal, const std::vector<TPoint>& samples) {
    double xLo = 0, xHi = 0, yLo = 0, yHi = 0;
    bool any = false;
    for (const TPoint& p : samples) {
        if (!p.Y)
            continue;
        if (!any)
            xLo = p.X, yLo = yHi = *p.Y;
        xHi = p.X;
        yLo = std::min(yLo, *p.Y), yHi = std::max(yHi, *p.Y);
        any = true;
    }
    const std::string name = InputName(goal);
    const auto n = [&](double x) { return Number(goal, x); };
    if (goal.Bracket) {
        const TPoint &lo = samples.front(), &hi = samples.back();
        return OutputName(goal) + " is " + n(*lo.Y) + " at " + InputAt(goal, lo.X) + " and " +
               n(*hi.Y) + " at " + InputAt(goal, hi.X) + ", and runs from " + n(yLo) + " to " +
               n(yHi) + " between them: " + n(goal.Target) + " is not among its values";
    }
    return "No value of " + name + " from " + n(xLo) + " to " + n(xHi) + " gives " +
           OutputName(goal) + goal.Wording.Equals + n(goal.Target) + " (it runs from " + n(yLo) +
           " to " + n(yHi) + ")";
}

} // namespace

TGoalSeekResult GoalSeek(const TFieldTexts& texts, const TGoal& goal) {
    TGoalSeekResult result;
    const auto end = [&](TGoalSeekEnd kind, std::string message) {
        result.End = kind;
        result.Message = std::move(message);
        return result;
    };
    double x0 = 0;
    if (!TextToFloat(texts[static_cast<std::size_t>(goal.Input->Field)], goal.DecimalSeparator,
                     x0)) {
        result.Field = goal.Input->Field;
        return end(TGoalSeekEnd::Refused, "Input value is not correct!");
    }
    // Inputs refused where the search starts are the user's to mend: the
    // search never leaves the input's domain to look for a value.
    const auto run = std::make_unique<TRun>();
    const TPoint start = RunAt(*run, texts, goal,
                               texts[static_cast<std::size_t>(goal.Input->Field)], SamplingTrials);
    result.Runs = 1;
    if (start.Kind == TRunOutcomeKind::Refused) {
        result.Field = start.Field;
        return end(TGoalSeekEnd::Refused, start.Why);
    }

    const std::vector<TPoint> samples = Sample(texts, goal, x0, result.Runs);
    if (goal.Cancel != nullptr && *goal.Cancel)
        return end(TGoalSeekEnd::Cancelled, "Goal seek was cancelled");
    const auto failed =
        std::find_if(samples.begin(), samples.end(), [](const TPoint& p) { return !p.Y; });
    if (std::none_of(samples.begin(), samples.end(), [](const TPoint& p) { return p.Y; }))
        return end(TGoalSeekEnd::RunFailed, FailureAt(goal, *failed));

    // A sign change between neighbours that both converged brackets a value;
    // neighbours with a failed run between them are not neighbours.
    std::vector<std::pair<TPoint, TPoint>> brackets;
    std::vector<TGoalSolution> solutions;
    for (std::size_t k = 0; k < samples.size(); ++k) {
        const TPoint& p = samples[k];
        if (p.Y && *p.Y == goal.Target)
            solutions.push_back({p.X, *p.Y, {}});
        if (k + 1 < samples.size() && p.Y && samples[k + 1].Y &&
            (*p.Y - goal.Target) * (*samples[k + 1].Y - goal.Target) < 0)
            brackets.emplace_back(p, samples[k + 1]);
    }
    double scale = std::fabs(goal.Target);
    if (scale == 0)
        for (const TPoint& p : samples)
            scale = std::max(scale, p.Y ? std::fabs(*p.Y) : 0.0);
    const double tolerance = goal.OutputTolerance * scale;
    // Where the output steps across the target (a grid point changing
    // zone, say), the refinement closes on the step; a value whose run
    // misses by more than the shooting's own scatter is no solution.
    const double scatter = std::max(tolerance, 1e-3 * scale);

    std::vector<TFound> found(brackets.size() + solutions.size());
    RunInOrder<TFound>(
        found.size(), goal.Jobs,
        [&](TRun& run, std::size_t i) {
            TFound f;
            if (i < brackets.size()) {
                const auto last = Refine(run, texts, goal, brackets[i].first, brackets[i].second,
                                         f.Failure, f.Runs);
                if (last && std::fabs(*last->first.Y - goal.Target) <= scatter)
                    f.Solution = TGoalSolution{last->first.X, *last->first.Y, {}};
                else if (last)
                    f.Jump = last;
            } else {
                f.Solution = solutions[i - brackets.size()];
            }
            if (f.Solution)
                f.Solution->Text =
                    ShortText(run, texts, goal, f.Solution->Value, tolerance, f.Runs);
            return f;
        },
        [&](TFound&& f, std::size_t i) {
            found[i] = std::move(f);
            return true;
        });
    std::string failure;
    std::optional<std::pair<TPoint, TPoint>> jump;
    for (TFound& f : found) {
        result.Runs += f.Runs;
        if (f.Solution)
            result.Solutions.push_back(std::move(*f.Solution));
        else if (f.Jump && !jump)
            jump = f.Jump;
        else if (failure.empty())
            failure = f.Failure;
    }
    if (goal.Cancel != nullptr && *goal.Cancel)
        return end(TGoalSeekEnd::Cancelled, "Goal seek was cancelled");
    if (result.Solutions.empty()) {
        // A failed run inside the user's bracket is what stood in the way.
        if (failure.empty() && goal.Bracket && failed != samples.end())
            failure = FailureAt(goal, *failed);
        if (!failure.empty())
            return end(TGoalSeekEnd::RunFailed, failure);
        if (jump)
            return end(TGoalSeekEnd::NoBracket, JumpMessage(goal, *jump));
        return end(TGoalSeekEnd::NoBracket, NoValueMessage(goal, samples));
    }
    std::stable_sort(result.Solutions.begin(), result.Solutions.end(),
                     [x0](const TGoalSolution& a, const TGoalSolution& b) {
                         return std::fabs(a.Value - x0) < std::fabs(b.Value - x0);
                     });
    result.Value = result.Solutions.front().Value;
    return result;
}

} // namespace ppspin

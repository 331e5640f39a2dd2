#include "GoalSeek.h"

#include "CloseBracket.h"
#include "ConvertInputs.h"
#include "NumberText.h"
#include "OrderedRuns.h"
#include "RunCalculation.h"
#include "TextToFloat.h"

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

// The largest double, and its logarithm: no sample of a reach lies beyond
// them.
constexpr double Largest = std::numeric_limits<double>::max();
const double LogOfLargest = std::log(Largest);

// n values from lo to hi: evenly spaced in the logarithm when both are
// positive, else evenly. A reach as wide as the doubles go spreads without
// forming an infinite value: the even spread works on halves, exact scalings
// of the ends, and a logarithm beyond the largest double's stands for hi.
std::vector<double> Spread(double lo, double hi, int n) {
    std::vector<double> xs;
    if (lo > 0) {
        const double a = std::log(lo), b = std::log(hi);
        for (int k = 0; k < n; ++k) {
            const double t = a + (b - a) * k / (n - 1);
            xs.push_back(t < LogOfLargest ? std::exp(t) : hi);
        }
        return xs;
    }
    const double a = lo / 2, b = hi / 2;
    for (int k = 0; k < n; ++k)
        xs.push_back(2 * (a + (b - a) * k / (n - 1)));
    return xs;
}

// The input's domain as far as the search once widened from the input's
// value, by doublings.
std::vector<double> Reach(const TGoal& goal, double x0) {
    constexpr double Widest = 1152921504606846976.0; // 2^60
    const auto widened = [](double x) { return x < Largest / Widest ? x * Widest : Largest; };
    const TInputDomain domain = goal.Input->Domain;
    std::vector<double> xs;
    if (domain != TInputDomain::Free && x0 > 0) {
        xs = Spread(x0 / Widest, widened(x0), SamplesPerPass);
        if (domain == TInputDomain::NonNegative)
            xs.insert(xs.begin(), 0.0);
    } else if (domain == TInputDomain::NonNegative) {
        xs = Spread(1, Widest / 2, SamplesPerPass); // up from zero
        xs.insert(xs.begin(), 0.0);
    } else {
        // Either way from the value, by distances growing as the widening
        // grew, as far as the doubles go.
        const double d = x0 != 0 ? std::fabs(x0) * 0.5 : 1.0;
        const double farthest = Largest - std::fabs(x0);
        for (double distance : Spread(d, widened(d) / 2, SamplesPerPass / 2)) {
            distance = std::min(distance, farthest);
            xs.push_back(x0 - distance);
            xs.push_back(x0 + distance);
        }
    }
    xs.push_back(x0);
    return xs;
}

// The first pass over the reach: the bracket, or the input's own reach.
std::vector<double> FirstPass(const TGoal& goal, double x0) {
    if (goal.Bracket)
        return Spread(goal.Bracket->first, goal.Bracket->second, SamplesPerPass);
    return Reach(goal, x0);
}

// The input's own reach within the user's bracket.
std::vector<double> ReachInBracket(const TGoal& goal, double x0) {
    std::vector<double> xs = Reach(goal, x0);
    const std::pair<double, double> bracket = *goal.Bracket;
    std::erase_if(xs, [&bracket](double x) { return x < bracket.first || x > bracket.second; });
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
        // A bracket so much wider than the input's reach that none of its
        // runs converged is sampled again over the reach within it.
        if (first == points.end() && pass == 0 && goal.Bracket) {
            xs = ReachInBracket(goal, x0);
            continue;
        }
        if (first == points.end() ||
            std::count_if(points.begin(), points.end(), converged) >= DenseEnough ||
            first->X == last->X)
            break;
        xs = Spread(first->X, last->X, SamplesPerPass);
    }
    Order(all);
    return all;
}

// Where the sampled output meets the target: samples that give it
// exactly, and neighbours that both converged with outputs either side of
// it. Neighbours with a failed run between them are not neighbours.
struct TBrackets {
    std::vector<std::pair<TPoint, TPoint>> Straddles;
    std::vector<TGoalSolution> Met;
};

TBrackets FindBrackets(const TGoal& goal, const std::vector<TPoint>& samples) {
    TBrackets brackets;
    for (std::size_t k = 0; k < samples.size(); ++k) {
        const TPoint& p = samples[k];
        if (p.Y && *p.Y == goal.Target)
            brackets.Met.push_back({p.X, *p.Y, {}});
        if (k + 1 < samples.size() && p.Y && samples[k + 1].Y &&
            (*p.Y - goal.Target) * (*samples[k + 1].Y - goal.Target) < 0)
            brackets.Straddles.emplace_back(p, samples[k + 1]);
    }
    return brackets;
}

// How near the target a run must come, in the output's own size.
struct TTolerances {
    double Output = 0; // for a shorter text to stand for a value
    // Where the output steps across the target (a grid point changing zone,
    // say), the refinement closes on the step: a value whose run misses by
    // more than the shooting's own scatter is no solution.
    double Scatter = 0;
};

TTolerances TolerancesOf(const TGoal& goal, const std::vector<TPoint>& samples) {
    double scale = std::fabs(goal.Target);
    if (scale == 0)
        for (const TPoint& p : samples)
            scale = std::max(scale, p.Y ? std::fabs(*p.Y) : 0.0);
    const double tolerance = goal.OutputTolerance * scale;
    return {tolerance, std::max(tolerance, 1e-3 * scale)};
}

// Steps, each a run, that one bracket's refinement may take.
constexpr int RefineSteps = 200;

// The refinement of a bracket: the last bracket about the value where the
// output meets the target, two runs as near each other as the seek's
// tolerance allows, the nearer the target first.
struct TRefined {
    std::optional<std::pair<TPoint, TPoint>> Last; // none when a run failed
    bool Closed = false; // false when the steps ran out with the runs still apart
    std::string Failure; // the failed run's
};

TRefined Refine(TRun& run, const TFieldTexts& texts, const TGoal& goal,
                const std::pair<TPoint, TPoint>& bracket, int& runs) {
    const auto& [lo, hi] = bracket;
    std::map<double, TPoint> seen = {{lo.X, lo}, {hi.X, hi}};
    TRefined refined;
    struct TFailed {};
    const auto miss = [&](double x) {
        auto known = seen.find(x);
        if (known == seen.end()) {
            known = seen.emplace(x, RunAt(run, texts, goal, x, goal.MaxTrials)).first;
            ++runs;
        }
        if (!known->second.Y) {
            refined.Failure = FailureAt(goal, known->second);
            throw TFailed{};
        }
        return *known->second.Y - goal.Target;
    };
    try {
        const TClosedBracket closed = CloseBracket(miss, lo.X, hi.X, miss(lo.X), miss(hi.X),
                                                   goal.RelativeTolerance, RefineSteps);
        const TPoint &a = seen.at(closed.Lo), &b = seen.at(closed.Hi);
        refined.Last =
            std::fabs(miss(a.X)) <= std::fabs(miss(b.X)) ? std::pair(a, b) : std::pair(b, a);
        refined.Closed = closed.Closed;
    } catch (const TFailed&) {
    }
    return refined;
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

// What a bracket of the sampled reach, or a sample met, gave: a value that
// gives the target, a value where the output jumps across it, or why
// neither.
struct TFound {
    std::optional<TGoalSolution> Solution;
    std::optional<std::pair<TPoint, TPoint>> Jump;
    std::string Failure;
    int Runs = 0;
};

// "The search between take-up-speed=880.1 and 880.3 did not close …".
std::string UnclosedMessage(const TGoal& goal, const std::pair<TPoint, TPoint>& last) {
    const TPoint& best = last.first;
    const auto [lo, hi] = std::minmax(last.first.X, last.second.X);
    return "The search between " + InputAt(goal, lo) + " and " + Number(goal, hi) +
           " did not close on a value in " + NumberText(RefineSteps, '.') +
           " steps: " + OutputName(goal) + " is " + Number(goal, *best.Y) + " at " +
           Number(goal, best.X) + ", not " + Number(goal, goal.Target);
}

// One bracket refined: its run nearest the target gives it within the
// shooting's scatter, or the output steps across the target there. A
// refinement whose steps ran out tells of no step: its nearest run counts
// only if it meets the target within the output tolerance, as a short text
// must, and the bracket has failed otherwise.
TFound Settle(TRun& run, const TFieldTexts& texts, const TGoal& goal,
              const std::pair<TPoint, TPoint>& bracket, const TTolerances& tolerances) {
    TFound f;
    const TRefined refined = Refine(run, texts, goal, bracket, f.Runs);
    if (!refined.Last) {
        f.Failure = refined.Failure;
        return f;
    }
    const TPoint& best = refined.Last->first;
    const double miss = std::fabs(*best.Y - goal.Target);
    if (miss <= (refined.Closed ? tolerances.Scatter : tolerances.Output))
        f.Solution = TGoalSolution{best.X, *best.Y, {}};
    else if (refined.Closed)
        f.Jump = refined.Last;
    else
        f.Failure = UnclosedMessage(goal, *refined.Last);
    return f;
}

// Settles every bracket and finds every value's short text, on the goal's
// threads: the brackets' in their order, then the samples met.
std::vector<TFound> SettleAll(const TFieldTexts& texts, const TGoal& goal,
                              const TBrackets& brackets, const TTolerances& tolerances) {
    const std::size_t straddles = brackets.Straddles.size();
    std::vector<TFound> found(straddles + brackets.Met.size());
    RunInOrder<TFound>(
        found.size(), goal.Jobs,
        [&](TRun& run, std::size_t i) {
            TFound f;
            if (i < straddles)
                f = Settle(run, texts, goal, brackets.Straddles[i], tolerances);
            else
                f.Solution = brackets.Met[i - straddles];
            if (f.Solution)
                f.Solution->Text =
                    ShortText(run, texts, goal, f.Solution->Value, tolerances.Output, f.Runs);
            return f;
        },
        [&](TFound&& f, std::size_t i) {
            found[i] = std::move(f);
            return true;
        });
    return found;
}

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

// Why the input's checks refuse an end of the user's bracket, with the field
// they refuse; none when both ends pass or the texts are refused as they
// stand, which the run at the start says.
std::optional<std::pair<std::string, int>> BracketRefusal(const TFieldTexts& texts,
                                                          const TGoal& goal) {
    TRunInput in;
    if (!goal.Bracket || ConvertInputs(texts, goal.DecimalSeparator, in))
        return std::nullopt;
    const auto [lo, hi] = *goal.Bracket;
    for (double end : {lo, hi}) {
        TFieldTexts changed = texts;
        changed[static_cast<std::size_t>(goal.Input->Field)] =
            NumberText(end, goal.DecimalSeparator);
        if (const TRefusal refusal = ConvertInputs(changed, goal.DecimalSeparator, in))
            return std::pair("The bracket from " + InputAt(goal, lo) + " to " + Number(goal, hi) +
                                 " is refused at " + Number(goal, end) + ": " + refusal.Message,
                             refusal.Field);
    }
    return std::nullopt;
}

TGoalSeekResult Ended(TGoalSeekResult result, TGoalSeekEnd kind, std::string message) {
    result.End = kind;
    result.Message = std::move(message);
    return result;
}

// The seek's end from what the brackets gave: every value found, the
// nearest to x0 first. Else why none: the first failure, the first failed
// sample of the user's bracket, the first step across the target, or the
// span of the output, in that order.
TGoalSeekResult Conclude(const TGoal& goal, double x0, const std::vector<TPoint>& samples,
                         std::vector<TFound> found, TGoalSeekResult result) {
    std::string failure;
    std::optional<std::pair<TPoint, TPoint>> jump;
    for (TFound& f : found) {
        result.Runs += f.Runs;
        if (f.Solution)
            result.Solutions.push_back(std::move(*f.Solution));
        else if (f.Jump) {
            if (!jump)
                jump = f.Jump;
        } else if (failure.empty())
            failure = f.Failure;
    }
    if (goal.Cancel != nullptr && *goal.Cancel)
        return Ended(std::move(result), TGoalSeekEnd::Cancelled, "Goal seek was cancelled");
    if (result.Solutions.empty()) {
        // A failed run inside the user's bracket is what stood in the way.
        const auto failed =
            std::find_if(samples.begin(), samples.end(), [](const TPoint& p) { return !p.Y; });
        if (failure.empty() && goal.Bracket && failed != samples.end())
            failure = FailureAt(goal, *failed);
        if (!failure.empty())
            return Ended(std::move(result), TGoalSeekEnd::RunFailed, failure);
        if (jump)
            return Ended(std::move(result), TGoalSeekEnd::NoBracket, JumpMessage(goal, *jump));
        return Ended(std::move(result), TGoalSeekEnd::NoBracket, NoValueMessage(goal, samples));
    }
    std::stable_sort(result.Solutions.begin(), result.Solutions.end(),
                     [x0](const TGoalSolution& a, const TGoalSolution& b) {
                         return std::fabs(a.Value - x0) < std::fabs(b.Value - x0);
                     });
    result.Value = result.Solutions.front().Value;
    return result;
}

} // namespace

TGoalSeekResult GoalSeek(const TFieldTexts& texts, const TGoal& goal) {
    TGoalSeekResult result;
    double x0 = 0;
    if (!TextToFloat(texts[static_cast<std::size_t>(goal.Input->Field)], goal.DecimalSeparator,
                     x0)) {
        result.Field = goal.Input->Field;
        return Ended(std::move(result), TGoalSeekEnd::Refused, "Input value is not correct!");
    }
    // A bracket the input's checks refuse would give nothing but refusals.
    if (auto refusal = BracketRefusal(texts, goal)) {
        result.Field = refusal->second;
        return Ended(std::move(result), TGoalSeekEnd::Refused, std::move(refusal->first));
    }
    // Inputs refused where the search starts are the user's to mend: the
    // search never leaves the input's domain to look for a value.
    const auto run = std::make_unique<TRun>();
    const TPoint start = RunAt(*run, texts, goal,
                               texts[static_cast<std::size_t>(goal.Input->Field)], SamplingTrials);
    result.Runs = 1;
    if (start.Kind == TRunOutcomeKind::Refused) {
        result.Field = start.Field;
        return Ended(std::move(result), TGoalSeekEnd::Refused, start.Why);
    }

    const std::vector<TPoint> samples = Sample(texts, goal, x0, result.Runs);
    if (goal.Cancel != nullptr && *goal.Cancel)
        return Ended(std::move(result), TGoalSeekEnd::Cancelled, "Goal seek was cancelled");
    if (std::none_of(samples.begin(), samples.end(), [](const TPoint& p) { return p.Y; }))
        return Ended(std::move(result), TGoalSeekEnd::RunFailed, FailureAt(goal, samples.front()));
    std::vector<TFound> found =
        SettleAll(texts, goal, FindBrackets(goal, samples), TolerancesOf(goal, samples));
    return Conclude(goal, x0, samples, std::move(found), std::move(result));
}

} // namespace ppspin

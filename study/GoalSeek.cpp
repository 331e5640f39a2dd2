#include "GoalSeek.h"

#include "FieldTexts.h"
#include "RunCalculation.h"
#include "TextToFloat.h"

#include <boost/math/tools/toms748_solve.hpp>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace ppspin {

namespace {

// Ends the search from inside the root finder.
struct TSearchEnded {
    TGoalSeekEnd End;
    std::string Message;
};

std::string Shortest(double x) {
    std::string text;
    AppendShortest(text, x);
    return text;
}

// The output of the run at each input value asked for, each value run once.
class TSearch {
  public:
    TSearch(TRun& run, const TFieldTexts& texts, const TGoal& goal)
        : run_(run), texts_(texts), goal_(goal) {}

    // The output minus the target at x; a run that fails ends the search.
    double Miss(double x) {
        const std::optional<double> y = Output(x);
        if (!y)
            throw TSearchEnded{TGoalSeekEnd::RunFailed, "The run at " + Failure(x)};
        return *y - goal_.Target;
    }

    // The output at x, or none when the run failed or has no such output.
    std::optional<double> Output(double x) {
        if (const auto known = outputs_.find(x); known != outputs_.end())
            return known->second;
        TFieldTexts texts = texts_;
        texts[static_cast<std::size_t>(goal_.Input->Field)] = NumberText(x, goal_.DecimalSeparator);
        TRunOptions options;
        options.DecimalSeparator = goal_.DecimalSeparator;
        options.WriteReport = false;
        options.MaxTrials = goal_.MaxTrials;
        const TRunOutcome outcome = RunCalculation(run_, texts, options);
        ++runs_;
        std::optional<double> y;
        if (outcome.Converged())
            y = goal_.Output->Of(OutputsOf(*outcome.Snapshot));
        if (!y)
            failures_[x] = outcome.Converged() ? "it has no " + std::string(goal_.Output->Name)
                                               : outcome.Message;
        if (outcome.Kind == TRunOutcomeKind::Refused)
            refused_.insert(x);
        outputs_[x] = y;
        return y;
    }

    // "NAME=VALUE: why the run there gave no output".
    std::string Failure(double x) const { return Name(x) + ": " + failures_.at(x); }
    // The refusal of the inputs at x, or nothing when they passed.
    std::optional<std::string> Refusal(double x) const {
        if (refused_.count(x) == 0)
            return std::nullopt;
        return failures_.at(x);
    }

    std::string Name(double x) const { return std::string(goal_.Input->Name) + "=" + Shortest(x); }
    int Runs() const { return runs_; }
    const std::map<double, std::optional<double>>& Outputs() const { return outputs_; }

  private:
    TRun& run_;
    const TFieldTexts& texts_;
    const TGoal& goal_;
    std::map<double, std::optional<double>> outputs_;
    std::map<double, std::string> failures_;
    std::set<double> refused_;
    int runs_ = 0;
};

// Widens from x0 in both directions, doubling the distance each time, until
// the miss changes sign between neighbours; stays within the input's domain
// and stops a direction at its first run that fails.
std::pair<double, double> FindBracket(TSearch& search, const TGoal& goal, double x0) {
    // Inputs refused where the search starts are the user's to mend: the
    // search never leaves the input's domain to look for a value.
    search.Output(x0);
    if (const std::optional<std::string> refusal = search.Refusal(x0))
        throw TSearchEnded{TGoalSeekEnd::Refused, *refusal};
    const double m0 = search.Miss(x0);
    if (m0 == 0)
        return {x0, x0};
    const TInputDomain domain = goal.Input->Domain;
    const bool positive = domain != TInputDomain::Free && x0 > 0;
    double last[2] = {x0, x0}; // the furthest point reached going down, up
    bool open[2] = {domain != TInputDomain::NonNegative || x0 > 0, true};
    std::string stopped; // why a direction closed
    double distance = x0 != 0 ? std::fabs(x0) * 0.5 : 1.0;
    for (int widening = 0; widening < 60 && (open[0] || open[1]); ++widening) {
        for (int up = 1; up >= 0; --up) {
            if (!open[up])
                continue;
            double x;
            if (positive) // by factors: a positive input stays positive
                x = up ? last[1] * 2 : last[0] / 2;
            else
                x = up ? x0 + distance : x0 - distance;
            if (domain == TInputDomain::NonNegative && x <= 0) {
                x = 0;
                open[0] = false;
            }
            const std::optional<double> y = search.Output(x);
            if (!y) {
                open[up] = false;
                stopped += "; the run at " + search.Failure(x);
                continue;
            }
            const double miss = *y - goal.Target;
            const double previous = search.Miss(last[up]);
            if (miss == 0 || (miss < 0) != (previous < 0))
                return up ? std::pair(last[1], x) : std::pair(x, last[0]);
            last[up] = x;
        }
        distance *= 2;
    }
    const auto lo = search.Outputs().find(last[0]), hi = search.Outputs().find(last[1]);
    throw TSearchEnded{TGoalSeekEnd::NoBracket,
                       "No value of " + std::string(goal.Input->Name) + " from " +
                           Shortest(last[0]) + " to " + Shortest(last[1]) + " gives " +
                           goal.Output->Name + "=" + Shortest(goal.Target) + " (it runs from " +
                           Shortest(*lo->second) + " to " + Shortest(*hi->second) + stopped + ")"};
}

// The outputs seen between lo and hi, with a few more inside, must rise or
// fall throughout; the shooting's tolerance of 0.1 % in the end velocity
// gives them a little noise, which is let pass.
void CheckMonotone(TSearch& search, const TGoal& goal, double lo, double hi) {
    for (double share : {0.25, 0.5, 0.75})
        search.Miss(lo + share * (hi - lo));
    std::vector<double> ys;
    for (const auto& [x, y] : search.Outputs())
        if (x >= lo && x <= hi && y)
            ys.push_back(*y);
    const auto [min, max] = std::minmax_element(ys.begin(), ys.end());
    const double noise =
        std::max(1e-3 * std::max(std::fabs(*min), std::fabs(*max)), 0.01 * (*max - *min));
    const double sign = ys.back() >= ys.front() ? 1 : -1;
    for (std::size_t k = 1; k < ys.size(); ++k) {
        if (sign * (ys[k] - ys[k - 1]) < -noise)
            throw TSearchEnded{TGoalSeekEnd::NotMonotone,
                               std::string(goal.Output->Name) + " is not monotone in " +
                                   goal.Input->Name + " from " + Shortest(lo) + " to " +
                                   Shortest(hi) +
                                   ": the value sought may not be unique; give a narrower "
                                   "bracket"};
    }
}

} // namespace

TGoalSeekResult GoalSeek(TRun& run, const TFieldTexts& texts, const TGoal& goal) {
    TGoalSeekResult result;
    double x0 = 0;
    if (!TextToFloat(texts[static_cast<std::size_t>(goal.Input->Field)], goal.DecimalSeparator,
                     x0)) {
        result.End = TGoalSeekEnd::Refused;
        result.Message = "Input value is not correct!";
        return result;
    }
    TSearch search(run, texts, goal);
    try {
        auto [lo, hi] = goal.Bracket ? *goal.Bracket : FindBracket(search, goal, x0);
        if (lo > hi)
            std::swap(lo, hi);
        const double mLo = search.Miss(lo), mHi = search.Miss(hi);
        if (mLo == 0 || mHi == 0) {
            result.Value = mLo == 0 ? lo : hi;
        } else if ((mLo < 0) == (mHi < 0)) {
            throw TSearchEnded{
                TGoalSeekEnd::NoBracket,
                std::string(goal.Output->Name) + " is " + Shortest(mLo + goal.Target) + " at " +
                    search.Name(lo) + " and " + Shortest(mHi + goal.Target) + " at " +
                    search.Name(hi) + ": " + Shortest(goal.Target) + " is not between them"};
        } else {
            const double floor = std::numeric_limits<double>::min() / goal.RelativeTolerance;
            const auto close = [&](double a, double b) {
                return std::fabs(b - a) <=
                       goal.RelativeTolerance * std::max({std::fabs(a), std::fabs(b), floor});
            };
            std::uintmax_t iterations = 200;
            const auto [a, b] = boost::math::tools::toms748_solve(
                [&](double x) { return search.Miss(x); }, lo, hi, mLo, mHi, close, iterations);
            // Of the two ends of the last bracket, the one nearer the target.
            result.Value = std::fabs(search.Miss(a)) <= std::fabs(search.Miss(b)) ? a : b;
        }
        CheckMonotone(search, goal, lo, hi);
    } catch (const TSearchEnded& ended) {
        result.End = ended.End;
        result.Message = ended.Message;
    }
    result.Runs = search.Runs();
    return result;
}

} // namespace ppspin

// Measured points made from a run of the model, with Gaussian noise of a
// fixed seed: the same bytes on every machine and standard library.
#pragma once

#include "FieldTexts.h"
#include "InputCatalogue.h"
#include "MeasuredData.h"
#include "NumberText.h"
#include "RunCalculation.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace ppspin::testing {

// Standard normal deviates by Box-Muller on mt19937_64, whose output the
// standard fixes; std::normal_distribution's is the library's own.
class TGaussian {
  public:
    explicit TGaussian(std::uint64_t seed) : Engine(seed) {}
    double operator()() {
        const double u1 = 1 - Uniform(); // in (0, 1]
        const double u2 = Uniform();
        return std::sqrt(-2 * std::log(u1)) * std::cos(2 * 3.141592653589793 * u2);
    }

  private:
    double Uniform() { return static_cast<double>(Engine() >> 11) * 0x1p-53; }
    std::mt19937_64 Engine;
};

// The defaults with some inputs set by option name.
inline TFieldTexts TextsWith(const std::vector<std::pair<const char*, const char*>>& inputs) {
    TFieldTexts texts = DefaultFieldTexts('.');
    for (const auto& [name, text] : inputs)
        texts[static_cast<std::size_t>(FindEditableInput(name)->Field)] = text;
    return texts;
}

// A run of the texts; its Snapshot is the profile, none when the run
// failed (Message says why).
inline TRunOutcome RunOf(const TFieldTexts& texts) {
    return RunCalculation(*std::make_unique<TRun>(), texts);
}

// A measured file of the profile's columns at positions z, each value
// times 1 + noise * a standard normal deviate, each with its sigma, noise
// times the value.
inline std::string MeasuredCsv(const TProfileSnapshot& profile,
                               const std::vector<const TMeasuredColumn*>& columns,
                               const std::vector<double>& z, double noise, std::uint64_t seed) {
    TGaussian gaussian(seed);
    std::string csv = "z_cm";
    for (const TMeasuredColumn* column : columns)
        ((csv += ',') += column->Name) += std::string(",sigma_") + column->Name;
    csv += '\n';
    for (const double at : z) {
        AppendShortest(csv, at);
        for (const TMeasuredColumn* column : columns) {
            // The grid point at or after z: these positions lie on it.
            const TProfilePoint* point = &profile.Points.back();
            for (const TProfilePoint& p : profile.Points)
                if (p.Z >= at) {
                    point = &p;
                    break;
                }
            const double value = column->Of(*point);
            csv += ',';
            AppendShortest(csv, value * (1 + noise * gaussian()));
            csv += ',';
            AppendShortest(csv, value * noise);
        }
        csv += '\n';
    }
    return csv;
}

// The measured column of that name; an unknown name throws, which fails
// the test that asked with the name.
inline const TMeasuredColumn* Column(const char* name) {
    for (const TMeasuredColumn& column : MeasuredColumns)
        if (std::string(column.Name) == name)
            return &column;
    throw std::out_of_range(std::string("no measured column ") + name);
}

} // namespace ppspin::testing

// Points measured on a real spinline (a diameter gauge, an infrared camera,
// a laser Doppler velocimeter, a tension meter), read from a CSV file whose
// columns are named like the profile CSV's, so that a profile CSV is itself
// a measured file.
#pragma once

#include "ProfileSnapshot.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ppspin {

// What a measured column is a measure of; each is drawn on its own chart.
enum class TSpinlineQuantity { Velocity, Tension, Temperature, Diameter };

struct TMeasuredColumn {
    const char* Name; // the CSV column, e.g. "D_um"
    TSpinlineQuantity Quantity;
    const char* Unit; // of the column's values (UTF-8)
    // The model's value at a grid point, in the column's unit.
    double (*Of)(const TProfilePoint&);
    // From the column's unit to the unit its chart is drawn in.
    double ChartFactor;
};

// The columns that may carry measured values, in the order they are compared.
inline constexpr TMeasuredColumn MeasuredColumns[] = {
    {"v_m_min", TSpinlineQuantity::Velocity, "m/min", [](const TProfilePoint& p) { return p.VM; },
     1},
    {"F_dyn", TSpinlineQuantity::Tension, "dyn", [](const TProfilePoint& p) { return p.F; }, 1},
    {"T_C", TSpinlineQuantity::Temperature, "\u00b0C", [](const TProfilePoint& p) { return p.T; },
     1},
    {"D_cm", TSpinlineQuantity::Diameter, "cm", [](const TProfilePoint& p) { return p.D; }, 1e4},
    {"D_um", TSpinlineQuantity::Diameter, "\u00b5m", [](const TProfilePoint& p) { return p.DUm; },
     1},
};

struct TMeasuredPoint {
    double Z = 0;                // cm
    double Value = 0;            // in the column's unit
    std::optional<double> Sigma; // its uncertainty, same unit; > 0
    int Line = 0;                // in the file, the header being line 1
};

// The points of one column, by ascending z (rows of equal z in file order).
struct TMeasuredSeries {
    const TMeasuredColumn* Column = nullptr;
    std::vector<TMeasuredPoint> Points; // at least one
};

struct TMeasuredData {
    std::vector<TMeasuredSeries> Series; // in the order of MeasuredColumns
    std::size_t PointCount() const;
};

// What a measured file may hold at most.
inline constexpr std::size_t MaxMeasuredBytes = 10 * 1000 * 1000;
inline constexpr int MaxMeasuredRows = 100000;
// What is read of a measured file: one byte beyond the bound tells a file
// that is too large.
inline constexpr std::size_t MaxMeasuredFileHead = MaxMeasuredBytes + 1;

// Reads a measured file's text: a header row naming z_cm and any of the
// measured columns, each optionally with sigma_<column>; the profile CSV's
// other columns are accepted and ignored. Cells are numbers with "." as
// decimal separator, or empty for a missing value; rows may come in any
// order. Reading is strict: anything else gives false with a message naming
// the line, and data is then unchanged.
bool ReadMeasured(std::string_view text, TMeasuredData& data, std::string& message);

// Reads the file at path, at most MaxMeasuredBytes of it, as ReadMeasured.
bool ReadMeasuredFile(const std::string& path, TMeasuredData& data, std::string& message);

// The message of a measured file that cannot be opened or read.
std::string MeasuredUnreadable(const std::string& path);

} // namespace ppspin

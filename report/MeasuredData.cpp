#include "MeasuredData.h"

#include "NumberText.h"
#include "OpenForReading.h"
#include "QuotedText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace ppspin {

namespace {

// Columns of the profile CSV that are not measured: a profile CSV reads as
// a measured file, these columns unread.
constexpr std::string_view IgnoredColumns[] = {"Ta_C", "h_cal_cm2_s_C", "ten_re_g_den",
                                               "ten_ap_g_den"};
constexpr std::string_view SigmaPrefix = "sigma_";

// What a header cell names.
struct TColumnRole {
    enum { Z, Value, Sigma, Ignored } Kind = Ignored;
    const TMeasuredColumn* Column = nullptr; // of a value or a sigma
};

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> Cells(std::string_view line) {
    std::vector<std::string_view> cells;
    for (;;) {
        const auto comma = line.find(',');
        cells.push_back(Trimmed(line.substr(0, comma)));
        if (comma == std::string_view::npos)
            return cells;
        line.remove_prefix(comma + 1);
    }
}

const TMeasuredColumn* FindColumn(std::string_view name) {
    for (const TMeasuredColumn& column : MeasuredColumns)
        if (name == column.Name)
            return &column;
    return nullptr;
}

std::string KnownColumns() {
    std::string names = "z_cm";
    for (const TMeasuredColumn& column : MeasuredColumns)
        (names += ", ") += column.Name;
    return names + ", and sigma_ before any but z_cm";
}

// The header's columns; false with the reason in message.
bool ReadHeader(std::string_view line, std::vector<TColumnRole>& roles, std::string& message) {
    const std::vector<std::string_view> names = Cells(line);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = names[i];
        if (std::find(names.begin(), names.begin() + static_cast<long>(i), name) !=
            names.begin() + static_cast<long>(i)) {
            message = "column " + QuotedText(name) + " appears twice";
            return false;
        }
        TColumnRole role;
        const bool sigma = name.substr(0, SigmaPrefix.size()) == SigmaPrefix;
        if (name == "z_cm") {
            role.Kind = TColumnRole::Z;
        } else if ((role.Column = FindColumn(sigma ? name.substr(SigmaPrefix.size()) : name))) {
            role.Kind = sigma ? TColumnRole::Sigma : TColumnRole::Value;
        } else if (std::find(std::begin(IgnoredColumns), std::end(IgnoredColumns), name) ==
                   std::end(IgnoredColumns)) {
            message = "unknown column " + QuotedText(name) + " (known: " + KnownColumns() + ")";
            return false;
        }
        roles.push_back(role);
    }
    const auto has = [&](auto kind, const TMeasuredColumn* column) {
        return std::any_of(roles.begin(), roles.end(), [&](const TColumnRole& r) {
            return r.Kind == kind && r.Column == column;
        });
    };
    if (!has(TColumnRole::Z, nullptr)) {
        message = "there is no column z_cm";
        return false;
    }
    const TMeasuredColumn *cm = FindColumn("D_cm"), *um = FindColumn("D_um");
    if (has(TColumnRole::Value, cm) && has(TColumnRole::Value, um)) {
        message = "D_cm and D_um both give the diameter: keep one";
        return false;
    }
    for (const TColumnRole& r : roles) {
        if (r.Kind == TColumnRole::Sigma && !has(TColumnRole::Value, r.Column)) {
            message = "sigma_" + std::string(r.Column->Name) + " has no column " + r.Column->Name;
            return false;
        }
    }
    return true;
}

// A cell's number; false when it is not one, or not finite.
bool ReadNumber(std::string_view cell, double& value) {
    return ReadDouble(cell, value) == TNumberRead::Ok && std::isfinite(value);
}

} // namespace

std::size_t TMeasuredData::PointCount() const {
    std::size_t n = 0;
    for (const TMeasuredSeries& s : Series)
        n += s.Points.size();
    return n;
}

bool ReadMeasured(std::string_view text, TMeasuredData& data, std::string& message) {
    int lineNumber = 0;
    const auto fail = [&](const std::string& why) {
        message = "line " + std::to_string(lineNumber) + ": " + why;
        return false;
    };
    if (text.size() > MaxMeasuredBytes) {
        message = "the file is larger than 10 MB";
        return false;
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF") // a byte-order mark, as spreadsheets write
        text.remove_prefix(3);

    std::vector<TColumnRole> roles;
    std::vector<std::vector<TMeasuredPoint>> points(std::size(MeasuredColumns));
    int rows = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ++lineNumber;
        if (lineNumber == 1) {
            if (!ReadHeader(line, roles, message))
                return fail(message);
            continue;
        }
        if (Trimmed(line).empty())
            continue;
        if (++rows > MaxMeasuredRows)
            return fail("more than " + std::to_string(MaxMeasuredRows) + " rows");
        const std::vector<std::string_view> cells = Cells(line);
        if (cells.size() != roles.size())
            return fail(std::to_string(cells.size()) + (cells.size() == 1 ? " cell" : " cells") +
                        " where the header names " + std::to_string(roles.size()));
        std::optional<double> z;
        std::vector<std::optional<double>> values(points.size()), sigmas(points.size());
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const TColumnRole& role = roles[i];
            if (role.Kind == TColumnRole::Ignored || cells[i].empty())
                continue;
            double number = 0;
            const std::string name = role.Kind == TColumnRole::Z ? std::string("z_cm")
                                     : role.Kind == TColumnRole::Sigma
                                         ? std::string(SigmaPrefix) + role.Column->Name
                                         : std::string(role.Column->Name);
            if (!ReadNumber(cells[i], number))
                return fail(name + " " + QuotedText(cells[i]) + " is not a number");
            const auto at = static_cast<std::size_t>(role.Column - MeasuredColumns);
            if (role.Kind == TColumnRole::Z) {
                z = number;
            } else if (role.Kind == TColumnRole::Value) {
                values[at] = number;
            } else {
                if (!(number > 0))
                    return fail(name + " " + QuotedText(cells[i]) + " is not greater than 0");
                sigmas[at] = number;
            }
        }
        for (std::size_t c = 0; c < values.size(); ++c) {
            if (!values[c])
                continue;
            if (!z)
                return fail("a value without z_cm");
            points[c].push_back({*z, *values[c], sigmas[c], lineNumber});
        }
    }
    if (lineNumber == 0) {
        message = "the file is empty";
        return false;
    }

    TMeasuredData read;
    for (std::size_t c = 0; c < points.size(); ++c) {
        if (points[c].empty())
            continue;
        std::stable_sort(
            points[c].begin(), points[c].end(),
            [](const TMeasuredPoint& a, const TMeasuredPoint& b) { return a.Z < b.Z; });
        read.Series.push_back({&MeasuredColumns[c], std::move(points[c])});
    }
    if (read.Series.empty()) {
        message = "no row has z_cm and a measured value";
        return false;
    }
    data = std::move(read);
    return true;
}

bool ReadMeasuredFile(const std::string& path, TMeasuredData& data, std::string& message) {
    std::string text;
    if (!ReadFileHead(path, MaxMeasuredFileHead, text)) {
        message = MeasuredUnreadable(path);
        return false;
    }
    if (!ReadMeasured(text, data, message)) {
        message = path + ": " + message;
        return false;
    }
    return true;
}

std::string MeasuredUnreadable(const std::string& path) {
    return "Can not read measured file " + path;
}

} // namespace ppspin

// One output's map of a grid study, ready to draw, and what the parts of the
// picture (panels, colour bars, key) share.
#pragma once

#include "Contours.h"
#include "StudyPlots.h"

#include <QString>

#include <string>
#include <vector>

namespace ppspin::gridmaps {

// Fonts, in logical pixels.
inline constexpr double TitleSize = 17, PanelTitleSize = 13, TickSize = 11, AxisSize = 11.5,
                        LevelSize = 9.5, LegendSize = 11;
// Of the ticks on the axes and on the colour bar.
inline constexpr double TickLength = 4;

inline QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

inline TGridRunStatus StatusAt(const TGridMaps& maps, std::size_t i, std::size_t j) {
    return maps.Cells.empty() ? TGridRunStatus::Ok : maps.Cells[i][j].Status;
}

// One output's map, ready to draw.
struct TMap {
    QString Name;
    TGridValues Values; // of runs that ended well, finite only
    bool HasValues = false;
    double Lo = 0, Hi = 0;
    std::vector<double> Levels;
    double LevelStep = 1;
    std::vector<std::vector<std::vector<TContourPoint>>> Lines; // per level

    double Fraction(double v) const { return Hi > Lo ? (v - Lo) / (Hi - Lo) : 0.5; }
};

// Where the data go on the page: a linear map of [Lo, Hi] onto [From, To].
struct TScale {
    double Lo, Hi, From, To;
    double operator()(double v) const { return From + (v - Lo) / (Hi - Lo) * (To - From); }
};

} // namespace ppspin::gridmaps

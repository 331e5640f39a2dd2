#include "PictureData.h"

#include <algorithm>

namespace ppspin {

TGridMaps GridMapsOf(const TStudy& study, const std::vector<TSweepRow>& rows) {
    TGridMaps maps;
    maps.XName = ChartLabel(*study.Ranges[0].Input);
    maps.YName = ChartLabel(*study.Ranges[1].Input);
    maps.X = SweepValues(study.Ranges[0]);
    maps.Y = SweepValues(study.Ranges[1]);
    const std::size_t nx = maps.X.size(), ny = maps.Y.size();
    // The first input varies slowest.
    const auto done = [&](std::size_t i, std::size_t j) { return i * ny + j < rows.size(); };
    const auto row = [&](std::size_t i, std::size_t j) -> const TSweepRow& {
        return rows[i * ny + j];
    };
    maps.Cells.assign(nx, std::vector<TGridCell>(ny));
    for (std::size_t i = 0; i < nx; ++i) {
        for (std::size_t j = 0; j < ny; ++j) {
            if (!done(i, j)) {
                maps.Cells[i][j].Status = TGridRunStatus::Pending;
                continue;
            }
            const TSweepRow& r = row(i, j);
            if (!r.Ok())
                maps.Cells[i][j] = {r.Kind == TRunOutcomeKind::Refused ? TGridRunStatus::Refused
                                                                       : TGridRunStatus::Failed,
                                    r.Status};
        }
    }
    for (const TOutputColumn& column : OutputColumns) {
        TGridOutput output{column.Title, {}};
        output.Values.assign(nx, std::vector<std::optional<double>>(ny));
        for (std::size_t i = 0; i < nx; ++i)
            for (std::size_t j = 0; j < ny; ++j)
                if (done(i, j) && row(i, j).Ok())
                    output.Values[i][j] = column.Of(row(i, j).Outputs);
        maps.Outputs.push_back(std::move(output));
    }
    return maps;
}

TSummaryPlot SummaryPlotOf(const TStudy& study, const std::vector<TSweepRow>& rows) {
    TSummaryPlot plot;
    plot.Title = "Parameter study";
    plot.XLabel = ChartLabel(*study.Ranges[0].Input);
    // Every value from the start, so that the axes stay as rows arrive.
    plot.X = SweepValues(study.Ranges[0]);
    const auto series = [&](const char* name, auto of) {
        TSummarySeries s{name, std::vector<std::optional<double>>(plot.X.size())};
        for (std::size_t k = 0; k < std::min(rows.size(), plot.X.size()); ++k)
            if (rows[k].Ok())
                s.Y[k] = of(rows[k].Outputs);
        plot.Series.push_back(std::move(s));
    };
    series("Trials", [](const TRunOutputs& o) { return std::optional<double>(o.Trials); });
    for (const TOutputColumn& column : OutputColumns)
        series(column.Title, column.Of);
    return plot;
}

TTornado TornadoOf(const TSensitivities& sensitivities) {
    TTornado tornado;
    tornado.Title = "Sensitivities at the current values";
    const TOutputColumn* drawn[] = {FindOutputColumn("D_end_um"), FindOutputColumn("z_freeze_cm")};
    for (const TOutputColumn* column : drawn)
        tornado.Outputs.push_back({column->Title, {}});
    for (const TSensitivityRow& row : sensitivities.Rows) {
        tornado.Inputs.push_back(ChartLabel(*row.Input));
        for (std::size_t t = 0; t < std::size(drawn); ++t) {
            const auto column = static_cast<std::size_t>(drawn[t] - OutputColumns);
            tornado.Outputs[t].Inputs.push_back(
                {row.Elasticity[column], row.Status == "ok" ? "" : row.Status});
        }
    }
    return tornado;
}

} // namespace ppspin
